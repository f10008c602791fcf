// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/AccuracyTableEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "calib_dialog/CalibrationTexts.h"
#include "calib_dialog/DialogButton.h"
#include "instrument/FunctionTable.h"

namespace vorenx {

namespace {

const QColor kProblemBackground(0xff, 0xd6, 0xd6);

// "Current (measure, mA)", "TC K (source, ℃)": the name says which display
// and the unit the row's range and floor are in.
QString FunctionLabel(const FunctionInfo& f) {
  return QObject::tr("%1 (%2, %3)")
      .arg(ShownFunctionName(f.code), f.side == DisplaySide::Upper ? QObject::tr("measure") : QObject::tr("source"),
           FunctionUnit(f.code, true));
}

// The default table's entry for `function`, or a zero row over 0 to 1.
AccuracySpec DefaultFor(FunctionCode function) {
  for (const AccuracySpec& s : DefaultAccuracySpecs())
    if (s.function == function) return s;
  return {function, 0.0, 1.0, 0.0, 0.0};
}

QString ColumnName(int column) {
  switch (column) {
    case AccuracyTableEdit::LowColumn: return QObject::tr("range from");
    case AccuracyTableEdit::HighColumn: return QObject::tr("range to");
    case AccuracyTableEdit::PercentColumn: return QObject::tr("% of reading");
    default: return QObject::tr("floor");
  }
}

}  // namespace

AccuracyTableEdit::AccuracyTableEdit(QWidget* parent) : QWidget(parent) {
  m_table = new QTableWidget(0, ColumnCount);
  m_table->setObjectName(QStringLiteral("accuracy"));
  m_table->setHorizontalHeaderLabels({tr("Function"), tr("Range from"), tr("Range to"), tr("% of reading"), tr("Floor")});
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  // The function's name as wide as it needs, the four numbers share the rest.
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  m_table->horizontalHeader()->setSectionResizeMode(FunctionColumn, QHeaderView::ResizeToContents);
  m_table->setMinimumHeight(120);
  auto* add = DialogButton(tr("Add row"), QStringLiteral("addRow"));
  auto* remove = DialogButton(tr("Remove row"), QStringLiteral("removeRow"));
  auto* defaults = DialogButton(tr("Use the default table"), QStringLiteral("useDefaults"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {add, remove, defaults}) buttons->addWidget(b);
  buttons->addStretch(1);
  m_note = new QLabel;
  m_note->setObjectName(QStringLiteral("accuracyNote"));
  m_note->setWordWrap(true);
  m_problems = new QLabel;
  m_problems->setObjectName(QStringLiteral("problem_accuracy"));
  m_problems->setStyleSheet(QStringLiteral("color: #c00000;"));
  m_problems->setWordWrap(true);
  m_problems->setVisible(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(m_table);
  column->addLayout(buttons);
  column->addWidget(m_note);
  column->addWidget(m_problems);
  connect(add, &QPushButton::clicked, this, [this] { AddRow(); });
  connect(remove, &QPushButton::clicked, this, [this] { RemoveRow(); });
  connect(defaults, &QPushButton::clicked, this, [this] { UseDefaults(); });
  UpdateNote();
}

void AccuracyTableEdit::SetTable(const std::vector<AccuracySpec>& table) {
  m_table->setRowCount(0);
  for (const AccuracySpec& entry : table) AddRow(entry);
  ShowProblems({});
  UpdateNote();
}

void AccuracyTableEdit::AddRow() {
  FunctionCode function = Functions().front().code;
  if (const int last = m_table->rowCount() - 1; last >= 0)
    function = static_cast<FunctionCode>(static_cast<QComboBox*>(m_table->cellWidget(last, FunctionColumn))->currentData().toInt());
  AddRow(DefaultFor(function));
  m_table->setCurrentCell(m_table->rowCount() - 1, LowColumn);
  UpdateNote();
}

void AccuracyTableEdit::AddRow(const AccuracySpec& entry) {
  const int row = m_table->rowCount();
  m_table->insertRow(row);
  auto* function = new QComboBox;
  for (const FunctionInfo& f : Functions()) function->addItem(FunctionLabel(f), int(f.code));
  const int index = function->findData(int(entry.function));
  // A code that is no function (only from a damaged table) shows as an entry of its own.
  if (index < 0) function->addItem(ShownFunctionName(entry.function), int(entry.function));
  function->setCurrentIndex(index < 0 ? function->count() - 1 : index);
  m_table->setCellWidget(row, FunctionColumn, function);
  const double values[] = {entry.rangeLow, entry.rangeHigh, entry.percentOfReading, entry.floor};
  for (int c = LowColumn; c <= FloorColumn; ++c) {
    auto* item = new QTableWidgetItem(NumberText(values[c - LowColumn]));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_table->setItem(row, c, item);
  }
}

void AccuracyTableEdit::RemoveRow() {
  if (m_table->rowCount() == 0) return;
  const int current = m_table->currentRow();
  m_table->removeRow(current >= 0 ? current : m_table->rowCount() - 1);
  UpdateNote();
}

void AccuracyTableEdit::UseDefaults() {
  m_table->setRowCount(0);
  ShowProblems({});
  UpdateNote();
}

std::vector<AccuracySpec> AccuracyTableEdit::Table(std::vector<StandardProblem>* unread) const {
  std::vector<AccuracySpec> table;
  for (int row = 0; row < m_table->rowCount(); ++row) {
    AccuracySpec entry;
    entry.function =
        static_cast<FunctionCode>(static_cast<QComboBox*>(m_table->cellWidget(row, FunctionColumn))->currentData().toInt());
    double* values[] = {&entry.rangeLow, &entry.rangeHigh, &entry.percentOfReading, &entry.floor};
    for (int c = LowColumn; c <= FloorColumn; ++c) {
      const QTableWidgetItem* item = m_table->item(row, c);
      double& value = *values[c - LowColumn];
      if (ParseNumberField(item ? item->text() : QString(), value)) continue;
      value = std::nan("");
      if (unread)
        unread->push_back({StandardField::Accuracy, row,
                           tr("Accuracy, row %1: the %2 is not a number; write it with \".\", for example 0.002.")
                               .arg(row + 1)
                               .arg(ColumnName(c))});
    }
    table.push_back(entry);
  }
  return table;
}

void AccuracyTableEdit::ShowProblems(const std::vector<StandardProblem>& problems) {
  QStringList lines;
  std::vector<bool> marked(size_t(m_table->rowCount()), false);
  for (const StandardProblem& p : problems) {
    if (p.field != StandardField::Accuracy) continue;
    lines << p.message;
    if (p.row >= 0 && p.row < m_table->rowCount()) marked[size_t(p.row)] = true;
  }
  for (int row = 0; row < m_table->rowCount(); ++row)
    for (int c = LowColumn; c <= FloorColumn; ++c)
      if (QTableWidgetItem* item = m_table->item(row, c)) item->setBackground(marked[size_t(row)] ? QBrush(kProblemBackground) : QBrush());
  m_problems->setText(lines.join(QLatin1Char('\n')));
  m_problems->setVisible(!lines.isEmpty());
}

void AccuracyTableEdit::UpdateNote() {
  const int rows = m_table->rowCount();
  m_note->setText(rows == 0 ? tr("No values of its own: calibrations with this standard use the documented default "
                                 "table. Add rows to enter the values of the standard's certificate.")
                            : tr("%1 from the standard's certificate; the first row that covers a reading is "
                                 "used, and a function without a row gets no calibrator accuracy in a run.")
                                  .arg(rows == 1 ? tr("One row") : tr("%1 rows").arg(rows)));
}

}  // namespace vorenx
