// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/ScreenFit.h"

#include <QScreen>
#include <algorithm>

namespace vorenx {

QRect FitRectWithin(const QRect& wanted, const QRect& available, const QMargins& frame) {
  const QRect room = available.marginsRemoved(frame);
  if (room.width() <= 0 || room.height() <= 0) return wanted;
  QRect r(wanted.topLeft(), wanted.size().boundedTo(room.size()));
  r.moveLeft(std::clamp(r.left(), room.left(), room.right() - r.width() + 1));
  r.moveTop(std::clamp(r.top(), room.top(), room.bottom() - r.height() + 1));
  return r;
}

QRect FitWindowOnScreen(const QRect& geometry, const QRect& frameGeometry, const QScreen* screen) {
  if (!screen) return geometry;
  const QMargins frame(geometry.left() - frameGeometry.left(), geometry.top() - frameGeometry.top(),
                       frameGeometry.right() - geometry.right(), frameGeometry.bottom() - geometry.bottom());
  return FitRectWithin(geometry, screen->availableGeometry(), frame);
}

}  // namespace vorenx
