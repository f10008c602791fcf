// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// In-place editing under real key and mouse events: how an edit starts by
// its first character, how it ends, refusals, growth of the box, editing
// going on in the next cell; and edits without a box.
#include "GridTestSupport.h"
#include "grid/InPlaceEdit.h"

using namespace vorenx;

namespace {

class GridEdit : public vorenx::testing::GridWidgetTestOf<CGridCtrl> {
 protected:
  void SetUp() override {
    Layout(5, 4);
    for (int r = 1; r < 5; ++r)
      for (int c = 1; c < 4; ++c) grid.CellAt(r, c)->SetText(QStringLiteral("v%1%2").arg(r).arg(c));  // unmarked
    grid.SetModified(false);
    Click(1, 1);  // the focus cell
    ASSERT_EQ(grid.FocusCell(), (CCellID{1, 1}));
  }
  // The open edit box, or nullptr.
  CInPlaceEdit* Box() {
    for (CInPlaceEdit* edit : View()->findChildren<CInPlaceEdit*>())
      if (edit->isVisible()) return edit;
    return nullptr;
  }
  void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = Box() ? static_cast<QWidget*>(Box()) : static_cast<QWidget*>(&grid);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QApplication::processEvents();
  }
  void TypeText(const QString& text) {
    ASSERT_NE(Box(), nullptr);
    QTest::keyClicks(Box(), text);
  }
};

}  // namespace

TEST_F(GridEdit, TheFirstCharacterDecidesTheStart) {
  Type(Qt::Key_X);
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->text(), QStringLiteral("x"));  // typing replaces the text
  Type(Qt::Key_Return);
  EXPECT_EQ(Box(), nullptr);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("x"));
  EXPECT_TRUE(grid.CellState(1, 1) & CellModified);

  Type(Qt::Key_Backspace);
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->text(), QString());  // "x" lost its last character
  Type(Qt::Key_Escape);

  Type(Qt::Key_F2);
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->text(), QStringLiteral("x"));
  EXPECT_FALSE(Box()->hasSelectedText());
  EXPECT_EQ(Box()->cursorPosition(), 1);
  EXPECT_TRUE(Box()->hasFocus());
  Type(Qt::Key_Escape);

  Click(1, 1);  // a click on the focus cell's text
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->cursorPosition(), 1);
  EXPECT_FALSE(Box()->ArrowsEndEdit());
}

TEST_F(GridEdit, EscapeRestoresAndNothingIsModified) {
  Type(Qt::Key_Q);
  TypeText(QStringLiteral("rs"));
  EXPECT_EQ(Box()->text(), QStringLiteral("qrs"));
  Type(Qt::Key_Escape);
  EXPECT_EQ(Box(), nullptr);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("v11"));
  EXPECT_FALSE(grid.IsModified());
  EXPECT_FALSE(grid.CellState(1, 1) & CellModified);
  EXPECT_FALSE(grid.CellAt(1, 1)->IsEditing());
  EXPECT_TRUE(grid.hasFocus());
}

TEST_F(GridEdit, ArrowsMoveTheEditInTypedEditsOnlyUnlessCtrlIsHeld) {
  Type(Qt::Key_Z);
  Type(Qt::Key_Down);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("z"));
  EXPECT_EQ(grid.FocusCell(), (CCellID{2, 1}));
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->Row(), 2);
  EXPECT_EQ(Box()->text(), QStringLiteral("v21"));
  EXPECT_EQ(Box()->selectedText(), QStringLiteral("v21"));
  Type(Qt::Key_Tab);  // Tab goes on to the next cell as well
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ((CCellID{Box()->Row(), Box()->Col()}), (CCellID{2, 2}));
  Type(Qt::Key_Escape);

  Type(Qt::Key_F2);  // started like the mouse: arrows move the caret
  Type(Qt::Key_Left);
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->cursorPosition(), 2);
  EXPECT_EQ(grid.FocusCell(), (CCellID{2, 2}));
  // The keys that do not end such an edit stay in the box: the focus cell
  // and the page stay where they are.
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
    Type(key);
    ASSERT_NE(Box(), nullptr) << key;
    EXPECT_EQ((CCellID{Box()->Row(), Box()->Col()}), (CCellID{2, 2})) << key;
    EXPECT_EQ(grid.FocusCell(), (CCellID{2, 2})) << key;
  }
  Type(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(grid.FocusCell(), (CCellID{3, 2}));
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->Row(), 3);
}

TEST_F(GridEdit, TheBoxGrowsWithTheTextButNotPastTheGridsRightEdge) {
  Click(1, 3);
  Type(Qt::Key_A);
  const int start = Box()->width();
  TypeText(QStringLiteral("bcdefghij"));
  EXPECT_GT(Box()->width(), start);
  TypeText(QString(200, QLatin1Char('w')));
  EXPECT_EQ(Box()->geometry().right() + 1, View()->width());
  CRect rect;
  grid.CellRect(1, 3, rect);
  EXPECT_EQ(Box()->height(), rect.Height());
}

TEST_F(GridEdit, RefusalsRestoreTheOldTextAndStopEditsBeforeTheyStart) {
  owner.replies[NotifyEndEdit] = -1;
  Type(Qt::Key_N);
  Type(Qt::Key_Return);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("v11"));
  EXPECT_FALSE(grid.CellState(1, 1) & CellModified);
  EXPECT_FALSE(grid.EditCellText(1, 2, QStringLiteral("m")));
  EXPECT_EQ(grid.CellText(1, 2), QStringLiteral("v12"));

  owner.replies[NotifyBeginEdit] = -1;
  Type(Qt::Key_N);
  EXPECT_EQ(Box(), nullptr);
  owner.replies.clear();
  grid.ChangeCellState(1, 1, grid.CellState(1, 1) | CellReadOnly);
  Type(Qt::Key_N);
  EXPECT_EQ(Box(), nullptr);
  EXPECT_FALSE(grid.EditCellText(1, 1, QStringLiteral("m")));
  EXPECT_TRUE(grid.EditCellText(2, 2, QStringLiteral("m")));
  EXPECT_EQ(grid.CellText(2, 2), QStringLiteral("m"));
}

TEST_F(GridEdit, AnEditEndsWhenTheGridGoesAwayOrTheCellEndsIt) {
  Type(Qt::Key_K);
  grid.EndEditing();
  QApplication::processEvents();
  EXPECT_EQ(Box(), nullptr);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("k"));
  auto* other = new CGridCtrl;
  other->ResizeRows(2);
  other->ResizeColumns(2);
  other->resize(200, 100);
  other->show();
  other->StartEditing(1, 1, QPoint(-1, -1), 'a');
  ASSERT_NE(other->viewport()->findChild<CInPlaceEdit*>(), nullptr);
  delete other;  // with the box open and focused
}
