// Painting: what reaches the viewport's pixels.
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"

using namespace vorenx;

namespace {

class GridPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.resize(400, 200);
    grid.show();
    QApplication::processEvents();
  }
  void Layout(int rows, int cols) {
    grid.ResizeRows(rows);
    grid.ResizeColumns(cols);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
    for (int c = 0; c < cols; ++c) grid.ChangeColumnWidth(c, 50);
    for (int r = 0; r < rows; ++r) grid.ChangeRowHeight(r, 20);
  }
  QImage Shot() {
    QApplication::processEvents();
    return grid.viewport()->grab().toImage();
  }
  static COLORREF At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

  CGridCtrl grid;
};

}  // namespace

TEST_F(GridPaint, AnEmptyGridShowsOnlyTheBackground) {
  grid.SetBackgroundColour(MakeColourRef(10, 20, 30));
  const QImage image = Shot();
  ASSERT_FALSE(image.isNull());
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(At(image, x, y), MakeColourRef(10, 20, 30)) << x << "," << y;
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
