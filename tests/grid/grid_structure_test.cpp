// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Structure and item access of CGridCtrl: counts and their invariants, row
// insertion, cell records, modification marks, geometry and scroll ranges.
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/TextFormat.h"

using namespace vorenx;

namespace {

int CountCells(const CGridCtrl& grid) {
  int cells = 0;
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColumnCount(); ++c) cells += grid.CellAt(r, c) != nullptr;
  return cells;
}

CellInfo Info(int row, int col, unsigned mask) {
  CellInfo info;
  info.row = row;
  info.col = col;
  info.mask = mask;
  return info;
}

}  // namespace

TEST(GridStructure, ResizeRowsMakesCellsAtTheDefaultHeight) {
  CGridCtrl grid;
  ASSERT_TRUE(grid.ResizeColumns(4));
  ASSERT_TRUE(grid.ResizeRows(16));
  EXPECT_EQ(CountCells(grid), 64);
  const int height = grid.DefaultsFor(false, false)->GetHeight();
  ASSERT_GT(height, 0);
  for (int r = 0; r < 16; ++r) EXPECT_EQ(grid.RowHeight(r), height) << r;
  EXPECT_EQ(grid.TotalHeight(), 16 * height);
  EXPECT_EQ(grid.ColumnWidth(0), grid.DefaultsFor(false, true)->GetWidth());

  ASSERT_TRUE(grid.ResizeRows(5));
  EXPECT_EQ(CountCells(grid), 20);
  EXPECT_EQ(grid.TotalHeight(), 5 * height);
  EXPECT_FALSE(grid.ResizeRows(-1));
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.CellAt(5, 0), nullptr);
  EXPECT_EQ(grid.CellAt(0, 4), nullptr);
  EXPECT_EQ(grid.CellAt(-1, 0), nullptr);
}

TEST(GridStructure, HeaderCountsFollowRowAndColumnCounts) {
  CGridCtrl grid;
  ASSERT_TRUE(grid.SetHeaderRows(3));
  ASSERT_TRUE(grid.SetHeaderColumns(2));
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.ColumnCount(), 2);
  EXPECT_EQ(grid.CellState(2, 1) & (CellHeader | CellHeaderRow | CellHeaderColumn),
            CellHeader | CellHeaderRow | CellHeaderColumn);

  ASSERT_TRUE(grid.ResizeRows(1));
  ASSERT_TRUE(grid.ResizeColumns(1));
  EXPECT_EQ(grid.HeaderRows(), 1);
  EXPECT_EQ(grid.HeaderColumns(), 1);

  // Growing again: new cells get header bits only where they are headers.
  ASSERT_TRUE(grid.ResizeRows(4));
  ASSERT_TRUE(grid.ResizeColumns(3));
  EXPECT_EQ(grid.CellState(0, 2) & (CellHeader | CellHeaderRow | CellHeaderColumn), CellHeader | CellHeaderRow);
  EXPECT_EQ(grid.CellState(3, 0) & (CellHeader | CellHeaderRow | CellHeaderColumn), CellHeader | CellHeaderColumn);
  EXPECT_EQ(grid.CellState(3, 2) & CellHeader, 0u);
}

TEST(GridStructure, ShrinkingHeaderRowsKeepsHeaderColumnBits) {
  CGridCtrl grid;
  grid.ResizeRows(4);
  grid.ResizeColumns(3);
  grid.SetHeaderColumns(1);
  grid.SetHeaderRows(2);
  grid.CellAt(1, 2)->SetBackColour(MakeColourRef(1, 2, 3));
  ASSERT_TRUE(grid.SetHeaderRows(1));
  // Row 1 column 0 stays in a header column; row 1 column 2 is a plain cell again.
  EXPECT_EQ(grid.CellState(1, 0) & (CellHeader | CellHeaderRow | CellHeaderColumn), CellHeader | CellHeaderColumn);
  EXPECT_EQ(grid.CellState(1, 2) & (CellHeader | CellHeaderRow | CellHeaderColumn), 0u);
  EXPECT_EQ(grid.CellAt(1, 2)->GetBackColour(), CLR_DEFAULT);
}

TEST(GridStructure, InsertRowAtRefusesHeaderRowsAndMissingRows) {
  CGridCtrl grid;
  grid.ResizeRows(3);
  grid.ResizeColumns(2);
  grid.SetHeaderRows(1);
  grid.ChangeCellText(1, 1, "one");
  for (int bad : {0, -1, 3, 100}) {
    EXPECT_EQ(grid.InsertRowAt("x", bad), -1) << bad;
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellText(1, 1), "one");
  }
}

