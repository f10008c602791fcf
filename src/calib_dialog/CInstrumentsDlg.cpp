// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/CInstrumentsDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calib_dialog/CalibrationTexts.h"
#include "calib_dialog/CStandardsDlg.h"
#include "calib_dialog/DialogButton.h"
#include "calib_dialog/ListTable.h"
#include "calib_dialog/RecordsForms.h"

namespace vorenx {

namespace {

QString DateText(const QDateTime& time) {
  return time.isValid() ? time.toLocalTime().date().toString(Qt::ISODate) : QString();
}

// "+0.200 % at 100 %", or empty for a run without a measured point.
QString LargestErrorText(const std::optional<RunResult>& run) {
  if (!run) return {};
  const PointResult* point = LargestError(*run);
  if (!point) return {};
  return QObject::tr("%1 % at %2 %").arg(ErrorText(point->errorPercent), NumberText(point->percent));
}

}  // namespace

CInstrumentsDlg::CInstrumentsDlg(RecordsKeeper& keeper, CalibrateFn calibrate, QWidget* parent)
    : QDialog(parent), m_keeper(keeper), m_calibrate(std::move(calibrate)) {
  setWindowTitle(tr("Instruments"));
  setModal(false);

  m_filter = new QComboBox;
  m_filter->setObjectName(QStringLiteral("filter"));
  m_filter->addItem(tr("All"), static_cast<int>(Filter::All));
  m_filter->addItem(tr("Overdue"), static_cast<int>(Filter::Overdue));
  m_filter->addItem(tr("Due within 30 days"), static_cast<int>(Filter::DueWithin30Days));
  auto* refresh = DialogButton(tr("Refresh"), QStringLiteral("refresh"));
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Show:")));
  top->addWidget(m_filter);
  top->addStretch(1);
  top->addWidget(refresh);

  m_table = ListTable(QStringLiteral("instruments"), {tr("Tag"), tr("Description"), tr("Location"), tr("Last calibration"),
                                                  tr("As-found"), tr("As-left"), tr("Due")});
  auto* history = DialogButton(tr("History"), QStringLiteral("history"));
  auto* calibrateButton = DialogButton(tr("Calibrate"), QStringLiteral("calibrate"));
  auto* edit = DialogButton(tr("Edit..."), QStringLiteral("edit"));
  auto* standards = DialogButton(tr("Standards..."), QStringLiteral("standards"));
  auto* close = DialogButton(tr("Close"), QStringLiteral("close"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {history, calibrateButton, edit, standards}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(close);

  m_historyTitle = new QLabel(tr("History: open an instrument (double click or History)."));
  m_historyTitle->setObjectName(QStringLiteral("historyTitle"));
  m_history = ListTable(QStringLiteral("historyTable"),
                    {tr("Certificate"), tr("Revision"), tr("State"), tr("Date"), tr("As-found"), tr("As-left"),
                     tr("As-found largest error"), tr("Previous as-left largest error")});
  m_status = new QLabel;
  m_status->setObjectName(QStringLiteral("status"));
  m_status->setWordWrap(true);

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(m_table, 3);
  column->addLayout(buttons);
  column->addWidget(m_historyTitle);
  column->addWidget(m_history, 2);
  column->addWidget(m_status);

  connect(m_filter, &QComboBox::activated, this, [this] { Reload(); });
  connect(refresh, &QPushButton::clicked, this, [this] { Reload(); });
  connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row) { ShowHistory(row); });
  connect(history, &QPushButton::clicked, this, [this] { ShowHistory(CurrentRow()); });
  connect(calibrateButton, &QPushButton::clicked, this, [this] { CalibrateRow(CurrentRow()); });
  connect(edit, &QPushButton::clicked, this, [this] { EditRow(CurrentRow()); });
  connect(standards, &QPushButton::clicked, this, [this] { ShowStandards(); });
  connect(close, &QPushButton::clicked, this, [this] { reject(); });
  resize(1000, 620);
}

void CInstrumentsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Reload();
}

LabRecords* CInstrumentsDlg::Records() {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) m_status->setText(tr("The lab database cannot be read: %1").arg(error));
  return records;
}

int CInstrumentsDlg::CurrentRow() const {
  const QList<QTableWidgetItem*> selected = m_table->selectedItems();
  return selected.isEmpty() ? m_table->currentRow() : selected.front()->row();
}

void CInstrumentsDlg::SetFilter(Filter filter) {
  m_filter->setCurrentIndex(m_filter->findData(static_cast<int>(filter)));
  Reload();
}

