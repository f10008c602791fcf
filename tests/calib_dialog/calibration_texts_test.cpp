// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The dialog's number and test-point fields, and the texts of results.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cmath>

#include "calib_dialog/CalibrationTexts.h"

namespace vorenx {
namespace {

TEST(CalibrationTexts, TestPointsReadWithEitherSeparatorAndRefuseADecimalComma) {
  std::vector<double> points;
  QString error;
  ASSERT_TRUE(ParsePointsField(QStringLiteral(" 0, 25, 50, 75, 100 "), points, error));
  EXPECT_EQ(points, (std::vector<double>{0, 25, 50, 75, 100}));
  ASSERT_TRUE(ParsePointsField(QStringLiteral("0;12.5; 87.5 ;100"), points, error));
  EXPECT_EQ(points, (std::vector<double>{0, 12.5, 87.5, 100}));
  ASSERT_TRUE(ParsePointsField(QStringLiteral("100 50 0"), points, error));
  EXPECT_EQ(points, (std::vector<double>{100, 50, 0}));

  for (const char* bad : {"0, 12,5, 100", "", " ; ", "0, ten, 100", "0, 1e999", "nan"}) {
    SCOPED_TRACE(bad);
    points = {42};
    error.clear();
    EXPECT_FALSE(ParsePointsField(QString::fromUtf8(bad), points, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(points, std::vector<double>{42});  // left as it was
  }
}

TEST(CalibrationTexts, TestPointsReadBackAsTheyAreShown) {
  const std::vector<double> points{0, 12.5, 33.333333333333336, 100};
  std::vector<double> read;
  QString error;
  ASSERT_TRUE(ParsePointsField(PointsFieldText(points), read, error));
  EXPECT_EQ(read, points);
}

TEST(CalibrationTexts, ANumberFieldTakesOneDecimalMarkOfEitherKind) {
  double v = 0;
  EXPECT_TRUE(ParseNumberField(QStringLiteral(" 0,5 "), v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(ParseNumberField(QStringLiteral("-200"), v));
  EXPECT_EQ(v, -200.0);
  EXPECT_TRUE(ParseNumberField(QStringLiteral("1e-3"), v));
  EXPECT_EQ(v, 0.001);
  v = 7;
  for (const char* bad : {"", "1,000.5", "1,2,3", "4 mA", "inf", "1e400"}) {
    EXPECT_FALSE(ParseNumberField(QString::fromUtf8(bad), v)) << bad;
    EXPECT_EQ(v, 7);
  }
}

TEST(CalibrationTexts, NumbersAreWrittenWithAPointWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(NumberText(12.5), QStringLiteral("12.5"));
  EXPECT_EQ(ErrorText(-0.25), QStringLiteral("-0.250"));
  EXPECT_EQ(FixedText(20.16, 4), QStringLiteral("20.1600"));
  QLocale::setDefault(QLocale::c());
}

TEST(CalibrationTexts, ErrorsCarryTheirSignAndARoundedZeroHasNone) {
  EXPECT_EQ(ErrorText(0.1254), QStringLiteral("+0.125"));
  EXPECT_EQ(ErrorText(-0.0004), QStringLiteral("+0.000"));
  EXPECT_EQ(ErrorText(std::nan("")), QStringLiteral("\u2014"));
  EXPECT_EQ(FixedText(-0.00001, 3), QStringLiteral("0.000"));
}

TEST(CalibrationTexts, ColumnsNameTheUnitsOfTheSetup) {
  CalibrationSetup s;
  s.inputFunction = fc::kRtdFirst;
  s.celsius = false;
  s.outputFunction = fc::kUpperVoltage;
  const QStringList titles = ResultColumnTitles(s);
  EXPECT_EQ(titles[2], QStringLiteral("Applied (\u2109)"));
  EXPECT_EQ(titles[3], QStringLiteral("Expected (V)"));
  EXPECT_EQ(titles.size(), ResultCells(PointResult{}, 0.0).size());
}

TEST(CalibrationTexts, VerdictsOfPointsAndRuns) {
  PointResult good;
  good.pass = good.settled = true;
  good.measured = 12.0;
  PointResult bad = good;
  bad.pass = false;
  bad.errorPercent = -0.75;
  bad.percent = 75;
  bad.down = true;
  PointResult late = bad;
  late.settled = false;
  EXPECT_EQ(PointVerdictText(good), QStringLiteral("Pass"));
  EXPECT_EQ(PointVerdictText(bad), QStringLiteral("Fail"));
  EXPECT_EQ(PointVerdictText(late), QStringLiteral("Fail (not settled)"));

  RunResult run;
  run.kind = RunKind::AsLeft;
  run.points = {good};
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("INCOMPLETE"));
  run.complete = true;
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("PASS"));
  run.points.push_back(bad);
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("FAIL"));
  EXPECT_TRUE(RunSummaryText(run).contains(QStringLiteral("-0.750 % of span at 75 % down")));
  run.complete = false;
  run.endReason = QStringLiteral("Aborted by the user");
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("FAIL"));
  EXPECT_TRUE(RunSummaryText(run).endsWith(QStringLiteral("Ended early: Aborted by the user.")));
}

// A ratio is never shown better than it is, least of all across 4:1.
TEST(CalibrationTexts, RatiosAreCutDownToTwoDigitsAndAMissingUncertaintyIsSaid) {
  PointResult p;
  EXPECT_EQ(UncertaintyText(p), QStringLiteral("not recorded"));
  EXPECT_EQ(TurText(p), QStringLiteral("not recorded"));
  EXPECT_FALSE(TurBelowMinimum(p));
  p.uncertainty = PointUncertainty{};
  p.uncertainty->expanded = 0.0;
  EXPECT_EQ(TurText(p), QStringLiteral("\u2014"));  // U of 0: no ratio
  EXPECT_FALSE(TurBelowMinimum(p));
  const std::pair<double, const char*> ratios[] = {
      {3.999, "3.9:1"}, {4.0, "4.0:1"}, {12.7, "12:1"}, {0.857, "0.85:1"}, {250.0, "250:1"}, {1.0, "1.0:1"}};
  for (const auto& [tur, text] : ratios) {
    p.uncertainty->tur = tur;
    EXPECT_EQ(TurText(p), QString::fromUtf8(text)) << tur;
    EXPECT_EQ(TurBelowMinimum(p), tur < 4.0) << tur;
  }
}

TEST(CalibrationTexts, ARunUndecidedAtSomePointsIsIndeterminateOnlyWhenComplete) {
  PointResult good;
  good.pass = good.settled = true;
  good.verdict = PointVerdict::Pass;
  PointResult between = good;
  between.pass = false;
  between.verdict = PointVerdict::Indeterminate;
  EXPECT_EQ(PointVerdictText(between), QStringLiteral("Indeterminate"));
  RunResult run;
  run.points = {good, between, between};
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("INCOMPLETE"));
  run.complete = true;
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("INDETERMINATE"));
  EXPECT_TRUE(RunSummaryText(run).startsWith(
      QStringLiteral("As-found: INDETERMINATE (conformity could not be decided at 2 points).")));
  run.points.back().verdict = PointVerdict::Fail;
  EXPECT_EQ(RunVerdictText(run), QStringLiteral("FAIL"));
}

