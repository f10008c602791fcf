// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What a calibration run is asked to do: the instrument under test, the input
// the calibrator applies on its lower display, the output it reads on its
// upper display, the test points, the tolerance and the settling rule. Plain
// data; ValidateSetup says what is wrong with it, field by field.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "instrument/FunctionCode.h"

namespace vorenx {

enum class ToleranceUnit { PercentOfSpan, OutputUnits };
enum class OutputTransfer { Linear, SquareRoot };

// How a point's verdict is reached from its error, the tolerance and the
// point's expanded uncertainty U: simple acceptance (the error within the
// tolerance), or a guard band of w = U (pass within tolerance - U, fail
// beyond tolerance + U, indeterminate between).
enum class DecisionRule { SimpleAcceptance, GuardBand };
// "simple", "guard-band" (as files and command lines write them).
QString DecisionRuleText(DecisionRule rule);
std::optional<DecisionRule> DecisionRuleFromText(const QString& text);

// When a point's reading counts as settled: the newest `readings` upper
// readings lie within a band of `bandFraction` times the tolerance (max - min),
// waiting at most `timeoutSeconds` after the source value was seen applied.
struct SettleRule {
  int readings = 3;
  double bandFraction = 0.1;
  double timeoutSeconds = 60.0;

  friend bool operator==(const SettleRule&, const SettleRule&) = default;
};

struct CalibrationSetup {
  // The instrument under test and who calibrates it.
  QString tag;
  QString description;
  QString technician;

  // The input the calibrator applies: a lower function (5..26), its wiring
  // (28..30, for resistance and RTDs) and the temperature unit, and the span
  // in that function's unit.
  FunctionCode inputFunction = fc::kCurrent;
  FunctionCode wiring = fc::kTwoWire;
  bool celsius = true;
  double inputLow = 4.0;
  double inputHigh = 20.0;

  // The output it reads: an upper function (1 Voltage, 2 Current, 3 Loop) and
  // the output span in V or mA, linear or square root of the input.
  FunctionCode outputFunction = fc::kUpperCurrent;
  double outputLow = 4.0;
  double outputHigh = 20.0;
  OutputTransfer transfer = OutputTransfer::Linear;

  // Test points in % of the input span, in the order run upwards; with
  // `runDown` the points are run down again afterwards (the top one once).
  std::vector<double> pointsPercent{0.0, 25.0, 50.0, 75.0, 100.0};
  bool runDown = false;

  double tolerance = 0.5;
  ToleranceUnit toleranceUnit = ToleranceUnit::PercentOfSpan;
  SettleRule settle;

  // The instrument under test's resolution in output units (its last
  // digit; half of it enters each point's uncertainty). 0 when not entered
  // (setups saved before it was kept): a run is refused until it is.
  double resolution = 0.0;
  DecisionRule rule = DecisionRule::SimpleAcceptance;

  friend bool operator==(const CalibrationSetup&, const CalibrationSetup&) = default;
};

// The fields of the calibration dialog a problem can point at.
enum class SetupField {
  Tag,
  Description,
  Technician,
  InputFunction,
  InputLow,
  InputHigh,
  OutputFunction,
  OutputLow,
  OutputHigh,
  Points,
  Tolerance,
  SettleReadings,
  SettleBand,
  SettleTimeout,
  Resolution,
  Rule,
  AmbientTemperature,
  Humidity,
};

struct SetupProblem {
  SetupField field;
  QString message;  // a sentence for the user, shown at the field

  friend bool operator==(const SetupProblem&, const SetupProblem&) = default;
};

// A lower function's range (the drawing library's SFGetRange): low, high.
using RangeLookup = std::function<void(FunctionCode function, bool celsius, double& low, double& high)>;

// Every problem of `setup`, in field order; empty when it can run.
std::vector<SetupProblem> ValidateSetup(const CalibrationSetup& setup, const RangeLookup& range);

// The longest tag, description and technician name kept.
inline constexpr int kMaxTagLength = 64;
inline constexpr int kMaxDescriptionLength = 200;
inline constexpr int kMaxTechnicianLength = 100;

}  // namespace vorenx
