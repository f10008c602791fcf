// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The arithmetic of a calibration: where each test point lies on the input
// span, what the output should be there, the error in % of the output span and
// the verdict. Pure functions of the setup and the numbers.

#include <QString>
#include <vector>

#include "calib/CalibrationSetup.h"

namespace vorenx {

// One step of a run: a test point in % of the input span, and whether it is
// reached going down.
struct TestStep {
  double percent = 0.0;
  bool down = false;

  friend bool operator==(const TestStep&, const TestStep&) = default;
};

// The steps in the order they run: the points as given, then, with runDown,
// the same points in reverse without the last one repeated.
std::vector<TestStep> TestSequence(const CalibrationSetup& setup);

// The input value at `percent` of the input span.
double InputAt(const CalibrationSetup& setup, double percent);
// Where `input` lies on the input span, in % (may fall outside 0..100).
double InputPercent(const CalibrationSetup& setup, double input);
// The output the instrument under test should give for `input`: linear, or
// the square root of the input's share of its span (0 below the span's low end).
double ExpectedOutput(const CalibrationSetup& setup, double input);
// (measured - expected) in % of the output span.
double ErrorPercentOfSpan(const CalibrationSetup& setup, double measured, double expected);
// The tolerance in % of the output span, whichever unit it was given in.
double TolerancePercentOfSpan(const CalibrationSetup& setup);
// The tolerance in output units.
double ToleranceInOutputUnits(const CalibrationSetup& setup);
// True when |errorPercent| <= tolerancePercent; an error that is at the limit
// but for rounding in the last digits (1e-9 % of span) passes.
bool WithinTolerance(double errorPercent, double tolerancePercent);

// The shortest text that reads back as the same double, with "." whatever the
// locale ("0.25", "-200", "1e+06"); "nan", "inf" or "-inf" for the rest.
QString FormatCalibrationNumber(double value);

}  // namespace vorenx
