// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/CStandardsDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calib_dialog/DialogButton.h"
#include "calib_dialog/ListTable.h"
#include "calib_dialog/RecordsForms.h"
#include "platform/ScreenFit.h"

namespace vorenx {

CStandardsDlg::CStandardsDlg(RecordsKeeper& keeper, QWidget* parent) : QDialog(parent), m_keeper(keeper) {
  setWindowTitle(tr("Reference Standards"));
  setModal(false);
  m_table = ListTable(QStringLiteral("standards"), {tr("Serial"), tr("Description"), tr("Certificate"),
                                                    tr("Calibrated"), tr("Due"), tr("Accuracy")});
  auto* add = DialogButton(tr("Add..."), QStringLiteral("add"));
  auto* edit = DialogButton(tr("Edit..."), QStringLiteral("edit"));
  auto* close = DialogButton(tr("Close"), QStringLiteral("close"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(edit);
  buttons->addStretch(1);
  buttons->addWidget(close);
  m_status = new QLabel;
  m_status->setObjectName(QStringLiteral("status"));
  m_status->setWordWrap(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_table, 1);
  column->addLayout(buttons);
  column->addWidget(m_status);
  connect(add, &QPushButton::clicked, this, [this] { AddStandard(); });
  connect(edit, &QPushButton::clicked, this, [this] { EditRow(m_table->currentRow()); });
  connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) { EditRow(row); });
  connect(close, &QPushButton::clicked, this, [this] { reject(); });
  resize(820, 360);
}

void CStandardsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QRect fitted = FitWindowOnScreen(geometry(), frameGeometry(), screen());
  if (fitted != geometry()) setGeometry(fitted);
  Reload();
}

LabRecords* CStandardsDlg::Records() {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) m_status->setText(tr("The lab database cannot be read: %1").arg(error));
  return records;
}

void CStandardsDlg::Reload() {
  LabRecords* records = Records();
  if (!records) return;
  RecordsResult<std::vector<ReferenceStandard>> read = records->Standards();
  if (!read.ok()) {
    m_status->setText(tr("The reference standards could not be read: %1").arg(read.message));
    return;
  }
  m_standards = std::move(read.value);
  const QDate today = m_today.isValid() ? m_today : QDate::currentDate();
  m_table->setRowCount(0);
  m_table->setRowCount(static_cast<int>(m_standards.size()));
  for (int row = 0; row < m_table->rowCount(); ++row) {
    const ReferenceStandard& s = m_standards[static_cast<size_t>(row)];
    QString due = s.dueOn.toString(Qt::ISODate);
    if (s.IsOverdue(today)) due += QLatin1Char(' ') + tr("overdue");
    const QStringList cells{s.serial,
                            s.description,
                            s.certificateNumber,
                            s.calibratedOn.toString(Qt::ISODate),
                            due,
                            s.accuracy.empty()          ? tr("default table")
                            : s.accuracy.size() == 1 ? tr("own table, 1 row")
                                                     : tr("own table, %1 rows").arg(s.accuracy.size())};
    for (int c = 0; c < cells.size(); ++c) m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
    if (s.IsOverdue(today)) m_table->item(row, 4)->setForeground(QColor(0xc0, 0x00, 0x00));
  }
  m_table->resizeColumnsToContents();
  m_status->setText(tr("%n reference standard(s) in %1.", nullptr, static_cast<int>(m_standards.size()))
                        .arg(records->Where()));
}

bool CStandardsDlg::ApplyNew(const ReferenceStandard& standard) {
  LabRecords* records = Records();
  if (!records) return false;
  const RecordsResult<ReferenceStandard> added = records->AddStandard(standard, Actor{});
  if (!added.ok()) m_dialogs->ShowMessage(this, tr("The standard could not be added: %1").arg(added.message));
  Reload();
  return added.ok();
}

bool CStandardsDlg::ApplyChange(const ReferenceStandard& standard, const QString& reason) {
  LabRecords* records = Records();
  if (!records) return false;
  const RecordsResult<ReferenceStandard> updated = records->UpdateStandard(standard, Actor{{}, reason});
  if (!updated.ok()) m_dialogs->ShowMessage(this, tr("The standard could not be changed: %1").arg(updated.message));
  Reload();
  return updated.ok();
}

void CStandardsDlg::AddStandard() {
  CStandardDlg form(this);
  // Asked again with what was typed until it is kept or cancelled.
  while (form.exec() == QDialog::Accepted)
    if (ApplyNew(form.Standard())) return;
}

void CStandardsDlg::EditRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_standards.size())) return;
  CStandardDlg form(this);
  form.ShowStandard(m_standards[static_cast<size_t>(row)]);
  while (form.exec() == QDialog::Accepted)
    if (ApplyChange(form.Standard(), form.Reason())) return;
}

}  // namespace vorenx
