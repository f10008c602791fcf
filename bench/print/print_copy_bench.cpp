// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings log of 100,000 rows printed to PDF (every page with its header
// and footer) and copied with "Copy All", each beside what a Qt developer
// would write without the grid: a QTableView over a QAbstractTableModel,
// printed with a QPainter loop over the model's rows and copied through the
// view's selection. Compare BM_LogPrintPdf with BM_ModelPrintPdf and
// BM_LogCopyAll with BM_ViewCopyAll.
#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPdfWriter>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "log/CReadingsLog.h"

using namespace vorenx;

namespace {

constexpr int kRows = 100000;

QString TimeText(int i) {
  return QStringLiteral("05/03  07:%1:%2").arg(i / 60 % 60, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0'));
}
QString UpperText(int i) { return QString::number(i * 0.001, 'f', 3) + QStringLiteral("V"); }
QString LowerText(int i) { return QString::number(i * 0.01, 'f', 3) + QStringLiteral("℃"); }

// A readings log with `rows` readings, as the window fills it.
struct FilledLog {
  explicit FilledLog(int rows) : log(grid, history, dialogs) {
    log.SetUpReadingsTable();
    for (int i = 0; i < rows; ++i) {
      history.Append(TimeText(i), UpperText(i), LowerText(i), 0.0, 0.0);
      log.UpdateReadingsTable();
    }
  }
  CGridCtrl grid;
  SampleHistory history;
  bench::NoDialogs dialogs;
  CReadingsLog log;
};

class ReadingsModel : public QAbstractTableModel {
 public:
  explicit ReadingsModel(int rows) : m_rows(rows) {}
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const int i = m_rows - 1 - index.row();  // newest first
    switch (index.column()) {
      case 0: return QString::number(index.row() + 1);
      case 1: return TimeText(i);
      case 2: return UpperText(i);
      default: return LowerText(i);
    }
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    static const char* const names[] = {"Index", "Time", "Upper", "Lower"};
    if (role != Qt::DisplayRole || o != Qt::Horizontal) return {};
    return QString::fromLatin1(names[section]);
  }

 private:
  int m_rows;
};

void BM_LogPrintPdf(benchmark::State& state) {
  FilledLog filled(kRows);
  QTemporaryDir dir;
  int pages = 0;
  for (auto _ : state) {
    QPdfWriter pdf(dir.filePath(QStringLiteral("log.pdf")));
    PrintGridPages(filled.grid, pdf, [&pages](int page, int) {
      pages = page;
      return true;
    });
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_LogPrintPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// The plain way: rows of the model drawn page by page with a header line and
// "Page n of m" at the bottom, the same 20-pixel rows and column widths.
void BM_ModelPrintPdf(benchmark::State& state) {
  ReadingsModel model(kRows);
  QTemporaryDir dir;
  const int widths[] = {48, 105, 80, 80};
  int pages = 0;
  for (auto _ : state) {
    QPdfWriter pdf(dir.filePath(QStringLiteral("model.pdf")));
    QPainter painter(&pdf);
    const int paperWidth = 313 + 48;
    const int paperHeight = paperWidth * pdf.height() / pdf.width();
    painter.setWindow(-24, 0, paperWidth, paperHeight);
    painter.setViewport(0, 0, pdf.width(), pdf.height());
    const int perPage = (paperHeight - 120) / 20;
    const int count = (kRows + perPage - 1) / perPage;
    for (int page = 0; page < count; ++page) {
      if (page > 0) pdf.newPage();
      painter.drawText(QRect(0, 0, 313, 24), Qt::AlignCenter, QStringLiteral("Readings"));
      int y = 48;
      for (int c = 0, x = 0; c < 4; x += widths[c], ++c)
        painter.drawText(QRect(x, y, widths[c], 20), Qt::AlignCenter, model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
      for (int r = page * perPage; r < std::min(kRows, (page + 1) * perPage); ++r) {
        y += 20;
        for (int c = 0, x = 0; c < 4; x += widths[c], ++c) {
          painter.drawText(QRect(x, y, widths[c] - 3, 19), Qt::AlignRight | Qt::AlignVCenter,
                           model.data(model.index(r, c), Qt::DisplayRole).toString());
          painter.drawRect(QRect(x, y, widths[c], 20));
        }
      }
      painter.drawText(QRect(0, paperHeight - 24, 313, 24), Qt::AlignLeft,
                       QStringLiteral("Page %1 of %2").arg(page + 1).arg(count));
    }
    pages = count;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_ModelPrintPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LogCopyAll(benchmark::State& state) {
  FilledLog filled(kRows);
  for (auto _ : state) filled.log.OnCopyAll();
  state.counters["bytes"] = static_cast<double>(QGuiApplication::clipboard()->text().size());
}
BENCHMARK(BM_LogCopyAll)->Unit(benchmark::kMillisecond);

// The plain way: select all in the view, sort the selected indexes, join
// their texts with tabs and line ends, put the text on the clipboard.
void BM_ViewCopyAll(benchmark::State& state) {
  ReadingsModel model(kRows);
  QTableView view;
  view.setModel(&model);
  for (auto _ : state) {
    view.selectAll();
    QModelIndexList indexes = view.selectionModel()->selectedIndexes();
    std::sort(indexes.begin(), indexes.end());
    QString text;
    for (int c = 0; c < 4; ++c) text += model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() + (c < 3 ? "\t" : "\r\n");
    for (const QModelIndex& index : indexes)
      text += index.data().toString() + (index.column() < 3 ? QStringLiteral("\t") : QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text);
  }
}
BENCHMARK(BM_ViewCopyAll)->Unit(benchmark::kMillisecond);

}  // namespace