TEST(GridStructure, InsertRowAtMovesRowsAndEmptiesSelectionAndFocus) {
  CGridCtrl grid;
  grid.ResizeRows(4);
  grid.ResizeColumns(3);
  grid.SetHeaderRows(1);
  grid.SetHeaderColumns(1);
  grid.ChangeCellText(1, 2, "old row 1");
  grid.ChangeCellText(2, 2, "old row 2");
  grid.SelectRange(1, 1, 2, 2);
  grid.MoveFocusTo(2, 2);
  ASSERT_TRUE(grid.IsCellSelected(1, 1));
  ASSERT_TRUE(grid.FocusCell().IsValid());
  grid.SetModified(false);

  ASSERT_EQ(grid.InsertRowAt("head", 1), 1);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.CellText(1, 0), "head");
  EXPECT_EQ(grid.CellText(1, 2), "");
  EXPECT_EQ(grid.CellText(2, 2), "old row 1");
  EXPECT_EQ(grid.CellText(3, 2), "old row 2");
  EXPECT_FALSE(grid.FocusCell().IsValid());
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColumnCount(); ++c)
      EXPECT_EQ(grid.CellState(r, c) & (CellSelected | CellFocused), 0u) << r << "," << c;
  EXPECT_TRUE(grid.CellState(1, 0) & CellModified);
  EXPECT_TRUE(grid.CellState(1, 0) & CellHeaderColumn);
  EXPECT_TRUE(grid.IsModified());
  EXPECT_EQ(grid.RowHeight(1), grid.CellAt(1, 0)->MeasureText("head").height());
}

TEST(GridStructure, ApplyCellInfoTextAndFormatMaskChangesOnlyThose) {
  CGridCtrl grid;
  grid.ResizeRows(2);
  grid.ResizeColumns(2);
  grid.SetModified(false);
  CellInfo info = Info(1, 1, CellInfoMask::Text | CellInfoMask::Format);
  info.text = "1.500V";
  info.format = 0x8026;
  info.image = 4;
  info.backColour = MakeColourRef(255, 0, 0);
  info.textColour = MakeColourRef(0, 255, 0);
  info.margin = 9;
  info.data = 77;
  info.state = CellSelected;
  ASSERT_TRUE(grid.ApplyCellInfo(info));
  const CGridCellBase* cell = grid.CellAt(1, 1);
  EXPECT_EQ(cell->GetText(), "1.500V");
  EXPECT_EQ(cell->GetFormat(), 0x8026u);
  EXPECT_EQ(cell->GetImage(), -1);
  EXPECT_EQ(cell->GetBackColour(), CLR_DEFAULT);
  EXPECT_EQ(cell->GetTextColour(), CLR_DEFAULT);
  EXPECT_EQ(cell->GetMargin(), grid.DefaultsFor(false, false)->GetMargin());
  EXPECT_EQ(cell->GetData(), 0);
  EXPECT_EQ(cell->GetState(), CellModified);
  EXPECT_TRUE(grid.IsModified());

  EXPECT_FALSE(grid.ApplyCellInfo(Info(2, 0, CellInfoMask::All)));
  EXPECT_FALSE(grid.ApplyCellInfo(Info(0, -1, CellInfoMask::All)));
}

TEST(GridStructure, ChangeCellStateKeepsTheSelectionInStep) {
  CGridCtrl grid;
  grid.ResizeRows(3);
  grid.ResizeColumns(3);
  ASSERT_TRUE(grid.ChangeCellState(2, 1, CellSelected));
  EXPECT_TRUE(grid.IsCellSelected(2, 1));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{2, 1, 2, 1}));
  ASSERT_TRUE(grid.ChangeCellState(2, 1, 0));
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
  EXPECT_FALSE(grid.ChangeCellState(3, 0, CellSelected));

  grid.ChangeCellState(1, 1, CellSelected);
  grid.AllowSelection(false);
  EXPECT_FALSE(grid.IsCellSelected(1, 1));
  EXPECT_EQ(grid.CellState(1, 1) & CellSelected, 0u);
  grid.SelectRange(0, 0, 2, 2);
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
}

