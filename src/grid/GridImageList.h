// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The optional list of images that cells refer to by index: all of one size.

#include <QImage>
#include <QPainter>
#include <vector>

namespace vorenx {

class CImageList {
 public:
  explicit CImageList(QSize imageSize) : m_size(imageSize) {}
  int Add(const QImage& image) {
    m_images.push_back(image.scaled(m_size));
    return static_cast<int>(m_images.size()) - 1;
  }
  int Count() const { return static_cast<int>(m_images.size()); }
  bool Knows(int index) const { return index >= 0 && index < Count(); }
  QSize ImageSize() const { return m_size; }
  void Draw(QPainter& painter, int index, QPoint topLeft) const {
    if (Knows(index)) painter.drawImage(topLeft, m_images[static_cast<std::size_t>(index)]);
  }

 private:
  QSize m_size;
  std::vector<QImage> m_images;
};

}  // namespace vorenx
