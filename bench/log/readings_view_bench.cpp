// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings log as a reader sees it, beside what a Qt developer would use
// instead (a QTableView over a QAbstractTableModel holding the three texts of
// each reading, the Index coming from the row number):
// - per reading: insert the newest at the top and paint the viewport, at
//   10,000 and 100,000 rows;
// - heap per row at 100,000 and 1,000,000 rows, every row with its own texts.
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <deque>

#include "BenchSupport.h"
#include "log/CReadingsLog.h"

using namespace vorenx;

namespace {

using bench::HeapInUse;
using bench::NoDialogs;

// The texts of reading i: each reading has its own.
struct Texts {
  QString time, upper, lower;
};
Texts TextsOf(int i) {
  return Texts{QStringLiteral("05/03  %1:%2:%3")
                   .arg(i / 3600 % 24, 2, 10, QChar('0'))
                   .arg(i / 60 % 60, 2, 10, QChar('0'))
                   .arg(i % 60, 2, 10, QChar('0')),
               QString::number(1.0 + (i % 1000) * 0.001, 'f', 3) + QStringLiteral("V"),
               QString::number(20.0 + (i % 997) * 0.01, 'f', 3) + QStringLiteral("℃")};
}

struct Log {
  Log() : log(grid, history, dialogs) { log.SetUpReadingsTable(); }
  void Add(int i) {
    const Texts t = TextsOf(i);
    history.Append(t.time, t.upper, t.lower, 1.0, 20.0);
    log.UpdateReadingsTable();
  }
  CGridCtrl grid;
  SampleHistory history;
  NoDialogs dialogs;
  CReadingsLog log;
};

class ReadingsModel : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const Texts& t = m_rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
      case 0: return index.row() + 1;
      case 1: return t.time;
      case 2: return t.upper;
      default: return t.lower;
    }
  }
  void AddNewest(int i) {
    beginInsertRows({}, 0, 0);
    m_rows.push_front(TextsOf(i));
    endInsertRows();
  }

 private:
  std::deque<Texts> m_rows;
};

struct ModelView {
  ModelView() {
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(20);
    view.verticalHeader()->hide();
    view.setModel(&model);
  }
  ReadingsModel model;
  QTableView view;
};

void BM_LogReadingAndPaint(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Log log;
  for (int i = 0; i < rows; ++i) {
    log.Add(i);
    if (i % 64 == 0) QApplication::processEvents();
  }
  log.grid.resize(360, 300);
  log.grid.show();
  QApplication::processEvents();
  int i = rows;
  for (auto _ : state) {
    log.Add(i++);
    log.grid.viewport()->repaint();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_LogReadingAndPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_TableViewReadingAndPaint(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  ModelView mv;
  for (int i = 0; i < rows; ++i) {
    mv.model.AddNewest(i);
    if (i % 64 == 0) QApplication::processEvents();
  }
  mv.view.resize(360, 300);
  mv.view.show();
  QApplication::processEvents();
  int i = rows;
  for (auto _ : state) {
    mv.model.AddNewest(i++);
    mv.view.viewport()->repaint();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_TableViewReadingAndPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Heap per row of each, one pass (the time is the filling).
void BM_HeapPerRow(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    malloc_trim(0);
    auto log = std::make_unique<Log>();
    const std::size_t empty = HeapInUse();
    for (int i = 0; i < rows; ++i) {
      log->Add(i);
      // Readings come one per poll, with the event loop running in between.
      if (i % 64 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    const std::size_t withLog = HeapInUse();
    log.reset();
    malloc_trim(0);
    auto mv = std::make_unique<ModelView>();
    const std::size_t emptyModel = HeapInUse();
    for (int i = 0; i < rows; ++i) {
      mv->model.AddNewest(i);
      if (i % 64 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    const std::size_t withModel = HeapInUse();
    state.counters["log_B_per_row"] = (static_cast<double>(withLog) - static_cast<double>(empty)) / rows;
    state.counters["model_B_per_row"] = (static_cast<double>(withModel) - static_cast<double>(emptyModel)) / rows;
    state.counters["log_to_model"] = state.counters["log_B_per_row"] / state.counters["model_B_per_row"];
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_HeapPerRow)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
