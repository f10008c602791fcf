// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The grid under real mouse events: selecting, header clicks, dividers,
// auto-scrolling, the wheel, double and right clicks, notifications.
#include <QTimerEvent>
#include <QWheelEvent>

#include "GridTestSupport.h"

using namespace vorenx;
using vorenx::testing::GridWidgetTest;

namespace {

class GridMouse : public GridWidgetTest {};

}  // namespace

TEST_F(GridMouse, WithSelectionOffNothingIsEverSelected) {
  Layout(10, 4);
  grid.AllowSelection(false);
  Click(2, 2);
  Click(4, 3, Qt::ShiftModifier);
  QTest::mousePress(View(), Qt::LeftButton, {}, Centre(1, 1));
  QTest::mouseMove(View(), Centre(5, 3));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(5, 3));
  Click(0, 2);  // a column header
  Click(3, 0);  // a row header
  Click(0, 0);  // the corner
  Click(2, 2);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_A, Qt::ControlModifier);
  grid.SelectAll();
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColumnCount(); ++c) ASSERT_EQ(grid.CellState(r, c) & CellSelected, 0u) << r << "," << c;
  // The focus still moves.
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 2}));
}

TEST_F(GridMouse, ClicksSelectShiftExtendsAndCtrlDeselects) {
  Layout(10, 5);
  Click(1, 1);
  EXPECT_EQ(grid.FocusCell(), (CCellID{1, 1}));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 1, 1}));
  Click(3, 3, Qt::ShiftModifier);
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 3, 3}));
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 3}));
  Click(2, 2, Qt::ControlModifier);
  EXPECT_FALSE(Selected(2, 2));
  EXPECT_TRUE(Selected(1, 1));
  EXPECT_TRUE(Selected(3, 3));
  EXPECT_TRUE(Selected(2, 3));
  // A plain click starts again from the clicked cell.
  Click(4, 4);
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{4, 4, 4, 4}));
  // Dragging spans the rectangle from the press.
  QTest::mousePress(View(), Qt::LeftButton, {}, Centre(2, 1));
  QTest::mouseMove(View(), Centre(4, 2));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(4, 2));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{2, 1, 4, 2}));
  EXPECT_EQ(grid.FocusCell(), (CCellID{4, 2}));
}

TEST_F(GridMouse, HeaderClicksClearTheFocusAndSelectWholeRowsOrColumns) {
  Layout(10, 5);
  Click(2, 2);
  ASSERT_TRUE(grid.FocusCell().IsValid());
  Click(0, 3);
  EXPECT_FALSE(grid.FocusCell().IsValid());
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 3, 9, 3}));
  Click(4, 0);
  EXPECT_FALSE(grid.FocusCell().IsValid());
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{4, 1, 4, 4}));
  Click(0, 0);
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 9, 4}));
}

TEST_F(GridMouse, DraggingAColumnDividerResizesHidesOrKeepsOnePixel) {
  Layout(6, 4);
  // Column 2 covers x 100..149; its divider is at its right edge.
  const QPoint divider(149, 10);
  const auto drag = [&](QPoint to) {
    Hover(divider);
    ASSERT_EQ(grid.CurrentMouseMode(), MouseOverColumnDivider);
    QTest::mousePress(View(), Qt::LeftButton, {}, divider);
    ASSERT_EQ(grid.CurrentMouseMode(), MouseSizingColumn);
    QTest::mouseMove(View(), to);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, to);
    EXPECT_EQ(grid.CurrentMouseMode(), MouseNone);
  };
  drag(QPoint(170, 10));
  EXPECT_EQ(grid.ColumnWidth(2), 70);
  grid.ChangeColumnWidth(2, 50);
  drag(QPoint(60, 10));  // left of the column's start
  EXPECT_EQ(grid.ColumnWidth(2), 0);
  grid.ChangeColumnWidth(2, 50);
  grid.AllowHideColumns(false);
  drag(QPoint(60, 10));
  EXPECT_EQ(grid.ColumnWidth(2), 1);
  // Off: no divider to grab, the press selects the column instead.
  grid.ChangeColumnWidth(2, 50);
  grid.AllowColumnResize(false);
  Hover(divider);
  EXPECT_EQ(grid.CurrentMouseMode(), MouseNone);
}

