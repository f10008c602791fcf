// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What vorenx-calibrate prints on standard output: one tab-separated line per
// point as it is recorded, and the run's last line. Numbers with "." whatever
// the locale; "none" where a value is missing.

#include <QString>
#include <vector>

#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"
#include "calib/Uncertainty.h"

namespace vorenx::calibrate_cli {

// The column names, printed once before the first point.
QString PointHeaderLine();
// "as-found\t25\tup\t8\t8\t8.00213\t0.0133\t0.0072\t11.1\tpass": the run, the
// test point in % of the input span, its direction, the input applied, the
// output expected and measured, the error in % of the output span, the
// expanded uncertainty U (k = 2) in output units, the TUR and the verdict.
QString PointLine(RunKind kind, const PointResult& point);
// "pass", "fail" or "indeterminate" for a run that completed; "incomplete"
// for one that ended early.
QString RunVerdictWord(const RunResult& run);

// A point recorded without its uncertainty and verdict gets them from the
// setup's decision rule and `table` (the run's accuracy table), as the run
// engine gives them; `pass` follows the verdict. Points that have them are
// left as they are.
void CompletePointVerdict(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table, PointResult& point);
void CompleteRunVerdicts(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table, RunResult& run);

}  // namespace vorenx::calibrate_cli
