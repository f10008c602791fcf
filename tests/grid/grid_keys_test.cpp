// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The grid under real key events (navigation, Tab, characters that start an
// edit, scrolling without a focus cell) and sorting by a column.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "GridTestSupport.h"

using namespace vorenx;
using vorenx::testing::GridWidgetTest;

namespace {

class GridKeys : public GridWidgetTest {};

}  // namespace

TEST_F(GridKeys, ArrowsMoveOverShownCellsAndSelectAsTheyGo) {
  Layout(8, 5);
  grid.ChangeColumnWidth(3, 0);  // hidden
  Click(2, 2);
  Key(Qt::Key_Right);
  EXPECT_EQ(grid.FocusCell(), (CCellID{2, 4}));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{2, 4, 2, 4}));
  Key(Qt::Key_Right);  // the last column: stays
  EXPECT_EQ(grid.FocusCell(), (CCellID{2, 4}));
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 2}));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{2, 2, 3, 4}));
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);  // never into the header row
  EXPECT_EQ(grid.FocusCell(), (CCellID{1, 2}));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.FocusCell(), (CCellID{7, 4}));
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid.FocusCell(), (CCellID{1, 1}));
}

TEST_F(GridKeys, TabWrapsToTheNextRowsFirstCellAndShiftTabBack) {
  Layout(6, 4);
  Click(2, 3);
  Key(Qt::Key_Tab);
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 1}));
  EXPECT_TRUE(grid.hasFocus());
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(grid.FocusCell(), (CCellID{2, 3}));
  grid.ChangeRowHeight(3, 0);  // a hidden row is passed over
  Key(Qt::Key_Tab);
  EXPECT_EQ(grid.FocusCell(), (CCellID{4, 1}));
  EXPECT_EQ(grid.DialogCode(false), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
  EXPECT_EQ(grid.DialogCode(true), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST(GridTab, LeavesTheGridWhenAskedOrWhenTheGridDoesNotWantIt) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* grid = new CGridCtrl(&window);
  auto* next = new QLineEdit(&window);
  layout->addWidget(grid);
  layout->addWidget(next);
  grid->ResizeRows(4);
  grid->ResizeColumns(3);
  grid->SetHeaderRows(1);
  grid->SetHeaderColumns(1);
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  const auto tabFrom = [&](CCellID cell) {
    grid->setFocus();
    grid->MoveFocusTo(cell.row, cell.col);
    QTest::keyClick(grid, Qt::Key_Tab);
  };
  tabFrom({1, 1});
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(grid->FocusCell(), (CCellID{1, 2}));
  tabFrom({3, 2});  // the last cell: nowhere to go inside
  EXPECT_TRUE(next->hasFocus());
  grid->SetTabLeavesGrid(true);
  tabFrom({1, 1});
  EXPECT_TRUE(next->hasFocus());
  grid->SetTabLeavesGrid(false);
  grid->SetWantTab(false);
  tabFrom({1, 1});
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(grid->FocusCell(), (CCellID{1, 1}));
}

TEST_F(GridKeys, CharactersStartAnEditButEscapeTabAndCtrlNever) {
  Layout(6, 4);
  Click(2, 2);
  Click(2, 2);  // the second press on the focus cell's text: an edit by the mouse
  grid.edits.clear();
  Key(Qt::Key_A);
  ASSERT_EQ(grid.edits.size(), 1u);
  EXPECT_EQ(grid.edits[0].firstChar, 'a');
  EXPECT_EQ(grid.edits[0].row, 2);
  Key(Qt::Key_Escape);
  Key(Qt::Key_B, Qt::ControlModifier);
  Key(Qt::Key_Tab);  // moves on instead
  Key(Qt::Key_Down);
  EXPECT_EQ(grid.edits.size(), 1u);
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("é"));
  QApplication::sendEvent(&grid, &composed);
  ASSERT_EQ(grid.edits.size(), 2u);
  EXPECT_EQ(grid.edits[1].firstChar, 0xE9);
  grid.edits.pop_back();
  Key(Qt::Key_F2);
  ASSERT_EQ(grid.edits.size(), 2u);
  EXPECT_EQ(grid.edits[1].firstChar, kEditByMouse);
  EXPECT_EQ(grid.edits[1].row, 3);
  // A double click in a cell's text edits it.
  QTest::mouseDClick(View(), Qt::LeftButton, {}, Centre(4, 1));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(4, 1));
  ASSERT_EQ(grid.edits.size(), 3u);
  EXPECT_EQ(grid.edits[2].row, 4);
  EXPECT_EQ(owner.notes.back().code, NotifyClick);
}

