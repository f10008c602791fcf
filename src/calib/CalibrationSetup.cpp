// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/CalibrationSetup.h"

#include <cmath>
#include <optional>

#include "calib/CalibrationMath.h"
#include "instrument/FunctionTable.h"

namespace vorenx {

namespace {

// Range ends come from 32-bit values; an entry that equals an end but for
// that rounding lies inside.
bool Inside(double v, double low, double high) {
  const double slackLow = 1e-6 * std::max(1.0, std::abs(low));
  const double slackHigh = 1e-6 * std::max(1.0, std::abs(high));
  return v >= low - slackLow && v <= high + slackHigh;
}

// Characters as people count them: an emoji is one, not two UTF-16 units.
qsizetype CodePoints(const QString& text) {
  qsizetype n = text.size();
  for (qsizetype i = 0; i + 1 < text.size(); ++i)
    if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) --n, ++i;
  return n;
}

QString Num(double v) { return FormatCalibrationNumber(v); }

QString RangeText(double low, double high, const QString& unit) {
  QString text = Num(low) + QStringLiteral(" to ") + Num(high);
  if (!unit.isEmpty()) text += QLatin1Char(' ') + unit;
  return text;
}

// What is wrong with a free-text field, or nothing.
std::optional<QString> TextProblem(const QString& text, const QString& what, int maxLength, bool required) {
  const QString trimmed = text.trimmed();
  if (required && trimmed.isEmpty()) return QStringLiteral("Enter the %1.").arg(what);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;  // a character beyond the first 65536, such as an emoji
      continue;
    }
    if (c.isSurrogate()) return QStringLiteral("The %1 holds characters that are not valid text.").arg(what);
    if (c.category() == QChar::Other_Control)
      return QStringLiteral("The %1 must not hold control characters such as line breaks or tabs.").arg(what);
  }
  if (CodePoints(trimmed) > maxLength)
    return QStringLiteral("The %1 may be at most %2 characters long.").arg(what).arg(maxLength);
  return std::nullopt;
}

struct Problems {
  std::vector<SetupProblem> list;
  void Add(SetupField field, const QString& message) { list.push_back({field, message}); }
  void Add(SetupField field, const std::optional<QString>& message) {
    if (message) list.push_back({field, *message});
  }
};

// The two ends of a span: both numbers, low below high, both inside [min, max].
void CheckSpan(Problems& p, double low, double high, SetupField lowField, SetupField highField,
               const QString& what, std::optional<std::pair<double, double>> range, const QString& unit) {
  bool lowOk = std::isfinite(low), highOk = std::isfinite(high);
  if (!lowOk) p.Add(lowField, QStringLiteral("Enter a number for the %1's lower range value.").arg(what));
  if (lowOk && range && !Inside(low, range->first, range->second)) {
    p.Add(lowField, QStringLiteral("The %1's lower range value must lie within %2.")
                        .arg(what, RangeText(range->first, range->second, unit)));
    lowOk = false;
  }
  if (!highOk) {
    p.Add(highField, QStringLiteral("Enter a number for the %1's upper range value.").arg(what));
  } else if (range && !Inside(high, range->first, range->second)) {
    p.Add(highField, QStringLiteral("The %1's upper range value must lie within %2.")
                         .arg(what, RangeText(range->first, range->second, unit)));
  } else if (lowOk && !(low < high)) {
    p.Add(highField, QStringLiteral("The %1's upper range value must be greater than its lower range value (%2).")
                         .arg(what, Num(low)));
  }
}

std::optional<QString> PointsProblem(const std::vector<double>& points) {
  if (points.size() < 2) return QStringLiteral("Give at least two test points.");
  for (size_t i = 0; i < points.size(); ++i) {
    const double p = points[i];
    const QString which = QStringLiteral("Test point %1").arg(i + 1);
    if (!std::isfinite(p)) return which + QStringLiteral(" is not a number.");
    if (p < 0.0 || p > 100.0) return which + QStringLiteral(" (%1 %) lies outside 0 to 100 %.").arg(Num(p));
    for (size_t j = 0; j < i; ++j)
      if (points[j] == p)
        return which + QStringLiteral(" (%1 %) repeats test point %2.").arg(Num(p)).arg(j + 1);
  }
  return std::nullopt;
}

