// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/AlarmSettings.h"

#include <cmath>

#include "watch/AlarmProgram.h"

namespace vorenx {

bool ParseLimitField(const QString& text, std::optional<double>& value, QString* why) {
  QString t = text.trimmed();
  value.reset();
  if (t.isEmpty()) return true;
  // One decimal sign, either way; no grouping.
  if (!t.contains(QLatin1Char('.'))) t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = t.toDouble(&ok);
  if (!ok || !std::isfinite(v)) {
    if (why) *why = QStringLiteral("\"%1\" is not a number").arg(text.trimmed());
    return false;
  }
  value = v;
  return true;
}

QString LimitFieldText(const std::optional<double>& value) {
  return value ? AlarmNumberText(*value) : QString();
}

QString AlarmSettingsProblem(const AlarmSettings& s) {
  if (const QString why = AlarmLimitsProblem(s.upper); !why.isEmpty()) return QStringLiteral("upper: ") + why;
  if (const QString why = AlarmLimitsProblem(s.lower); !why.isEmpty()) return QStringLiteral("lower: ") + why;
  if (!s.program.trimmed().isEmpty()) return AlarmProgramProblem(s.program);
  return {};
}

}  // namespace vorenx
