// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/FunctionTexts.h"

#include <algorithm>

#include "instrument/FunctionTable.h"

namespace vorenx {

QString UnitText(int code, bool celsiusBoxChecked) {
  return IsLowerFunction(code) ? FunctionUnit(code, celsiusBoxChecked) : QString();
}

QString UpperSpanText(int index) {
  switch (index) {
    case 0:
      return QStringLiteral("0V-30V");
    case 1:
    case 2:
      return QStringLiteral("0mA-24mA");
    default:
      return QString();
  }
}

QString RangeText(QelDisplayDll& display, int code, bool celsius) {
  float high = 0.0f;
  float low = 0.0f;
  display.SFGetRange(code, &high, &low, celsius ? 1 : 0);
  return QString::asprintf("(%.0f-%.0f)", static_cast<double>(low), static_cast<double>(high));
}

}  // namespace vorenx
