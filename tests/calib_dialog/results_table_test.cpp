// The results table: runs with verdicts and drift, hysteresis, the keyboard focus.
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
  EXPECT_EQ(table.item(6, 7)->text(), QStringLiteral("Fail"));
  EXPECT_NE(table.item(6, 7)->foreground().color(), table.item(1, 7)->foreground().color());
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

}  // namespace
}  // namespace vorenx
