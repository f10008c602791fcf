// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The lab's records on SQLite or PostgreSQL through Qt SQL. An object holds
// one connection and belongs to the thread that opened it: a thread that
// needs the records opens its own (a call from another thread is refused).

#include <QThread>
#include <memory>
#include <vector>

#include "records/LabRecords.h"
#include "records/RecordsConnection.h"
#include "records/RecordsLocation.h"
#include "records/RecordsSchema.h"

class QSqlQuery;

namespace vorenx {

struct LabRecordsOptions {
  // The migrations to bring the database to; null for the program's own.
  const std::vector<Migration>* migrations = nullptr;
};

// Opens the records at `location`, making and migrating the database as needed.
RecordsResult<std::unique_ptr<LabRecords>> OpenLabRecords(const RecordsLocation& location,
                                                          const LabRecordsOptions& options = {});

class SqlLabRecords final : public LabRecords {
 public:
  explicit SqlLabRecords(const RecordsLocation& location);

  // Connects and prepares the schema; the other calls need it to have succeeded.
  RecordsResult<int> Open(const std::vector<Migration>& migrations);

  QString Where() const override { return m_connection.Location().Text(); }
  RecordsResult<int> SchemaVersion() override;
  bool Answers() override;

  RecordsResult<Instrument> AddInstrument(const Instrument& instrument, const Actor& who) override;
  RecordsResult<Instrument> UpdateInstrument(const Instrument& edited, const Actor& who) override;
  RecordsResult<Instrument> FindInstrument(const QString& tag) override;
  RecordsResult<std::vector<Instrument>> Instruments() override;
  RecordsResult<ReferenceStandard> AddStandard(const ReferenceStandard& standard, const Actor& who) override;
  RecordsResult<std::vector<ReferenceStandard>> Standards() override;
  RecordsResult<ReferenceStandard> UpdateStandard(const ReferenceStandard& standard, const Actor& who) override;
  RecordsResult<ReferenceStandard> NoteOverdueStandard(qint64 standardId, const QString& tag, const Actor& who) override;

  RecordsResult<CalibrationSummary> SaveCalibration(const CalibrationRecord& record, qint64 standardId,
                                                    const Actor& who, const QString& origin = QString()) override;
  RecordsResult<CalibrationSummary> Approve(qint64 calibrationId, const Actor& who) override;
  RecordsResult<CalibrationSummary> Amend(qint64 calibrationId, const CalibrationRecord& record,
                                          const Actor& who) override;
  RecordsResult<StoredCalibration> FindCalibration(qint64 calibrationId) override;
  RecordsResult<std::vector<CalibrationSummary>> FindCertificate(const QString& number) override;
  RecordsResult<std::vector<CalibrationSummary>> Calibrations() override;
  RecordsResult<ImportedRecord> ImportRecord(const CalibrationRecord& record, const QByteArray& fileBytes,
                                             const QString& path, const Actor& who) override;

  RecordsResult<std::vector<DueEntry>> DueList(const DueFilter& filter) override;
  RecordsResult<std::vector<CalibrationSummary>> History(const QString& tag) override;
  RecordsResult<ChainReport> VerifyAudit() override;
  RecordsResult<QString> NewestAuditHash() override;

 private:
  // Empty when the call may go on; else why not (not open, wrong thread).
  QString Unusable() const;
  // The audit entry of a change by `who`, written in the current transaction.
  bool Audit(const Actor& who, const QString& action, const QString& entity, qint64 id, const QString& before,
             const QString& after, QString* error);
  std::optional<Instrument> InstrumentWhere(const QString& column, const QVariant& value, QString* error);
  // The standards `where` (a condition on `s`, this file's own text) picks,
  // by serial, each with its accuracy table; nullopt when they cannot be read.
  std::optional<std::vector<ReferenceStandard>> StandardsWhere(const QString& where, const QVariantList& values,
                                                               QString* error);
  // Replaces the accuracy table of standard `id`, in the current transaction.
  bool WriteAccuracy(qint64 id, const std::vector<AccuracySpec>& table, QString* error);
  // The calibration `id`, and its runs' JSON in `payload` when asked for.
  std::optional<CalibrationSummary> SummaryById(qint64 id, QString* error, QByteArray* payload = nullptr);
  // The rows against their newest audit entries, for an intact chain.
  bool VerifyRows(ChainReport& report, QString* error);
  // The import of one record, in the current transaction.
  RecordsResult<ImportedRecord> ImportInTransaction(const CalibrationRecord& record, const QByteArray& fileBytes,
                                                    const QString& path, const Actor& who);
  // Adds `record` as a new draft with a new certificate number and its audit
  // entry, in the current transaction.
  std::optional<CalibrationSummary> InsertCalibration(const CalibrationRecord& record, const Instrument& instrument,
                                                      qint64 standardId, const QString& action, const Actor& who,
                                                      const QString& origin, QString* error);
  // Adds the runs of the calibration `calibrationId`, in the current transaction.
  bool InsertRuns(qint64 calibrationId, const QByteArray& payload, QString* error);
  // Adds `instrument` (version 1) and its audit entry, in the current transaction.
  std::optional<Instrument> InsertInstrument(const Instrument& instrument, const Actor& who, QString* error);
  // The next certificate number, counted in the current transaction.
  std::optional<QString> NextCertificateNumber(QString* error);

  RecordsConnection m_connection;
  QThread* m_thread;
  QString m_osUser;
  bool m_open = false;
  // The newest schema of the migrations this object was opened with: a store
  // opened as an older program reads and writes only what that one knew.
  int m_schema = 0;
};

// Shared by the store's two source files.
namespace records_sql {
QString Now();  // UTC, "2026-12-08T09:03:07.123Z"
QString TimeText(const QDateTime& time);
QDateTime TimeFrom(const QVariant& value);
// The first problem of a text field: empty when it is fine.
QString TextProblem(const QString& field, const QString& text, int maxLength, bool required);
extern const QString kInstrumentColumns;
extern const QString kSummaryColumns;
// The due list's rows: what the list shows of each instrument not retired,
// and of its newest calibration.
extern const QString kDueListQuery;
Instrument InstrumentFrom(const QSqlQuery& q, int first = 0);
CalibrationSummary SummaryFrom(const QSqlQuery& q, int first = 0);
QString InstrumentJson(const Instrument& instrument);
// The start, end and verdicts of a record, as the calibration lists keep them.
struct ListColumns {
  QDateTime started;
  QDateTime finished;
  QString asFound;
  QString asLeft;
};
ListColumns ColumnsOf(const CalibrationRecord& record);
// A key to bind: NULL for 0 (no row).
QVariant IdOrNull(qint64 id);
// The first reason `record` cannot be stored; empty when it can.
QString RecordProblem(const CalibrationRecord& record);
// The standard as its audit entries keep it; the accuracy table only when it
// has one, so that a standard at the defaults reads as it did before tables.
QString StandardJson(const ReferenceStandard& standard);
// The standard's own columns, without its accuracy table.
ReferenceStandard StandardFrom(const QSqlQuery& q, int first = 0);
extern const QString kStandardColumns;
// The schema that added each standard's accuracy table (`standard_accuracy`).
inline constexpr int kAccuracySchema = 5;
QString SummaryJson(const CalibrationSummary& summary, const QByteArray& payload);
}  // namespace records_sql

}  // namespace vorenx
