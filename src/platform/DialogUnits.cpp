// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/DialogUnits.h"

#include <QFontMetrics>
#include <cstdlib>

namespace vorenx {

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  static const QString kLetters =
      QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const int total = metrics.horizontalAdvance(kLetters);
  // Average of 52 letters rounded to nearest: (total / 26 + 1) / 2.
  DialogBaseUnits units;
  units.x = (total / 26 + 1) / 2;
  units.y = metrics.height();
  if (units.x < 1) units.x = 1;
  if (units.y < 1) units.y = 1;
  return units;
}

int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
  return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int width, int height) {
  return QRect(MulDivRound(x, units.x, 4), MulDivRound(y, units.y, 8), MulDivRound(width, units.x, 4),
               MulDivRound(height, units.y, 8));
}

QFont DialogFont(int pointSize) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSize(pointSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace vorenx
