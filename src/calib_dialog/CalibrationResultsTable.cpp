// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/CalibrationResultsTable.h"
#include "records/CertificateWords.h"

#include <QHeaderView>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "calib_dialog/CalibrationTexts.h"

namespace vorenx {

namespace {

constexpr int kRowKindRole = Qt::UserRole + 1;
const QColor kFailColour(0xB0, 0x00, 0x20);
// Indeterminate points and runs: neither the pass nor the fail colour.
const QColor kUndecidedColour(0x9A, 0x5B, 0x00);
// The background of a test uncertainty ratio under kMinimumTur.
const QColor kLowTurBackground(0xFF, 0xE0, 0x99);
constexpr int kFocusFrameWidth = 2;

// The colour of a point's row and of a run's line; invalid for the palette's own.
QColor VerdictColour(PointVerdict verdict) {
  if (verdict == PointVerdict::Fail) return kFailColour;
  return verdict == PointVerdict::Indeterminate ? kUndecidedColour : QColor();
}

}  // namespace

CalibrationResultsTable::CalibrationResultsTable(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setStretchLastSection(true);
  setColumnCount(ResultTableColumnTitles(CalibrationSetup{}).size());
  ShowColumnsFor(CalibrationSetup{});
}

void CalibrationResultsTable::ShowRecord(const CalibrationRecord& record,
                                         const std::optional<RunResult>& previousAsLeft,
                                         const QString& previousFile, std::optional<RunKind> inProgress) {
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  setRowCount(0);
  ShowColumnsFor(record.setup);
  if (record.asFound) {
    std::vector<double> drift;
    QString title = RunKindWord(RunKind::AsFound);
    if (previousAsLeft) {
      drift = DriftAgainst(*record.asFound, *previousAsLeft);
      title = tr("%1 (drift against %2)").arg(title, DriftBasisText(*previousAsLeft, previousFile));
    }
    AddRun(title, *record.asFound, drift, inProgress == RunKind::AsFound);
  }
  if (record.asLeft) AddRun(RunKindWord(RunKind::AsLeft), *record.asLeft, {}, inProgress == RunKind::AsLeft);
  resizeColumnsToContents();
  if (rowCount() > 0) scrollToBottom();
}

void CalibrationResultsTable::ShowColumnsFor(const CalibrationSetup& setup) {
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  setHorizontalHeaderLabels(ResultTableColumnTitles(setup));
  horizontalHeaderItem(kUncertaintyColumn)
      ->setToolTip(tr("Expanded uncertainty U of the point, k = 2 (about 95 %), in output units"));
  horizontalHeaderItem(kTurColumn)->setToolTip(tr("Test uncertainty ratio: the tolerance over U"));
}

CalibrationResultsTable::RowKind CalibrationResultsTable::KindOfRow(int row) const {
  const QTableWidgetItem* first = item(row, 0);
  return first ? static_cast<RowKind>(first->data(kRowKindRole).toInt()) : RowKind::Point;
}

QRegion CalibrationResultsTable::FocusFrameRegion() const {
  const QRect all = viewport()->rect();
  return QRegion(all).subtracted(
      QRegion(all.adjusted(kFocusFrameWidth, kFocusFrameWidth, -kFocusFrameWidth, -kFocusFrameWidth)));
}

void CalibrationResultsTable::paintEvent(QPaintEvent* event) {
  QTableWidget::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(viewport());
  const QColor colour = palette().color(QPalette::Highlight);
  for (const QRect& part : FocusFrameRegion()) painter.fillRect(part, colour);
}

void CalibrationResultsTable::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  viewport()->update(FocusFrameRegion());
}

void CalibrationResultsTable::focusOutEvent(QFocusEvent* event) {
  QTableWidget::focusOutEvent(event);
  viewport()->update(FocusFrameRegion());
}

void CalibrationResultsTable::AddRun(const QString& title, const RunResult& run, const std::vector<double>& drift,
                                     bool inProgress) {
  AddSpanningRow(RowKind::RunTitle, title, QColor());
  for (std::size_t i = 0; i < run.points.size(); ++i) {
    const PointResult& point = run.points[i];
    const double d = i < drift.size() ? drift[i] : std::nan("");
    const QStringList cells = ResultTableCells(point, d);
    const QColor colour = VerdictColour(ShownVerdict(point));
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
      auto* cell = new QTableWidgetItem(cells[c]);
      cell->setTextAlignment(c == 1 || c == cells.size() - 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                                             : Qt::AlignRight | Qt::AlignVCenter);
      if (colour.isValid()) cell->setForeground(colour);
      if (c == 0) cell->setData(kRowKindRole, static_cast<int>(RowKind::Point));
      setItem(row, c, cell);
    }
    if (TurBelowMinimum(point)) {
      QTableWidgetItem* tur = item(row, kTurColumn);
      tur->setBackground(kLowTurBackground);
      tur->setForeground(QColor(Qt::black));
      tur->setToolTip(tr("test uncertainty ratio under %1:1").arg(kMinimumTur));
    }
  }
  if (inProgress)
    AddSpanningRow(RowKind::Verdict, RunInProgressText(run), AnyPointFails(run) ? kFailColour : QColor());
  else
    AddSpanningRow(RowKind::Verdict, RunSummaryText(run), RunPasses(run) ? QColor() : VerdictColour(RunVerdict(run)));
}

void CalibrationResultsTable::AddSpanningRow(RowKind kind, const QString& text, const QColor& colour) {
  const int row = rowCount();
  insertRow(row);
  auto* cell = new QTableWidgetItem(text);
  QFont font = cell->font();
  font.setBold(true);
  cell->setFont(font);
  if (colour.isValid()) cell->setForeground(colour);
  cell->setData(kRowKindRole, static_cast<int>(kind));
  setItem(row, 0, cell);
  setSpan(row, 0, 1, columnCount());
}

}  // namespace vorenx