void CInstrumentsDlg::Reload() {
  LabRecords* records = Records();
  if (!records) return;
  const QDate today = m_today.isValid() ? m_today : QDate::currentDate();
  DueFilter filter{today, false, std::nullopt};
  const auto chosen = static_cast<Filter>(m_filter->currentData().toInt());
  if (chosen == Filter::Overdue) filter.overdueOnly = true;
  if (chosen == Filter::DueWithin30Days) filter.dueWithinDays = 30;
  RecordsResult<std::vector<DueEntry>> due = records->DueList(filter);
  if (!due.ok()) {
    m_status->setText(tr("The instruments could not be read: %1").arg(due.message));
    return;
  }
  m_entries = std::move(due.value);
  m_table->setRowCount(0);
  m_table->setRowCount(static_cast<int>(m_entries.size()));
  const QColor red(0xc0, 0x00, 0x00);
  for (int row = 0; row < m_table->rowCount(); ++row) {
    const DueEntry& e = m_entries[static_cast<size_t>(row)];
    const bool never = !e.dueOn.isValid();
    const bool overdue = never || e.dueOn < today;
    QString dueText = never ? tr("now (never calibrated)") : e.dueOn.toString(Qt::ISODate);
    if (overdue && !never) dueText += QLatin1Char(' ') + tr("overdue");
    const QStringList cells{e.instrument.tag,
                            e.instrument.description,
                            e.instrument.location,
                            e.last ? DateText(e.last->finished) : QString(),
                            e.last ? e.last->asFoundVerdict : QString(),
                            e.last ? e.last->asLeftVerdict : QString(),
                            dueText};
    for (int c = 0; c < cells.size(); ++c) m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
    if (overdue) m_table->item(row, 6)->setForeground(red);
  }
  m_table->resizeColumnsToContents();
  m_status->setText(tr("%n instrument(s) in %1.", nullptr, static_cast<int>(m_entries.size())).arg(records->Where()));
}

void CInstrumentsDlg::ShowHistory(int row) {
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return;
  LabRecords* records = Records();
  if (!records) return;
  const QString tag = m_entries[static_cast<size_t>(row)].instrument.tag;
  RecordsResult<std::vector<CalibrationSummary>> history = records->History(tag);
  if (!history.ok()) {
    m_status->setText(tr("The history of %1 could not be read: %2").arg(tag, history.message));
    return;
  }
  // Newest first. Each as-found is held against the as-left of the
  // calibration before it (another certificate, not superseded).
  std::vector<std::optional<CalibrationRecord>> stored;
  for (const CalibrationSummary& s : history.value) {
    RecordsResult<StoredCalibration> found = records->FindCalibration(s.id);
    stored.push_back(found.ok() ? std::optional(found.value.record) : std::nullopt);
  }
  const auto& list = history.value;
  m_historyTitle->setText(tr("History of %1").arg(tag));
  m_history->setRowCount(0);
  m_history->setRowCount(static_cast<int>(list.size()));
  for (size_t i = 0; i < list.size(); ++i) {
    const CalibrationSummary& s = list[i];
    QString previous;
    for (size_t j = i + 1; j < list.size(); ++j) {
      if (list[j].state == CalibrationState::Superseded || list[j].certificateNumber == s.certificateNumber) continue;
      if (stored[j] && stored[j]->asLeft) {
        previous = tr("%1 (%2)").arg(LargestErrorText(stored[j]->asLeft), list[j].certificateNumber);
        break;
      }
    }
    const QStringList cells{s.certificateNumber,
                            QString::number(s.revision),
                            CalibrationStateText(s.state),
                            DateText(s.finished),
                            s.asFoundVerdict,
                            s.asLeftVerdict,
                            stored[i] ? LargestErrorText(stored[i]->asFound) : QString(),
                            previous};
    for (int c = 0; c < cells.size(); ++c) m_history->setItem(static_cast<int>(i), c, new QTableWidgetItem(cells[c]));
  }
  m_history->resizeColumnsToContents();
}

void CInstrumentsDlg::CalibrateRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_entries.size()) || !m_calibrate) return;
  const DueEntry& e = m_entries[static_cast<size_t>(row)];
  std::optional<Instrument> instrument = InstrumentAt(row);
  if (!instrument) return;
  std::optional<CalibrationSetup> setup;
  if (e.last) {
    if (LabRecords* records = Records()) {
      RecordsResult<StoredCalibration> found = records->FindCalibration(e.last->id);
      if (found.ok()) setup = found.value.record.setup;
    }
  }
  m_calibrate(*instrument, setup);
}

std::optional<Instrument> CInstrumentsDlg::InstrumentAt(int row) {
  LabRecords* records = Records();
  if (!records) return std::nullopt;
  const QString tag = m_entries[static_cast<size_t>(row)].instrument.tag;
  RecordsResult<Instrument> found = records->FindInstrument(tag);
  if (!found.ok()) {
    m_status->setText(tr("Instrument %1 could not be read: %2").arg(tag, found.message));
    return std::nullopt;
  }
  return found.value;
}

void CInstrumentsDlg::ShowStandards() {
  if (!m_standards) {
    m_standards = new CStandardsDlg(m_keeper, this);
    m_standards->SetDialogs(*m_dialogs);
  }
  m_standards->show();
  m_standards->raise();
  m_standards->activateWindow();
}

void CInstrumentsDlg::EditRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return;
  // The list holds what it shows; the form gets the whole entry as it is now.
  std::optional<Instrument> instrument = InstrumentAt(row);
  if (!instrument) return;
  m_editing = *instrument;
  // Asked again on the current values after a conflict, until it is written or cancelled.
  for (;;) {
    CInstrumentEditDlg form(this);
    form.ShowInstrument(m_editing);
    if (form.exec() != QDialog::Accepted || ApplyEdit(form.Edited())) return;
  }
}

bool CInstrumentsDlg::ApplyEdit(const Instrument& edited) {
  LabRecords* records = Records();
  if (!records) return false;
  m_editing = edited;
  RecordsResult<Instrument> updated = records->UpdateInstrument(edited, Actor{});
  if (updated.ok()) {
    m_editing = updated.value;
    Reload();
    return true;
  }
  if (updated.error == RecordsError::Conflict) m_editing = updated.value;
  m_dialogs->ShowMessage(this, updated.message);
  Reload();
  return false;
}

}  // namespace vorenx
