// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/CalibrationMath.h"

#include "platform/FileText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vorenx {

namespace {

// Rounding slack of a verdict at the limit, in % of span.
constexpr double kToleranceSlackPercent = 1e-9;

double OutputSpan(const CalibrationSetup& setup) { return setup.outputHigh - setup.outputLow; }

}  // namespace

std::vector<TestStep> TestSequence(const CalibrationSetup& setup) {
  std::vector<TestStep> steps;
  steps.reserve(setup.pointsPercent.size() * 2);
  for (double p : setup.pointsPercent) steps.push_back({p, false});
  if (setup.runDown && setup.pointsPercent.size() > 1) {
    for (auto it = setup.pointsPercent.rbegin() + 1; it != setup.pointsPercent.rend(); ++it)
      steps.push_back({*it, true});
  }
  return steps;
}

double InputAt(const CalibrationSetup& setup, double percent) {
  return setup.inputLow + (setup.inputHigh - setup.inputLow) * percent / 100.0;
}

double InputPercent(const CalibrationSetup& setup, double input) {
  return (input - setup.inputLow) / (setup.inputHigh - setup.inputLow) * 100.0;
}

double ExpectedOutput(const CalibrationSetup& setup, double input) {
  const double percent = InputPercent(setup, input);
  const double share = setup.transfer == OutputTransfer::SquareRoot ? std::sqrt(std::max(0.0, percent) / 100.0)
                                                                     : percent / 100.0;
  return setup.outputLow + OutputSpan(setup) * share;
}

double ErrorPercentOfSpan(const CalibrationSetup& setup, double measured, double expected) {
  return (measured - expected) / OutputSpan(setup) * 100.0;
}

double TolerancePercentOfSpan(const CalibrationSetup& setup) {
  if (setup.toleranceUnit == ToleranceUnit::PercentOfSpan) return setup.tolerance;
  return setup.tolerance / OutputSpan(setup) * 100.0;
}

double ToleranceInOutputUnits(const CalibrationSetup& setup) {
  if (setup.toleranceUnit == ToleranceUnit::OutputUnits) return setup.tolerance;
  return setup.tolerance * OutputSpan(setup) / 100.0;
}

bool WithinTolerance(double errorPercent, double tolerancePercent) {
  // NaN on either side compares false: an unmeasured point never passes.
  return std::abs(errorPercent) <= tolerancePercent + kToleranceSlackPercent;
}

QString FormatCalibrationNumber(double value) {
  if (std::isnan(value)) return QStringLiteral("nan");
  if (std::isinf(value)) return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
  return PointNumber(value);
}

}  // namespace vorenx
