// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Painting the visible part of the grid at 100 and at 1,000,000 rows, at the
// top and scrolled to the middle, beside a QTableView over a
// QAbstractTableModel of the same size painting the same viewport. The grid's
// cost should not grow with the rows: compare BM_GridPaint/1000000 with
// BM_GridPaint/100.
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>

#include "grid/GridCtrl.h"

using namespace vorenx;

namespace {

constexpr int kColumns = 4;

QString TextOf(int row, int col) {
  switch (col) {
    case 0: return QString::number(row);
    case 1: return QStringLiteral("05/03  07:%1:%2").arg(row / 60 % 60, 2, 10, QChar('0')).arg(row % 60, 2, 10, QChar('0'));
    case 2: return QString::number(row * 0.001, 'f', 3) + QStringLiteral("V");
    default: return QString::number(row * 0.01, 'f', 3) + QStringLiteral("℃");
  }
}

void FillGrid(CGridCtrl& grid, int rows) {
  grid.SetRedraw(false);
  grid.ResizeRows(rows);
  grid.ResizeColumns(kColumns);
  grid.SetHeaderRows(1);
  grid.SetHeaderColumns(1);
  const int widths[kColumns] = {48, 105, 80, 80};
  for (int c = 0; c < kColumns; ++c) grid.ChangeColumnWidth(c, widths[c]);
  for (int r = 0; r < rows; ++r) {
    grid.ChangeRowHeight(r, 20);
    for (int c = 0; c < kColumns; ++c) grid.ChangeCellText(r, c, TextOf(r, c));
  }
  grid.SetRedraw(true, true);
}

class TableModel : public QAbstractTableModel {
 public:
  explicit TableModel(int rows) : m_rows(rows) {}
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumns - 1; }
  QVariant data(const QModelIndex& index, int role) const override {
    return role == Qt::DisplayRole ? QVariant(TextOf(index.row(), index.column() + 1)) : QVariant();
  }

 private:
  int m_rows;
};

void BM_GridPaint(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  CGridCtrl grid;
  grid.resize(360, 300);
  FillGrid(grid, rows);
  grid.show();
  QApplication::processEvents();
  if (state.range(1)) grid.OnVScroll(SB_THUMBPOSITION, grid.verticalScrollBar()->maximum() / 2);
  for (auto _ : state) grid.viewport()->repaint();
  state.counters["rows"] = rows;
}
BENCHMARK(BM_GridPaint)->Args({100, 0})->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMicrosecond);

void BM_TableViewPaint(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TableModel model(rows);
  QTableView view;
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(20);
  view.setModel(&model);
  view.resize(360, 300);
  view.show();
  QApplication::processEvents();
  if (state.range(1)) view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
  for (auto _ : state) view.viewport()->repaint();
  state.counters["rows"] = rows;
}
BENCHMARK(BM_TableViewPaint)->Args({100, 0})->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMicrosecond);

}  // namespace
