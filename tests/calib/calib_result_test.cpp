// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A run's verdict, largest error, hysteresis and drift against an earlier run.
#include <cmath>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "calib/CalibrationResult.h"

namespace vorenx::testing {
namespace {

RunResult MakeRun(std::vector<PointResult> points, bool complete = true) {
  RunResult r;
  r.points = std::move(points);
  r.complete = complete;
  return r;
}

TEST(CalibrationResult, RunVerdict) {
  const CalibrationSetup s = RtdTransmitter();
  EXPECT_TRUE(RunPasses(MakeRun({Measured(s, 0, 4.0), Measured(s, 100, 20.08)})));
  EXPECT_FALSE(RunPasses(MakeRun({Measured(s, 0, 4.0), Measured(s, 100, 20.2)})));
  EXPECT_FALSE(RunPasses(MakeRun({Measured(s, 0, 4.0)}, false)));  // ended early
  EXPECT_FALSE(RunPasses(MakeRun({})));
  EXPECT_EQ(RunKindText(RunKind::AsFound), "As-found");
  EXPECT_EQ(RunKindText(RunKind::AsLeft), "As-left");
}

TEST(CalibrationResult, LargestErrorByMagnitudeSkippingUnmeasured) {
  const CalibrationSetup s = RtdTransmitter();
  RunResult r = MakeRun({Measured(s, 0, 4.01), Measured(s, 50, 11.9), Measured(s, 75, std::nan("")),
                     Measured(s, 100, 20.05)});
  const PointResult* largest = LargestError(r);
  ASSERT_NE(largest, nullptr);
  EXPECT_EQ(largest->percent, 50.0);
  EXPECT_NEAR(largest->errorPercent, -0.625, 1e-12);
  EXPECT_EQ(LargestError(MakeRun({Measured(s, 0, std::nan(""))})), nullptr);
  EXPECT_EQ(LargestError(MakeRun({})), nullptr);
}

TEST(CalibrationResult, HysteresisOverPointsRunBothWays) {
  const CalibrationSetup s = RtdTransmitter();
  // Up errors 0, +0.125, +0.25; down errors at 50 % -0.125, at 0 % +0.0625.
  RunResult r = MakeRun({Measured(s, 0, 4.0), Measured(s, 50, 12.02), Measured(s, 100, 20.04),
                     Measured(s, 50, 11.98, true), Measured(s, 0, 4.01, true)});
  ASSERT_TRUE(Hysteresis(r).has_value());
  EXPECT_NEAR(*Hysteresis(r), 0.25, 1e-12);
  EXPECT_FALSE(Hysteresis(MakeRun({Measured(s, 0, 4.0), Measured(s, 100, 20.0)})).has_value());
  // A point that brought no reading on the way down tells nothing.
  RunResult unmeasured = MakeRun({Measured(s, 50, 12.02), Measured(s, 50, std::nan(""), true)});
  EXPECT_FALSE(Hysteresis(unmeasured).has_value());
}

TEST(CalibrationResult, DriftAgainstThePreviousAsLeft) {
  const CalibrationSetup s = RtdTransmitter();
  const RunResult previous = MakeRun({Measured(s, 0, 4.0), Measured(s, 50, 12.02), Measured(s, 50, 12.0, true)});
  const RunResult current = MakeRun({Measured(s, 0, 4.04), Measured(s, 50, 12.0), Measured(s, 100, 20.0),
                                 Measured(s, 50, 12.04, true)});
  const std::vector<double> drift = DriftAgainst(current, previous);
  ASSERT_EQ(drift.size(), 4u);
  EXPECT_NEAR(drift[0], 0.25, 1e-12);
  EXPECT_NEAR(drift[1], -0.125, 1e-12);
  EXPECT_TRUE(std::isnan(drift[2]));  // not measured last time
  EXPECT_NEAR(drift[3], 0.25, 1e-12);  // matched with the down point, not the up one
}

}  // namespace
}  // namespace vorenx::testing
