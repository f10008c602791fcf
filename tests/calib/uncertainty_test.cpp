// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The uncertainty budget against worked examples computed by hand, the
// decision rules at their limits, and the run's verdict from mixed points.

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cmath>

#include "calib/CalibrationResult.h"
#include "calib/Uncertainty.h"

namespace vorenx {
namespace {

using Source = UncertaintyContribution::Source;

const UncertaintyContribution* Find(const PointUncertainty& u, Source s) {
  for (const auto& c : u.contributions)
    if (c.source == s) return &c;
  return nullptr;
}

// A 4-20 mA transmitter on a Pt100 input over 0-100 ℃, read as current, with
// a 0.001 mA resolution and the default table: source Pt100 ± 0.2 ℃, measure
// mA ± (0.02 % + 0.002 mA).
CalibrationSetup Pt100Transmitter() {
  CalibrationSetup s;
  s.inputFunction = fc::kRtdFirst;
  s.wiring = fc::kFourWire;
  s.inputLow = 0.0;
  s.inputHigh = 100.0;
  s.outputFunction = fc::kUpperCurrent;
  s.outputLow = 4.0;
  s.outputHigh = 20.0;
  s.tolerance = 0.5;  // % of span: 0.08 mA
  s.resolution = 0.001;
  return s;
}

TEST(Uncertainty, Pt100TransmitterBudgetAtBothEndsMatchesTheHandCalculation) {
  const CalibrationSetup s = Pt100Transmitter();
  const double r3 = std::sqrt(3.0);
  struct Case {
    double applied, measured, measureHalfWidth;
  } cases[] = {{0.0, 4.003, 4.003 * 0.0002 + 0.002}, {100.0, 19.996, 19.996 * 0.0002 + 0.002}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.applied);
    const PointUncertainty u =
        EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {c.applied, c.measured, 0.0004, 4});
    ASSERT_EQ(u.contributions.size(), 4u);
    const auto* src = Find(u, Source::CalibratorSource);
    ASSERT_TRUE(src);
    EXPECT_DOUBLE_EQ(src->standard, 0.2 / r3);           // ℃
    EXPECT_DOUBLE_EQ(src->sensitivity, 0.16);            // 16 mA over 100 ℃
    EXPECT_NEAR(src->contribution, 0.0184752, 1e-7);     // mA
    EXPECT_NEAR(Find(u, Source::CalibratorMeasure)->standard, c.measureHalfWidth / r3, 1e-12);
    EXPECT_NEAR(Find(u, Source::Resolution)->standard, 0.0005 / r3, 1e-12);
    EXPECT_NEAR(Find(u, Source::Repeatability)->standard, 0.0002, 1e-12);  // 0.0004 / √4
    const double uc = std::sqrt(std::pow(0.2 / r3 * 0.16, 2) + std::pow(c.measureHalfWidth / r3, 2) +
                                std::pow(0.0005 / r3, 2) + 0.0002 * 0.0002);
    EXPECT_NEAR(u.combined, uc, 1e-12);
    EXPECT_NEAR(u.expanded, 2.0 * uc, 1e-12);
    EXPECT_NEAR(u.expandedPercentOfSpan, 2.0 * uc / 16.0 * 100.0, 1e-10);
    ASSERT_TRUE(u.tur);
    EXPECT_NEAR(*u.tur, 0.08 / (2.0 * uc), 1e-10);
    EXPECT_LT(*u.tur, kMinimumTur);  // about 2.1: the Pt100 source dominates
  }
  // By hand at 0 ℃: U = 2 √(0.018475² + 0.0016213² + 0.000289² + 0.0002²) = 0.0371 mA.
  EXPECT_EQ(FormatUncertainty(EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {0.0, 4.003, 0.0004, 4}).expanded),
            "0.037");
}

TEST(Uncertainty, SquareRootOutputTakesItsSensitivityAndAtZeroOnlyTheOutputSide) {
  CalibrationSetup s;  // 0-10 V in, 4-20 mA out, square root
  s.inputFunction = fc::kVolt;
  s.inputLow = 0.0;
  s.inputHigh = 10.0;
  s.transfer = OutputTransfer::SquareRoot;
  s.resolution = 0.001;
  const double r3 = std::sqrt(3.0);

  // At 25 % (2.5 V): dOut/dIn = 16 / (2 √0.25 · 10) = 1.6 mA/V; source ± (0.02 % · 2.5 + 0.002) V.
  PointUncertainty u = EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {2.5, 12.0, std::nullopt, 0});
  ASSERT_EQ(u.contributions.size(), 3u);  // no repeatability without readings
  EXPECT_DOUBLE_EQ(Find(u, Source::CalibratorSource)->sensitivity, 1.6);
  EXPECT_NEAR(Find(u, Source::CalibratorSource)->contribution, 1.6 * 0.0025 / r3, 1e-12);
  EXPECT_FALSE(u.outputSideOnly);

  // At 0 % the sensitivity is unbounded: U from the output side alone.
  u = EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {0.0, 4.0, std::nullopt, 0});
  EXPECT_TRUE(u.outputSideOnly);
  EXPECT_FALSE(Find(u, Source::CalibratorSource));
  const double uc = std::sqrt(std::pow((4.0 * 0.0002 + 0.002) / r3, 2) + std::pow(0.0005 / r3, 2));
  EXPECT_NEAR(u.expanded, 2.0 * uc, 1e-12);
}

