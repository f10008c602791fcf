// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Seven-segment digits drawn as polygons: a fixed row of digit cells with a
// sign bar in front and a decimal point after each cell, unlit segments faint
// like a real LCD's.

#include <QColor>
#include <QPainter>
#include <array>

namespace qeldisplay {

inline constexpr int kDigitCells = 5;

// What the cells show: a character per cell from "0123456789OL- " (space is
// blank), the cell the decimal point follows (-1: none) and the sign.
struct DisplayNumber {
  std::array<char, kDigitCells> cells{};
  int pointAfter = -1;
  bool negative = false;
  bool overload = false;
};

// `value` with `decimals` (clamped to 0..4), right-aligned in the cells. Fewer
// decimals when the rounded number needs more cells; "OL" when even no
// decimals fit or the value is not finite.
DisplayNumber FormatDisplayNumber(double value, int decimals);

struct SegmentGeometry {
  double digitWidth = 38;
  double digitHeight = 72;
  double thickness = 8;
  double pitch = 50;      // distance between cell origins; the point sits in the gap
  double signWidth = 26;  // the sign bar in front of the first cell
  double slant = 0.07;    // rightward lean per pixel of height
  // Width of the whole block, sign included.
  double BlockWidth() const { return signWidth + 10 + (kDigitCells - 1) * pitch + digitWidth; }
};

// Draws the number so that its block ends at `right` and is centred on `centreY`.
void DrawDisplayNumber(QPainter& painter, double right, double centreY, const DisplayNumber& number,
                       const QColor& colour, const SegmentGeometry& geometry = {});

}  // namespace qeldisplay
