// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Copy, cut, paste, select all and Delete through the keys, with their
// enabling rules; the copied block byte for byte and where pasted fields land.
#include <QClipboard>
#include <QMimeData>

#include "GridTestSupport.h"
#include "grid/GridClipboardText.h"

using namespace vorenx;

namespace {

class GridClipboard : public vorenx::testing::GridWidgetTestOf<CGridCtrl> {
 protected:
  void Fill(int rows, int cols) {
    Layout(rows, cols);
    for (int r = 1; r < rows; ++r)
      for (int c = 1; c < cols; ++c) grid.CellAt(r, c)->SetText(QStringLiteral("r%1c%2").arg(r).arg(c));  // unmarked
    grid.SetModified(false);
  }
  static QByteArray Block() { return QGuiApplication::clipboard()->mimeData()->data(QString::fromLatin1(kGridTextMime)); }
  static void PutText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
};

GridAxis Uniform(int count, std::vector<int> hidden = {}) {
  return GridAxis{count, 0, 0, 0, [hidden](int i) {
                    return std::find(hidden.begin(), hidden.end(), i) == hidden.end() ? 20 : 0;
                  }};
}

}  // namespace

TEST_F(GridClipboard, CopyOfTwoByTwoIsTwoTabbedLinesThenAZeroByte) {
  Fill(5, 5);
  grid.ChangeCellText(1, 1, QStringLiteral("25.000℃"));
  Click(1, 1);
  Click(2, 2, Qt::ShiftModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  const QString expected = QStringLiteral("25.000℃\tr1c2\r\nr2c1\tr2c2");
  EXPECT_EQ(Block(), expected.toLocal8Bit() + QByteArray(1, '\0'));
  // "text/plain" is UTF-8 whatever the locale, so ℃ survives.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

  // A cell inside the bounding rectangle but not selected gives an empty field.
  Click(2, 2, Qt::ControlModifier);
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("25.000℃\tr1c2\r\nr2c1\t"));
}

TEST(GridCopyText, HiddenRowsAndColumnsAreLeftOut) {
  const auto text = [](int r, int c, bool& selected) {
    selected = true;
    return QStringLiteral("%1%2").arg(r).arg(c);
  };
  EXPECT_EQ(CopyText(CCellRange{0, 0, 2, 2}, Uniform(3, {1}), Uniform(3, {0}), text), QStringLiteral("01\t02\r\n21\t22"));
  EXPECT_EQ(CopyText(CCellRange{}, Uniform(3), Uniform(3), text), QString());
}

TEST_F(GridClipboard, PasteFillsFromTheTargetSelectsItAndDropsWhatFallsOutside) {
  Fill(5, 5);
  PutText(QStringLiteral("a,b\nc\td"));
  Click(1, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("a"));
  EXPECT_EQ(grid.CellText(1, 2), QStringLiteral("b"));
  EXPECT_EQ(grid.CellText(2, 1), QStringLiteral("c"));
  EXPECT_EQ(grid.CellText(2, 2), QStringLiteral("d"));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 2, 2}));
  EXPECT_TRUE(grid.IsModified());

  // From (4, 3): only "x" and "y" land; the rest lies past the last row and column.
  PutText(QStringLiteral(" x , y ,z\r\nw,v\r\n"));
  Click(4, 3);
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.CellText(4, 3), QStringLiteral("x"));
  EXPECT_EQ(grid.CellText(4, 4), QStringLiteral("y"));
  EXPECT_EQ(grid.CellText(3, 3), QStringLiteral("r3c3"));
}

TEST(GridPastePlacement, SkipsHiddenItemsAndEndsWithTheText) {
  const auto placed = PlacePastedText(QStringLiteral("a\tb\nc\n"), 1, 0, Uniform(5, {2}), Uniform(3, {1}));
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ((std::tuple(placed[0].row, placed[0].col, placed[0].text)), std::tuple(1, 0, QStringLiteral("a")));
  EXPECT_EQ((std::tuple(placed[1].row, placed[1].col, placed[1].text)), std::tuple(1, 2, QStringLiteral("b")));
  // Row 2 is hidden: the second line goes to row 3, and the final line end
  // starts no empty line that would clear row 4.
  EXPECT_EQ((std::tuple(placed[2].row, placed[2].col, placed[2].text)), std::tuple(3, 0, QStringLiteral("c")));
  EXPECT_TRUE(PlacePastedText(QStringLiteral("a"), 5, 0, Uniform(5), Uniform(3)).empty());
  EXPECT_EQ(PlacePastedText(QStringLiteral(",,"), 0, 0, Uniform(1), Uniform(3)).size(), 3u);
}

TEST_F(GridClipboard, CommandsFollowTheirEnablingRules) {
  Fill(4, 4);
  EXPECT_FALSE(grid.CanCopy());
  EXPECT_FALSE(grid.CanCut());
  PutText(QStringLiteral("p"));
  Click(1, 1);
  EXPECT_TRUE(grid.CanCopy());
  EXPECT_TRUE(grid.CanCut());
  EXPECT_TRUE(grid.CanPaste());
  EXPECT_TRUE(grid.CanSelectAll());

  grid.ChangeCellState(1, 1, grid.CellState(1, 1) | CellReadOnly);
  EXPECT_FALSE(grid.CanPaste());
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("r1c1"));

  grid.AllowEditing(false);
  EXPECT_FALSE(grid.CanCut());
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("r1c1"));
  grid.AllowSelection(false);
  EXPECT_FALSE(grid.CanSelectAll());
}

TEST_F(GridClipboard, CutCopiesThenClearsAndDeleteClearsTheSelection) {
  Fill(4, 4);
  Click(1, 1);
  Click(1, 2, Qt::ShiftModifier);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("r1c1\tr1c2"));
  EXPECT_EQ(grid.CellText(1, 1), QString());
  EXPECT_EQ(grid.CellText(1, 2), QString());

  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 3, 3}));
  owner.replies[NotifyBeginEdit] = -1;  // the owner refuses every edit
  Key(Qt::Key_Delete);
  EXPECT_EQ(grid.CellText(3, 3), QStringLiteral("r3c3"));
  owner.replies.clear();
  Key(Qt::Key_Delete);
  EXPECT_EQ(grid.CellText(3, 3), QString());
  EXPECT_EQ(grid.CellText(0, 1), QString());  // headers are not selected
}

TEST_F(GridClipboard, ARefusedPasteLeavesTheCellAsItWas) {
  Fill(4, 4);
  owner.replies[NotifyEndEdit] = -1;
  EXPECT_TRUE(grid.PasteTextToGrid(1, 1, std::unique_ptr<QMimeData>(MakeCopyMimeData(QStringLiteral("new"))).get(), false));
  EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("r1c1"));
  EXPECT_FALSE(grid.IsModified());
  EXPECT_FALSE(grid.CellState(1, 1) & CellModified);
}
