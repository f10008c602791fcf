// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Title tips: shown exactly while the mouse is over a clipped cell, never for
// a text that fits; a click on the tip reaches the cell below.
#include "GridTestSupport.h"
#include "grid/TitleTip.h"

using namespace vorenx;

namespace {

class GridTitleTips : public vorenx::testing::GridWidgetTest {
 protected:
  void SetUp() override {
    Layout(4, 4);
    grid.ChangeCellText(1, 1, QStringLiteral("ok"));
    grid.ChangeCellText(1, 2, QStringLiteral("a text far too long for fifty pixels"));
    grid.activateWindow();
    grid.setFocus();
    QApplication::processEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
  }
  // Sends a button event to the tip as the window system would.
  void OnTip(QEvent::Type type, QPoint pos = QPoint(5, 5)) {
    QWidget* tip = grid.TitleTip();
    QMouseEvent event(type, pos, tip->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tip, &event);
  }
  bool TipShown() const { return grid.TitleTip() && grid.TitleTip()->isVisible(); }
};

}  // namespace

TEST_F(GridTitleTips, OnlyAClippedTextShowsATipWhileTheMouseIsOverIt) {
  Hover(Centre(1, 1));
  EXPECT_FALSE(TipShown());
  Hover(Centre(1, 2));
  ASSERT_TRUE(TipShown());
  CRect rect;
  grid.CellRect(1, 2, rect);
  EXPECT_EQ(grid.TitleTip()->pos().y(), View()->mapToGlobal(QPoint(0, rect.top)).y());
  EXPECT_GT(grid.TitleTip()->width(), 50);
  Hover(QPoint(rect.right, rect.bottom));  // still over the cell
  EXPECT_TRUE(TipShown());
  Hover(Centre(2, 2));  // the cell below
  EXPECT_FALSE(TipShown());

  grid.EnableTitleTips(false);
  Hover(Centre(1, 2));
  EXPECT_FALSE(TipShown());
}

TEST_F(GridTitleTips, AClickOnTheTipReachesTheCellBelow) {
  Hover(Centre(1, 2));
  ASSERT_TRUE(TipShown());
  owner.notes.clear();
  OnTip(QEvent::MouseButtonPress);
  EXPECT_FALSE(TipShown());
  OnTip(QEvent::MouseButtonRelease);
  EXPECT_EQ(grid.FocusCell(), (CCellID{1, 2}));
  EXPECT_TRUE(std::any_of(owner.notes.begin(), owner.notes.end(),
                          [](const auto& n) { return n.code == NotifyClick && n.row == 1 && n.col == 2; }));

  // A quick second click on the tip is a double click on the cell.
  Hover(Centre(2, 2));
  Hover(Centre(1, 2));
  ASSERT_TRUE(TipShown());
  owner.notes.clear();
  OnTip(QEvent::MouseButtonPress);
  OnTip(QEvent::MouseButtonRelease);
  EXPECT_TRUE(std::any_of(owner.notes.begin(), owner.notes.end(),
                          [](const auto& n) { return n.code == NotifyDoubleClick && n.row == 1 && n.col == 2; }));
}

TEST_F(GridTitleTips, KeysAndScrollingHideTheTip) {
  Hover(Centre(1, 2));
  ASSERT_TRUE(TipShown());
  Key(Qt::Key_Down);
  EXPECT_FALSE(TipShown());
}
