// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Dialog units: the window template's coordinates, scaled by the dialog
// font. One horizontal unit is a quarter of the font's average character
// width, one vertical unit an eighth of its height, both rounded the way the
// template's conversion rounds (multiply, then divide with rounding).

#include <QFont>
#include <QRect>

namespace vorenx {

struct DialogBaseUnits {
  int x = 0;  // average character width in pixels
  int y = 0;  // character height in pixels
};

// The base units of `font`: the average width of the 52 letters a-z and A-Z
// (rounded) and the font's line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// Multiply and divide with rounding to nearest (halves away from zero).
int MulDivRound(int value, int numerator, int denominator);

// A rectangle given in dialog units (x, y, width, height) in pixels.
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int width, int height);
inline QRect MapDialogRect(const DialogBaseUnits& units, const QRect& du) {
  return MapDialogRect(units, du.x(), du.y(), du.width(), du.height());
}

// The font the program uses wherever the template names "MS Shell Dlg":
// "Liberation Sans" (metric-compatible with Arial), at `pointSize`.
QFont DialogFont(int pointSize = 9);

}  // namespace vorenx
