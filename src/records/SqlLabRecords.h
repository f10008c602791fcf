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

  RecordsResult<Instrument> AddInstrument(const Instrument& instrument, const Actor& who) override;
  RecordsResult<Instrument> UpdateInstrument(const Instrument& edited, const Actor& who) override;
  RecordsResult<Instrument> FindInstrument(const QString& tag) override;
  RecordsResult<ReferenceStandard> AddStandard(const ReferenceStandard& standard, const Actor& who) override;
  RecordsResult<std::vector<ReferenceStandard>> Standards() override;

  RecordsResult<CalibrationSummary> SaveCalibration(const CalibrationRecord& record, qint64 standardId,
                                                    const Actor& who) override;
  RecordsResult<CalibrationSummary> Approve(qint64 calibrationId, const Actor& who) override;
  RecordsResult<CalibrationSummary> Amend(qint64 calibrationId, const CalibrationRecord& record,
                                          const Actor& who) override;
  RecordsResult<StoredCalibration> FindCalibration(qint64 calibrationId) override;

  RecordsResult<std::vector<DueEntry>> DueList(const DueFilter& filter) override;
  RecordsResult<std::vector<CalibrationSummary>> History(const QString& tag) override;
  RecordsResult<ChainReport> VerifyAudit() override;

 private:
  // Empty when the call may go on; else why not (not open, wrong thread).
  QString Unusable() const;
  // The audit entry of a change by `who`, written in the current transaction.
  bool Audit(const Actor& who, const QString& action, const QString& entity, qint64 id, const QString& before,
             const QString& after, QString* error);
  std::optional<Instrument> InstrumentWhere(const QString& column, const QVariant& value, QString* error);
  std::optional<CalibrationSummary> SummaryById(qint64 id, QString* error);
  // The next certificate number, counted in the current transaction.
  std::optional<QString> NextCertificateNumber(QString* error);

  RecordsConnection m_connection;
  QThread* m_thread;
  QString m_osUser;
  bool m_open = false;
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
Instrument InstrumentFrom(const QSqlQuery& q, int first = 0);
CalibrationSummary SummaryFrom(const QSqlQuery& q, int first = 0);
QString InstrumentJson(const Instrument& instrument);
QString SummaryJson(const CalibrationSummary& summary, const QByteArray& payload);
}  // namespace records_sql

}  // namespace vorenx
