// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Printing: the page arithmetic against worked examples, and whole grids
// printed to PDF, fitted to the page width or split into pages across.
#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/PrintLayout.h"

using namespace vorenx;

namespace {

GridAxis Sizes(std::vector<int> sizes, int headers, int headerExtent = 0) {
  const int count = static_cast<int>(sizes.size());
  return GridAxis{count, headers, headerExtent, 0, [sizes](int i) { return sizes[static_cast<std::size_t>(i)]; }};
}

// A grid of rows x cols cells of 100 x 20 pixels, a header row and column.
void Build(CGridCtrl& grid, int rows, int cols) {
  grid.ResizeRows(rows);
  grid.ResizeColumns(cols);
  grid.SetHeaderRows(1);
  grid.SetHeaderColumns(1);
  for (int c = 0; c < cols; ++c) grid.ChangeColumnWidth(c, 100);
  for (int r = 0; r < rows; ++r) {
    grid.ChangeRowHeight(r, 20);
    for (int c = 0; c < cols; ++c) grid.ChangeCellText(r, c, QStringLiteral("%1:%2").arg(r).arg(c));
  }
}

// A grid that records the footer of every page it prints.
class FooterGrid : public CGridCtrl {
 public:
  void PrintFooter(QPainter* dc, CPrintInfo* info) override {
    footers << FooterPageText(*info);
    CGridCtrl::PrintFooter(dc, info);
  }
  QStringList footers;
};

int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = file.readAll();
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>") +
                          pdf.count("/Type /Page "));
}

}  // namespace

TEST(PrintLayoutArithmetic, PagesStartWhereTheSumPassesTheRoom) {
  EXPECT_EQ(PageStarts(Sizes({25, 20, 20, 20, 20, 20}, 1), 50), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(PageStarts(Sizes({25, 20, 20, 20, 20}, 1), 40), (std::vector<int>{1, 3}));
  EXPECT_EQ(PageStarts(Sizes({25}, 1), 40), (std::vector<int>{1}));  // no rows: one page
  // A row taller than the room stands alone on its page, with no blank page before it.
  EXPECT_EQ(PageStarts(Sizes({0, 90, 20, 20}, 1), 50), (std::vector<int>{1, 2}));
  EXPECT_EQ(MulDiv(1048, 6600, 5100), 1356);
}

TEST(PrintLayoutArithmetic, FittedToTheWidthOrAtScreenSizeAcrossPages) {
  PrintMetrics m;
  m.charWidth = 6;
  m.charHeight = 12;
  m.horzRes = 4800;  // 8 x 11 inches at 600 dpi
  m.vertRes = 6600;
  m.printerDpiX = m.printerDpiY = 600;
  const GridAxis rows = Sizes(std::vector<int>(201, 20), 1, 20);
  const GridAxis cols = Sizes(std::vector<int>(21, 100), 1, 100);

  const PrintLayout fitted = ComputePrintLayout(m, rows, cols, 2100);
  EXPECT_EQ(fitted.paperWidth, 2100 + 8 * 6);
  EXPECT_EQ(fitted.paperHeight, MulDiv(2148, 6600, 4800));  // 2954
  EXPECT_EQ(fitted.usableHeight, 2954 - 6 * 12 - 20);       // 2862: 143 rows a page
  EXPECT_EQ(fitted.pagesAcross, 1);
  EXPECT_EQ(fitted.pagesDown, 2);
  EXPECT_EQ(fitted.FirstRow(2), 1 + 143);

  m.actualSize = true;
  const PrintLayout actual = ComputePrintLayout(m, rows, cols, 2100);
  EXPECT_EQ(actual.paperWidth, 768 * 3 / 4);   // 576
  EXPECT_EQ(actual.usableWidth, 576 - 100 - 48);  // 428: 4 columns a page
  EXPECT_EQ(actual.pagesAcross, 5);
  EXPECT_EQ(actual.paperHeight, 1056 * 3 / 4);  // 792
  EXPECT_EQ(actual.usableHeight, 792 - 72 - 20);  // 700: 35 rows a page
  EXPECT_EQ(actual.pagesDown, 6);
  EXPECT_EQ(actual.pageCount, 30);
  // Page 7 is the second row page's second column page.
  EXPECT_EQ(actual.FirstRow(7), 36);
  EXPECT_EQ(actual.FirstColumn(7), 5);
  EXPECT_EQ(actual.FirstColumn(5), 17);
  EXPECT_EQ(actual.EndColumn(5, 21), 21);
}

TEST(GridPrinting, AWideGridIsFittedOrSplitAcrossAndEveryPageHasItsFooter) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  FooterGrid grid;
  Build(grid, 120, 14);  // 1400 pixels wide
  const auto print = [&](bool actualSize, const QString& name) {
    grid.SetPrintActualSize(actualSize);
    grid.footers.clear();
    QPdfWriter pdf(dir.filePath(name));
    pdf.setResolution(300);
    EXPECT_TRUE(PrintGridPages(grid, pdf));
    return grid.LastPrintLayout();
  };
  const PrintLayout fitted = print(false, QStringLiteral("fitted.pdf"));
  EXPECT_EQ(fitted.pagesAcross, 1);
  EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("fitted.pdf"))), fitted.pageCount);
  ASSERT_FALSE(grid.footers.isEmpty());
  EXPECT_EQ(grid.footers.first(), QStringLiteral("Page 1 of %1").arg(fitted.pageCount));
  EXPECT_EQ(grid.footers.size(), fitted.pageCount);

  const PrintLayout actual = print(true, QStringLiteral("actual.pdf"));
  EXPECT_GT(actual.pagesAcross, 1);
  EXPECT_EQ(actual.pageCount, actual.pagesAcross * actual.pagesDown);
  EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("actual.pdf"))), actual.pageCount);
  EXPECT_EQ(grid.footers.last(), QStringLiteral("Page %1 of %1").arg(actual.pageCount));

  // The footer really is on the page, where a text extractor is at hand.
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (!tool.isEmpty()) {
    QProcess extract;
    extract.start(tool, {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                         dir.filePath(QStringLiteral("fitted.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of %1").arg(fitted.pageCount))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1:3")));
  }
}

TEST(GridPrinting, ProgressCanCancelAndAChangedTableIsNotOverrun) {
  QTemporaryDir dir;
  CGridCtrl grid;
  Build(grid, 400, 3);
  QPdfWriter pdf(dir.filePath(QStringLiteral("cancel.pdf")));
  int seen = 0;
  EXPECT_FALSE(PrintGridPages(grid, pdf, [&](int page, int count) {
    EXPECT_GT(count, 2);
    seen = page;
    return page < 2;
  }));
  EXPECT_EQ(seen, 2);

  // Rows removed between BeginPrinting and a page: the page prints what is left.
  QPdfWriter again(dir.filePath(QStringLiteral("shrunk.pdf")));
  QPainter painter(&again);
  CPrintInfo info;
  ASSERT_TRUE(grid.BeginPrinting(&painter, &info));
  ASSERT_GT(info.maxPage, 1);
  grid.ResizeRows(3);
  info.currentPage = info.maxPage;
  grid.PrintPage(&painter, &info);
  grid.EndPrinting(&painter, &info);
}
