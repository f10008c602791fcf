// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings table: its layout, the update after each poll and the restart
// after a function change.
#include <QApplication>
#include <malloc.h>

#include "LogTestSupport.h"

using namespace vorenx;
using vorenx::testing::ReadingsLogTest;

TEST_F(ReadingsLogTest, SetUpLaysOutHeaderAndFifteenNumberedRows) {
  ASSERT_EQ(grid.RowCount(), 16);
  ASSERT_EQ(grid.ColumnCount(), 4);
  EXPECT_EQ(grid.HeaderRows(), 1);
  EXPECT_EQ(grid.HeaderColumns(), 1);
  EXPECT_EQ(Row(0), (QStringList{"Index", "Time", "Upper", "Lower"}));
  const int widths[] = {48, 105, 80, 80};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(grid.ColumnWidth(c), widths[c]);
    EXPECT_EQ(grid.CellAt(0, c)->GetFormat(), 5u);
  }
  EXPECT_EQ(grid.RowHeight(0), 25);
  for (int r = 1; r < 16; ++r) {
    EXPECT_EQ(grid.RowHeight(r), 20);
    EXPECT_EQ(Row(r), (QStringList{QString::number(r), "", "", ""}));
    EXPECT_EQ(grid.CellAt(r, 0)->GetFormat(), 0x8025u);
  }
  EXPECT_FALSE(grid.IsSelectionAllowed());
  EXPECT_FALSE(grid.IsEditable());
  EXPECT_FALSE(grid.IsRowResizeAllowed());
  EXPECT_FALSE(grid.IsColumnResizeAllowed());
}

TEST_F(ReadingsLogTest, ThreeReadingsStandNewestFirstAboveFifteenEmptyRows) {
  Reading("05/03  07:08:01", "1.500V", "25.000℃");
  Reading("05/03  07:08:03", "1.501V", "25.100℃");
  Reading("05/03  07:08:05", "1.502V", "25.200℃");
  ASSERT_EQ(grid.RowCount(), 19);
  EXPECT_EQ(Row(1), (QStringList{"1", "05/03  07:08:05", "1.502V", "25.200℃"}));
  EXPECT_EQ(Row(2), (QStringList{"2", "05/03  07:08:03", "1.501V", "25.100℃"}));
  EXPECT_EQ(Row(3), (QStringList{"3", "05/03  07:08:01", "1.500V", "25.000℃"}));
  for (int r = 4; r <= 18; ++r) EXPECT_EQ(Row(r), (QStringList{QString::number(r), "", "", ""})) << r;
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(grid.RowHeight(r), 20);
    EXPECT_EQ(grid.CellAt(r, 0)->GetFormat(), 0x8025u);
    for (int c = 1; c < 4; ++c) EXPECT_EQ(grid.CellAt(r, c)->GetFormat(), 0x8026u);
  }
}

TEST_F(ReadingsLogTest, APollWithoutANewSampleRepeatsTheNewestTexts) {
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  log.UpdateReadingsTable();
  ASSERT_EQ(grid.RowCount(), 18);
  EXPECT_EQ(Row(1), (QStringList{"1", "05/03  07:08:01", "1.500V", "10.000mA"}));
  EXPECT_EQ(Row(2), (QStringList{"2", "05/03  07:08:01", "1.500V", "10.000mA"}));
}

TEST_F(ReadingsLogTest, WithAnEmptyHistoryTheNewRowHoldsOnlyItsIndex) {
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  history.ClearHistory();
  log.UpdateReadingsTable();
  EXPECT_EQ(Row(1), (QStringList{"1", "", "", ""}));
  EXPECT_EQ(Row(2), (QStringList{"2", "05/03  07:08:01", "1.500V", "10.000mA"}));
}

TEST_F(ReadingsLogTest, SetNewestCellRefusesMissingColumnsAndRows) {
  EXPECT_FALSE(log.SetNewestCell(4, "x"));
  EXPECT_FALSE(log.SetNewestCell(-1, "x"));
  EXPECT_TRUE(log.SetNewestCell(2, "x"));
  EXPECT_EQ(grid.CellText(1, 2), "x");
  grid.ResizeRows(1);
  EXPECT_FALSE(log.SetNewestCell(2, "y"));
  // Nothing to insert into: the update leaves the header alone.
  log.UpdateReadingsTable();
  EXPECT_EQ(grid.RowCount(), 1);
}