TEST(Uncertainty, AFunctionWithoutATableEntryIsNamedAndAFahrenheitRunTakesItsFloorInFahrenheit) {
  CalibrationSetup s = Pt100Transmitter();
  QString missing;
  PointUncertainty u = EvaluatePointUncertainty(s, {}, {50.0, 12.0, std::nullopt, 0}, &missing);
  EXPECT_EQ(missing, "PT100/385, Current");
  ASSERT_EQ(u.contributions.size(), 1u);  // the resolution alone

  s.celsius = false;  // 32-212 ℉: ± 0.2 ℃ is ± 0.36 ℉
  s.inputLow = 32.0;
  s.inputHigh = 212.0;
  u = EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {122.0, 12.0, std::nullopt, 0});
  EXPECT_NEAR(Find(u, Source::CalibratorSource)->halfWidth, 0.36, 1e-12);
}

TEST(Uncertainty, AnAccuracyTableMustCoverTheRunsSpansWithoutGaps) {
  CalibrationSetup s = Pt100Transmitter();
  EXPECT_TRUE(ValidateAccuracyTable(s, DefaultAccuracySpecs()).empty());
  const AccuracySpec pt100{fc::kRtdFirst, -200.0, 100.0, 0.0, 0.2};
  const AccuracySpec lowMa{fc::kUpperCurrent, 0.0, 10.0, 0.02, 0.002};
  const AccuracySpec highMa{fc::kUpperCurrent, 10.0, 24.0, 0.02, 0.002};
  EXPECT_TRUE(ValidateAccuracyTable(s, {highMa, pt100, lowMa}).empty());  // in any order

  // A table kept in ℃ covers a ℉ run up to 212 ℉ (100 ℃), not beyond.
  s.celsius = false;
  s.inputLow = 32.0;
  s.inputHigh = 212.0;
  EXPECT_TRUE(ValidateAccuracyTable(s, {pt100, lowMa, highMa}).empty());
  s.inputHigh = 213.0;
  auto problems = ValidateAccuracyTable(s, {pt100, lowMa, highMa});
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].field, SetupField::InputFunction);
  EXPECT_TRUE(problems[0].message.contains("PT100/385 from 32 to 213 ℉")) << problems[0].message.toStdString();

  // A gap between 10 and 10.5 mA, and a broken entry, at the output's field.
  s = Pt100Transmitter();
  AccuracySpec gap = highMa;
  gap.rangeLow = 10.5;
  problems = ValidateAccuracyTable(s, {pt100, lowMa, gap});
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].field, SetupField::OutputFunction);
  EXPECT_TRUE(problems[0].message.contains("Current from 3.92 to 20.08 mA")) << problems[0].message.toStdString();
  AccuracySpec negative = highMa;
  negative.floor = -0.002;
  problems = ValidateAccuracyTable(s, {pt100, lowMa, negative});
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].message.contains("cannot be used")) << problems[0].message.toStdString();
}

TEST(Uncertainty, SpecEntriesAndEnvironmentAreCheckedAtTheirFields) {
  EXPECT_TRUE(AccuracySpecProblem({fc::kVolt, 0.0, 10.0, 0.02, 0.001}).isEmpty());
  EXPECT_NE(AccuracySpecProblem({fc::kVolt, 0.0, 10.0, 0.02, -0.001}), "");
  EXPECT_NE(AccuracySpecProblem({fc::kVolt, 0.0, 10.0, -0.02, 0.001}), "");
  EXPECT_NE(AccuracySpecProblem({fc::kVolt, 10.0, 10.0, 0.02, 0.001}), "");
  EXPECT_NE(AccuracySpecProblem({4, 0.0, 10.0, 0.02, 0.001}), "");
  for (const AccuracySpec& d : DefaultAccuracySpecs()) EXPECT_EQ(AccuracySpecProblem(d), "") << int(d.function);

  EXPECT_TRUE(ValidateEnvironment({23.0, 45.0}).empty());
  const auto missing = ValidateEnvironment({});
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0].field, SetupField::AmbientTemperature);
  EXPECT_EQ(missing[1].field, SetupField::Humidity);
  const auto outside = ValidateEnvironment({60.0, 101.0});
  ASSERT_EQ(outside.size(), 2u);
  EXPECT_EQ(outside[0].message, "The ambient temperature must lie between -10 and 50 ℃.");
  EXPECT_EQ(ValidateEnvironment({std::nan(""), 50.0}).size(), 1u);
}

