// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Painting: what reaches the viewport's pixels.
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>

#include <QPaintEvent>
#include <QPdfWriter>
#include <QScreen>
#include <QTemporaryDir>

#include "GridTestSupport.h"
#include "grid/GridCtrl.h"
#include "grid/GridMemDC.h"

using namespace vorenx;

namespace {

class GridPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.setFrameShape(QFrame::NoFrame);
    grid.resize(400, 200);
    grid.show();
    // The grid is a window of its own and takes the keyboard focus when the
    // window becomes active; the pictures here are of a grid without it, as
    // its focus frame covers the viewport's edge.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.clearFocus();
    QApplication::processEvents();
  }
  void Layout(int rows, int cols) { vorenx::testing::LayOutCells(grid, rows, cols); }
  QImage Shot() {
    QApplication::processEvents();
    return grid.viewport()->grab().toImage();
  }
  static COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

  CGridCtrl grid;
};

}  // namespace

// No rows, rows without columns, columns without rows: every pixel is the
// background, with no stray end of a grid line over an empty range.
TEST_F(GridPaint, AnEmptyGridShowsOnlyTheBackground) {
  grid.SetBackgroundColour(MakeColourRef(10, 20, 30));
  grid.SetGridLineColour(MakeColourRef(200, 0, 0));
  const auto onlyBackground = [this](const char* what) {
    const QImage image = Shot();
    ASSERT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(At(image, x, y), MakeColourRef(10, 20, 30)) << what << " " << x << "," << y;
  };
  onlyBackground("no cells");
  grid.ResizeRows(5);
  for (int r = 0; r < 5; ++r) grid.ChangeRowHeight(r, 20);
  onlyBackground("rows, no columns");
  grid.ResizeRows(0);
  grid.ResizeColumns(4);
  for (int c = 0; c < 4; ++c) grid.ChangeColumnWidth(c, 50);
  onlyBackground("columns, no rows");
}

TEST_F(GridPaint, CellsBackgroundAndGridLinesLandWhereTheyBelong) {
  Layout(4, 3);
  grid.SetBackgroundColour(MakeColourRef(10, 20, 30));
  grid.SetGridLineColour(MakeColourRef(200, 0, 0));
  grid.DefaultsFor(false, false)->SetBackColour(MakeColourRef(255, 255, 255));
  grid.CellAt(2, 2)->SetBackColour(MakeColourRef(0, 0, 255));
  const QImage image = Shot();
  // A plain cell's inside, the coloured cell, the grid lines of column 1 and row 1.
  EXPECT_EQ(At(image, 75, 30), MakeColourRef(255, 255, 255));
  EXPECT_EQ(At(image, 105, 45), MakeColourRef(0, 0, 255));
  EXPECT_EQ(At(image, 99, 30), MakeColourRef(200, 0, 0));
  EXPECT_EQ(At(image, 75, 39), MakeColourRef(200, 0, 0));
  // Right of and below the cells: the grid's background.
  EXPECT_EQ(At(image, 300, 30), MakeColourRef(10, 20, 30));
  EXPECT_EQ(At(image, 75, 150), MakeColourRef(10, 20, 30));
  // Header cells have no grid line of the grid's colour.
  EXPECT_NE(At(image, 99, 5), MakeColourRef(200, 0, 0));
}

TEST_F(GridPaint, HiddenColumnsAndNoGridLinesDrawNoLines) {
  Layout(4, 3);
  grid.SetGridLineColour(MakeColourRef(200, 0, 0));
  grid.SetGridLines(GVL_NONE);
  QImage image = Shot();
  for (int x = 50; x < 150; ++x) ASSERT_NE(At(image, x, 39), MakeColourRef(200, 0, 0)) << x;

  grid.SetGridLines(GVL_BOTH);
  grid.ChangeColumnWidth(1, 0);
  image = Shot();
  // Column 2 now starts where column 1 did: one vertical line at x = 99, none at 149.
  EXPECT_EQ(At(image, 99, 30), MakeColourRef(200, 0, 0));
  EXPECT_NE(At(image, 149, 30), MakeColourRef(200, 0, 0));
}

