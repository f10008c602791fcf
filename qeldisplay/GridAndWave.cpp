// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The wave area: frame, divisions, scales and the two channels' traces. The
// wave spans the newest DisplayLength() samples, newest at the right edge; each
// channel is scaled over its function's range and clamped to it.
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "qeldisplay/FunctionTable.h"
#include "qeldisplay/LcdStyle.h"
#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {

constexpr int kTimeDivisions = 10;
constexpr int kValueDivisions = 4;
constexpr double kScaleColumnWidth = 32;
// Rectangles beyond this or smaller than kMinSide are not drawn.
constexpr double kMaxCoordinate = 1e6;
constexpr double kMinSide = 20;

struct Area {
  double left, top, right, bottom;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

bool MakeArea(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, Area& out) {
  out = {static_cast<double>(std::min(left, right)), static_cast<double>(std::min(top, bottom)),
         static_cast<double>(std::max(left, right)), static_cast<double>(std::max(top, bottom))};
  const bool sane = std::fabs(out.left) <= kMaxCoordinate && std::fabs(out.right) <= kMaxCoordinate &&
                    std::fabs(out.top) <= kMaxCoordinate && std::fabs(out.bottom) <= kMaxCoordinate;
  return sane && out.Width() >= kMinSide && out.Height() >= kMinSide;
}

// Range used for scaling; codes without a range get -1..1 so nothing divides by zero.
Range ScaleRange(std::int32_t function, std::int32_t celsius) {
  const Range r = RangeOf(function, celsius != 0);
  return r.Valid() ? r : Range{-1.0, 1.0};
}

struct Channel {
  bool shown;
  std::int32_t function;
  QColor colour;
};

// The time scale: every other division labelled in s, min or h (by the span),
// plus a caption with the sample interval. Up to 600 s the labels are in
// seconds, up to 600 min in minutes, beyond that in hours.
void DrawTimeScale(QPainter& p, const Area& a, float intervalSeconds, int length) {
  const bool timed = std::isfinite(intervalSeconds) && intervalSeconds > 0;
  const double span = timed ? static_cast<double>(intervalSeconds) * length : length;
  double divisor = 1;
  QString unit = timed ? QStringLiteral("s") : QStringLiteral("samples");
  if (timed && span > 600 * 60.0) {
    divisor = 3600;
    unit = QStringLiteral("h");
  } else if (timed && span > 600.0) {
    divisor = 60;
    unit = QStringLiteral("min");
  }
  p.setFont(LcdFont(10));
  p.setPen(kDimText);
  for (int i = 0; i <= kTimeDivisions; i += 2) {
    const double x = a.left + a.Width() * i / kTimeDivisions;
    const double ago = span * (kTimeDivisions - i) / kTimeDivisions / divisor;
    const QString text = i == kTimeDivisions ? QStringLiteral("0") : QString::number(-ago, 'g', 3);
    p.drawText(QRectF(x - 30, a.bottom + 3, 60, 13), Qt::AlignHCenter | Qt::AlignTop, text);
  }
  QString caption = QStringLiteral("t/%1   %2 samples").arg(unit).arg(length);
  if (timed) caption += QStringLiteral(" \u00D7 %1 s").arg(ScaleText(intervalSeconds));
  p.drawText(QRectF(a.left, a.bottom + 17, a.Width(), 13), Qt::AlignLeft | Qt::AlignTop, caption);
}

// Value scales right of the frame: one column per shown channel, in its colour.
void DrawValueScales(QPainter& p, const Area& a, const Channel (&channels)[2], std::int32_t celsius) {
  p.setFont(LcdFont(10));
  for (int c = 0; c < 2; ++c) {
    if (!channels[c].shown) continue;
    const Range r = ScaleRange(channels[c].function, celsius);
    p.setPen(channels[c].colour);
    const double columnLeft = a.right + 2 + c * 34;
    std::vector<double> values;
    for (int j = 0; j <= kValueDivisions; ++j) values.push_back(r.high - (r.high - r.low) * j / kValueDivisions);
    const QStringList texts = ScaleTexts(values, QFontMetricsF(p.font()), kScaleColumnWidth);
    for (int j = 0; j <= kValueDivisions; ++j) {
      const double y = a.top + a.Height() * j / kValueDivisions;
      p.drawText(QRectF(columnLeft, y - 7, kScaleColumnWidth, 14), Qt::AlignRight | Qt::AlignVCenter, texts[j]);
    }
  }
}

// Channel names and units above the frame.
void DrawLegend(QPainter& p, const Area& a, const Channel (&channels)[2], std::int32_t celsius) {
  p.setFont(LcdFont(11));
  double x = a.left;
  for (const Channel& ch : channels) {
    if (!ch.shown) continue;
    QString text = LabelOf(ch.function);
    const QString unit = UnitOf(ch.function, celsius != 0);
    if (!unit.isEmpty()) text += QStringLiteral(" (%1)").arg(unit);
    p.setPen(QPen(ch.colour, 2));
    p.drawLine(QPointF(x, a.top - 9), QPointF(x + 14, a.top - 9));
    p.setPen(ch.colour);
    const QRectF box(x + 18, a.top - 16, 200, 14);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    x += 18 + QFontMetricsF(p.font()).horizontalAdvance(text) + 16;
  }
}

// One channel's trace. More samples than pixel columns are reduced to each
// column's first, lowest, highest and last sample, so the trace keeps its
// peaks and costs the same at 12000 samples as at 400. NaN breaks the line.
void DrawTrace(QPainter& p, const Area& a, const double* values, int count, int length,
               const Range& r, const QColor& colour) {
  const int shown = std::min(count, length);
  const double* first = values + (count - shown);
  const double step = a.Width() / length;
  const double scale = a.Height() / (r.high - r.low);
  // Snapped to pixel centres so a steady value is one crisp row, not two faint ones.
  const auto yOf = [&](double v) {
    return std::floor(a.bottom - (std::clamp(v, r.low, r.high) - r.low) * scale) + 0.5;
  };
  const auto xOf = [&](int i) { return a.right - (shown - 1 - i) * step; };

  std::vector<QPolygonF> lines(1);
  const bool decimate = shown > 2 * static_cast<int>(a.Width());
  struct Bucket {
    int column = -1;
    double x = 0, firstV = 0, lastV = 0, minV = 0, maxV = 0;
    int minAt = 0, maxAt = 0;
  } bucket;
  const auto flush = [&] {
    if (bucket.column < 0) return;
    QPolygonF& line = lines.back();
    line << QPointF(bucket.x, yOf(bucket.firstV));
    if (bucket.minAt <= bucket.maxAt)
      line << QPointF(bucket.x, yOf(bucket.minV)) << QPointF(bucket.x, yOf(bucket.maxV));
    else
      line << QPointF(bucket.x, yOf(bucket.maxV)) << QPointF(bucket.x, yOf(bucket.minV));
    line << QPointF(bucket.x, yOf(bucket.lastV));
    bucket.column = -1;
  };
  int lastColumn = -2;
  for (int i = 0; i < shown; ++i) {
    const double v = first[i];
    if (std::isnan(v)) {
      // Samples are denser than pixels when decimating: a gap shows only when
      // a whole column holds no number (checked when the next column starts).
      if (!decimate && !lines.back().isEmpty()) lines.emplace_back();
      continue;
    }
    const double x = xOf(i);
    if (!decimate) {
      lines.back() << QPointF(x, yOf(v));
      continue;
    }
    const int column = static_cast<int>(x - a.left);
    if (column != bucket.column) {
      flush();
      if (lastColumn >= 0 && column > lastColumn + 1 && !lines.back().isEmpty()) lines.emplace_back();
      lastColumn = column;
      bucket = {column, std::floor(x) + 0.5, v, v, v, v, i, i};
    }
    bucket.lastV = v;
    if (v < bucket.minV) bucket.minV = v, bucket.minAt = i;
    if (v > bucket.maxV) bucket.maxV = v, bucket.maxAt = i;
  }
  flush();
  QPen pen(colour, 1.0);
  pen.setCosmetic(true);  // thin lines take the rasteriser's fast path
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const QPolygonF& line : lines) {
    if (line.size() == 1)
      p.drawPoint(line.front());
    else if (line.size() > 1)
      p.drawPolyline(line);
  }
}