TEST(DecisionRule, EachLimitBothSigns) {
  const double tol = 0.5, U = 0.1;
  for (double sign : {1.0, -1.0}) {
    SCOPED_TRACE(sign);
    EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, sign * (tol - U), tol, U), PointVerdict::Pass);
    EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, sign * (tol - U + 1e-6), tol, U), PointVerdict::Indeterminate);
    EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, sign * tol, tol, U), PointVerdict::Indeterminate);
    EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, sign * (tol + U), tol, U), PointVerdict::Indeterminate);
    EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, sign * (tol + U + 1e-6), tol, U), PointVerdict::Fail);
    EXPECT_EQ(DecidePoint(DecisionRule::SimpleAcceptance, sign * tol, tol, U), PointVerdict::Pass);
    EXPECT_EQ(DecidePoint(DecisionRule::SimpleAcceptance, sign * (tol + 1e-6), tol, U), PointVerdict::Fail);
  }
  // U larger than the tolerance: nothing can pass under the guard band.
  EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, 0.0, 0.1, 0.2), PointVerdict::Indeterminate);
  EXPECT_EQ(DecidePoint(DecisionRule::GuardBand, std::nan(""), tol, U), PointVerdict::Fail);
}

TEST(DecisionRule, RunVerdictFromMixedPoints) {
  auto point = [](PointVerdict v) {
    PointResult p;
    p.verdict = v;
    p.pass = v == PointVerdict::Pass;
    return p;
  };
  RunResult run;
  run.complete = true;
  run.points = {point(PointVerdict::Pass), point(PointVerdict::Indeterminate), point(PointVerdict::Pass)};
  EXPECT_EQ(RunVerdict(run), PointVerdict::Indeterminate);
  run.points.push_back(point(PointVerdict::Fail));
  EXPECT_EQ(RunVerdict(run), PointVerdict::Fail);
  run.points = {point(PointVerdict::Pass)};
  EXPECT_EQ(RunVerdict(run), PointVerdict::Pass);
  run.complete = false;
  EXPECT_EQ(RunVerdict(run), PointVerdict::Fail);
  // A record from before per-point verdicts: its `pass` decides.
  RunResult old;
  old.complete = true;
  old.points.resize(2);
  old.points[0].pass = old.points[1].pass = true;
  EXPECT_EQ(RunVerdict(old), PointVerdict::Pass);
}

// The default table a lab reads in docs/uncertainty.md is the one runs use.
TEST(Uncertainty, TheDocumentedDefaultTableIsTheOneInUse) {
  QFile doc(QStringLiteral(VORENX_DOCS_DIR "/uncertainty.md"));
  ASSERT_TRUE(doc.open(QIODevice::ReadOnly | QIODevice::Text));
  const QString text = QString::fromUtf8(doc.readAll());
  const qsizetype marker = text.indexOf(QStringLiteral("<!-- default-accuracy-table"));
  ASSERT_GE(marker, 0);
  std::vector<AccuracySpec> documented;
  const QRegularExpression row(QStringLiteral("^\\| (\\d+) \\| [^|]+ \\| ([^|]+) \\| ([-0-9.]+) \\| ([-0-9.]+) \\S+ \\|$"));
  for (const QString& line : text.mid(marker).split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch m = row.match(line);
    if (!m.hasMatch()) continue;
    AccuracySpec entry{static_cast<FunctionCode>(m.captured(1).toInt()), 0.0, 1.0e9, m.captured(3).toDouble(),
                      m.captured(4).toDouble()};
    const QString range = m.captured(2).trimmed();
    if (range != QLatin1String("any")) {
      const QStringList ends = range.split(QLatin1Char(' '));
      ASSERT_EQ(ends.size(), 4) << range.toStdString();  // "-273.15 to 2500 ℃"
      entry.rangeLow = ends[0].toDouble();
      entry.rangeHigh = ends[2].toDouble();
    }
    documented.push_back(entry);
  }
  EXPECT_EQ(documented, DefaultAccuracySpecs());
}

TEST(Uncertainty, TwoSignificantDigits) {
  EXPECT_EQ(FormatUncertainty(0.037104), "0.037");
  EXPECT_EQ(FormatUncertainty(0.0996), "0.10");
  EXPECT_EQ(FormatUncertainty(1.549), "1.5");
  EXPECT_EQ(FormatUncertainty(23.4), "23");
  EXPECT_EQ(FormatUncertainty(156.0), "160");
  EXPECT_DOUBLE_EQ(RoundUncertainty(0.0996), 0.1);
}

}  // namespace
}  // namespace vorenx
