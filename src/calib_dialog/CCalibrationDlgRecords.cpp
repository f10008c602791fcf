// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog and the lab's records: the register's tags and
// reference standards, the standard a run is made with (an overdue one only
// with a reason) as the record keeps it, a new tag added to the register,
// and the previous as-left a drift is measured against.
#include <QCompleter>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <algorithm>

#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/RecordsForms.h"

namespace vorenx {

QString CCalibrationDlg::RegisterTag(const CalibrationSetup& setup) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  // A lab's server that is away: the run goes to the spool as it is.
  if (!records) return m_keeper.IsShared() ? QString() : error;
  const RecordsResult<Instrument> found = records->FindInstrument(setup.tag);
  if (found.ok() || found.error != RecordsError::NotFound) return {};
  Instrument added;
  added.tag = setup.tag;
  added.description = setup.description;
  added.intervalDays = 365;
  const RecordsResult<Instrument> stored = records->AddInstrument(added, Actor{setup.technician, {}});
  if (!stored.ok()) return tr("%1 could not be added to the register: %2").arg(setup.tag, stored.message);
  ReloadRegister();
  return {};
}

void CCalibrationDlg::ReloadRegister() {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  const ReferenceStandard bench = m_settings.Standard();
  m_standards.clear();
  QStringList tags;
  if (records) {
    if (RecordsResult<std::vector<Instrument>> instruments = records->Instruments(); instruments.ok())
      for (const Instrument& i : instruments.value) tags << i.tag;
    RecordsResult<std::vector<ReferenceStandard>> standards = records->Standards();
    if (standards.ok()) m_standards = std::move(standards.value);
    else error = standards.message;
  } else if (!bench.serial.isEmpty() && bench.id > 0) {
    // While the lab's server is away, the bench's own standard lets a run
    // start; it goes to the spool.
    m_standards.push_back(bench);
  }
  m_tagCompleter->setModel(new QStringListModel(tags, m_tagCompleter));

  const QDate today = QDate::currentDate();
  m_standard->clear();
  for (const ReferenceStandard& s : m_standards) {
    QString text = s.serial;
    if (!records) {
      text = tr("%1 (remembered: the lab database cannot be reached)").arg(s.serial);
    } else {
      text = tr("%1 — %2, certificate %3, due %4").arg(s.serial, s.description, s.certificateNumber,
                                                          s.dueOn.toString(Qt::ISODate));
    }
    if (s.IsOverdue(today)) text += QLatin1Char(' ') + tr("(overdue)");
    m_standard->addItem(text, s.id);
  }
  if (m_standards.empty())
    m_standard->addItem(records ? tr("No reference standard in the register: add one")
                                : tr("The lab database cannot be reached: %1").arg(error),
                        0);
  const int remembered = m_standard->findData(bench.id);
  const auto bySerial = std::find_if(m_standards.begin(), m_standards.end(),
                                     [&](const ReferenceStandard& s) { return s.serial == bench.serial; });
  if (bySerial != m_standards.end())
    m_standard->setCurrentIndex(static_cast<int>(bySerial - m_standards.begin()));
  else if (remembered >= 0)
    m_standard->setCurrentIndex(remembered);
}

void CCalibrationDlg::OnStandardChosen() {
  const qint64 id = m_standard->currentData().toLongLong();
  for (const ReferenceStandard& s : m_standards)
    if (s.id == id) m_settings.SetStandard(s);
}

bool CCalibrationDlg::StoreStandard(const ReferenceStandard& standard) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) {
    m_dialogs->ShowMessage(this, tr("The standard could not be added: %1").arg(error));
    return false;
  }
  const RecordsResult<ReferenceStandard> added = records->AddStandard(standard, Actor{m_technician->text(), {}});
  if (!added.ok()) {
    m_dialogs->ShowMessage(this, tr("The standard could not be added: %1").arg(added.message));
    return false;
  }
  m_settings.SetStandard(added.value);
  ReloadRegister();
  return true;
}

void CCalibrationDlg::AddStandard() {
  CStandardDlg form(this);
  // Asked again with what was typed until it is stored or cancelled.
  while (form.exec() == QDialog::Accepted)
    if (StoreStandard(form.Standard())) return;
}

namespace {

// The standard as a record keeps it; no table of its own means the defaults.
StandardUsed Used(const ReferenceStandard& s, const QString& overdueReason) {
  const bool defaults = s.accuracy.empty();
  return {s.serial,  s.description, s.certificateNumber, s.calibratedOn, s.dueOn,
          defaults ? DefaultAccuracySpecs() : s.accuracy, defaults, overdueReason};
}

}  // namespace

std::optional<StandardUsed> CCalibrationDlg::StandardForRun(const CalibrationSetup& setup, qint64* usedId) {
  const qint64 id = m_standard->currentData().toLongLong();
  const auto chosen = std::find_if(m_standards.begin(), m_standards.end(),
                                   [id](const ReferenceStandard& s) { return s.id == id; });
  if (id <= 0 || chosen == m_standards.end()) {
    m_status->setText(tr("Choose the reference standard (or add one with Add standard...) before the run."));
    return std::nullopt;
  }
  *usedId = id;
  if (!chosen->IsOverdue(QDate::currentDate())) return Used(*chosen, QString());
  QString reason;
  const QString question =
      tr("The reference standard %1 was due on %2 and is overdue. Why is it used for %3? The reason is kept in the "
         "audit trail; without one the run does not start.")
          .arg(chosen->serial, chosen->dueOn.toString(Qt::ISODate), setup.tag);
  if (!m_dialogs->AskText(this, question, reason) || reason.trimmed().isEmpty()) {
    m_status->setText(tr("The run was not started: an overdue reference standard is used only with a reason."));
    return std::nullopt;
  }
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) {
    m_dialogs->ShowMessage(this, tr("The use of the overdue standard could not be recorded: %1").arg(error));
    return std::nullopt;
  }
  const RecordsResult<ReferenceStandard> noted =
      records->NoteOverdueStandard(id, setup.tag, Actor{setup.technician, reason.trimmed()});
  if (!noted.ok()) {
    m_dialogs->ShowMessage(this, tr("The use of the overdue standard could not be recorded: %1").arg(noted.message));
    return std::nullopt;
  }
  return Used(*chosen, reason.trimmed());
}

std::optional<RunResult> CCalibrationDlg::PreviousAsLeft(const QString& tag, QString* certificate) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) return std::nullopt;
  const RecordsResult<std::vector<CalibrationSummary>> history = records->History(tag);
  if (!history.ok()) return std::nullopt;
  // Newest first; an as-left that ended early is no basis for a drift.
  for (const CalibrationSummary& s : history.value) {
    if (s.state == CalibrationState::Superseded) continue;
    const RecordsResult<StoredCalibration> found = records->FindCalibration(s.id);
    if (found.ok() && found.value.record.asLeft && found.value.record.asLeft->complete) {
      *certificate = s.certificateNumber;
      return found.value.record.asLeft;
    }
  }
  return std::nullopt;
}

}  // namespace vorenx