void ChannelsFor(std::int32_t upperFunction, std::int32_t lowerFunction, Channel (&out)[2]) {
  const std::int32_t mode = DisplayWave();
  out[0] = {(mode & 1) != 0, upperFunction, kUpperColour};
  out[1] = {(mode & 2) != 0, lowerFunction, kLowerColour};
}

}  // namespace

void dmmDrawGrid(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, float intervalSeconds, std::int32_t upperFunction,
                 std::int32_t lowerFunction, std::int32_t celsius) {
  PainterScope scope(dc);
  Area a{};
  if (!scope.Usable() || !MakeArea(left, top, right, bottom, a)) return;
  dc->setBrush(Qt::NoBrush);
  dc->setRenderHint(QPainter::Antialiasing, false);
  dc->setPen(QPen(kGridLine, 1, Qt::DotLine));
  for (int i = 1; i < kTimeDivisions; ++i) {
    const double x = std::round(a.left + a.Width() * i / kTimeDivisions);
    dc->drawLine(QPointF(x, a.top), QPointF(x, a.bottom));
  }
  for (int j = 1; j < kValueDivisions; ++j) {
    const double y = std::round(a.top + a.Height() * j / kValueDivisions);
    dc->drawLine(QPointF(a.left, y), QPointF(a.right, y));
  }
  dc->setPen(QPen(kFrameLine, 1));
  dc->drawRect(QRectF(a.left, a.top, a.Width(), a.Height()));
  dc->setRenderHint(QPainter::Antialiasing, true);

  Channel channels[2];
  ChannelsFor(upperFunction, lowerFunction, channels);
  DrawTimeScale(*dc, a, intervalSeconds, DisplayLength());
  DrawValueScales(*dc, a, channels, celsius);
  DrawLegend(*dc, a, channels, celsius);
}

void dmmDrawWave(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, std::int32_t upperFunction, std::int32_t lowerFunction,
                 std::int32_t celsius, const double* upperValues, const double* lowerValues,
                 std::int32_t lastIndex) {
  PainterScope scope(dc);
  Area a{};
  if (!scope.Usable() || lastIndex < 0 || !MakeArea(left, top, right, bottom, a)) return;
  // The arrays hold at most kMaxWaveSamples values; never read past them.
  const int count = std::min(lastIndex, kMaxWaveSamples - 1) + 1;
  const int length = DisplayLength();
  Channel channels[2];
  ChannelsFor(upperFunction, lowerFunction, channels);
  const double* values[2] = {upperValues, lowerValues};
  dc->setClipRect(QRectF(a.left, a.top, a.Width() + 1, a.Height() + 1), Qt::IntersectClip);
  for (int c = 0; c < 2; ++c) {
    if (!channels[c].shown || !values[c]) continue;
    DrawTrace(*dc, a, values[c], count, length, ScaleRange(channels[c].function, celsius),
              channels[c].colour);
  }
}

}  // namespace qeldisplay