TEST(GridStructure, MarkModifiedDropsTheSortArrow) {
  CGridCtrl grid;
  grid.ResizeRows(3);
  grid.ResizeColumns(4);
  grid.SetSortColumn(2);
  grid.MarkModified(1, 3);
  EXPECT_EQ(grid.SortColumn(), 2);
  EXPECT_TRUE(grid.CellState(1, 3) & CellModified);
  grid.MarkModified(1, 2);
  EXPECT_EQ(grid.SortColumn(), -1);

  grid.SetSortColumn(1);
  grid.SetModified(false);
  grid.MarkModified(-1, -1);
  EXPECT_EQ(grid.SortColumn(), -1);
  EXPECT_TRUE(grid.IsModified());
}

TEST(GridStructure, ClearAllEmptiesEverything) {
  CGridCtrl grid;
  grid.ResizeRows(5);
  grid.ResizeColumns(3);
  grid.SetHeaderRows(1);
  grid.SetHeaderColumns(1);
  grid.ChangeCellState(2, 2, CellSelected);
  ASSERT_TRUE(grid.ClearAll());
  EXPECT_EQ(grid.RowCount(), 0);
  EXPECT_EQ(grid.ColumnCount(), 0);
  EXPECT_EQ(grid.HeaderRows(), 0);
  EXPECT_EQ(grid.HeaderColumns(), 0);
  EXPECT_EQ(grid.TotalHeight(), 0);
  EXPECT_EQ(grid.TotalWidth(), 0);
  EXPECT_EQ(grid.SelectedCellRange().maxRow, -1);
  EXPECT_EQ(grid.CellText(0, 0), "");
  // Usable again afterwards.
  grid.ResizeRows(2);
  grid.ResizeColumns(2);
  EXPECT_TRUE(grid.ChangeCellText(1, 1, "x"));
}

TEST(GridStructure, SaveToFileWritesEveryRowUnlessAnEndColumnIsSet) {
  QTemporaryDir dir;
  CGridCtrl grid;
  grid.ResizeRows(3);
  grid.ResizeColumns(2);
  grid.ChangeCellText(0, 0, QStringLiteral("a,b"));
  grid.ChangeCellText(0, 1, QStringLiteral("say \"hi\""));
  grid.ChangeCellText(2, 0, QStringLiteral("last"));
  const auto saved = [&] {
    QFile file(dir.filePath(QStringLiteral("grid.csv")));
    EXPECT_TRUE(grid.SaveToFile(file.fileName()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  };
  EXPECT_EQ(saved(), QByteArray("\xEF\xBB\xBF\"a,b\",\"say \"\"hi\"\"\"\r\n,\r\nlast,\r\n"));
  grid.SetSaveEndColumn(1);  // row 1 has nothing in column 1: the export ends before it
  EXPECT_EQ(saved(), QByteArray("\xEF\xBB\xBF\"a,b\",\"say \"\"hi\"\"\"\r\n"));
}

TEST(GridStructure, SizesRefuseBadIndicesAndNegativeSizes) {
  CGridCtrl grid;
  grid.ResizeRows(2);
  grid.ResizeColumns(2);
  EXPECT_EQ(grid.RowHeight(2), -1);
  EXPECT_EQ(grid.ColumnWidth(-1), -1);
  EXPECT_FALSE(grid.ChangeRowHeight(0, -5));
  EXPECT_FALSE(grid.ChangeColumnWidth(2, 10));
  ASSERT_TRUE(grid.ChangeColumnWidth(1, 70));
  ASSERT_TRUE(grid.ChangeColumnWidth(0, 30));
  EXPECT_EQ(grid.TotalWidth(), 100);
}

TEST(GridStructure, ColumnOrderMapsDisplayToStoredColumnsUntilTheCountChanges) {
  CGridCtrl grid;
  grid.ResizeRows(1);
  grid.ResizeColumns(3);
  grid.ChangeCellText(0, 0, "a");
  grid.ChangeCellText(0, 2, "c");
  grid.ChangeColumnWidth(2, 77);
  EXPECT_FALSE(grid.SetColumnOrder({0, 0, 1}));
  ASSERT_TRUE(grid.SetColumnOrder({2, 1, 0}));
  EXPECT_EQ(grid.CellText(0, 0), "c");
  EXPECT_EQ(grid.ColumnWidth(0), 77);
  grid.ResizeColumns(4);
  EXPECT_EQ(grid.CellText(0, 0), "a");
}

class GridGeometry : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.resize(400, 200);
    grid.ResizeRows(51);
    grid.ResizeColumns(4);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
    const int widths[] = {48, 105, 80, 80};
    for (int c = 0; c < 4; ++c) grid.ChangeColumnWidth(c, widths[c]);
    grid.ChangeRowHeight(0, 25);
    for (int r = 1; r < 51; ++r) grid.ChangeRowHeight(r, 20);
    grid.show();
  }
  CGridCtrl grid;
};

