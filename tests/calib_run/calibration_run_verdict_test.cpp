// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What a run knows of each point beyond its error: the repeatability of the
// settled readings, the uncertainty budget from the run's accuracy table, the
// verdict under the setup's decision rule, and the refusal to start a run
// whose points could not be given their whole budget.
#include <gtest/gtest.h>

#include <cmath>

#include "RunBench.h"

namespace vorenx {
namespace {

using testing::BenchInstrument;
using testing::FakeCalibrationLink;
using State = CalibrationRun::State;

class RunVerdictTest : public ::testing::Test {
 protected:
  // A finished run of `setup` with `table` (the defaults when empty).
  RunResult Ran(const CalibrationSetup& setup, std::vector<AccuracySpec> table = {}) {
    run = std::make_unique<CalibrationRun>(link, setup, RunKind::AsFound);
    if (!table.empty()) run->SetAccuracyTable(std::move(table));
    run->Start();
    if (bench.ReadUntil(*run, State::AwaitingConfirmation)) run->ConfirmOutput();
    bench.ReadUntilEnded(*run);
    return run->Result();
  }

  FakeCalibrationLink link;
  BenchInstrument bench{link};
  std::unique_ptr<CalibrationRun> run;
};

// The default table for the worked example: Pt100 sourced ± 0.2 ℃, mA read
// ± (0.02 % + 0.002 mA); 0.001 mA resolution.
double HandU(double measured, double stdDev, int n) {
  const double r3 = std::sqrt(3.0);
  const double source = 0.2 / r3 * 0.16;  // 16 mA over 100 ℃
  const double measure = (measured * 0.0002 + 0.002) / r3;
  const double resolution = 0.0005 / r3;
  const double repeat = stdDev / std::sqrt(double(n));
  return 2.0 * std::sqrt(source * source + measure * measure + resolution * resolution + repeat * repeat);
}

TEST_F(RunVerdictTest, EachPointCarriesItsRepeatabilityUncertaintyAndVerdict) {
  int n = 0;
  // ±0.003 mA of noise: within the settling band, and a repeatability to see.
  bench.transmitter = [&n](double in) { return 4.0 + 0.16 * in + ((++n % 2) ? 0.003 : -0.003); };
  const RunResult& r = Ran(testing::RtdTransmitterSetup());
  ASSERT_EQ(run->CurrentState(), State::Finished);
  ASSERT_EQ(r.points.size(), 5u);
  for (const PointResult& p : r.points) {
    SCOPED_TRACE(p.percent);
    ASSERT_TRUE(p.stdDev.has_value());
    // Three readings alternating ±0.003: sqrt((0.002² + 0.004² + 0.002²) / 2).
    EXPECT_NEAR(*p.stdDev, std::sqrt(12e-6), 1e-6);
    ASSERT_TRUE(p.uncertainty.has_value());
    EXPECT_EQ(p.uncertainty->contributions.size(), 4u);
    EXPECT_NEAR(p.uncertainty->expanded, HandU(p.measured, *p.stdDev, 3), 1e-9);
    EXPECT_NEAR(p.uncertainty->expandedPercentOfSpan, p.uncertainty->expanded / 16.0 * 100.0, 1e-12);
    ASSERT_TRUE(p.uncertainty->tur.has_value());
    EXPECT_LT(*p.uncertainty->tur, kMinimumTur);  // 0.08 mA over about 0.0375 mA: marked
    EXPECT_EQ(p.verdict, PointVerdict::Pass);
    EXPECT_TRUE(p.pass);
  }
  EXPECT_EQ(RunVerdict(r), PointVerdict::Pass);
}

TEST_F(RunVerdictTest, AnErrorInsideTheGuardBandIsIndeterminateWhereSimpleAcceptancePasses) {
  // 0.3 % of span off everywhere: within 0.5 %, but not within 0.5 % - U (U is about 0.23 %).
  bench.transmitter = [](double in) { return 4.048 + 0.16 * in; };
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.rule = DecisionRule::GuardBand;
  const RunResult& guarded = Ran(setup);
  ASSERT_EQ(run->CurrentState(), State::Finished);
  for (const PointResult& p : guarded.points) {
    EXPECT_NEAR(p.errorPercent, 0.3, 1e-4);
    EXPECT_EQ(p.verdict, PointVerdict::Indeterminate);
    EXPECT_FALSE(p.pass);
  }
  EXPECT_EQ(RunVerdict(guarded), PointVerdict::Indeterminate);
  EXPECT_FALSE(RunPasses(guarded));

  setup.rule = DecisionRule::SimpleAcceptance;
  const RunResult& simple = Ran(setup);
  EXPECT_EQ(RunVerdict(simple), PointVerdict::Pass);
  // One point beyond the tolerance plus U fails the guarded run outright.
  bench.transmitter = [](double in) { return in > 90.0 ? 20.2 : 4.048 + 0.16 * in; };
  setup.rule = DecisionRule::GuardBand;
  const RunResult& failed = Ran(setup);
  EXPECT_EQ(failed.points.back().verdict, PointVerdict::Fail);
  EXPECT_EQ(RunVerdict(failed), PointVerdict::Fail);
}

TEST_F(RunVerdictTest, AnUnsettledPointFailsUnderEitherRuleAndKeepsItsBudget) {
  int n = 0;
  bench.transmitter = [&n](double in) { return 4.0 + 0.16 * in + ((++n % 2) ? 0.01 : -0.01); };
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0};
  setup.rule = DecisionRule::GuardBand;
  const RunResult& r = Ran(setup);
  ASSERT_EQ(r.points.size(), 2u);
  for (const PointResult& p : r.points) {
    EXPECT_FALSE(p.settled);
    EXPECT_EQ(p.verdict, PointVerdict::Fail);
    ASSERT_TRUE(p.uncertainty.has_value());
    EXPECT_GT(p.uncertainty->expanded, HandU(p.measured, 0.0, 3));  // the swings widen it
  }
}

TEST_F(RunVerdictTest, ARunWhosePointsCouldNotGetTheirWholeBudgetIsRefusedBeforeAnythingIsSent) {
  CalibrationSetup noResolution = testing::RtdTransmitterSetup();
  noResolution.resolution = 0.0;  // a setup saved before it was kept
  Ran(noResolution);
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_TRUE(run->Result().endReason.contains("resolution")) << run->Result().endReason.toStdString();

  // A lab's own table: mA read up to 20 mA only, which leaves out 20 mA plus
  // the tolerance; and one without the Pt100 the run sources.
  const AccuracySpec pt100{fc::kRtdFirst, -200.0, 850.0, 0.0, 0.1};
  const AccuracySpec mA20{fc::kUpperCurrent, 0.0, 20.0, 0.01, 0.001};
  for (const auto& table : {std::vector<AccuracySpec>{pt100, mA20}, std::vector<AccuracySpec>{mA20}}) {
    Ran(testing::RtdTransmitterSetup(), table);
    EXPECT_EQ(run->CurrentState(), State::Aborted);
    EXPECT_TRUE(run->Result().endReason.contains("does not cover")) << run->Result().endReason.toStdString();
    EXPECT_TRUE(run->Result().points.empty());
  }
  EXPECT_TRUE(link.lowers.empty());
  EXPECT_TRUE(link.uppers.empty());

  // Two entries that meet cover the span, and the lab's values are the ones used.
  const AccuracySpec mA24{fc::kUpperCurrent, 20.0, 24.0, 0.01, 0.001};
  const RunResult& r = Ran(testing::RtdTransmitterSetup(), {pt100, mA20, mA24});
  ASSERT_EQ(run->CurrentState(), State::Finished);
  EXPECT_NEAR(r.points[0].uncertainty->contributions[0].halfWidth, 0.1, 1e-12);
  // A standard the register keeps without a table of its own runs on the defaults.
  run->SetAccuracyTable({});
  EXPECT_EQ(run->AccuracyTable(), DefaultAccuracySpecs());
}

TEST_F(RunVerdictTest, AReadingBeyondTheTableKeepsNoUnderstatedBudget) {
  // The table reads mA up to 20.1 (the span and tolerance are covered), and
  // the transmitter gives 20.2 mA at the top.
  bench.transmitter = [](double in) { return in > 90.0 ? 20.2 : 4.0 + 0.16 * in; };
  const RunResult& r = Ran(testing::RtdTransmitterSetup(), {{fc::kRtdFirst, -200.0, 850.0, 0.0, 0.2},
                                                            {fc::kUpperCurrent, 0.0, 20.1, 0.02, 0.002}});
  ASSERT_EQ(run->CurrentState(), State::Finished);
  EXPECT_TRUE(r.points[3].uncertainty.has_value());
  EXPECT_FALSE(r.points.back().uncertainty.has_value());
  EXPECT_EQ(r.points.back().verdict, PointVerdict::Fail);
}

}  // namespace
}  // namespace vorenx
