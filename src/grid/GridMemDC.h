// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CMemDCGrid: the off-screen image a paint of the grid goes through, so that
// the background, the cells and the grid lines reach the screen in one copy
// and nothing flickers. The image covers exactly the part being painted (the
// dirty rectangle) and is drawn in the target's coordinates. A printer (or
// another paged device) is painted straight, without an image.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>

namespace vorenx {

class CMemDCGrid {
 public:
  // `rect` is the part of the target to paint, in the target's coordinates;
  // the image starts filled with `background`.
  CMemDCGrid(QPainter& target, const QRect& rect, const QColor& background);
  // Copies the image to the same place on the target (when buffered).
  ~CMemDCGrid();
  CMemDCGrid(const CMemDCGrid&) = delete;
  CMemDCGrid& operator=(const CMemDCGrid&) = delete;

  // The painter to draw with: the image's, or the target itself.
  QPainter& Painter() { return m_painter ? *m_painter : m_target; }
  bool IsBuffered() const { return m_buffered; }
  const QImage& Image() const { return m_image; }
  QRect Rect() const { return m_rect; }

  // Whether painting into this painter goes to paper rather than a screen.
  static bool IsPagedDevice(const QPainter& painter);

 private:
  QPainter& m_target;
  QRect m_rect;
  bool m_buffered = false;
  QImage m_image;
  std::unique_ptr<QPainter> m_painter;
};

}  // namespace vorenx
