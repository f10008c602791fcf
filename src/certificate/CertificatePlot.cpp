// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "certificate/CertificatePlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "calib/CalibrationMath.h"
#include "records/CalibrationTexts.h"

namespace vorenx {

namespace {

const QColor kAsFoundColour(0xC0, 0x30, 0x20);
const QColor kAsLeftColour(0x20, 0x50, 0xB0);
const QColor kBandColour(0xDD, 0xF0, 0xDD);

double NiceStep(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0})
    if (f * power >= raw * (1.0 - 1e-12)) return f * power;
  return 10.0 * power;
}

void DrawMarker(QPainter& p, QPointF at, bool square) {
  const double r = 4.0;
  if (square)
    p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
  else
    p.drawEllipse(at, r, r);
}

}  // namespace

ErrorAxis ErrorAxisFor(double tolerancePercent, double largestAbsError) {
  double raw = 2.0 * std::abs(tolerancePercent);
  if (std::isfinite(largestAbsError)) raw = std::max(raw, 1.1 * std::abs(largestAbsError));
  if (!std::isfinite(raw) || raw < 1e-6) raw = 1e-6;
  const double step = NiceStep(raw / 4.0);
  return {std::ceil(raw / step - 1e-9) * step, step};
}

void PaintErrorPlot(QPainter& p, const QRectF& area, const CalibrationRecord& record) {
  const double tol = TolerancePercentOfSpan(record.setup);
  double largest = 0.0;
  for (const auto* run : {&record.asFound, &record.asLeft})
    if (*run)
      for (const PointResult& pt : (*run)->points)
        if (std::isfinite(pt.errorPercent) && std::isfinite(pt.measured))
          largest = std::max(largest, std::abs(pt.errorPercent));
  const ErrorAxis axis = ErrorAxisFor(tol, largest);

  p.save();
  QFont font = p.font();
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left(), area.top(), area.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
             CertificateWords::tr("Error (% of output span) against input (% of input span)"));
  font.setBold(false);
  p.setFont(font);

  const QRectF plot(area.left() + 70, area.top() + 30, area.width() - 90, area.height() - 70);
  auto toX = [&](double percent) { return plot.left() + plot.width() * std::clamp(percent, -5.0, 105.0) / 100.0; };
  auto toY = [&](double error) {
    const double e = std::clamp(error, -axis.limit, axis.limit);
    return plot.center().y() - e / axis.limit * plot.height() / 2.0;
  };

  // Tolerance band, grid and axes.
  p.fillRect(QRectF(QPointF(plot.left(), toY(tol)), QPointF(plot.right(), toY(-tol))), kBandColour);
  p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 0.8));
  for (int i = 0; i <= 4; ++i) p.drawLine(QPointF(toX(i * 25.0), plot.top()), QPointF(toX(i * 25.0), plot.bottom()));
  const int ticks = static_cast<int>(std::lround(axis.limit / axis.step));
  for (int i = -ticks; i <= ticks; ++i) p.drawLine(QPointF(plot.left(), toY(i * axis.step)), QPointF(plot.right(), toY(i * axis.step)));
  p.setPen(QPen(QColor(0x30, 0x90, 0x30), 1.2, Qt::DashLine));
  p.drawLine(QPointF(plot.left(), toY(tol)), QPointF(plot.right(), toY(tol)));
  p.drawLine(QPointF(plot.left(), toY(-tol)), QPointF(plot.right(), toY(-tol)));
  p.setPen(QPen(Qt::black, 1.0));
  p.drawRect(plot);
  p.drawLine(QPointF(plot.left(), toY(0)), QPointF(plot.right(), toY(0)));
  for (int i = -ticks; i <= ticks; ++i)
    p.drawText(QRectF(area.left(), toY(i * axis.step) - 8, 64, 16), Qt::AlignRight | Qt::AlignVCenter,
               ErrorText(i * axis.step).replace(QStringLiteral("+0.000"), QStringLiteral("0")));
  for (int i = 0; i <= 4; ++i)
    p.drawText(QRectF(toX(i * 25.0) - 30, plot.bottom() + 4, 60, 16), Qt::AlignCenter, NumberText(i * 25.0));
  p.drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 16), Qt::AlignCenter,
             CertificateWords::tr("Input, % of span"));

  // One line per run and direction; a point without a reading is left out.
  // The legend sits on the title's line, right-aligned, clear of the lines.
  double legendX = area.right() - 150;
  const double legendY = area.top() + 10;
  p.setPen(QPen(QColor(0x30, 0x90, 0x30), 1.2, Qt::DashLine));
  p.drawLine(QPointF(legendX - 14, legendY), QPointF(legendX + 14, legendY));
  p.setPen(Qt::black);
  p.drawText(QRectF(legendX + 20, legendY - 8, 130, 16), Qt::AlignLeft | Qt::AlignVCenter,
             CertificateWords::tr("Tolerance \u00B1%1 %").arg(NumberText(tol)));
  for (const auto* run : {&record.asFound, &record.asLeft}) {
    if (!*run) continue;
    const bool asLeft = (*run)->kind == RunKind::AsLeft;
    const QColor colour = asLeft ? kAsLeftColour : kAsFoundColour;
    for (bool down : {false, true}) {
      QPainterPath path;
      bool any = false;
      for (const PointResult& pt : (*run)->points) {
        if (pt.down != down || !std::isfinite(pt.measured) || !std::isfinite(pt.errorPercent)) continue;
        const QPointF at(toX(pt.percent), toY(pt.errorPercent));
        any ? path.lineTo(at) : path.moveTo(at);
        any = true;
      }
      p.setPen(QPen(colour, 1.4, down ? Qt::DashLine : Qt::SolidLine));
      p.setBrush(Qt::NoBrush);
      p.drawPath(path);
    }
    p.setPen(QPen(colour, 1.2));
    p.setBrush(colour);
    for (const PointResult& pt : (*run)->points)
      if (std::isfinite(pt.measured) && std::isfinite(pt.errorPercent))
        DrawMarker(p, QPointF(toX(pt.percent), toY(pt.errorPercent)), asLeft);
    legendX -= 110;
    const QPointF key(legendX, legendY);
    DrawMarker(p, key, asLeft);
    p.drawLine(key - QPointF(14, 0), key + QPointF(14, 0));
    p.setPen(Qt::black);
    p.drawText(QRectF(key.x() + 20, key.y() - 8, 90, 16), Qt::AlignLeft | Qt::AlignVCenter,
               RunKindWord((*run)->kind));
  }
  p.restore();
}

}  // namespace vorenx
