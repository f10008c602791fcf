// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings table's update at 1,000, 10,000 and 100,000 rows beside a stock
// QTableWidget doing the same job (insert a row at the top, write four items,
// renumber the first column), the export of 100,000 rows, and the memory each
// table takes per row.
#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "log/CReadingsLog.h"

using namespace vorenx;

namespace {

using bench::HeapInUse;
using bench::NoDialogs;

struct LogFixture {
  explicit LogFixture(int rows) : log(grid, history, dialogs) {
    log.SetUpReadingsTable();
    history.Append("05/03  07:08:01", "1.500V", "25.000℃", 1.5, 25.0);
    // The event loop runs between readings, as in the program.
    while (grid.RowCount() < rows) {
      log.UpdateReadingsTable();
      if (grid.RowCount() % 64 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
  }
  CGridCtrl grid;
  SampleHistory history;
  NoDialogs dialogs;
  CReadingsLog log;
};

void BM_GridUpdate(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  LogFixture f(rows);
  for (auto _ : state) {
    f.log.UpdateReadingsTable();
    state.PauseTiming();
    f.grid.ResizeRows(rows);  // drop the bottom row again: the size stays put
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_GridUpdate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void InsertTableWidgetReading(QTableWidget& table) {
  table.insertRow(0);
  table.setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
  table.setItem(0, 1, new QTableWidgetItem(QStringLiteral("05/03  07:08:01")));
  table.setItem(0, 2, new QTableWidgetItem(QStringLiteral("1.500V")));
  table.setItem(0, 3, new QTableWidgetItem(QStringLiteral("25.000℃")));
  for (int r = 0; r < table.rowCount(); ++r)
    if (QTableWidgetItem* item = table.item(r, 0)) item->setText(QString::number(r + 1));
}

void FillTableWidget(QTableWidget& table, int rows) {
  table.setColumnCount(4);
  table.setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    table.setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
    table.setItem(r, 1, new QTableWidgetItem(QStringLiteral("05/03  07:08:01")));
    table.setItem(r, 2, new QTableWidgetItem(QStringLiteral("1.500V")));
    table.setItem(r, 3, new QTableWidgetItem(QStringLiteral("25.000℃")));
  }
}

void BM_TableWidgetUpdate(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  QTableWidget table;
  FillTableWidget(table, rows);
  for (auto _ : state) {
    InsertTableWidgetReading(table);
    state.PauseTiming();
    table.removeRow(table.rowCount() - 1);
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_TableWidgetUpdate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_SaveToFile(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  LogFixture f(rows);
  QTemporaryDir dir;
  const QString path = dir.filePath("readings.csv");
  for (auto _ : state) benchmark::DoNotOptimize(f.grid.SaveToFile(path));
  state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
  state.counters["rows"] = rows;
}
BENCHMARK(BM_SaveToFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// Heap taken per row by each table at 100,000 rows (one pass; the time is the fill).
void BM_MemoryPerRow(benchmark::State& state) {
  const int rows = 100000;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    auto grid = std::make_unique<LogFixture>(rows);
    const std::size_t withGrid = HeapInUse();
    auto table = std::make_unique<QTableWidget>();
    FillTableWidget(*table, rows);
    const std::size_t withTable = HeapInUse();
    state.counters["grid_bytes_per_row"] = static_cast<double>(withGrid - before) / rows;
    state.counters["tablewidget_bytes_per_row"] = static_cast<double>(withTable - withGrid) / rows;
  }
}
BENCHMARK(BM_MemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
