#include "calib_dialog/CalibrationResultsTable.h"

#include <QHeaderView>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "calib_dialog/CalibrationTexts.h"

namespace vorenx {

namespace {

constexpr int kRowKindRole = Qt::UserRole + 1;
const QColor kFailColour(0xB0, 0x00, 0x20);
constexpr int kFocusFrameWidth = 2;

}  // namespace

CalibrationResultsTable::CalibrationResultsTable(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setStretchLastSection(true);
  setColumnCount(ResultColumnTitles(CalibrationSetup{}).size());
  setHorizontalHeaderLabels(ResultColumnTitles(CalibrationSetup{}));
}

void CalibrationResultsTable::ShowRecord(const CalibrationRecord& record,
                                         const std::optional<RunResult>& previousAsLeft,
                                         const QString& previousFile, std::optional<RunKind> inProgress) {
  setRowCount(0);
  setHorizontalHeaderLabels(ResultColumnTitles(record.setup));
  if (record.asFound) {
    std::vector<double> drift;
    QString title = RunKindText(RunKind::AsFound);
    if (previousAsLeft) {
      drift = DriftAgainst(*record.asFound, *previousAsLeft);
      title = tr("%1 (drift against %2)").arg(title, DriftBasisText(*previousAsLeft, previousFile));
    }
    AddRun(title, *record.asFound, drift, inProgress == RunKind::AsFound);
  }
  if (record.asLeft) AddRun(RunKindText(RunKind::AsLeft), *record.asLeft, {}, inProgress == RunKind::AsLeft);
  resizeColumnsToContents();
  if (rowCount() > 0) scrollToBottom();
}

void CalibrationResultsTable::ShowColumnsFor(const CalibrationSetup& setup) {
  setHorizontalHeaderLabels(ResultColumnTitles(setup));
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
  AddSpanningRow(RowKind::RunTitle, title, false);
  for (std::size_t i = 0; i < run.points.size(); ++i) {
    const PointResult& point = run.points[i];
    const double d = i < drift.size() ? drift[i] : std::nan("");
    const QStringList cells = ResultCells(point, d);
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
      auto* cell = new QTableWidgetItem(cells[c]);
      cell->setTextAlignment(c == 1 || c == cells.size() - 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                                             : Qt::AlignRight | Qt::AlignVCenter);
      if (!point.pass) cell->setForeground(kFailColour);
      if (c == 0) cell->setData(kRowKindRole, static_cast<int>(RowKind::Point));
      setItem(row, c, cell);
    }
  }
  const bool failed = std::any_of(run.points.begin(), run.points.end(), [](const PointResult& p) { return !p.pass; });
  if (inProgress)
    AddSpanningRow(RowKind::Verdict, RunInProgressText(run), failed);
  else
    AddSpanningRow(RowKind::Verdict, RunSummaryText(run), !RunPasses(run));
}

void CalibrationResultsTable::AddSpanningRow(RowKind kind, const QString& text, bool bad) {
  const int row = rowCount();
  insertRow(row);
  auto* cell = new QTableWidgetItem(text);
  QFont font = cell->font();
  font.setBold(true);
  cell->setFont(font);
  if (bad) cell->setForeground(kFailColour);
  cell->setData(kRowKindRole, static_cast<int>(kind));
  setItem(row, 0, cell);
  setSpan(row, 0, 1, columnCount());
}

}  // namespace vorenx
