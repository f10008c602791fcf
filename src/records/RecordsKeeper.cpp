// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsKeeper.h"

#include <QUuid>

#include "records/SqlLabRecords.h"

namespace vorenx {

QString SpooledText() { return QStringLiteral("saved on this bench, will be sent to the lab database"); }

RecordsKeeper::RecordsKeeper(RecordsLocation location, QString spoolPath)
    : m_location(std::move(location)), m_spool(spoolPath) {}

LabRecords* RecordsKeeper::Records(QString* error) {
  if (m_records) return m_records.get();
  RecordsResult<std::unique_ptr<LabRecords>> opened = OpenLabRecords(m_location);
  if (!opened.ok()) {
    *error = opened.message;
    return nullptr;
  }
  m_records = std::move(opened.value);
  return m_records.get();
}

RecordsResult<CalibrationSummary> RecordsKeeper::Store(LabRecords& records, const CalibrationRecord& record,
                                                       qint64 standardId, const Actor& who, const QString& origin,
                                                       qint64 calibrationId) {
  if (calibrationId == 0) {
    RecordsResult<CalibrationSummary> saved = records.SaveCalibration(record, standardId, who, origin);
    if (saved.error == RecordsError::NotFound && records.FindInstrument(record.setup.tag).error == RecordsError::NotFound) {
      // A run of a tag the register does not know yet (kept in the spool
      // before its instrument was added): the instrument comes with it.
      Instrument added;
      added.tag = record.setup.tag;
      added.description = record.setup.description;
      RecordsResult<Instrument> instrument = records.AddInstrument(added, who);
      if (!instrument.ok()) return RecordsResult<CalibrationSummary>::Fail(instrument.error, instrument.message);
      saved = records.SaveCalibration(record, standardId, who, origin);
    }
    if (!saved.ok()) return saved;
    calibrationId = saved.value.id;
  }
  // A run the records have (saved before, or by an earlier send whose answer
  // was lost) is changed only where it differs.
  RecordsResult<StoredCalibration> stored = records.FindCalibration(calibrationId);
  if (!stored.ok()) return RecordsResult<CalibrationSummary>::Fail(stored.error, stored.message);
  if (stored.value.record == record) return RecordsResult<CalibrationSummary>::Ok(stored.value.summary);
  return records.Amend(calibrationId, record, who);
}

bool RecordsKeeper::LostServer(const RecordsResult<CalibrationSummary>& failure) {
  if (!IsShared()) return false;
  if (failure.error != RecordsError::Connection && failure.error != RecordsError::Database) return false;
  if (m_records && m_records->Answers()) return false;
  m_records.reset();
  return true;
}

RecordsResult<KeptWhere> RecordsKeeper::Keep(const CalibrationRecord& record, qint64 standardId, const Actor& who,
                                             KeptRun& run) {
  using Result = RecordsResult<KeptWhere>;
  if (run.origin.isEmpty()) run.origin = QUuid::createUuid().toString(QUuid::WithoutBraces);
  QString error;
  auto spool = [&](const QString& why) -> Result {
    if (!m_spool.Put({run.origin, run.calibrationId, standardId, who.technician, record, 1}, &error))
      return Result::Fail(RecordsError::Database, why.isEmpty() ? error : why + QLatin1Char(' ') + error);
    return Result::Ok(KeptWhere::Spool);
  };
  if (IsShared() && PendingCount() > 0) {
    // Older runs wait: this one queues behind them, and the queue is tried.
    Result kept = spool(QString());
    if (kept.ok()) SendPending();
    return kept;
  }
  LabRecords* records = Records(&error);
  if (!records) return IsShared() ? spool(error) : Result::Fail(RecordsError::Database, error);
  RecordsResult<CalibrationSummary> stored = Store(*records, record, standardId, who, run.origin, run.calibrationId);
  if (stored.ok()) {
    run.calibrationId = stored.value.id;
    run.certificateNumber = stored.value.certificateNumber;
    return Result::Ok(KeptWhere::Records);
  }
  if (LostServer(stored)) return spool(stored.message);
  return Result::Fail(stored.error, stored.message);
}

RecordsResult<int> RecordsKeeper::SendPending() {
  using Result = RecordsResult<int>;
  QString error;
  std::optional<std::vector<SpooledRun>> pending = m_spool.Pending(&error);
  if (!pending) return Result::Fail(RecordsError::Database, error);
  if (pending->empty()) return Result::Ok(0);
  LabRecords* records = Records(&error);
  if (!records) return Result::Fail(RecordsError::Connection, error);
  int sent = 0;
  for (const SpooledRun& run : *pending) {
    RecordsResult<CalibrationSummary> stored =
        Store(*records, run.record, run.standardId, {run.technician, {}}, run.origin, run.calibrationId);
    if (!stored.ok()) {
      LostServer(stored);
      return Result::Fail(stored.error, stored.message, sent);
    }
    // Removed only if not kept again meanwhile: a newer copy goes next time.
    if (!m_spool.Remove(run.origin, run.version, &error)) return Result::Fail(RecordsError::Database, error, sent);
    ++sent;
  }
  return Result::Ok(sent);
}

int RecordsKeeper::PendingCount() {
  QString error;
  return m_spool.Count(&error).value_or(0);
}

}  // namespace vorenx
