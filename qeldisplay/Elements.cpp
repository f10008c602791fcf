// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The per-channel elements of the LCD: number, unit, bar graph, function and
// range label, and the run indicator.
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "qeldisplay/FunctionTable.h"
#include "qeldisplay/LcdStyle.h"
#include "qeldisplay/QelDisplay.h"
#include "qeldisplay/SevenSegment.h"

namespace qeldisplay {
namespace {

// True when `box` (in the painter's coordinates) touches the paint device;
// elements far outside are skipped instead of being handed to the rasteriser.
bool OnDevice(QPainter& p, const QRectF& box) {
  const QPaintDevice* device = p.device();
  if (!device) return false;
  return p.transform().mapRect(box).intersects(QRectF(0, 0, device->width(), device->height()));
}

constexpr double kValueRightOffset = 30;  // digit block ends this far right of x
constexpr double kUnitBaseline = 40;      // unit baseline below y
constexpr double kBarLength = 380;
constexpr double kBarHeight = 14;
constexpr int kBarSegments = 38;
constexpr double kBarLabelWidth = 80;

void DrawBadge(QPainter& p, const QRectF& box, const QString& text, const QColor& colour, bool filled) {
  p.setFont(LcdFont(17, true));
  if (filled) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(box, 3, 3);
    p.setPen(Qt::black);
  } else {
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 3, 3);
  }
  p.drawText(box, Qt::AlignCenter, text);
}

// A small triangle pointing out of the bar where the value lies beyond it.
void DrawOverArrow(QPainter& p, double tipX, double midY, double direction, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({QPointF(tipX, midY), QPointF(tipX - direction * 8, midY - 6),
                           QPointF(tipX - direction * 8, midY + 6)}));
}

}  // namespace

void dmmDrawValue(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t /*zero*/, float value,
                  std::int32_t decimals, std::uint32_t colour) {
  PainterScope scope(dc);
  if (!scope.Usable()) return;
  const SegmentGeometry geometry;
  const double right = x + kValueRightOffset;
  const QRectF box(right - geometry.BlockWidth(), y - geometry.digitHeight / 2, geometry.BlockWidth(),
                   geometry.digitHeight);
  if (!OnDevice(*dc, box)) return;
  DrawDisplayNumber(*dc, right, y, FormatDisplayNumber(value, decimals), FromColorRef(colour), geometry);
}

void dmmDrawUnits(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                  std::int32_t celsius, std::int32_t outputOff, std::uint32_t colour) {
  PainterScope scope(dc);
  if (!scope.Usable() || !OnDevice(*dc, QRectF(x, y - 40, 120, 90))) return;
  const QColor c = FromColorRef(colour);
  const QString unit = UnitOf(function, celsius != 0);
  if (unit.isEmpty()) return;
  const QRectF badge(x, y - 30, 62, 24);
  if (outputOff && IsLowerCode(function))
    DrawBadge(*dc, badge, QStringLiteral("OFF"), c, true);
  else if (function == 3)
    DrawBadge(*dc, badge, QStringLiteral("LOOP"), c, false);
  dc->setFont(LcdFont(32, true));
  dc->setPen(c);
  dc->drawText(QPointF(x, y + kUnitBaseline), unit);
}