TEST_F(GridPaint, ASelectedFocusedCellUsesTheHighlightColours) {
  Layout(3, 3);
  CGridCellBase* cell = grid.CellAt(1, 1);
  cell->SetState(CellSelected | CellFocused);
  QImage image(60, 30, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  ASSERT_TRUE(cell->Draw(&painter, 1, 1, CRect{0, 0, 49, 19}, false));
  painter.end();
  EXPECT_EQ(At(image, 20, 10), grid.SysColour(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(image, 0, 10), grid.SysColour(COLOR_HIGHLIGHTTEXT));
  EXPECT_FALSE(cell->Draw(&painter, 1, 1, CRect{0, 0, 0, 19}, false));
}

TEST_F(GridPaint, ACellWithItsOwnBackIsFilledEvenWithoutErasing) {
  Layout(3, 3);
  CGridCellBase* cell = grid.CellAt(1, 1);
  cell->SetBackColour(MakeColourRef(0, 128, 0));
  QImage image(60, 30, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  ASSERT_TRUE(cell->Draw(&painter, 1, 1, CRect{0, 0, 49, 19}, false));
  painter.end();
  EXPECT_EQ(At(image, 25, 10), MakeColourRef(0, 128, 0));
  EXPECT_EQ(At(image, 49, 19), MakeColourRef(0, 128, 0));
  EXPECT_EQ(At(image, 51, 21), MakeColourRef(0, 0, 0));
}

TEST_F(GridPaint, SystemColourChangesReachTheDefaultCells) {
  QPalette palette = grid.palette();
  palette.setColor(QPalette::Text, QColor(1, 2, 3));
  palette.setColor(QPalette::Base, QColor(4, 5, 6));
  grid.setPalette(palette);
  EXPECT_EQ(grid.DefaultsFor(false, false)->GetTextColour(), MakeColourRef(1, 2, 3));
  EXPECT_EQ(grid.DefaultsFor(false, false)->GetBackColour(), MakeColourRef(4, 5, 6));
  // A colour the user chose is left alone.
  grid.DefaultsFor(false, false)->SetTextColour(MakeColourRef(9, 9, 9));
  palette.setColor(QPalette::Text, QColor(7, 7, 7));
  grid.setPalette(palette);
  EXPECT_EQ(grid.DefaultsFor(false, false)->GetTextColour(), MakeColourRef(9, 9, 9));
  EXPECT_EQ(grid.DefaultsFor(true, false)->GetTextColour(), MakeColourRef(7, 7, 7));
}

TEST_F(GridPaint, PrintingUsesColoursOnlyWhenAsked) {
  Layout(3, 3);
  CGridCellBase* header = grid.CellAt(0, 1);
  grid.DefaultsFor(true, false)->SetBackColour(MakeColourRef(0, 0, 200));
  header->SetText("H");
  QImage image(60, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  ASSERT_TRUE(header->Print(&painter, 0, 1, CRect{0, 0, 49, 19}));
  EXPECT_EQ(At(image, 25, 3), MakeColourRef(0, 0, 200));

  // A plain cell whose back colour is the default's is not filled.
  CGridCellBase* cell = grid.CellAt(1, 1);
  image.fill(Qt::white);
  ASSERT_TRUE(cell->Print(&painter, 1, 1, CRect{0, 0, 49, 19}));
  EXPECT_EQ(At(image, 25, 3), MakeColourRef(255, 255, 255));

  grid.SetPrintColours(false);
  image.fill(Qt::white);
  ASSERT_TRUE(header->Print(&painter, 0, 1, CRect{0, 0, 49, 19}));
  EXPECT_EQ(At(image, 25, 3), MakeColourRef(255, 255, 255));
  painter.end();
}

TEST_F(GridPaint, HiddenRowsGiveNoCellAndNoLine) {
  Layout(5, 3);
  grid.SetGridLineColour(MakeColourRef(200, 0, 0));
  grid.CellAt(2, 1)->SetBackColour(MakeColourRef(0, 0, 255));
  grid.ChangeRowHeight(2, 0);
  const QImage image = Shot();
  // Row 3 now starts where row 2 did (y 40); nothing of row 2's colour shows.
  for (int y = 0; y < 120; ++y) ASSERT_NE(At(image, 75, y), MakeColourRef(0, 0, 255)) << y;
  EXPECT_EQ(At(image, 75, 39), MakeColourRef(200, 0, 0));
  EXPECT_EQ(At(image, 75, 59), MakeColourRef(200, 0, 0));
  EXPECT_EQ(At(image, 75, 79), MakeColourRef(200, 0, 0));
  // Three rows show: no line where a fourth would end.
  EXPECT_NE(At(image, 75, 99), MakeColourRef(200, 0, 0));
}

TEST_F(GridPaint, WithoutGridLinesHeaderCellsLoseTheirBorders) {
  Layout(3, 3);
  const COLORREF face = grid.DefaultsFor(true, false)->GetBackColour();
  QImage image = Shot();
  // A raised header: light top-left edge, dark bottom-right edge.
  EXPECT_EQ(At(image, 60, 0), grid.SysColour(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(image, 60, 19), grid.SysColour(COLOR_3DDKSHADOW));
  grid.SetGridLines(GVL_NONE);
  image = Shot();
  EXPECT_EQ(At(image, 60, 0), face);
  EXPECT_EQ(At(image, 60, 19), face);
  EXPECT_EQ(At(image, 99, 10), face);
}

TEST_F(GridPaint, TheFocusSinksItsHeadersAndFramesTheSelectedFocusCell) {
  Layout(5, 4);
  grid.SelectRange(2, 2, 2, 2);
  grid.MoveFocusTo(2, 2);
  const QImage image = Shot();
  // Column 2's header (x 100..149) and row 2's header (y 40..59) are sunken:
  // dark on top and at the left; column 1's header stays raised.
  EXPECT_EQ(At(image, 120, 0), grid.SysColour(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(image, 0, 50), grid.SysColour(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(image, 70, 0), grid.SysColour(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(image, 0, 30), grid.SysColour(COLOR_BTNHIGHLIGHT));
  // The cell in the highlight colour, framed in the highlight text colour.
  EXPECT_EQ(At(image, 125, 50), grid.SysColour(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(image, 100, 50), grid.SysColour(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(At(image, 125, 40), grid.SysColour(COLOR_HIGHLIGHTTEXT));
}

TEST_F(GridPaint, TheSortArrowShowsOnlyInRowZeroOfTheSortColumn) {
  Layout(4, 4);
  grid.ChangeRowHeight(0, 24);
  grid.ChangeRowHeight(1, 24);
  const COLORREF shadow = grid.SysColour(COLOR_BTNSHADOW);
  const auto shadowPixels = [&](const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += At(image, x, y) == shadow;
    return count;
  };
  const QRect header2(101, 1, 47, 21);
  const QRect header1(51, 1, 47, 21);
  const QRect cell2(101, 25, 47, 21);
  const QRect row1Header(1, 25, 47, 21);
  QImage image = Shot();
  ASSERT_EQ(shadowPixels(image, header2), 0);
  grid.SetSortColumn(2);
  image = Shot();
  EXPECT_GT(shadowPixels(image, header2), 5);
  EXPECT_EQ(shadowPixels(image, header1), 0);
  EXPECT_EQ(shadowPixels(image, cell2), 0);
  EXPECT_EQ(shadowPixels(image, row1Header), 0);
}

TEST_F(GridPaint, ACellScrolledOutOfViewIsNeitherRepaintedNorInvalidated) {
  Layout(40, 3);
  grid.OnVScroll(SB_THUMBPOSITION, 200);
  ASSERT_GT(grid.TopLeftCell().row, 3);
  Shot();
  // Record what the viewport is asked to repaint from now on.
  struct Spy : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
      return false;
    }
    QRegion region;
  } spy;
  grid.viewport()->installEventFilter(&spy);
  EXPECT_FALSE(grid.InvalidateCell(2, 1));
  EXPECT_FALSE(grid.RedrawCell(2, 1));
  QImage image(200, 100, QImage::Format_RGB32);
  QPainter painter(&image);
  EXPECT_FALSE(grid.RedrawCell(2, 1, &painter));
  painter.end();
  QApplication::processEvents();
  EXPECT_TRUE(spy.region.isEmpty());
  // A visible cell: just its rectangle, one pixel wider and taller.
  const int row = grid.TopLeftCell().row + 1;
  EXPECT_TRUE(grid.InvalidateCell(row, 1));
  QApplication::processEvents();
  CRect rect;
  ASSERT_TRUE(grid.CellRect(row, 1, rect));
  EXPECT_EQ(spy.region.boundingRect(), QRect(rect.left, rect.top, 51, 21));
}

TEST_F(GridPaint, PaintsGoThroughOneImageOfTheDirtyRectExceptOnPaper) {
  Layout(6, 3);
  grid.CellAt(2, 1)->SetBackColour(MakeColourRef(0, 200, 0));
  const QRect dirty(60, 45, 30, 10);
  QImage target(400, 200, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QPainter painter(&target);
    CMemDCGrid memory(painter, dirty, Qt::red);
    ASSERT_TRUE(memory.IsBuffered());
    EXPECT_EQ(memory.Image().size(), dirty.size());
    grid.DrawGrid(memory.Painter(), dirty);
    // Nothing reaches the target before the copy.
    EXPECT_EQ(At(target, 70, 50), MakeColourRef(0, 0, 0));
  }
  EXPECT_EQ(At(target, 70, 50), MakeColourRef(0, 200, 0));
  EXPECT_EQ(At(target, 59, 50), MakeColourRef(0, 0, 0));  // outside the dirty rectangle
  EXPECT_EQ(At(target, 70, 56), MakeColourRef(0, 0, 0));

  QTemporaryDir dir;
  QPdfWriter pdf(dir.filePath("grid.pdf"));
  QPainter paper(&pdf);
  CMemDCGrid straight(paper, QRect(0, 0, 400, 200), Qt::white);
  EXPECT_FALSE(straight.IsBuffered());
  EXPECT_TRUE(straight.Image().isNull());
  EXPECT_EQ(&straight.Painter(), &paper);
  grid.DrawGrid(straight.Painter(), QRect(0, 0, 400, 200));
}

// The keyboard focus: a frame of the highlight colour, 2 pixels wide, over the
// viewport's edge (headers included), there only while the grid has the focus.
// The window's own pixels show that gaining and losing the focus repaint it and
// that a cell repainted at the edge keeps it.
TEST_F(GridPaint, TheKeyboardFocusShowsAsAHighlightFrameInsideTheEdge) {
  Layout(4, 3);
  const COLORREF highlight = FromQColor(grid.palette().color(QPalette::Highlight));
  const QList<QPoint> frame = {{120, 0}, {120, 1}, {0, 50}, {1, 50}, {399, 100}, {398, 100}, {200, 199}, {200, 198}};
  const QList<QPoint> inside = {{120, 2}, {2, 50}, {397, 100}, {200, 197}, {75, 30}};
  const auto onScreen = [this] { return grid.screen()->grabWindow(grid.winId()).toImage(); };
  const auto framed = [&](const QImage& image) {
    return std::all_of(frame.begin(), frame.end(), [&](QPoint p) { return At(image, p.x(), p.y()) == highlight; });
  };
  const auto bare = [&](const QImage& image) {
    return std::none_of(frame.begin(), frame.end(), [&](QPoint p) { return At(image, p.x(), p.y()) == highlight; });
  };
  QImage image = Shot();
  ASSERT_FALSE(grid.hasFocus());
  EXPECT_TRUE(bare(image));

  grid.setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(grid.hasFocus());
  image = Shot();
  EXPECT_TRUE(framed(image));
  for (QPoint p : inside) EXPECT_NE(At(image, p.x(), p.y()), highlight) << p.x() << "," << p.y();
  EXPECT_TRUE(QTest::qWaitFor([&] { return framed(onScreen()); }));
  // Row 1 of column 0 lies under the frame's left side.
  grid.CellAt(1, 0)->SetBackColour(MakeColourRef(0, 120, 0));
  ASSERT_TRUE(grid.InvalidateCell(1, 0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return At(onScreen(), 20, 30) == MakeColourRef(0, 120, 0); }));
  EXPECT_EQ(At(onScreen(), 0, 30), highlight);

  grid.clearFocus();
  EXPECT_TRUE(bare(Shot()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return bare(onScreen()); }));
}

// A grid as a user sees it: a selection, the focus cell, sunken headers and
// the sort arrow. Set VORENX_GRID_SCREENSHOT to a file name to keep the picture.
TEST_F(GridPaint, ASelectionWithFocusSunkenHeadersAndSortArrow) {
  Layout(9, 5);
  const char* heads[] = {"", "Name", "Value", "Unit", "Note"};
  for (int c = 1; c < 5; ++c) grid.ChangeCellText(0, c, heads[c]);
  for (int r = 1; r < 9; ++r) {
    grid.ChangeCellText(r, 0, QString::number(r));
    grid.ChangeCellText(r, 1, QString("item %1").arg(QChar('A' + r)));
    grid.ChangeCellText(r, 2, QString::number(r * 1.25, 'f', 2));
    grid.ChangeCellText(r, 3, r % 2 ? "V" : "mA");
    grid.ChangeCellText(r, 4, r == 3 ? "a note too long for its cell" : "");
  }
  grid.ChangeColumnWidth(0, 30);
  grid.ChangeColumnWidth(1, 80);
  grid.ChangeColumnWidth(4, 110);
  grid.ChangeRowHeight(0, 24);
  grid.SortByText(2, true);
  grid.SelectRange(2, 1, 4, 3);
  grid.MoveFocusTo(3, 2);
  const QImage image = Shot();
  if (const QByteArray path = qgetenv("VORENX_GRID_SCREENSHOT"); !path.isEmpty()) image.save(QString::fromLocal8Bit(path));
  EXPECT_EQ(At(image, 60, 60), grid.SysColour(COLOR_HIGHLIGHT));       // selected, not focused
  EXPECT_EQ(At(image, 110, 71), grid.SysColour(COLOR_HIGHLIGHTTEXT));  // the focus frame's left edge
  EXPECT_EQ(At(image, 130, 0), grid.SysColour(COLOR_3DDKSHADOW));      // column 2's header, sunken
  EXPECT_EQ(At(image, 200, 0), grid.SysColour(COLOR_BTNHIGHLIGHT));    // column 3's header, raised
}

// In VirtualMode a paint announces the visible cells before asking for them
// and says when it is done; cells come from the owner row by row.
TEST_F(GridPaint, VirtualModePaintsAnnounceTheVisibleRange) {
  struct Owner : GridOwner {
    long OnGridNotify(NMHDR* header) override {
      if (header->code == NotifyCacheHint) hints.push_back(static_cast<GridCacheHint*>(header)->range);
      if (header->code == NotifyGetCellInfo) {
        CellInfo& item = static_cast<GridDispInfo*>(header)->item;
        asked = std::max(asked, item.row);
        if (!hints.empty() && hints.back().minRow >= 0) ++insideHint;
        if (item.row == 2 && item.col == 1) item.backColour = MakeColourRef(0, 0, 250);
      }
      return 0;
    }
    std::vector<CCellRange> hints;
    int asked = -1;
    int insideHint = 0;
  } owner;
  grid.SetOwner(&owner);
  grid.SetVirtualMode(true);
  Layout(1000, 3);
  owner.hints.clear();
  owner.asked = -1;
  const QImage image = Shot();
  ASSERT_GE(owner.hints.size(), 2u);
  EXPECT_EQ(owner.hints[owner.hints.size() - 2], (CCellRange{1, 1, 9, 2}));
  EXPECT_EQ(owner.hints.back(), CCellRange{});
  EXPECT_LE(owner.asked, 9);  // only what is in view
  EXPECT_GT(owner.insideHint, 0);
  EXPECT_EQ(At(image, 75, 50), MakeColourRef(0, 0, 250));
}
