// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Keeping a dialog on the screen it opens on: at a large scale factor (or on
// a small screen) a dialog's wanted size may be larger than the screen's
// available area, and a window manager without placement may put it partly
// off the screen.

#include <QMargins>
#include <QRect>

class QScreen;

namespace vorenx {

// `wanted` (a window's client rectangle) made no larger than `available` less
// the window's `frame` and moved so that, frame included, it lies within it.
QRect FitRectWithin(const QRect& wanted, const QRect& available, const QMargins& frame = {});
// A shown window's client rectangle `geometry` (its frame from
// `frameGeometry`) fitted within `screen`'s available geometry (unchanged
// when null): what a dialog sets as its geometry once shown.
QRect FitWindowOnScreen(const QRect& geometry, const QRect& frameGeometry, const QScreen* screen);

}  // namespace vorenx
