// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The texts stored with each sample: a reading with its unit, and the time stamp.
#include <charconv>
#include <cstdio>
#include <system_error>

#include "link/SampleHistory.h"
#include "instrument/FunctionTable.h"

namespace vorenx {

QString FormatValueText(FunctionCode function, float value, bool celsius) {
  const QString unit = FunctionUnit(function, celsius);
  if (unit.isEmpty()) return QString();
  // "%.3f" with a point and no grouping whatever the user's locale: printf
  // follows LC_NUMERIC, which the application sets from the environment.
  char number[64];
  const auto [end, error] =
      std::to_chars(number, number + sizeof number, static_cast<double>(value), std::chars_format::fixed, 3);
  if (error != std::errc()) return QString();  // a float always fits
  return QString::fromLatin1(number, end - number) + unit;
}

QString FormatTimeText(const LocalTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d/%02d  %02d:%02d:%02d", t.day, t.month, t.hour, t.minute,
                t.second);
  return QString::fromLatin1(text);
}

}  // namespace vorenx
