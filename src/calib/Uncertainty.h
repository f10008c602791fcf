// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// How well each calibration point is known, and what may be said of it: the
// uncertainty budget of a point (the calibrator's accuracy for what it
// sourced and what it read, the resolution of the instrument under test, the
// repeatability of the settled readings), combined in quadrature through the
// transfer function's sensitivity and expanded with k = 2; the test
// uncertainty ratio; and the verdict under a decision rule (simple acceptance,
// or a guard band of w = U). Pure functions of the setup and the numbers.

#include <QString>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "calib/CalibrationSetup.h"
#include "instrument/FunctionCode.h"

namespace vorenx {

enum class PointVerdict { Pass, Fail, Indeterminate };
// "pass", "fail", "indeterminate".
QString PointVerdictText(PointVerdict verdict);
std::optional<PointVerdict> PointVerdictFromText(const QString& text);

// The calibrator's accuracy for one function over one range:
// ± (percentOfReading % of the reading + floor), the floor in the function's
// unit (V, mV, mA, Ω; ℃ for the temperatures, whatever unit a run shows).
// The range is in the same unit and covers readings with low <= |x| <= high
// for the electrical functions, low <= x <= high for the temperatures.
struct AccuracySpec {
  FunctionCode function = fc::kUpperCurrent;  // an upper (measure) or lower (source) function
  double rangeLow = 0.0;
  double rangeHigh = 0.0;
  double percentOfReading = 0.0;
  double floor = 0.0;

  friend bool operator==(const AccuracySpec&, const AccuracySpec&) = default;
};

// The documented default table (docs/uncertainty.md): every upper function
// and every lower function over its whole range, for a lab that has not
// entered its own standard's certificate values yet.
const std::vector<AccuracySpec>& DefaultAccuracySpecs();
// The entry of `table` for `function` at `value` (in ℃ for temperatures);
// the first that covers it; nullopt when none does.
std::optional<AccuracySpec> FindAccuracySpec(const std::vector<AccuracySpec>& table, FunctionCode function,
                                             double value);
// What is wrong with one entry (a negative floor or percentage, an empty or
// reversed range, a function that is not one), as a sentence; empty when none.
QString AccuracySpecProblem(const AccuracySpec& entry);
// The half-width ± of `entry` at `value`: |value| * percent / 100 + floor.
double AccuracyHalfWidth(const AccuracySpec& entry, double value);
// What keeps `table` from giving every point of `setup` its whole budget:
// an entry for the input or output function that is broken, or no entries
// covering the input over the input span or the output over the output span
// widened by the tolerance on either side (where the verdicts are decided).
// At SetupField::InputFunction and ::OutputFunction; empty when none. A run
// refuses to start on any of them rather than understate U.
std::vector<SetupProblem> ValidateAccuracyTable(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table);

// The ambient conditions of a calibration, entered before it runs. A value
// not recorded (records made before they were kept) is nullopt, and is
// shown as "not recorded", never invented.
struct Environment {
  std::optional<double> temperatureC;
  std::optional<double> humidityPercent;

  friend bool operator==(const Environment&, const Environment&) = default;
};
// The ranges a lab can calibrate in; outside them the value is refused at the field.
inline constexpr double kMinAmbientC = -10.0;
inline constexpr double kMaxAmbientC = 50.0;
inline constexpr double kMinHumidityPercent = 0.0;
inline constexpr double kMaxHumidityPercent = 100.0;
// Problems of an environment about to be used for a run (missing, not a
// number, out of range), at SetupField::AmbientTemperature and ::Humidity.
std::vector<SetupProblem> ValidateEnvironment(const Environment& environment);

// One line of a point's uncertainty budget.
struct UncertaintyContribution {
  enum class Source { CalibratorSource, CalibratorMeasure, Resolution, Repeatability };
  Source source = Source::CalibratorSource;
  double halfWidth = 0.0;    // the ± it comes from (0 for type A), in its own unit
  double divisor = 0.0;      // √3 for the rectangular ones, √n for type A (recorded as 1 with u given)
  double standard = 0.0;     // its standard uncertainty u_i, in its own unit (input or output)
  double sensitivity = 1.0;  // c_i: output units per unit of u_i
  double contribution = 0.0; // |c_i| u_i in output units

  friend bool operator==(const UncertaintyContribution&, const UncertaintyContribution&) = default;
};
// "Calibrator, source accuracy", "Calibrator, measure accuracy",
// "Resolution of the instrument under test", "Repeatability (type A)".
QString ContributionText(UncertaintyContribution::Source source);

inline constexpr double kCoverageFactor = 2.0;
inline constexpr double kCoverageProbability = 0.9545;
// Points whose tolerance half-width over U is below this are marked.
inline constexpr double kMinimumTur = 4.0;

struct PointUncertainty {
  std::vector<UncertaintyContribution> contributions;
  double combined = 0.0;  // u_c in output units
  double coverageFactor = kCoverageFactor;
  double expanded = 0.0;  // U = k u_c in output units, not rounded (decisions use it)
  double expandedPercentOfSpan = 0.0;  // U in % of the output span
  // Tolerance half-width over U; nullopt when U is 0.
  std::optional<double> tur;
  // A square-root output at 0 %: the input's sensitivity is unbounded, so U
  // comes from the output side alone (the certificate says so).
  bool outputSideOnly = false;

  friend bool operator==(const PointUncertainty&, const PointUncertainty&) = default;
};

// What one point's budget is made of.
struct PointUncertaintyInputs {
  double applied = 0.0;   // the input as sourced, in the input function's unit
  double measured = std::numeric_limits<double>::quiet_NaN();  // the settled mean, output units
  // The standard deviation (n - 1) of the settled readings and their count;
  // no repeatability term when there is none or fewer than two readings.
  std::optional<double> readingsStdDev;
  int readings = 0;
};

// The budget of one point of `setup` (its input and output functions, its
// span, transfer and resolution) with the calibrator's accuracy from `table`.
// A function the table has no entry for contributes nothing and is named in
// `missing` (when given) so that the caller can say so.
PointUncertainty EvaluatePointUncertainty(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table,
                                          const PointUncertaintyInputs& inputs, QString* missing = nullptr);

// The verdict of one point with error, tolerance and U all in % of span:
// simple acceptance passes when |error| <= tolerance; the guard band passes
// when |error| <= tolerance - U, fails when |error| > tolerance + U, and is
// indeterminate between. An error that is NaN (no reading) fails.
PointVerdict DecidePoint(DecisionRule rule, double errorPercent, double tolerancePercent, double expandedPercent);
// A run's verdict from its points' verdicts: any fail fails it; any
// indeterminate without a fail makes it indeterminate; none at all fails.
PointVerdict CombineVerdicts(const std::vector<PointVerdict>& verdicts);

// U with two significant digits, "." whatever the locale ("0.012", "1.5",
// "23"); "not recorded" is the caller's to write for a missing one.
QString FormatUncertainty(double expanded);
// The same value, rounded to two significant digits (for a table's number).
double RoundUncertainty(double expanded);

}  // namespace vorenx
