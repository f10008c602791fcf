// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The window's alarm settings (limits of both displays, beep, program) and
// the reading of a limit field, as plain functions under the alarm dialog.

#include <QString>
#include <optional>

#include "watch/AlarmWatch.h"

namespace vorenx {

struct AlarmSettings {
  AlarmLimits upper;
  AlarmLimits lower;
  bool beep = false;
  QString program;  // run when an alarm is raised; empty: none

  friend bool operator==(const AlarmSettings&, const AlarmSettings&) = default;
};

// A limit field: empty is no limit; a number with "." or "," as its decimal
// sign ("20.5", "20,5", "-1e-3"). False with `why` set for anything else.
bool ParseLimitField(const QString& text, std::optional<double>& value, QString* why);
// The field's text of a limit: "" for none, else the number with ".".
QString LimitFieldText(const std::optional<double>& value);

// Why `settings` cannot be used, naming the display ("upper: the low limit
// must be below the high limit"); empty when they can.
QString AlarmSettingsProblem(const AlarmSettings& settings);

}  // namespace vorenx