TEST(CalibrationTexts, TimesShowTheirOffsetFromUtc) {
  const QDateTime t(QDate(2026, 12, 8), QTime(9, 3, 7), QTimeZone(-(3 * 3600 + 1800)));
  EXPECT_EQ(DateTimeText(t), QStringLiteral("2026-12-08 09:03:07 (UTC-03:30)"));
}

TEST(CalibrationTexts, AnInterruptedRunSaysWhenAndForHowLong) {
  RunResult run;
  EXPECT_TRUE(InterruptionsText(run).isEmpty());
  const QTimeZone zone(3600);
  const QDateTime from(QDate(2026, 12, 8), QTime(9, 10, 0), zone);
  run.interruptions = {{from, from.addSecs(75)}, {from.addSecs(3600), QDateTime()}};
  EXPECT_EQ(InterruptionsText(run),
            QStringLiteral("Interrupted: the calibrator stopped answering at 2026-12-08 09:10:00 (UTC+01:00) for "
                           "1 min 15 s, at 2026-12-08 10:10:00 (UTC+01:00) until the run ended."));
  EXPECT_EQ(DurationText(9), QStringLiteral("9 s"));
  EXPECT_EQ(DurationText(2 * 3600 + 10 * 60 + 5), QStringLiteral("2 h 10 min"));
}

}  // namespace
}  // namespace vorenx