void dmmDrawBar(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function, float value,
                std::int32_t celsius, std::uint32_t colour) {
  PainterScope scope(dc);
  if (!scope.Usable() || !OnDevice(*dc, QRectF(x - 10, y, kBarLength + 20, 40))) return;
  const QColor c = FromColorRef(colour);
  const Range range = RangeOf(function, celsius != 0);
  const double pitch = kBarLength / kBarSegments;

  // Lit segments run from the zero point (or the nearer range end) to the value.
  double from = 0, to = 0;
  bool lit = false;
  if (range.Valid() && std::isfinite(value)) {
    const double span = range.high - range.low;
    const double v = std::clamp(static_cast<double>(value), range.low, range.high);
    const double zero = std::clamp((0.0 - range.low) / span, 0.0, 1.0);
    from = std::min(zero, (v - range.low) / span) * kBarLength;
    to = std::max(zero, (v - range.low) / span) * kBarLength;
    lit = true;
  }
  QPainterPath on, off;
  for (int i = 0; i < kBarSegments; ++i) {
    const double centre = (i + 0.5) * pitch;
    const QRectF segment(x + i * pitch + 1, y, pitch - 2, kBarHeight);
    (lit && centre >= from && centre <= to ? on : off).addRect(segment);
  }
  dc->setPen(Qt::NoPen);
  dc->setBrush(Ghost(c));
  dc->drawPath(off);
  dc->setBrush(c);
  dc->drawPath(on);
  if (range.Valid() && (std::isinf(value) || (std::isfinite(value) && value > range.high)))
    DrawOverArrow(*dc, x + kBarLength + 10, y + kBarHeight / 2, value > 0 ? 1 : -1, c);
  if (range.Valid() && std::isfinite(value) && value < range.low)
    DrawOverArrow(*dc, x - 10, y + kBarHeight / 2, -1, c);

  // Ticks every 5 %, long ones every 10 %; labels at both ends and the middle.
  dc->setPen(QPen(c, 1));
  const double tickTop = y + kBarHeight + 2;
  for (int i = 0; i <= 20; ++i) {
    const double tx = x + i * kBarLength / 20;
    dc->drawLine(QPointF(tx, tickTop), QPointF(tx, tickTop + (i % 2 == 0 ? 7 : 4)));
  }
  if (!range.Valid()) return;
  dc->setFont(LcdFont(11));
  const double labelTop = tickTop + 8;
  const QStringList texts = ScaleTexts({range.low, (range.low + range.high) / 2, range.high},
                                       QFontMetricsF(dc->font()), kBarLabelWidth);
  const Qt::Alignment aligns[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  for (int i = 0; i < 3; ++i) {
    const QRectF box(x + i * kBarLength / 2 - (i == 0 ? 0 : i == 1 ? 40 : 80), labelTop, kBarLabelWidth, 14);
    dc->drawText(box, static_cast<int>(aligns[i] | Qt::AlignTop), texts[i]);
  }
}

void dmmDrawMenuRange(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                      std::int32_t celsius) {
  PainterScope scope(dc);
  if (!scope.Usable() || !OnDevice(*dc, QRectF(x, y, 440, 24))) return;
  const QString name = LabelOf(function);
  const QFont nameFont = LcdFont(15, true);
  const double nameWidth = QFontMetricsF(nameFont).horizontalAdvance(name) + 14;
  dc->setPen(Qt::NoPen);
  dc->setBrush(kLabelColour);
  const QRectF nameBox(x, y, nameWidth, 22);
  dc->drawRoundedRect(nameBox, 3, 3);
  dc->setFont(nameFont);
  dc->setPen(Qt::black);
  dc->drawText(nameBox, Qt::AlignCenter, name);
  if (!FindFunction(function)) return;
  const Range range = RangeOf(function, celsius != 0);
  const QString text = QStringLiteral("%1 ~ %2 %3")
                           .arg(ScaleText(range.low), ScaleText(range.high), UnitOf(function, celsius != 0));
  dc->setFont(LcdFont(15));
  dc->setPen(kLabelColour);
  dc->drawText(QRectF(x + nameWidth + 10, y, 300, 22), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void dmmDrawRun(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t running) {
  PainterScope scope(dc);
  if (!scope.Usable() || !OnDevice(*dc, QRectF(x, y, 50, 18))) return;
  const QColor c = running ? QColor(60, 255, 60) : QColor(255, 90, 70);
  dc->setPen(Qt::NoPen);
  dc->setBrush(c);
  if (running)
    dc->drawPolygon(QPolygonF({QPointF(x, y + 3), QPointF(x + 10, y + 9), QPointF(x, y + 15)}));
  else
    dc->drawRect(QRectF(x, y + 4, 9, 9));
  dc->setPen(c);
  dc->setFont(LcdFont(12, true));
  dc->drawText(QRectF(x + 13, y, 40, 18), Qt::AlignLeft | Qt::AlignVCenter,
               running ? QStringLiteral("RUN") : QStringLiteral("STOP"));
}

}  // namespace qeldisplay