// The instrument under test's resolution: half of it enters every point's
// uncertainty, so a run without it would understate U.
void ResolutionProblem(Problems& p, const CalibrationSetup& s, bool outputOk) {
  const QString unit = outputOk ? FunctionUnit(s.outputFunction, false) : QString();
  const QString inUnit = unit.isEmpty() ? QString() : QStringLiteral(" in ") + unit;
  if (s.resolution == 0.0) {
    // Setups saved before the resolution was kept read back with 0.
    p.Add(SetupField::Resolution,
          QStringLiteral("Enter the resolution of the instrument under test (the value of its last digit%1).")
              .arg(inUnit));
    return;
  }
  if (!std::isfinite(s.resolution) || s.resolution < 0.0) {
    p.Add(SetupField::Resolution, QStringLiteral("The resolution must be a number greater than 0."));
    return;
  }
  // A resolution coarser than the tolerance is refused rather than allowed:
  // such an instrument cannot show an error within the tolerance at all (its
  // half digit alone gives a test uncertainty ratio below 2), and in practice
  // it is a value entered in the wrong unit (1 for 0.001 mA).
  const double tolerance = ToleranceInOutputUnits(s);
  if (std::isfinite(tolerance) && tolerance > 0.0 && s.resolution > tolerance * (1.0 + 1e-9))
    p.Add(SetupField::Resolution,
          QStringLiteral("The resolution (%1%2) is larger than the tolerance (%3%2): check that it is given in "
                         "output units.")
              .arg(Num(s.resolution), unit.isEmpty() ? QString() : QLatin1Char(' ') + unit, Num(tolerance)));
}

}  // namespace

QString DecisionRuleText(DecisionRule rule) {
  return rule == DecisionRule::GuardBand ? QStringLiteral("guard-band") : QStringLiteral("simple");
}

std::optional<DecisionRule> DecisionRuleFromText(const QString& text) {
  if (text == QLatin1String("simple")) return DecisionRule::SimpleAcceptance;
  if (text == QLatin1String("guard-band")) return DecisionRule::GuardBand;
  return std::nullopt;
}

std::vector<SetupProblem> ValidateSetup(const CalibrationSetup& s, const RangeLookup& range) {
  Problems p;
  p.Add(SetupField::Tag, TextProblem(s.tag, QStringLiteral("tag"), kMaxTagLength, true));
  p.Add(SetupField::Description,
        TextProblem(s.description, QStringLiteral("description"), kMaxDescriptionLength, false));
  p.Add(SetupField::Technician,
        TextProblem(s.technician, QStringLiteral("technician's name"), kMaxTechnicianLength, false));

  const bool inputOk = IsLowerFunction(s.inputFunction);
  if (!inputOk)
    p.Add(SetupField::InputFunction, QStringLiteral("Choose one of the calibrator's source functions for the input."));
  else if (TakesWiring(s.inputFunction) && !IsWiringChoice(s.wiring))
    p.Add(SetupField::InputFunction, QStringLiteral("Choose a two-, three- or four-wire connection for the input."));
  std::optional<std::pair<double, double>> inputRange;
  if (inputOk && range) {
    double low = 0.0, high = 0.0;
    range(s.inputFunction, s.celsius, low, high);
    if (std::isfinite(low) && std::isfinite(high) && low < high) inputRange = {low, high};
  }
  CheckSpan(p, s.inputLow, s.inputHigh, SetupField::InputLow, SetupField::InputHigh, QStringLiteral("input"),
            inputRange, inputOk ? FunctionUnit(s.inputFunction, s.celsius) : QString());

  const bool outputOk = IsUpperFunction(s.outputFunction);
  if (!outputOk)
    p.Add(SetupField::OutputFunction,
          QStringLiteral("Choose the upper display's function for the output (Voltage, Current or Loop)."));
  std::optional<std::pair<double, double>> outputRange;
  if (outputOk)
    outputRange = s.outputFunction == fc::kUpperVoltage ? std::pair{0.0, 30.0} : std::pair{0.0, 24.0};
  CheckSpan(p, s.outputLow, s.outputHigh, SetupField::OutputLow, SetupField::OutputHigh, QStringLiteral("output"),
            outputRange, outputOk ? FunctionUnit(s.outputFunction, false) : QString());

  p.Add(SetupField::Points, PointsProblem(s.pointsPercent));

  if (!std::isfinite(s.tolerance) || s.tolerance <= 0.0)
    p.Add(SetupField::Tolerance, QStringLiteral("The tolerance must be a number greater than 0."));
  else if (s.toleranceUnit == ToleranceUnit::PercentOfSpan && s.tolerance > 100.0)
    p.Add(SetupField::Tolerance, QStringLiteral("The tolerance may be at most 100 % of span."));

  if (s.settle.readings < 1 || s.settle.readings > 100)
    p.Add(SetupField::SettleReadings, QStringLiteral("The settling rule takes 1 to 100 consecutive readings."));
  if (!(s.settle.bandFraction > 0.0 && s.settle.bandFraction <= 1.0))
    p.Add(SetupField::SettleBand,
          QStringLiteral("The settling band must be more than 0 and at most 1 times the tolerance."));
  if (!(s.settle.timeoutSeconds >= 1.0 && s.settle.timeoutSeconds <= 3600.0))
    p.Add(SetupField::SettleTimeout, QStringLiteral("The settling time limit must be 1 to 3600 s."));

  ResolutionProblem(p, s, outputOk);
  if (s.rule != DecisionRule::SimpleAcceptance && s.rule != DecisionRule::GuardBand)
    p.Add(SetupField::Rule, QStringLiteral("Choose simple acceptance or a guard band as the decision rule."));
  return p.list;
}

}  // namespace vorenx
