// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The results table: runs with verdicts and drift, hysteresis, the keyboard focus.
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include "CalibDialogFakes.h"
#include "calib_dialog/CalibrationResultsTable.h"

namespace vorenx {
namespace {

RunResult SyntheticRun(RunKind kind, int points, double gain, bool down) {
  RunResult run;
  run.kind = kind;
  run.started = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
  run.finished = run.started.addSecs(300);
  run.complete = true;
  for (int i = 0; i < points; ++i) {
    PointResult p;
    p.percent = 100.0 * i / std::max(points - 1, 1);
    p.down = down && i >= points / 2;
    p.applied = p.percent;
    p.expected = 4 + 0.16 * p.percent;
    p.measured = 4 + gain * 0.16 * p.percent;
    p.errorPercent = (p.measured - p.expected) / 16 * 100;
    p.settled = true;
    p.pass = std::abs(p.errorPercent) <= 0.5;
    run.points.push_back(p);
  }
  return run;
}

TEST(CalibrationResultsTableTest, ShowsRunsWithVerdictsAndDrift) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  record.asFound = SyntheticRun(RunKind::AsFound, 6, 1.01, true);
  record.asLeft = SyntheticRun(RunKind::AsLeft, 6, 1.0, false);
  RunResult previous = SyntheticRun(RunKind::AsLeft, 6, 1.0, true);
  CalibrationResultsTable table;
  table.ShowRecord(record, previous);
  ASSERT_EQ(table.rowCount(), 2 * (1 + 6 + 1));
  EXPECT_EQ(table.KindOfRow(0), CalibrationResultsTable::RowKind::RunTitle);
  EXPECT_TRUE(table.item(0, 0)->text().startsWith(QStringLiteral("As-found (drift against the last complete as-left")))
      << table.item(0, 0)->text().toStdString();
  EXPECT_EQ(table.KindOfRow(7), CalibrationResultsTable::RowKind::Verdict);
  EXPECT_TRUE(table.item(7, 0)->text().startsWith(QStringLiteral("As-found: FAIL.")));
  // Top point: 1 % high, drift 1 % against a perfect as-left, failed in red.
  EXPECT_EQ(table.item(6, 5)->text(), QStringLiteral("+1.000"));
  EXPECT_EQ(table.item(6, 6)->text(), QStringLiteral("+1.000"));
  EXPECT_EQ(table.item(6, 9)->text(), QStringLiteral("Fail"));
  EXPECT_NE(table.item(6, 9)->foreground().color(), table.item(1, 9)->foreground().color());
  // The as-left has no drift column of its own.
  EXPECT_EQ(table.item(9, 6)->text(), QStringLiteral("\u2014"));
  EXPECT_TRUE(table.item(15, 0)->text().startsWith(QStringLiteral("As-left: PASS.")));
}

TEST(CalibrationResultsTableTest, AVerdictLineGivesTheHysteresisOfPointsRunBothWays) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  RunResult run = SyntheticRun(RunKind::AsFound, 3, 1.0, false);  // 0, 50, 100 up
  for (double percent : {50.0, 0.0}) {
    PointResult p = run.points[percent == 0.0 ? 0 : 1];
    p.down = true;
    p.errorPercent = percent == 50.0 ? -0.3 : 0.1;
    p.measured = p.expected + p.errorPercent * 0.16;
    run.points.push_back(p);
  }
  record.asFound = run;
  CalibrationResultsTable table;
  table.ShowRecord(record, std::nullopt);
  const QString verdict = table.item(table.rowCount() - 1, 0)->text();
  EXPECT_TRUE(verdict.contains(QStringLiteral("Hysteresis 0.300 % of span"))) << verdict.toStdString();
  EXPECT_EQ(table.item(4, 1)->text(), QStringLiteral("down"));
}

// The keyboard focus shows as a frame of the highlight colour, 2 pixels wide,
// inside the edge of the cells' area, with or without rows, and only while the
// table has it.
TEST(CalibrationResultsTableTest, TheKeyboardFocusShowsAsAHighlightFrame) {
  CalibrationResultsTable table;
  table.resize(600, 300);
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
  const QColor highlight = table.palette().color(QPalette::Highlight);
  const auto edges = [&] {
    const QImage image = table.viewport()->grab().toImage();
    const int w = image.width(), h = image.height();
    int count = 0;
    for (QPoint p : {QPoint(w / 2, 0), QPoint(w / 2, 1), QPoint(0, h / 2), QPoint(1, h / 2), QPoint(w - 1, h / 2),
                     QPoint(w - 2, h / 2), QPoint(w / 2, h - 1), QPoint(w / 2, h - 2)})
      count += image.pixelColor(p) == highlight;
    EXPECT_NE(image.pixelColor(w / 2, h / 2), highlight);
    return count;
  };
  for (bool rows : {false, true}) {
    SCOPED_TRACE(rows ? "with rows" : "empty");
    if (rows) {
      CalibrationRecord record;
      record.setup = testing::DialogSetup();
      record.asFound = SyntheticRun(RunKind::AsFound, 20, 1.0, true);
      table.ShowRecord(record, std::nullopt);
    }
    table.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(table.hasFocus());
    EXPECT_EQ(edges(), 8);
    table.clearFocus();
    EXPECT_EQ(edges(), 0);
  }
}

