// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What a calibration run found: one line per test point and the run's verdict,
// largest error and hysteresis.

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "calib/CalibrationSetup.h"
#include "calib/Uncertainty.h"

namespace vorenx {

struct PointResult {
  double percent = 0.0;   // the test point, % of the input span
  bool down = false;      // reached going down
  double applied = 0.0;   // input value the calibrator sourced (as sent)
  double expected = 0.0;  // output the instrument under test should give
  double measured = 0.0;  // output read (the settled mean); NaN when none came
  double errorPercent = 0.0;  // (measured - expected) in % of output span
  bool pass = false;
  bool settled = false;   // false: timed out, the point fails
  int readings = 0;       // upper readings taken at this point
  // The spread (max - min) of the readings `measured` is the mean of, and how
  // many they were; none when no reading came or the record is older than this.
  std::optional<double> spread;
  int spreadReadings = 0;
  QDateTime time;         // when the point was recorded (local time with offset)
  // The standard deviation (n - 1) of the readings behind `measured`; none
  // when fewer than two, or in records made before it was kept.
  std::optional<double> stdDev;
  // How well the point is known, and its verdict under the setup's decision
  // rule; none in records made before they were kept (then `pass` is all
  // there is, and the point is shown with "not recorded"). `pass` is kept
  // equal to verdict == Pass.
  std::optional<PointUncertainty> uncertainty;
  std::optional<PointVerdict> verdict;

  friend bool operator==(const PointResult&, const PointResult&) = default;
};

enum class RunKind { AsFound, AsLeft };

// A stretch of a run during which the calibrator stopped answering: from the
// moment the run paused until it went on again (or ended, if it never did).
struct RunInterruption {
  QDateTime from;
  QDateTime to;

  friend bool operator==(const RunInterruption&, const RunInterruption&) = default;
};

struct RunResult {
  RunKind kind = RunKind::AsFound;
  QDateTime started;
  QDateTime finished;
  std::vector<PointResult> points;
  bool complete = false;  // every step was recorded
  QString endReason;      // why it ended early ("Aborted by the user", ...); empty when complete
  std::vector<RunInterruption> interruptions;  // lost links, oldest first

  friend bool operator==(const RunResult&, const RunResult&) = default;
};

// "As-found" / "As-left".
QString RunKindText(RunKind kind);
// A run passes when it is complete and every point passes: the same as
// RunVerdict(run) == Pass, for where a yes or no is meant (the newest passing
// as-left, a drift reference). What the user is shown or a file keeps is
// RunVerdict, which tells an indeterminate run from a failed one.
bool RunPasses(const RunResult& run);
// The run's verdict: fail when incomplete; else the points' verdicts
// combined (a point without one counts as its `pass`).
PointVerdict RunVerdict(const RunResult& run);
// The point with the largest |error| (null when there are none or none was measured).
const PointResult* LargestError(const RunResult& run);
// The largest |error(up) - error(down)| over points run both ways, in % of
// span; nullopt when no point was run both ways.
std::optional<double> Hysteresis(const RunResult& run);
// Per point of `current` (matched by percent and direction), its error minus
// the error of `previous` at the same point; NaN where `previous` has none.
std::vector<double> DriftAgainst(const RunResult& current, const RunResult& previous);

}  // namespace vorenx