TEST_F(ReadingsLogTest, AFunctionChangeRestartsTheTable) {
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  Reading("05/03  07:08:03", "1.500V", "10.000mA");
  grid.ClearAll();
  history.ClearHistory();
  log.SetUpReadingsTable();
  ASSERT_EQ(grid.RowCount(), 16);
  for (int r = 1; r < 16; ++r) EXPECT_EQ(Row(r), (QStringList{QString::number(r), "", "", ""}));
  Reading("05/03  07:09:00", "2.000V", "100.000Ω");
  EXPECT_EQ(Row(1), (QStringList{"1", "05/03  07:09:00", "2.000V", "100.000Ω"}));
  EXPECT_EQ(grid.RowCount(), 17);
  EXPECT_EQ(Row(16), (QStringList{"16", "", "", ""}));
}

TEST_F(ReadingsLogTest, ManyReadingsKeepEveryIndexEqualToItsRow) {
  for (int i = 0; i < 300; ++i) Reading(QString("t%1").arg(i), QString("%1V").arg(i), "x");
  ASSERT_EQ(grid.RowCount(), 316);
  for (int r = 1; r < grid.RowCount(); ++r) ASSERT_EQ(grid.CellText(r, 0), QString::number(r));
  EXPECT_EQ(grid.CellText(1, 2), "299V");
  EXPECT_EQ(grid.CellText(300, 2), "0V");
  EXPECT_EQ(grid.TotalHeight(), 25 + 315 * 20);
}

TEST(ReadingsLogOnAnUsedGrid, IndexesStayRightForCellsMadeBeforeTheLog) {
  CGridCtrl grid;
  grid.ResizeRows(16);
  grid.ResizeColumns(4);  // plain cells, made before the log takes over
  SampleHistory history;
  vorenx::testing::RecordingDialogs dialogs;
  CReadingsLog log(grid, history, dialogs, [] { return LocalTime{}; });
  log.SetUpReadingsTable();
  for (int i = 0; i < 3; ++i) {
    history.Append(QString("t%1").arg(i), "1.000V", "2.000V", 1, 2);
    log.UpdateReadingsTable();
  }
  ASSERT_EQ(grid.RowCount(), 19);
  for (int r = 1; r < 19; ++r) EXPECT_EQ(grid.CellText(r, 0), QString::number(r)) << r;
  EXPECT_EQ(grid.CellText(1, 1), "t2");
}

// A long log must stay within 400 bytes of heap per row. The heap is read from
// the allocator, which a sanitizer replaces; there the figure means nothing.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VORENX_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VORENX_UNDER_SANITIZER 1
#endif
#endif

TEST_F(ReadingsLogTest, ARowCostsAtMost400BytesOfHeap) {
#ifdef VORENX_UNDER_SANITIZER
  GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
#else
  // A full history first: from then on appending replaces as much as it adds.
  for (int i = 0; i < kHistoryCapacity; ++i) history.Append("05/03  07:08:01", "1.000V", "2.000V", 1.0, 2.0);
  QApplication::processEvents();
  const std::size_t before = mallinfo2().uordblks;
  const int rows = 10000;
  for (int i = 0; i < rows; ++i) {
    Reading(QString("05/03  07:%1:%2").arg(i / 60 % 60, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0')),
            QString::number(i * 0.001, 'f', 3) + "V", QString::number(i * 0.01, 'f', 3) + "℃");
    if (i % 64 == 0) QApplication::processEvents();
  }
  QApplication::processEvents();
  const double perRow = (static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before)) / rows;
  EXPECT_LE(perRow, 400.0);
  RecordProperty("heap_bytes_per_row", static_cast<int>(perRow));
  EXPECT_GT(perRow, 100.0);  // the measurement sees the rows at all
#endif
}
