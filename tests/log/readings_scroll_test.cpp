// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings table while someone reads it: a reader scrolled down to older
// rows keeps them in place as new readings arrive at the top; a reader at the
// top sees each new reading.
#include <QApplication>
#include <QTest>

#include "LogTestSupport.h"

using namespace vorenx;
using vorenx::testing::ReadingsLogTest;

namespace {

class ReadingsScroll : public ReadingsLogTest {
 protected:
  void Show() {
    grid.resize(360, 200);
    grid.show();
    QApplication::processEvents();
  }
  QString FirstVisibleTime() { return grid.CellText(grid.TopLeftCell().row, 1); }
};

}  // namespace

TEST_F(ReadingsScroll, AReaderScrolledDownKeepsTheFirstVisibleRow) {
  Show();
  for (int i = 0; i < 200; ++i) Reading(QString("t%1").arg(i), "1.000V", "2.000V");
  grid.OnVScroll(SB_THUMBPOSITION, 20 * 50);
  const QString reading = FirstVisibleTime();
  const int position = grid.ScrollPos(Qt::Vertical);
  ASSERT_EQ(reading, "t149");
  for (int i = 200; i < 205; ++i) {
    Reading(QString("t%1").arg(i), "1.000V", "2.000V");
    EXPECT_EQ(FirstVisibleTime(), reading) << i;
  }
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), position + 5 * 20);
  // Scrolled to the very bottom: still in place.
  grid.OnVScroll(SB_BOTTOM);
  const QString last = FirstVisibleTime();
  Reading("t205", "1.000V", "2.000V");
  EXPECT_EQ(FirstVisibleTime(), last);
}

TEST_F(ReadingsScroll, AtTheTopTheNewestReadingComesIntoView) {
  Show();
  for (int i = 0; i < 50; ++i) Reading(QString("t%1").arg(i), "1.000V", "2.000V");
  ASSERT_EQ(grid.ScrollPos(Qt::Vertical), 0);
  Reading("newest", "1.000V", "2.000V");
  EXPECT_EQ(grid.TopLeftCell().row, 1);
  EXPECT_EQ(FirstVisibleTime(), "newest");
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 0);
}

TEST_F(ReadingsScroll, ClicksAndKeysSelectNothingAndResizeNothing) {
  Show();
  for (int i = 0; i < 30; ++i) Reading(QString("t%1").arg(i), "1.000V", "2.000V");
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(100, 50));
  QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
  // The divider between Time and Upper (x 152) cannot be dragged.
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, QPoint(152, 10));
  QTest::mouseMove(grid.viewport(), QPoint(250, 10));
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, QPoint(250, 10));
  EXPECT_EQ(grid.ColumnWidth(1), 105);
}
