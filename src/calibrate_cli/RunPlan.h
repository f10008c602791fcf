// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What vorenx-calibrate checks before anything is sent to the calibrator:
// the setup file with the command line's resolution and rule, the ambient
// conditions, and the reference standard from the lab's register. Pure
// functions of their inputs, each refusal with the exit status it ends with.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "calib/CalibrationSetup.h"
#include "calibrate_cli/CalibrateOptions.h"
#include "records/CalibrationRecord.h"
#include "records/LabRecords.h"

namespace vorenx::calibrate_cli {

struct Refusal {
  int exitCode = kExitRefused;
  QString message;  // a sentence for the user, without the program's name
};

// The longest setup file read (a saved setup is a few kilobytes).
inline constexpr qint64 kMaxSetupFileBytes = 1 << 20;

// The setup `options.setupFile` holds (any format the dialog has saved), with
// the command line's resolution and decision rule in place of the file's, and
// every problem ValidateSetup finds; nullopt and `refusal` when it cannot run.
std::optional<CalibrationSetup> PrepareSetup(const CalibrateOptions& options, const RangeLookup& range,
                                             Refusal* refusal);

// The ambient conditions' problems as one message; empty when they may be used.
QString EnvironmentProblem(const Environment& environment);

// The reference standard to calibrate with: the one of serial `serial`, or
// the register's only one when `serial` is empty. One past its due date on
// `today` only with `overdueReason`.
struct StandardChoice {
  std::optional<ReferenceStandard> standard;
  Refusal refusal;  // when there is none
};
StandardChoice ChooseStandard(const std::vector<ReferenceStandard>& registered, const QString& serial,
                              const std::optional<QString>& overdueReason, const QDate& today);

// The standard as the record keeps it: its identity, its accuracy table (the
// documented defaults when it has none) and the reason it was used overdue.
StandardUsed UsedStandard(const ReferenceStandard& standard, const QString& overdueReason);

}  // namespace vorenx::calibrate_cli
