// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "qeldisplay/LcdStyle.h"

#include <algorithm>
#include <cmath>

namespace qeldisplay {

QColor FromColorRef(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QColor Ghost(const QColor& colour) {
  QColor c = colour;
  c.setAlpha(30);
  return c;
}

QFont LcdFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QString ScaleText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("--");
  if (value == 0.0) return QStringLiteral("0");
  if (std::fabs(value) >= 100.0 || value == std::round(value))
    return QString::number(std::round(value), 'f', 0);
  return QString::number(value, 'g', 4);
}

namespace {

constexpr int kMaxScaleDecimals = 3;

// The fewest decimals (up to kMaxScaleDecimals) that show `value` exactly.
int DecimalsNeeded(double value) {
  for (int d = 0; d < kMaxScaleDecimals; ++d) {
    const double scaled = value * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, std::fabs(scaled))) return d;
  }
  return kMaxScaleDecimals;
}

QString Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return QStringLiteral("--");
  QString text = QString::number(value, 'f', decimals);
  // A value that rounds to zero is shown without a sign.
  if (text.startsWith(QLatin1Char('-')) && QString::number(std::fabs(value), 'f', decimals).toDouble() == 0.0)
    text.remove(0, 1);
  return text;
}

}  // namespace

QStringList ScaleTexts(const std::vector<double>& values, const QFontMetricsF& metrics, double maxWidth) {
  int decimals = 0;
  for (double v : values)
    if (std::isfinite(v)) decimals = std::max(decimals, DecimalsNeeded(v));
  QStringList texts;
  for (; decimals >= 0; --decimals) {
    texts.clear();
    bool fits = true;
    for (double v : values) {
      texts << Fixed(v, decimals);
      fits = fits && metrics.horizontalAdvance(texts.back()) <= maxWidth;
    }
    if (fits) break;
  }
  return texts;
}

PainterScope::PainterScope(QPainter* painter)
    : m_painter(painter && painter->isActive() ? painter : nullptr) {
  if (m_painter) {
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
  }
}

PainterScope::~PainterScope() {
  if (m_painter) m_painter->restore();
}

}  // namespace qeldisplay