TEST_F(GridMouse, DoubleClickOnADividerAutoSizesTheColumn) {
  Layout(4, 3);
  grid.ChangeCellText(2, 1, "a rather long text in this cell");
  Hover(QPoint(99, 10));
  QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(99, 10));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(99, 10));
  EXPECT_EQ(grid.ColumnWidth(1), grid.CellAt(2, 1)->MeasureCell().width());
  EXPECT_GT(grid.ColumnWidth(1), 100);
}

TEST_F(GridMouse, HoldingTheButtonBelowTheCellsScrollsARowPerTick) {
  Layout(30, 4);
  // Rows 1..9 are in view (y 20..199); press on row 9, then go below.
  QTest::mousePress(View(), Qt::LeftButton, {}, Centre(9, 1));
  ASSERT_NE(grid.AutoScrollTimerId(), 0);
  QTest::mouseMove(View(), QPoint(75, 260));
  for (int tick = 1; tick <= 3; ++tick) {
    QTimerEvent event(grid.AutoScrollTimerId());
    QApplication::sendEvent(&grid, &event);
    EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 20 * tick) << tick;
    EXPECT_EQ(grid.TopLeftCell().row, 1 + tick);
    EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{9, 1, 9 + tick, 1})) << tick;
  }
  QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(75, 260));
  EXPECT_EQ(grid.AutoScrollTimerId(), 0);
}

TEST_F(GridMouse, OneWheelNotchScrollsTheSystemsLines) {
  Layout(40, 4);
  grid.SetWheelScrollLines(3);
  const auto turn = [&](int delta) {
    QWheelEvent wheel(QPointF(100, 100), grid.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &wheel);
  };
  turn(-120);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 60);
  EXPECT_EQ(grid.TopLeftCell().row, 4);
  turn(120);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 0);
  grid.SetWheelScrollLines(-1);  // a page per notch
  turn(-120);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), grid.ScrollPage(Qt::Vertical));
}

TEST_F(GridMouse, AClickNotifiesTheOwnerAndPostsANotice) {
  Layout(6, 4);
  owner.notes.clear();
  Click(2, 3);
  EXPECT_EQ(owner.Codes(), (std::vector<int>{NotifySelectionChanging, NotifySelectionChanged, NotifyClick}));
  EXPECT_EQ(owner.notes.back().row, 2);
  EXPECT_EQ(owner.notes.back().col, 3);
  EXPECT_TRUE(owner.commands.empty());  // posted, not sent
  QApplication::processEvents();
  ASSERT_EQ(owner.commands.size(), 1u);
  EXPECT_EQ(owner.commands[0], (std::pair<int, int>{77, 0}));

  owner.notes.clear();
  QTest::mouseClick(View(), Qt::RightButton, {}, Centre(0, 2));
  EXPECT_EQ(grid.FocusCell(), (CCellID{1, 2}));  // raised out of the header
  ASSERT_EQ(owner.notes.size(), 1u);
  EXPECT_EQ(owner.notes[0].code, NotifyRightClick);
  QTest::mouseClick(View(), Qt::RightButton, {}, QPoint(390, 190));  // over no cell
  EXPECT_EQ(owner.notes.back().row, -1);
}

TEST_F(GridMouse, PressingOnTheFocusCellsTextStartsAnEditOnRelease) {
  Layout(6, 4);
  Click(2, 2);
  EXPECT_TRUE(grid.edits.empty());
  Click(2, 2);
  ASSERT_EQ(grid.edits.size(), 1u);
  EXPECT_EQ(grid.edits[0].firstChar, kEditByMouse);
  grid.AllowEditing(false);
  Click(2, 2);
  EXPECT_EQ(grid.edits.size(), 1u);
}