TEST_F(GridKeys, WithoutAFocusCellTheKeysScrollTheView) {
  Layout(100, 4);
  ASSERT_FALSE(grid.FocusCell().IsValid());
  Key(Qt::Key_Down);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 20);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 20 + grid.ScrollPage(Qt::Vertical));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), grid.verticalScrollBar()->maximum());
  EXPECT_EQ(grid.VisibleCellRange().maxRow, 99);
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid.ScrollPos(Qt::Vertical), 0);
}

TEST_F(GridKeys, PageDownMovesTheFocusAsFarAsTheViewScrolled) {
  Layout(100, 4);
  Click(2, 1);
  Key(Qt::Key_PageDown);
  const int moved = grid.TopLeftCell().row - 1;
  EXPECT_GT(moved, 0);
  EXPECT_EQ(grid.FocusCell().row, 2 + moved);
  EXPECT_TRUE(grid.IsCellVisible(grid.FocusCell().row, 1));
}

TEST_F(GridKeys, SortsByTextBothWaysAndByTheOwnersOrder) {
  Layout(6, 3);
  const QStringList texts{"pear", "Apple", "apple", "10", "9"};
  for (int r = 1; r <= 5; ++r) {
    grid.ChangeCellText(r, 2, texts[r - 1]);
    grid.ChangeCellText(r, 1, QString::number(r));
    grid.ChangeRowHeight(r, 20 + r);  // heights go with their rows
  }
  const auto column = [&](int col) {
    QStringList out;
    for (int r = 1; r <= 5; ++r) out << grid.CellText(r, col);
    return out;
  };
  ASSERT_TRUE(grid.SortByText(2, true));
  EXPECT_EQ(column(2), (QStringList{"10", "9", "Apple", "apple", "pear"}));
  EXPECT_EQ(column(1), (QStringList{"4", "5", "2", "3", "1"}));
  EXPECT_EQ(grid.RowHeight(1), 24);
  EXPECT_EQ(grid.SortColumn(), 2);
  EXPECT_TRUE(grid.SortAscending());
  ASSERT_TRUE(grid.SortByText(2, false));
  EXPECT_EQ(column(2), (QStringList{"pear", "apple", "Apple", "9", "10"}));
  EXPECT_EQ(grid.CellText(0, 2), "");  // the header row stays

  // An owner's order: by number.
  grid.SetCompareFunction([](const CGridCellBase& a, const CGridCellBase& b, std::intptr_t) {
    const int x = a.GetText().toInt();
    const int y = b.GetText().toInt();
    return (x > y) - (x < y);
  });
  ASSERT_TRUE(grid.SortByText(1, true));
  EXPECT_EQ(column(1), (QStringList{"1", "2", "3", "4", "5"}));
  EXPECT_FALSE(grid.SortByText(7, true));
}

TEST_F(GridKeys, HeaderClicksSortAscendingThenDescending) {
  Layout(5, 3);
  grid.SetSortOnHeaderClick(true);
  grid.SetSelectOnHeaderRowClick(false);
  for (int r = 1; r <= 4; ++r) grid.ChangeCellText(r, 1, QString(QChar('a' + (r * 3) % 4)));
  Click(0, 1);
  EXPECT_EQ(grid.SortColumn(), 1);
  EXPECT_TRUE(grid.SortAscending());
  EXPECT_EQ(grid.CellText(1, 1), "a");
  Click(0, 1);
  EXPECT_FALSE(grid.SortAscending());
  EXPECT_EQ(grid.CellText(1, 1), "d");
  Click(0, 1);
  EXPECT_TRUE(grid.SortAscending());
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
}

TEST_F(GridKeys, AKeyBringsAFocusCellFarOutOfViewBackAtOnce) {
  Layout(20000, 3);
  Click(2, 1);
  grid.OnVScroll(SB_THUMBPOSITION, 20 * 10000);
  ASSERT_FALSE(grid.IsCellVisible(3, 1));
  Key(Qt::Key_Down);
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 1}));
  EXPECT_EQ(grid.TopLeftCell().row, 3);  // as the line scrolls one by one would leave it
  grid.OnVScroll(SB_THUMBPOSITION, 0);
  grid.EnsureVisible(15000, 1);
  CRect rect;
  ASSERT_TRUE(grid.CellRect(15000, 1, rect));
  EXPECT_LT(rect.bottom, grid.viewport()->height());
  EXPECT_GE(rect.bottom, grid.viewport()->height() - 20);  // the last row in view, not beyond
}
