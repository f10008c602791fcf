// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/SqlLabRecords.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QTimeZone>

#include "records/AuditChain.h"

namespace vorenx {

namespace records_sql {

QString Now() { return TimeText(QDateTime::currentDateTimeUtc()); }

QString TimeText(const QDateTime& time) { return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString(); }

QDateTime TimeFrom(const QVariant& value) {
  const QString text = value.toString();
  // The store's own form, "2026-12-08T09:03:07.123Z", read digit by digit:
  // the lists read three times per row, and Qt's general parser costs more
  // than the query.
  static constexpr int kDigits[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 22};
  bool own = text.size() == 24 && text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' &&
             text[16] == u':' && text[19] == u'.' && text[23] == u'Z';
  int d[17] = {};
  for (int i = 0; own && i < 17; ++i) {
    const char16_t c = text[kDigits[i]].unicode();
    own = c >= u'0' && c <= u'9';
    d[i] = c - u'0';
  }
  if (own) {
    const QDate date(d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3], d[4] * 10 + d[5], d[6] * 10 + d[7]);
    const QTime time(d[8] * 10 + d[9], d[10] * 10 + d[11], d[12] * 10 + d[13], d[14] * 100 + d[15] * 10 + d[16]);
    if (date.isValid() && time.isValid()) return QDateTime(date, time, QTimeZone::utc());
  }
  QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
  return t.isValid() ? t.toUTC() : QDateTime();
}

QString TextProblem(const QString& field, const QString& text, int maxLength, bool required) {
  if (required && text.trimmed().isEmpty()) return QStringLiteral("%1: must not be empty.").arg(field);
  if (text.size() > maxLength)
    return QStringLiteral("%1: at most %2 characters (this one has %3).").arg(field).arg(maxLength).arg(text.size());
  // PostgreSQL's text cannot hold NUL; refused on both engines alike.
  if (text.contains(QChar(0))) return QStringLiteral("%1: must not contain a NUL character.").arg(field);
  return QString();
}

const QString kInstrumentColumns = QStringLiteral(
    "i.id, i.tag, i.description, i.manufacturer, i.model, i.serial, i.location, i.owner, i.interval_days, i.state, "
    "i.version, i.changed_by, i.changed_at");
const QString kSummaryColumns = QStringLiteral(
    "c.id, c.certificate_number, c.revision, c.supersedes, c.instrument_id, c.tag, c.standard_id, c.technician, "
    "c.started_at, c.finished_at, c.as_found_verdict, c.as_left_verdict, c.state");
const QString kDueListQuery = QStringLiteral(
    "SELECT i.id, i.tag, i.description, i.location, i.interval_days, l.calibration_id, l.certificate_number, "
    "l.finished_at, l.as_found_verdict, l.as_left_verdict FROM instruments i LEFT JOIN latest_calibrations l "
    "ON l.instrument_id = i.id WHERE i.state <> 'retired'");

Instrument InstrumentFrom(const QSqlQuery& q, int f) {
  Instrument i;
  i.id = q.value(f).toLongLong();
  i.tag = q.value(f + 1).toString();
  i.description = q.value(f + 2).toString();
  i.manufacturer = q.value(f + 3).toString();
  i.model = q.value(f + 4).toString();
  i.serial = q.value(f + 5).toString();
  i.location = q.value(f + 6).toString();
  i.owner = q.value(f + 7).toString();
  i.intervalDays = q.value(f + 8).toInt();
  i.state = ServiceStateFromText(q.value(f + 9).toString()).value_or(ServiceState::OutOfService);
  i.version = q.value(f + 10).toInt();
  i.changedBy = q.value(f + 11).toString();
  i.changedAt = TimeFrom(q.value(f + 12));
  return i;
}

CalibrationSummary SummaryFrom(const QSqlQuery& q, int f) {
  CalibrationSummary s;
  s.id = q.value(f).toLongLong();
  s.certificateNumber = q.value(f + 1).toString();
  s.revision = q.value(f + 2).toInt();
  s.supersedes = q.value(f + 3).toLongLong();
  s.instrumentId = q.value(f + 4).toLongLong();
  s.tag = q.value(f + 5).toString();
  s.standardId = q.value(f + 6).toLongLong();
  s.technician = q.value(f + 7).toString();
  s.started = TimeFrom(q.value(f + 8));
  s.finished = TimeFrom(q.value(f + 9));
  s.asFoundVerdict = q.value(f + 10).toString();
  s.asLeftVerdict = q.value(f + 11).toString();
  s.state = CalibrationStateFromText(q.value(f + 12).toString()).value_or(CalibrationState::Draft);
  return s;
}

QString InstrumentJson(const Instrument& i) {
  const QJsonObject o{{"id", i.id},           {"tag", i.tag},     {"description", i.description},
                      {"manufacturer", i.manufacturer}, {"model", i.model}, {"serial", i.serial},
                      {"location", i.location}, {"owner", i.owner}, {"intervalDays", i.intervalDays},
                      {"state", ServiceStateText(i.state)}, {"version", i.version}};
  return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString SummaryJson(const CalibrationSummary& s, const QByteArray& payload) {
  const QJsonObject o{{"id", s.id},
                      {"certificateNumber", s.certificateNumber},
                      {"revision", s.revision},
                      {"supersedes", s.supersedes},
                      {"instrumentId", s.instrumentId},
                      {"tag", s.tag},
                      {"standardId", s.standardId},
                      {"technician", s.technician},
                      {"started", TimeText(s.started)},
                      {"finished", TimeText(s.finished)},
                      {"asFound", s.asFoundVerdict},
                      {"asLeft", s.asLeftVerdict},
                      {"state", CalibrationStateText(s.state)},
                      // The runs themselves by their hash: the chain then covers them too.
                      {"payloadSha256", QString::fromLatin1(
                                            QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex())}};
  return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

}  // namespace records_sql

using namespace records_sql;

namespace {

QString InstrumentProblem(const Instrument& i) {
  const std::pair<const char*, const QString*> texts[] = {
      {"Description", &i.description}, {"Manufacturer", &i.manufacturer}, {"Model", &i.model},
      {"Serial number", &i.serial},    {"Location", &i.location},         {"Owner", &i.owner}};
  QString problem = TextProblem(QStringLiteral("Tag"), i.tag, kMaxTagLength, true);
  for (const auto& [field, text] : texts)
    if (problem.isEmpty()) problem = TextProblem(QLatin1String(field), *text, kMaxInstrumentTextLength, false);
  if (problem.isEmpty() && (i.intervalDays < 1 || i.intervalDays > 3650))
    problem = QStringLiteral("Calibration interval: from 1 to 3650 days (not %1).").arg(i.intervalDays);
  return problem;
}

QVariantList InstrumentValues(const Instrument& i) {
  return {i.tag, i.description, i.manufacturer, i.model, i.serial, i.location, i.owner, i.intervalDays,
          ServiceStateText(i.state)};
}

}  // namespace

RecordsResult<std::unique_ptr<LabRecords>> OpenLabRecords(const RecordsLocation& location, const LabRecordsOptions& options) {
  using Result = RecordsResult<std::unique_ptr<LabRecords>>;
  auto store = std::make_unique<SqlLabRecords>(location);
  RecordsResult<int> opened = store->Open(options.migrations ? *options.migrations : RecordsMigrations());
  if (!opened.ok()) return Result::Fail(opened.error, opened.message);
  return Result::Ok(std::move(store));
}

SqlLabRecords::SqlLabRecords(const RecordsLocation& location)
    : m_connection(location), m_thread(QThread::currentThread()), m_osUser(SystemUserName()) {}

RecordsResult<int> SqlLabRecords::Open(const std::vector<Migration>& migrations) {
  QString error;
  if (!m_connection.Open(&error))
    return RecordsResult<int>::Fail(m_connection.IsPostgres() ? RecordsError::Connection : RecordsError::Database, error);
  RecordsResult<int> prepared = PrepareSchema(m_connection, migrations);
  m_open = prepared.ok();
  m_schema = migrations.empty() ? 0 : migrations.back().version;
  if (!m_open) m_connection.Database().close();
  return prepared;
}

QString SqlLabRecords::Unusable() const {
  if (QThread::currentThread() != m_thread)
    return QStringLiteral("The records connection belongs to another thread: open one for this thread.");
  if (!m_open) return QStringLiteral("The records database is not open.");
  return QString();
}

RecordsResult<int> SqlLabRecords::SchemaVersion() {
  if (QString why = Unusable(); !why.isEmpty()) return RecordsResult<int>::Fail(RecordsError::Database, why);
  QSqlQuery q(m_connection.Database());
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT MAX(version) FROM schema_version"), {}, &error) || !q.next())
    return RecordsResult<int>::Fail(RecordsError::Database, error);
  return RecordsResult<int>::Ok(q.value(0).toInt());
}

bool SqlLabRecords::Answers() {
  if (!Unusable().isEmpty()) return false;
  QSqlQuery q(m_connection.Database());
  QString error;
  return RunQuery(q, QStringLiteral("SELECT 1"), {}, &error) && q.next();
}

bool SqlLabRecords::Audit(const Actor& who, const QString& action, const QString& entity, qint64 id,
                          const QString& before, const QString& after, QString* error) {
  AuditEntry e;
  e.changedAt = Now();
  e.technician = who.technician;
  e.osUser = m_osUser;
  e.action = action;
  e.entity = entity;
  e.entityId = id;
  e.before = before;
  e.after = after;
  e.reason = who.reason;
  return AppendAudit(m_connection, e, error);
}

std::optional<Instrument> SqlLabRecords::InstrumentWhere(const QString& column, const QVariant& value, QString* error) {
  QSqlQuery q(m_connection.Database());
  // `column` is one of this file's own names, never the caller's text.
  if (!RunQuery(q, QStringLiteral("SELECT %1 FROM instruments i WHERE i.%2 = ?").arg(kInstrumentColumns, column), {value},
                error, QStringLiteral("Cannot read the register")))
    return std::nullopt;
  error->clear();
  if (!q.next()) return std::nullopt;
  return InstrumentFrom(q);
}

RecordsResult<Instrument> SqlLabRecords::AddInstrument(const Instrument& given, const Actor& who) {
  using Result = RecordsResult<Instrument>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = InstrumentProblem(given); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  if (QString problem = TextProblem(QStringLiteral("Technician"), who.technician, kMaxTechnicianLength, false); !problem.isEmpty())
    return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  if (InstrumentWhere(QStringLiteral("tag"), given.tag, &error))
    return Result::Fail(RecordsError::Invalid, QStringLiteral("Tag: an instrument with tag \"%1\" is already in the register.").arg(given.tag));
  if (!error.isEmpty()) return Result::Fail(RecordsError::Database, error);
  const std::optional<Instrument> added = InsertInstrument(given, who, &error);
  if (!added || !transaction.Commit(&error)) return Result::Fail(RecordsError::Database, error);
  return Result::Ok(*added);
}

std::optional<Instrument> SqlLabRecords::InsertInstrument(const Instrument& given, const Actor& who, QString* error) {
  Instrument i = given;
  i.version = 1;
  i.changedBy = who.technician.isEmpty() ? m_osUser : who.technician;
  i.changedAt = TimeFrom(Now());
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("INSERT INTO instruments (tag, description, manufacturer, model, serial, location, owner, "
                                  "interval_days, state, version, changed_by, changed_at) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                InstrumentValues(i) + QVariantList{i.version, i.changedBy, TimeText(i.changedAt)}, error,
                QStringLiteral("Cannot add the instrument")) || !q.next())
    return std::nullopt;
  i.id = q.value(0).toLongLong();
  if (!Audit(who, QStringLiteral("add"), QStringLiteral("instrument"), i.id, QStringLiteral("{}"), InstrumentJson(i), error))
    return std::nullopt;
  return i;
}

RecordsResult<Instrument> SqlLabRecords::UpdateInstrument(const Instrument& edited, const Actor& who) {
  using Result = RecordsResult<Instrument>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = InstrumentProblem(edited); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  const std::optional<Instrument> current = InstrumentWhere(QStringLiteral("id"), edited.id, &error);
  if (!current) {
    if (!error.isEmpty()) return Result::Fail(RecordsError::Database, error);
    return Result::Fail(RecordsError::NotFound, QStringLiteral("Instrument %1 is no longer in the register.").arg(edited.tag));
  }
  if (current->version != edited.version)
    return Result::Fail(RecordsError::Conflict,
                        QStringLiteral("%1 changed instrument %2 at %3 UTC, after you opened it: your change is not "
                                       "saved. Its current values are shown; make your change again on them.")
                            .arg(current->changedBy, current->tag, TimeText(current->changedAt)),
                        *current);
  if (edited.tag != current->tag) {
    if (InstrumentWhere(QStringLiteral("tag"), edited.tag, &error))
      return Result::Fail(RecordsError::Invalid, QStringLiteral("Tag: an instrument with tag \"%1\" is already in the register.").arg(edited.tag));
    if (!error.isEmpty()) return Result::Fail(RecordsError::Database, error);
  }
  Instrument i = edited;
  i.version = current->version + 1;
  i.changedBy = who.technician.isEmpty() ? m_osUser : who.technician;
  i.changedAt = TimeFrom(Now());
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("UPDATE instruments SET tag = ?, description = ?, manufacturer = ?, model = ?, serial = ?, "
                                  "location = ?, owner = ?, interval_days = ?, state = ?, version = ?, changed_by = ?, "
                                  "changed_at = ? WHERE id = ? AND version = ?"),
                InstrumentValues(i) + QVariantList{i.version, i.changedBy, TimeText(i.changedAt), i.id, current->version},
                &error, QStringLiteral("Cannot change the instrument")))
    return Result::Fail(RecordsError::Database, error);
  if (q.numRowsAffected() != 1)
    return Result::Fail(RecordsError::Database, QStringLiteral("Instrument %1 changed while it was being saved.").arg(i.tag));
  if (!Audit(who, QStringLiteral("update"), QStringLiteral("instrument"), i.id, InstrumentJson(*current), InstrumentJson(i),
             &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(i);
}

RecordsResult<Instrument> SqlLabRecords::FindInstrument(const QString& tag) {
  using Result = RecordsResult<Instrument>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  QString error;
  if (std::optional<Instrument> found = InstrumentWhere(QStringLiteral("tag"), tag, &error)) return Result::Ok(*found);
  if (!error.isEmpty()) return Result::Fail(RecordsError::Database, error);
  return Result::Fail(RecordsError::NotFound, QStringLiteral("No instrument with tag \"%1\" in the register.").arg(tag));
}

RecordsResult<QString> SqlLabRecords::NewestAuditHash() {
  if (QString why = Unusable(); !why.isEmpty()) return RecordsResult<QString>::Fail(RecordsError::Database, why);
  QSqlQuery q(m_connection.Database());
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT hash FROM audit_log ORDER BY id DESC LIMIT 1"), {}, &error,
                QStringLiteral("Cannot read the audit trail")))
    return RecordsResult<QString>::Fail(RecordsError::Database, error);
  return RecordsResult<QString>::Ok(q.next() ? q.value(0).toString() : QString());
}

RecordsResult<ChainReport> SqlLabRecords::VerifyAudit() {
  if (QString why = Unusable(); !why.isEmpty()) return RecordsResult<ChainReport>::Fail(RecordsError::Database, why);
  RecordsResult<ChainReport> chain = VerifyAuditChain(m_connection);
  if (!chain.ok() || !chain.value.intact) return chain;
  QString error;
  if (!VerifyRows(chain.value, &error)) return RecordsResult<ChainReport>::Fail(RecordsError::Database, error);
  return chain;
}

}  // namespace vorenx