TEST_F(GridGeometry, VerticalRangeIsTheScrollingRowsHeightMinusOne) {
  EXPECT_TRUE(grid.IsScrollBarShown(Qt::Vertical));
  EXPECT_EQ(grid.ScrollRangeMax(Qt::Vertical), 50 * 20 - 1);
  EXPECT_EQ(grid.ScrollPage(Qt::Vertical), grid.contentsRect().height() - 25);
  EXPECT_FALSE(grid.IsScrollBarShown(Qt::Horizontal));
  EXPECT_EQ(grid.ScrollRangeMax(Qt::Horizontal), 0);

  grid.ResizeRows(3);
  EXPECT_FALSE(grid.IsScrollBarShown(Qt::Vertical));
  EXPECT_EQ(grid.ScrollRangeMax(Qt::Vertical), 0);
}

TEST_F(GridGeometry, CellRectsFollowSizesAndScrolling) {
  CRect rect;
  ASSERT_TRUE(grid.CellRect(1, 1, rect));
  EXPECT_EQ(rect, (CRect{48, 25, 48 + 105 - 1, 25 + 20 - 1}));
  EXPECT_EQ(grid.TopLeftCell(), (CCellID{1, 1}));

  grid.OnVScroll(SB_LINEDOWN);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 20);
  EXPECT_EQ(grid.TopLeftCell(), (CCellID{2, 1}));
  EXPECT_FALSE(grid.CellRect(1, 1, rect));
  ASSERT_TRUE(grid.CellRect(2, 1, rect));
  EXPECT_EQ(rect.top, 25);
  // Header rows and columns never scroll.
  ASSERT_TRUE(grid.CellRect(0, 0, rect));
  EXPECT_EQ(rect, (CRect{0, 0, 47, 24}));

  const CCellRange visible = grid.VisibleCellRange();
  EXPECT_EQ(visible.minRow, 2);
  EXPECT_EQ(visible.maxCol, 3);
  EXPECT_TRUE(grid.IsCellVisible(visible.maxRow, 3));
  EXPECT_FALSE(grid.IsCellVisible(visible.maxRow + 1, 3));
}

TEST_F(GridGeometry, EnsureVisibleScrollsTheCellIntoView) {
  grid.EnsureVisible(40, 2);
  CRect rect;
  ASSERT_TRUE(grid.CellRect(40, 2, rect));
  EXPECT_LE(rect.bottom, grid.viewport()->height());
  grid.EnsureVisible(1, 1);
  EXPECT_EQ(grid.TopLeftCell().row, 1);
}

class RecordingOwner : public GridOwner {
 public:
  long OnGridNotify(NMHDR* header) override {
    codes.push_back(header->code);
    if (header->code == NotifyGetCellInfo) {
      auto* disp = static_cast<GridDispInfo*>(header);
      disp->item.text = QString("r%1c%2").arg(disp->item.row).arg(disp->item.col);
    }
    return 0;
  }
  std::vector<int> codes;
};

TEST(GridVirtualMode, CellsComeFromTheOwnerOrTheCallback) {
  CGridCtrl grid;
  RecordingOwner owner;
  grid.SetOwner(&owner);
  grid.SetVirtualMode(true);
  grid.ResizeRows(5);
  grid.ResizeColumns(3);
  grid.SetHeaderRows(1);
  EXPECT_EQ(grid.CellText(2, 1), "r2c1");
  EXPECT_TRUE(grid.CellState(0, 1) & CellHeaderRow);
  EXPECT_FALSE(grid.ChangeCellText(2, 1, "x"));
  EXPECT_FALSE(grid.ApplyCellInfo(Info(2, 1, CellInfoMask::Text)));

  int calls = 0;
  grid.SetCallbackFunc(
      [&calls](GridDispInfo* info, std::intptr_t word) {
        ++calls;
        info->item.text = QString::number(word + info->item.row);
        return true;
      },
      100);
  EXPECT_EQ(grid.CellText(3, 0), "103");
  EXPECT_EQ(calls, 1);

  // Selection lives in the map only.
  EXPECT_FALSE(grid.ChangeCellState(3, 2, CellSelected));
  EXPECT_TRUE(grid.IsCellSelected(3, 2));
  EXPECT_TRUE(grid.CellState(3, 2) & CellSelected);
  ASSERT_TRUE(grid.InsertRowAt("h", 2) == 2);
  EXPECT_EQ(grid.RowCount(), 6);
  EXPECT_FALSE(grid.IsCellSelected(3, 2));
}