// The uncertainty columns: U with two digits, the ratio marked under 4:1, an
// indeterminate point neither in the pass nor in the fail colour, and a run
// recorded without uncertainties saying so rather than showing a number.
TEST(CalibrationResultsTableTest, ShowsUncertaintyRatioAndVerdictWithTheLowRatiosMarked) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  record.setup.rule = DecisionRule::GuardBand;
  record.asFound = SyntheticRun(RunKind::AsFound, 4, 1.0, false);
  const struct {
    double expanded;
    double tur;
    PointVerdict verdict;
  } known[] = {{0.01234, 6.48, PointVerdict::Pass},
               {0.025, 3.2, PointVerdict::Pass},
               {0.0202, 3.96, PointVerdict::Indeterminate},
               {0.03, 2.6, PointVerdict::Fail}};
  for (int i = 0; i < 4; ++i) {
    PointResult& p = record.asFound->points[i];
    p.uncertainty = PointUncertainty{};
    p.uncertainty->expanded = known[i].expanded;
    p.uncertainty->tur = known[i].tur;
    p.verdict = known[i].verdict;
    p.pass = known[i].verdict == PointVerdict::Pass;
  }
  record.asLeft = SyntheticRun(RunKind::AsLeft, 2, 1.0, false);  // from before uncertainties were kept
  CalibrationResultsTable table;
  table.ShowRecord(record, std::nullopt);
  const int u = CalibrationResultsTable::kUncertaintyColumn, tur = CalibrationResultsTable::kTurColumn;
  EXPECT_EQ(table.horizontalHeaderItem(u)->text(), QStringLiteral("U (mA)"));
  EXPECT_EQ(table.horizontalHeaderItem(tur)->text(), QStringLiteral("TUR"));
  EXPECT_EQ(table.horizontalHeaderItem(table.columnCount() - 1)->text(), QStringLiteral("Result"));
  QStringList us, turs, verdicts;
  for (int r = 1; r <= 4; ++r) {
    us << table.item(r, u)->text();
    turs << table.item(r, tur)->text();
    verdicts << table.item(r, table.columnCount() - 1)->text();
  }
  EXPECT_EQ(us, (QStringList{"0.012", "0.025", "0.020", "0.030"}));
  EXPECT_EQ(turs, (QStringList{"6.4:1", "3.2:1", "3.9:1", "2.6:1"}));
  EXPECT_EQ(verdicts, (QStringList{"Pass", "Pass", "Indeterminate", "Fail"}));
  // Only the ratios under 4:1 are marked, each with the reason in its tooltip.
  EXPECT_TRUE(table.item(1, tur)->toolTip().isEmpty());
  for (int r = 2; r <= 4; ++r) {
    EXPECT_EQ(table.item(r, tur)->toolTip(), QStringLiteral("test uncertainty ratio under 4:1")) << r;
    EXPECT_NE(table.item(r, tur)->background(), table.item(1, tur)->background()) << r;
  }
  const QColor passColour = table.item(1, 0)->foreground().color();
  const QColor undecided = table.item(3, 0)->foreground().color();
  const QColor failColour = table.item(4, 0)->foreground().color();
  EXPECT_NE(undecided, passColour);
  EXPECT_NE(undecided, failColour);
  EXPECT_NE(failColour, passColour);
  EXPECT_EQ(table.item(5, 0)->text().left(16), QStringLiteral("As-found: FAIL. "));
  record.asFound->points.pop_back();  // without the failing point the run is undecided
  table.ShowRecord(record, std::nullopt);
  EXPECT_TRUE(table.item(4, 0)->text().startsWith(
      QStringLiteral("As-found: INDETERMINATE (conformity could not be decided at 1 point).")))
      << table.item(4, 0)->text().toStdString();
  EXPECT_EQ(table.item(4, 0)->foreground().color(), undecided);
  // The as-left's points were recorded without uncertainties.
  EXPECT_EQ(table.item(6, u)->text(), QStringLiteral("not recorded"));
  EXPECT_EQ(table.item(6, tur)->text(), QStringLiteral("not recorded"));
  EXPECT_TRUE(table.item(6, tur)->toolTip().isEmpty());
  EXPECT_EQ(table.item(6, table.columnCount() - 1)->text(), QStringLiteral("Pass"));

  table.resize(1000, 320);
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(table.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/calibration-results-uncertainty.png")));
}

}  // namespace
}  // namespace vorenx
