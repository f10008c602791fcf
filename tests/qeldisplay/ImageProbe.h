// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Small helpers for looking at what a drawing export put into a black image.

#include <QImage>
#include <QPainter>
#include <functional>

namespace qeldisplay::testing {

inline QImage BlackImage(int w = 480, int h = 600) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

// Draws into a fresh black image through an active painter.
inline QImage DrawInto(const std::function<void(QPainter*)>& draw, int w = 480, int h = 600) {
  QImage image = BlackImage(w, h);
  QPainter painter(&image);
  draw(&painter);
  painter.end();
  return image;
}

// Pixels in `area` that are not black (and, if given, match `match`).
inline int CountLit(const QImage& image, const QRect& area,
                    const std::function<bool(QRgb)>& match = {}) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if ((p & 0xFFFFFF) != 0 && (!match || match(p))) ++n;
    }
  return n;
}

inline int CountColour(const QImage& image, const QRect& area, QRgb colour) {
  return CountLit(image, area, [colour](QRgb p) { return (p & 0xFFFFFF) == (colour & 0xFFFFFF); });
}

}  // namespace qeldisplay::testing
