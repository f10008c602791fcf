// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The one-time import of the JSON record files, of SqlLabRecords. A record is
// known by its tag and start time; the file's SHA-256 tells a second import
// of the same file (nothing added) from a file changed since (reported).
#include <QCryptographicHash>
#include <QSqlQuery>

#include "records/SqlLabRecords.h"

namespace vorenx {

using namespace records_sql;

RecordsResult<ImportedRecord> SqlLabRecords::ImportRecord(const CalibrationRecord& record, const QByteArray& fileBytes,
                                                          const QString& path, const Actor& who) {
  using Result = RecordsResult<ImportedRecord>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = RecordProblem(record); !problem.isEmpty())
    return Result::Fail(RecordsError::Invalid, QStringLiteral("%1: %2").arg(path, problem));
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  Result imported = ImportInTransaction(record, fileBytes, path, who);
  if (imported.ok() && imported.value.outcome == ImportOutcome::Imported && !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return imported;
}

RecordsResult<ImportedRecord> SqlLabRecords::ImportInTransaction(const CalibrationRecord& record, const QByteArray& fileBytes,
                                                                 const QString& path, const Actor& who) {
  using Result = RecordsResult<ImportedRecord>;
  const QString started = TimeText(ColumnsOf(record).started);
  const QString sha = QString::fromLatin1(QCryptographicHash::hash(fileBytes, QCryptographicHash::Sha256).toHex());
  QString error;
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("SELECT sha256, calibration_id FROM imported_files WHERE tag = ? AND started_at = ?"),
                {record.setup.tag, started}, &error, QStringLiteral("Cannot read the imported files")))
    return Result::Fail(RecordsError::Database, error);
  if (q.next()) {
    const bool same = q.value(0).toString() == sha;
    const std::optional<CalibrationSummary> earlier = SummaryById(q.value(1).toLongLong(), &error);
    if (!earlier) return Result::Fail(RecordsError::Database, error);
    return Result::Ok({same ? ImportOutcome::AlreadyImported : ImportOutcome::ChangedSinceImport, *earlier});
  }

  Actor importer = who;
  importer.reason = QStringLiteral("imported from %1").arg(path);
  std::optional<Instrument> instrument = InstrumentWhere(QStringLiteral("tag"), record.setup.tag, &error);
  if (!instrument && !error.isEmpty()) return Result::Fail(RecordsError::Database, error);
  if (!instrument) {
    Instrument added;
    added.tag = record.setup.tag;
    added.description = QStringLiteral("imported with its calibration records");
    instrument = InsertInstrument(added, importer, &error);
    if (!instrument) return Result::Fail(RecordsError::Database, error);
  }
  // The records from before the register name their calibrator in their own
  // text only: the calibration has no reference standard of the register.
  const std::optional<CalibrationSummary> stored =
      InsertCalibration(record, *instrument, 0, QStringLiteral("import"), importer, QString(), &error);
  if (!stored) return Result::Fail(RecordsError::Database, error);
  if (!RunQuery(q, QStringLiteral("INSERT INTO imported_files (tag, started_at, path, sha256, calibration_id, imported_at) "
                                  "VALUES (?, ?, ?, ?, ?, ?)"),
                {record.setup.tag, started, path, sha, stored->id, Now()}, &error,
                QStringLiteral("Cannot note the imported file")))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok({ImportOutcome::Imported, *stored});
}

}  // namespace vorenx
