// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "qeldisplay/SevenSegment.h"

#include "qeldisplay/LcdStyle.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace qeldisplay {
namespace {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle.
enum : std::uint8_t { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

std::uint8_t SegmentsOf(char ch) {
  switch (ch) {
    case '0': case 'O': return A | B | C | D | E | F;
    case '1': return B | C;
    case '2': return A | B | D | E | G;
    case '3': return A | B | C | D | G;
    case '4': return B | C | F | G;
    case '5': return A | C | D | F | G;
    case '6': return A | C | D | E | F | G;
    case '7': return A | B | C;
    case '8': return A | B | C | D | E | F | G;
    case '9': return A | B | C | D | F | G;
    case 'L': return D | E | F;
    case '-': return G;
    default: return 0;
  }
}

// Maps a point of an upright cell (origin top-left) to the slanted cell.
struct Cell {
  double left, top, height, slant;
  QPointF operator()(double x, double y) const {
    return {left + x + (height - y) * slant, top + y};
  }
};

QPolygonF Horizontal(const Cell& cell, double x0, double x1, double cy, double t) {
  const double h = t / 2;
  return QPolygonF({cell(x0, cy), cell(x0 + h, cy - h), cell(x1 - h, cy - h), cell(x1, cy),
                    cell(x1 - h, cy + h), cell(x0 + h, cy + h)});
}

QPolygonF Vertical(const Cell& cell, double cx, double y0, double y1, double t) {
  const double h = t / 2;
  return QPolygonF({cell(cx, y0), cell(cx + h, y0 + h), cell(cx + h, y1 - h), cell(cx, y1),
                    cell(cx - h, y1 - h), cell(cx - h, y0 + h)});
}

// Adds the segments of `mask` of one cell to the lit or the unlit path.
void AddDigit(QPainterPath& lit, QPainterPath& unlit, const Cell& cell, std::uint8_t mask,
              const SegmentGeometry& g) {
  const double w = g.digitWidth, h = g.digitHeight, t = g.thickness, gap = t * 0.18;
  const QPolygonF segments[7] = {
      Horizontal(cell, t / 2 + gap, w - t / 2 - gap, t / 2, t),          // a
      Vertical(cell, w - t / 2, t / 2 + gap, h / 2 - gap, t),            // b
      Vertical(cell, w - t / 2, h / 2 + gap, h - t / 2 - gap, t),        // c
      Horizontal(cell, t / 2 + gap, w - t / 2 - gap, h - t / 2, t),      // d
      Vertical(cell, t / 2, h / 2 + gap, h - t / 2 - gap, t),            // e
      Vertical(cell, t / 2, t / 2 + gap, h / 2 - gap, t),                // f
      Horizontal(cell, t / 2 + gap, w - t / 2 - gap, h / 2, t),          // g
  };
  for (int i = 0; i < 7; ++i) ((mask >> i) & 1 ? lit : unlit).addPolygon(segments[i]);
}

}  // namespace

DisplayNumber FormatDisplayNumber(double value, int decimals) {
  DisplayNumber n;
  n.cells.fill(' ');
  if (!std::isfinite(value)) {
    n.overload = true;
  } else {
    int d = std::clamp(decimals, 0, kDigitCells - 1);
    const double limit = std::pow(10.0, kDigitCells);
    double scaled = std::round(std::fabs(value) * std::pow(10.0, d));
    while (d > 0 && scaled >= limit) {
      --d;
      scaled = std::round(std::fabs(value) * std::pow(10.0, d));
    }
    if (scaled >= limit) {
      n.overload = true;
    } else {
      std::string digits = std::to_string(static_cast<long long>(scaled));
      if (static_cast<int>(digits.size()) < d + 1) digits.insert(0, d + 1 - digits.size(), '0');
      const int start = kDigitCells - static_cast<int>(digits.size());
      std::copy(digits.begin(), digits.end(), n.cells.begin() + start);
      n.pointAfter = d > 0 ? kDigitCells - 1 - d : -1;
      n.negative = value < 0 && scaled != 0;
    }
  }
  if (n.overload) {
    n.cells[2] = 'O';
    n.cells[3] = 'L';
    n.negative = std::isfinite(value) ? value < 0 : std::signbit(value) && !std::isnan(value);
  }
  return n;
}

void DrawDisplayNumber(QPainter& painter, double right, double centreY, const DisplayNumber& number,
                       const QColor& colour, const SegmentGeometry& g) {
  const double blockLeft = right - g.BlockWidth();
  const double top = centreY - g.digitHeight / 2;
  QPainterPath lit, unlit;

  // Sign bar, level with the middle segments.
  const Cell signCell{blockLeft, top, g.digitHeight, g.slant};
  const QPolygonF sign = Horizontal(signCell, 0, g.signWidth, g.digitHeight / 2, g.thickness);
  (number.negative ? lit : unlit).addPolygon(sign);

  const double firstCell = blockLeft + g.signWidth + 10;
  for (int i = 0; i < kDigitCells; ++i) {
    const Cell cell{firstCell + i * g.pitch, top, g.digitHeight, g.slant};
    AddDigit(lit, unlit, cell, SegmentsOf(number.cells[static_cast<std::size_t>(i)]), g);
    if (i + 1 < kDigitCells) {
      // Decimal point in the gap after this cell, on the baseline.
      const double gapCentre = g.digitWidth + (g.pitch - g.digitWidth) / 2;
      const double s = g.thickness;
      const QPointF p = cell(gapCentre - s / 2, g.digitHeight - s);
      (number.pointAfter == i ? lit : unlit).addRect(QRectF(p, QSizeF(s, s)));
    }
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(Ghost(colour));
  painter.drawPath(unlit);
  painter.setBrush(colour);
  painter.drawPath(lit);
}

}  // namespace qeldisplay