TEST(GridAutoSize, ColumnsAndRowsTakeTheirWidestAndTallestCell) {
  CGridCtrl grid;
  grid.ResizeRows(3);
  grid.ResizeColumns(3);
  grid.SetHeaderRows(1);
  grid.ChangeCellText(0, 1, "h");
  grid.ChangeCellText(2, 1, "a rather long text for a cell");
  grid.ChangeCellText(1, 2, "x");
  ASSERT_TRUE(grid.AutoSizeColumn(1));
  EXPECT_EQ(grid.ColumnWidth(1), grid.CellAt(2, 1)->MeasureCell().width());

  // Scope 0x2: only the non-header rows count; 0x1: only the header rows.
  grid.ChangeCellText(0, 2, "a much longer header text");
  ASSERT_TRUE(grid.AutoSizeColumn(2, 0x2, true));
  // An empty cell measures as its default cell's size.
  EXPECT_EQ(grid.ColumnWidth(2),
            std::max(grid.CellAt(1, 2)->MeasureCell().width(), grid.CellAt(2, 2)->MeasureCell().width()));
  EXPECT_LT(grid.ColumnWidth(2), grid.CellAt(0, 2)->MeasureCell().width());
  ASSERT_TRUE(grid.AutoSizeColumn(2, 0x1, true));
  EXPECT_EQ(grid.ColumnWidth(2), grid.CellAt(0, 2)->MeasureCell().width());

  // A hidden column or row stays hidden.
  grid.ChangeColumnWidth(0, 0);
  EXPECT_FALSE(grid.AutoSizeColumn(0));
  grid.AutoSizeColumns();
  EXPECT_EQ(grid.ColumnWidth(0), 0);
  EXPECT_FALSE(grid.AutoSizeColumn(3));

  QFont big = *grid.DefaultsFor(false, false)->GetCFont();
  big.setPixelSize(40);
  LOGFONT bigFont = LogFontFromQFont(big);
  grid.CellAt(1, 2)->SetFont(&bigFont);
  ASSERT_TRUE(grid.AutoSizeRow(1));
  EXPECT_EQ(grid.RowHeight(1), grid.CellAt(1, 2)->MeasureCell().height());
  grid.ChangeRowHeight(2, 0);
  EXPECT_FALSE(grid.AutoSizeRow(2));
}

TEST(GridNotifications, GoToTheOwnerWithTheGridsIdAndCodes) {
  CGridCtrl grid;
  EXPECT_EQ(grid.SendMessageToParent(1, 1, NotifyClick), 0);  // no owner: skipped
  struct Owner : GridOwner {
    long OnGridNotify(NMHDR* header) override {
      auto* note = static_cast<GridNotification*>(header);
      seen.push_back({header->code, header->id, note->row, note->col});
      EXPECT_EQ(header->window, grid);
      return 7;
    }
    CGridCtrl* grid = nullptr;
    std::vector<std::array<int, 4>> seen;
  } owner;
  owner.grid = &grid;
  grid.SetOwner(&owner);
  grid.SetDlgCtrlID(1065);
  grid.ResizeRows(3);
  grid.ResizeColumns(3);
  EXPECT_EQ(grid.SendMessageToParent(2, 1, NotifyDoubleClick), 7);
  // Selecting from code sends nothing; the mouse and the keys notify.
  grid.SelectRange(1, 1, 2, 2);
  ASSERT_EQ(owner.seen.size(), 1u);
  EXPECT_EQ(owner.seen[0], (std::array<int, 4>{NotifyDoubleClick, 1065, 2, 1}));
  EXPECT_EQ(grid.SelectedCellRange(), (CCellRange{1, 1, 2, 2}));
}
