// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The error and verdict arithmetic against worked examples: a 4-20 mA
// transmitter on a 0-100 ℃ RTD input, square-root outputs, and verdicts
// exactly at the tolerance.
#include <cmath>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "calib/CalibrationMath.h"

namespace vorenx::testing {
namespace {

TEST(CalibrationMath, RtdTransmitterPointsAndExpectedOutputs) {
  const CalibrationSetup s = RtdTransmitter();
  const double inputs[] = {0.0, 25.0, 50.0, 75.0, 100.0};
  const double outputs[] = {4.0, 8.0, 12.0, 16.0, 20.0};
  for (int i = 0; i < 5; ++i) {
    const double percent = 25.0 * i;
    EXPECT_DOUBLE_EQ(InputAt(s, percent), inputs[i]);
    EXPECT_DOUBLE_EQ(ExpectedOutput(s, inputs[i]), outputs[i]);
    EXPECT_DOUBLE_EQ(InputPercent(s, inputs[i]), percent);
  }
}

TEST(CalibrationMath, SpansThatDoNotStartAtZero) {
  CalibrationSetup s = RtdTransmitter();
  s.inputLow = -50.0;
  s.inputHigh = 150.0;
  EXPECT_DOUBLE_EQ(InputAt(s, 25.0), 0.0);
  EXPECT_DOUBLE_EQ(InputPercent(s, 150.0), 100.0);
  EXPECT_DOUBLE_EQ(InputPercent(s, -70.0), -10.0);  // outside the span is allowed
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 50.0), 12.0);
  s.outputLow = 0.0;
  s.outputHigh = 10.0;  // a 0-10 V output
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 100.0), 7.5);
  EXPECT_NEAR(ErrorPercentOfSpan(s, 7.55, 7.5), 0.5, 1e-12);
}

TEST(CalibrationMath, ErrorsInPercentOfSpan) {
  const CalibrationSetup s = RtdTransmitter();
  EXPECT_NEAR(ErrorPercentOfSpan(s, 12.04, 12.0), 0.25, 1e-12);
  EXPECT_NEAR(ErrorPercentOfSpan(s, 4.02, 4.0), 0.125, 1e-12);
  EXPECT_NEAR(ErrorPercentOfSpan(s, 15.92, 16.0), -0.5, 1e-12);
  EXPECT_NEAR(ErrorPercentOfSpan(s, 20.2, 20.0), 1.25, 1e-12);
  EXPECT_TRUE(std::isnan(ErrorPercentOfSpan(s, std::nan(""), 12.0)));
}

TEST(CalibrationMath, SquareRootOutput) {
  CalibrationSetup s = RtdTransmitter();
  s.transfer = OutputTransfer::SquareRoot;
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 25.0), 12.0);  // 25 % input is 50 % output
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 0.0), 4.0);
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, -10.0), 4.0);  // below the span's low end
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 100.0), 20.0);
  EXPECT_DOUBLE_EQ(ExpectedOutput(s, 1.0), 5.6);    // sqrt(0.01) = 0.1 of 16 mA
  EXPECT_NEAR(ExpectedOutput(s, 50.0), 4.0 + 16.0 * std::sqrt(0.5), 1e-12);
}

TEST(CalibrationMath, ToleranceInBothUnits) {
  CalibrationSetup s = RtdTransmitter();
  EXPECT_DOUBLE_EQ(TolerancePercentOfSpan(s), 0.5);
  EXPECT_DOUBLE_EQ(ToleranceInOutputUnits(s), 0.08);
  s.toleranceUnit = ToleranceUnit::OutputUnits;
  s.tolerance = 0.04;
  EXPECT_DOUBLE_EQ(TolerancePercentOfSpan(s), 0.25);
  EXPECT_DOUBLE_EQ(ToleranceInOutputUnits(s), 0.04);
}

// 0.08 mA is 0.5 % of a 16 mA span: at the limit passes, 0.1 µA beyond fails,
// whichever unit the tolerance was given in and on either side.
TEST(CalibrationMath, VerdictExactlyAtTheLimit) {
  CalibrationSetup percent = RtdTransmitter();
  CalibrationSetup units = RtdTransmitter();
  units.toleranceUnit = ToleranceUnit::OutputUnits;
  units.tolerance = 0.08;
  for (const CalibrationSetup* s : {&percent, &units}) {
    const double tol = TolerancePercentOfSpan(*s);
    EXPECT_TRUE(WithinTolerance(ErrorPercentOfSpan(*s, 20.08, 20.0), tol));
    EXPECT_TRUE(WithinTolerance(ErrorPercentOfSpan(*s, 3.92, 4.0), tol));
    EXPECT_TRUE(WithinTolerance(ErrorPercentOfSpan(*s, 12.08, 12.0), tol));
    EXPECT_FALSE(WithinTolerance(ErrorPercentOfSpan(*s, 20.0801, 20.0), tol));
    EXPECT_FALSE(WithinTolerance(ErrorPercentOfSpan(*s, 3.9199, 4.0), tol));
  }
}

TEST(CalibrationMath, WithinToleranceSlackAndNaN) {
  EXPECT_TRUE(WithinTolerance(0.5 + 0.5e-9, 0.5));
  EXPECT_FALSE(WithinTolerance(0.5 + 2e-9, 0.5));
  EXPECT_TRUE(WithinTolerance(-0.5, 0.5));
  EXPECT_FALSE(WithinTolerance(std::nan(""), 0.5));
  EXPECT_FALSE(WithinTolerance(0.1, std::nan("")));
}

TEST(CalibrationMath, TestSequence) {
  CalibrationSetup s = RtdTransmitter();
  using T = TestStep;
  EXPECT_EQ(TestSequence(s), (std::vector<T>{{0, false}, {25, false}, {50, false}, {75, false}, {100, false}}));
  s.runDown = true;
  EXPECT_EQ(TestSequence(s), (std::vector<T>{{0, false}, {25, false}, {50, false}, {75, false}, {100, false},
                                             {75, true}, {50, true}, {25, true}, {0, true}}));
  s.pointsPercent = {10, 90, 50};  // the order as given, reversed on the way down
  EXPECT_EQ(TestSequence(s), (std::vector<T>{{10, false}, {90, false}, {50, false}, {90, true}, {10, true}}));
  s.pointsPercent = {40};
  EXPECT_EQ(TestSequence(s), (std::vector<T>{{40, false}}));
  s.pointsPercent.clear();
  EXPECT_TRUE(TestSequence(s).empty());
}

TEST_F(CommaLocale, CalibrationNumbersKeepThePoint) {
  EXPECT_EQ(FormatCalibrationNumber(0.25), "0.25");
  EXPECT_EQ(FormatCalibrationNumber(-200.0), "-200");
  EXPECT_EQ(FormatCalibrationNumber(1234567.5), "1234567.5");
  EXPECT_EQ(FormatCalibrationNumber(0.1 + 0.2), "0.30000000000000004");  // exact, not rounded
  EXPECT_EQ(FormatCalibrationNumber(std::nan("")), "nan");
}

}  // namespace
}  // namespace vorenx::testing
