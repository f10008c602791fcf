// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/Uncertainty.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calib/CalibrationMath.h"
#include "instrument/FunctionTable.h"

namespace vorenx {

namespace {

// Rounding slack of a verdict at a limit, in % of span (as WithinTolerance).
constexpr double kLimitSlackPercent = 1e-9;
const double kSqrt3 = std::sqrt(3.0);

// The documented defaults (docs/uncertainty.md): a conservative one-year
// accuracy for a handheld process calibrator, one entry per function
// over its whole range. Electrical ranges are in |reading|; temperatures in ℃.
constexpr double kAnyElectrical = 1.0e9;
constexpr double kColdest = -273.15;
constexpr double kHottest = 2500.0;

std::vector<AccuracySpec> MakeDefaults() {
  std::vector<AccuracySpec> t = {
      {fc::kUpperVoltage, 0.0, kAnyElectrical, 0.02, 0.002},   // measure V: 0.02 % + 2 mV
      {fc::kUpperCurrent, 0.0, kAnyElectrical, 0.02, 0.002},   // measure mA: 0.02 % + 2 µA
      {fc::kUpperLoop, 0.0, kAnyElectrical, 0.02, 0.002},      // measure mA with loop power
      {fc::kVolt, 0.0, kAnyElectrical, 0.02, 0.002},           // source V: 0.02 % + 2 mV
      {fc::kMilliVolt, 0.0, kAnyElectrical, 0.02, 0.01},       // source mV: 0.02 % + 10 µV
      {fc::kCurrent, 0.0, kAnyElectrical, 0.02, 0.002},        // source mA: 0.02 % + 2 µA
      {fc::kCurrentSimulate, 0.0, kAnyElectrical, 0.02, 0.002},
      {fc::kTcVolt, 0.0, kAnyElectrical, 0.025, 0.01},         // thermocouple millivolts
      {fc::kResistance, 0.0, kAnyElectrical, 0.015, 0.1},      // source Ω: 0.015 % + 0.1 Ω
  };
  // Thermocouples S, R, B, K, N, E, J, T: a floor in ℃ (cold junction included).
  constexpr std::array<double, 8> kTcFloor{1.2, 1.2, 1.4, 0.5, 0.6, 0.4, 0.4, 0.5};
  for (int i = 0; i < 8; ++i)
    t.push_back({static_cast<FunctionCode>(fc::kTcFirst + i), kColdest, kHottest, 0.0, kTcFloor[std::size_t(i)]});
  // RTDs: platinum types 0.2 ℃, nickel and copper 0.3 ℃.
  for (int code = fc::kRtdFirst; code <= fc::kRtdLast; ++code)
    t.push_back({static_cast<FunctionCode>(code), kColdest, kHottest, 0.0, code < fc::kRtdLast - 1 ? 0.2 : 0.3});
  return t;
}

double ToCelsius(double value, bool celsius) { return celsius ? value : (value - 32.0) / 1.8; }

// The half-width of `table`'s entry for `function` at `value` in the unit the
// value is given in (℉ when not `celsius`); NaN when the table has none.
double HalfWidthAt(const std::vector<AccuracySpec>& table, FunctionCode function, double value, bool celsius) {
  if (!IsTemperature(function)) {
    const auto entry = FindAccuracySpec(table, function, value);
    return entry ? AccuracyHalfWidth(*entry, value) : std::nan("");
  }
  const double c = ToCelsius(value, celsius);
  const auto entry = FindAccuracySpec(table, function, c);
  if (!entry) return std::nan("");
  const double hw = AccuracyHalfWidth(*entry, c);
  return celsius ? hw : hw * 1.8;
}

// dOutput/dInput of the setup's transfer at `input`; infinite where a
// square root starts (0 % and below).
double Sensitivity(const CalibrationSetup& s, double input) {
  const double inSpan = s.inputHigh - s.inputLow;
  const double outSpan = s.outputHigh - s.outputLow;
  if (s.transfer == OutputTransfer::Linear) return outSpan / inSpan;
  const double share = (input - s.inputLow) / inSpan;
  if (!(share > 0.0)) return std::numeric_limits<double>::infinity();
  return outSpan / (2.0 * std::sqrt(share) * inSpan);
}

UncertaintyContribution Rectangular(UncertaintyContribution::Source source, double halfWidth, double sensitivity) {
  UncertaintyContribution c;
  c.source = source;
  c.halfWidth = halfWidth;
  c.divisor = kSqrt3;
  c.standard = halfWidth / kSqrt3;
  c.sensitivity = sensitivity;
  c.contribution = std::abs(sensitivity) * c.standard;
  return c;
}

void NoteMissing(QString* missing, FunctionCode function) {
  if (!missing) return;
  if (!missing->isEmpty()) missing->append(QStringLiteral(", "));
  missing->append(FunctionName(function));
}

}  // namespace

QString PointVerdictText(PointVerdict verdict) {
  switch (verdict) {
    case PointVerdict::Pass: return QStringLiteral("pass");
    case PointVerdict::Fail: return QStringLiteral("fail");
    case PointVerdict::Indeterminate: return QStringLiteral("indeterminate");
  }
  return QString();
}

std::optional<PointVerdict> PointVerdictFromText(const QString& text) {
  for (PointVerdict v : {PointVerdict::Pass, PointVerdict::Fail, PointVerdict::Indeterminate})
    if (text == PointVerdictText(v)) return v;
  return std::nullopt;
}

const std::vector<AccuracySpec>& DefaultAccuracySpecs() {
  static const std::vector<AccuracySpec> table = MakeDefaults();
  return table;
}

std::optional<AccuracySpec> FindAccuracySpec(const std::vector<AccuracySpec>& table, FunctionCode function,
                                             double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double x = IsTemperature(function) ? value : std::abs(value);
  for (const AccuracySpec& s : table)
    if (s.function == function && x >= s.rangeLow && x <= s.rangeHigh) return s;
  return std::nullopt;
}

QString AccuracySpecProblem(const AccuracySpec& s) {
  if (!IsUpperFunction(s.function) && !IsLowerFunction(s.function))
    return QStringLiteral("The function %1 is not one the calibrator has.").arg(int(s.function));
  if (!std::isfinite(s.rangeLow) || !std::isfinite(s.rangeHigh) || !(s.rangeLow < s.rangeHigh))
    return QStringLiteral("The range of %1 must run from a lower to a higher number.").arg(FunctionName(s.function));
  if (!IsTemperature(s.function) && s.rangeLow < 0.0)
    return QStringLiteral("The range of %1 is of the reading's size and cannot start below 0.")
        .arg(FunctionName(s.function));
  if (!std::isfinite(s.percentOfReading) || s.percentOfReading < 0.0)
    return QStringLiteral("The % of reading of %1 cannot be negative.").arg(FunctionName(s.function));
  if (!std::isfinite(s.floor) || s.floor < 0.0)
    return QStringLiteral("The floor of %1 cannot be negative.").arg(FunctionName(s.function));
  return QString();
}

double AccuracyHalfWidth(const AccuracySpec& entry, double value) {
  return std::abs(value) * entry.percentOfReading / 100.0 + entry.floor;
}

namespace {

// True when the entries of `table` for `function` together cover every value
// from `low` to `high` (℃ for temperatures; electrical ranges are of |x|).
bool Covers(const std::vector<AccuracySpec>& table, FunctionCode function, double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  if (!IsTemperature(function)) {
    const double a = std::abs(low), b = std::abs(high);
    low = (low <= 0.0 && high >= 0.0) ? 0.0 : std::min(a, b);
    high = std::max(a, b);
  }
  // Each round extends the covered stretch [low, reached] by the entry that
  // holds `reached` and goes farthest beyond it; it ends within one round per entry.
  double reached = low;
  for (;;) {
    double farthest = -std::numeric_limits<double>::infinity();
    for (const AccuracySpec& s : table)
      if (s.function == function && s.rangeLow <= reached && s.rangeHigh >= reached)
        farthest = std::max(farthest, s.rangeHigh);
    if (farthest >= high) return true;
    if (!(farthest > reached)) return false;
    reached = farthest;
  }
}

// The problems of `table` for one function over [low, high] in `unit`.
void CheckCoverage(std::vector<SetupProblem>& problems, const std::vector<AccuracySpec>& table, FunctionCode function,
                   SetupField field, double low, double high, bool celsius, const QString& unit) {
  for (const AccuracySpec& s : table) {
    if (s.function != function) continue;
    if (const QString why = AccuracySpecProblem(s); !why.isEmpty()) {
      problems.push_back({field, QStringLiteral("The accuracy table of the reference standard cannot be used. ") + why});
      return;
    }
  }
  const bool temperature = IsTemperature(function);
  if (Covers(table, function, temperature ? ToCelsius(low, celsius) : low,
             temperature ? ToCelsius(high, celsius) : high))
    return;
  problems.push_back(
      {field, QStringLiteral("The accuracy table of the reference standard does not cover %1 from %2 to %3 %4, so "
                             "the uncertainty there is not known: add the values from its certificate in the "
                             "register.")
                  .arg(FunctionName(function), FormatCalibrationNumber(low), FormatCalibrationNumber(high), unit)});
}

}  // namespace

std::vector<SetupProblem> ValidateAccuracyTable(const CalibrationSetup& s, const std::vector<AccuracySpec>& table) {
  std::vector<SetupProblem> problems;
  CheckCoverage(problems, table, s.inputFunction, SetupField::InputFunction, s.inputLow, s.inputHigh, s.celsius,
                FunctionUnit(s.inputFunction, s.celsius));
  const double tolerance = std::abs(ToleranceInOutputUnits(s));
  CheckCoverage(problems, table, s.outputFunction, SetupField::OutputFunction, s.outputLow - tolerance,
                s.outputHigh + tolerance, true, FunctionUnit(s.outputFunction, false));
  return problems;
}

std::vector<SetupProblem> ValidateEnvironment(const Environment& e) {
  std::vector<SetupProblem> problems;
  auto check = [&](const std::optional<double>& v, SetupField field, const QString& what, double low, double high,
                   const QString& unit) {
    if (!v || !std::isfinite(*v)) {
      problems.push_back({field, QStringLiteral("Enter the %1 before the run.").arg(what)});
    } else if (*v < low || *v > high) {
      problems.push_back({field, QStringLiteral("The %1 must lie between %2 and %3 %4.")
                                     .arg(what, FormatCalibrationNumber(low), FormatCalibrationNumber(high), unit)});
    }
  };
  check(e.temperatureC, SetupField::AmbientTemperature, QStringLiteral("ambient temperature"), kMinAmbientC,
        kMaxAmbientC, QStringLiteral("℃"));
  check(e.humidityPercent, SetupField::Humidity, QStringLiteral("relative humidity"), kMinHumidityPercent,
        kMaxHumidityPercent, QStringLiteral("%"));
  return problems;
}

QString ContributionText(UncertaintyContribution::Source source) {
  switch (source) {
    case UncertaintyContribution::Source::CalibratorSource: return QStringLiteral("Calibrator, source accuracy");
    case UncertaintyContribution::Source::CalibratorMeasure: return QStringLiteral("Calibrator, measure accuracy");
    case UncertaintyContribution::Source::Resolution:
      return QStringLiteral("Resolution of the instrument under test");
    case UncertaintyContribution::Source::Repeatability: return QStringLiteral("Repeatability (type A)");
  }
  return QString();
}

PointUncertainty EvaluatePointUncertainty(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table,
                                          const PointUncertaintyInputs& in, QString* missing) {
  using Source = UncertaintyContribution::Source;
  PointUncertainty u;

  // The input as sourced reaches the output through the transfer function.
  const double c = Sensitivity(setup, in.applied);
  if (!std::isfinite(c)) {
    u.outputSideOnly = true;
  } else {
    const double hw = HalfWidthAt(table, setup.inputFunction, in.applied, setup.celsius);
    if (std::isfinite(hw)) u.contributions.push_back(Rectangular(Source::CalibratorSource, hw, c));
    else NoteMissing(missing, setup.inputFunction);
  }

  // The output as read (the expected value where nothing was read).
  const double read = std::isfinite(in.measured) ? in.measured : ExpectedOutput(setup, in.applied);
  const double hwRead = HalfWidthAt(table, setup.outputFunction, read, true);
  if (std::isfinite(hwRead)) u.contributions.push_back(Rectangular(Source::CalibratorMeasure, hwRead, 1.0));
  else NoteMissing(missing, setup.outputFunction);

  if (setup.resolution > 0.0 && std::isfinite(setup.resolution))
    u.contributions.push_back(Rectangular(Source::Resolution, setup.resolution / 2.0, 1.0));

  if (in.readingsStdDev && std::isfinite(*in.readingsStdDev) && in.readings >= 2) {
    UncertaintyContribution a;
    a.source = Source::Repeatability;
    a.divisor = std::sqrt(static_cast<double>(in.readings));
    a.standard = *in.readingsStdDev / a.divisor;
    a.sensitivity = 1.0;
    a.contribution = a.standard;
    u.contributions.push_back(a);
  }

  double sum = 0.0;
  for (const UncertaintyContribution& k : u.contributions) sum += k.contribution * k.contribution;
  u.combined = std::sqrt(sum);
  u.expanded = u.coverageFactor * u.combined;
  u.expandedPercentOfSpan = u.expanded / std::abs(setup.outputHigh - setup.outputLow) * 100.0;
  if (u.expanded > 0.0) u.tur = std::abs(ToleranceInOutputUnits(setup)) / u.expanded;
  return u;
}

PointVerdict DecidePoint(DecisionRule rule, double errorPercent, double tolerancePercent, double expandedPercent) {
  if (!std::isfinite(errorPercent)) return PointVerdict::Fail;
  const double e = std::abs(errorPercent);
  if (rule == DecisionRule::SimpleAcceptance)
    return e <= tolerancePercent + kLimitSlackPercent ? PointVerdict::Pass : PointVerdict::Fail;
  const double u = std::isfinite(expandedPercent) ? std::abs(expandedPercent) : 0.0;
  if (e <= tolerancePercent - u + kLimitSlackPercent) return PointVerdict::Pass;
  if (e > tolerancePercent + u + kLimitSlackPercent) return PointVerdict::Fail;
  return PointVerdict::Indeterminate;
}

PointVerdict CombineVerdicts(const std::vector<PointVerdict>& verdicts) {
  if (verdicts.empty()) return PointVerdict::Fail;
  if (std::find(verdicts.begin(), verdicts.end(), PointVerdict::Fail) != verdicts.end()) return PointVerdict::Fail;
  if (std::find(verdicts.begin(), verdicts.end(), PointVerdict::Indeterminate) != verdicts.end())
    return PointVerdict::Indeterminate;
  return PointVerdict::Pass;
}

namespace {
// The decimals and value of `v` at two significant digits.
std::pair<double, int> TwoDigits(double v) {
  if (!(v > 0.0) || !std::isfinite(v)) return {v, 0};
  int e = static_cast<int>(std::floor(std::log10(v)));
  double r = std::round(v / std::pow(10.0, e - 1)) * std::pow(10.0, e - 1);
  if (r >= std::pow(10.0, e + 1)) ++e;  // 0.0996 rounds to 0.10
  return {r, std::max(0, 1 - e)};
}
}  // namespace

double RoundUncertainty(double expanded) { return TwoDigits(expanded).first; }

QString FormatUncertainty(double expanded) {
  if (!std::isfinite(expanded)) return FormatCalibrationNumber(expanded);
  const auto [value, decimals] = TwoDigits(expanded);
  return QString::number(value, 'f', decimals);
}

}  // namespace vorenx
