// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibrations, their revisions and the two lists, of SqlLabRecords.
#include <QSqlQuery>
#include <algorithm>

#include "records/SqlLabRecords.h"

namespace vorenx {

namespace records_sql {

// The columns a stored calibration's lists need, taken from its record.
ListColumns ColumnsOf(const CalibrationRecord& r) {
  ListColumns c{{}, {}, VerdictText(r.asFound), VerdictText(r.asLeft)};
  for (const std::optional<RunResult>* run : {&r.asFound, &r.asLeft}) {
    if (!*run) continue;
    for (const QDateTime& t : {(*run)->started, (*run)->finished}) {
      if (!t.isValid()) continue;
      if (!c.started.isValid() || t < c.started) c.started = t;
      if (!c.finished.isValid() || t > c.finished) c.finished = t;
    }
  }
  return c;
}

QString RecordProblem(const CalibrationRecord& r) {
  QString problem = TextProblem(QStringLiteral("Tag"), r.setup.tag, kMaxTagLength, true);
  if (problem.isEmpty()) problem = TextProblem(QStringLiteral("Technician"), r.setup.technician, kMaxTechnicianLength, false);
  if (problem.isEmpty() && !r.asFound && !r.asLeft) problem = QStringLiteral("The calibration has neither an as-found nor an as-left run.");
  if (problem.isEmpty() && !ColumnsOf(r).started.isValid()) problem = QStringLiteral("The calibration's runs have no start time.");
  return problem;
}

QVariant IdOrNull(qint64 id) { return id ? QVariant(id) : QVariant(QMetaType(QMetaType::LongLong)); }

}  // namespace records_sql

using namespace records_sql;

std::optional<QString> SqlLabRecords::NextCertificateNumber(QString* error) {
  QSqlQuery q(m_connection.Database());
  const QString sql = m_connection.IsPostgres()
                          ? QStringLiteral("SELECT nextval('certificate_numbers')")
                          : QStringLiteral("UPDATE counters SET value = value + 1 WHERE name = 'certificate' RETURNING value");
  if (!RunQuery(q, sql, {}, error, QStringLiteral("Cannot give a certificate number")) || !q.next()) return std::nullopt;
  return QStringLiteral("VX-%1-%2").arg(QDate::currentDate().year()).arg(q.value(0).toLongLong(), 6, 10, QLatin1Char('0'));
}

std::optional<CalibrationSummary> SqlLabRecords::SummaryById(qint64 id, QString* error, QByteArray* payload) {
  QSqlQuery q(m_connection.Database());
  error->clear();
  if (!RunQuery(q, QStringLiteral("SELECT %1, r.payload FROM calibrations c LEFT JOIN calibration_runs r ON r.calibration_id = c.id "
                                  "WHERE c.id = ?").arg(kSummaryColumns), {id}, error,
                QStringLiteral("Cannot read the calibration")) || !q.next())
    return std::nullopt;
  if (payload) *payload = q.value(13).toString().toUtf8();
  return SummaryFrom(q);
}

RecordsResult<CalibrationSummary> SqlLabRecords::SaveCalibration(const CalibrationRecord& record, qint64 standardId,
                                                                 const Actor& who, const QString& origin) {
  using Result = RecordsResult<CalibrationSummary>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = RecordProblem(record); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  QSqlQuery q(m_connection.Database());
  if (!origin.isEmpty()) {
    // Looked for under the write lock: two benches sending the same run store it once.
    if (!RunQuery(q, QStringLiteral("SELECT id FROM calibrations WHERE origin = ? ORDER BY revision LIMIT 1"), {origin}, &error,
                  QStringLiteral("Cannot read the calibrations")))
      return Result::Fail(RecordsError::Database, error);
    if (q.next()) {
      const qint64 id = q.value(0).toLongLong();
      q.finish();
      if (std::optional<CalibrationSummary> earlier = SummaryById(id, &error)) return Result::Ok(*earlier);
      return Result::Fail(RecordsError::Database, error);
    }
  }
  const std::optional<Instrument> instrument = InstrumentWhere(QStringLiteral("tag"), record.setup.tag, &error);
  if (!instrument)
    return Result::Fail(error.isEmpty() ? RecordsError::NotFound : RecordsError::Database,
                        error.isEmpty() ? QStringLiteral("No instrument with tag \"%1\" in the register: add it first.").arg(record.setup.tag) : error);
  if (instrument->state == ServiceState::Retired)
    return Result::Fail(RecordsError::Refused, QStringLiteral("Instrument %1 is retired: it is not calibrated any more.").arg(instrument->tag));
  if (!RunQuery(q, QStringLiteral("SELECT id FROM reference_standards WHERE id = ?"), {standardId}, &error))
    return Result::Fail(RecordsError::Database, error);
  if (!q.next()) return Result::Fail(RecordsError::NotFound, QStringLiteral("The reference standard used is not kept in the records."));
  q.finish();  // SQLite commits only with no statement left open

  std::optional<CalibrationSummary> s = InsertCalibration(record, *instrument, standardId, QStringLiteral("add"), who, origin, &error);
  if (!s || !transaction.Commit(&error)) return Result::Fail(RecordsError::Database, error);
  return Result::Ok(*s);
}

bool SqlLabRecords::InsertRuns(qint64 calibrationId, const QByteArray& payload, QString* error) {
  QSqlQuery q(m_connection.Database());
  return RunQuery(q, QStringLiteral("INSERT INTO calibration_runs (calibration_id, payload) VALUES (?, ?)"),
                  {calibrationId, QString::fromUtf8(payload)}, error, QStringLiteral("Cannot save the calibration's runs"));
}

std::optional<CalibrationSummary> SqlLabRecords::InsertCalibration(const CalibrationRecord& record, const Instrument& instrument,
                                                                   qint64 standardId, const QString& action, const Actor& who,
                                                                   const QString& origin, QString* error) {
  const std::optional<QString> number = NextCertificateNumber(error);
  if (!number) return std::nullopt;
  const ListColumns columns = ColumnsOf(record);
  CalibrationSummary s{0, *number, 1, 0, instrument.id, instrument.tag, standardId, record.setup.technician,
                       columns.started.toUTC(), (columns.finished.isValid() ? columns.finished : columns.started).toUTC(),
                       columns.asFound, columns.asLeft, CalibrationState::Draft};
  const QByteArray payload = RecordToJson(record);
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("INSERT INTO calibrations (certificate_number, revision, supersedes, instrument_id, "
                                  "standard_id, tag, technician, started_at, finished_at, as_found_verdict, as_left_verdict, "
                                  "state, changed_by, changed_at, reason, origin) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                {s.certificateNumber, s.revision, IdOrNull(0), s.instrumentId, IdOrNull(s.standardId), s.tag, s.technician,
                 TimeText(s.started), TimeText(s.finished), s.asFoundVerdict, s.asLeftVerdict,
                 CalibrationStateText(s.state), who.technician, Now(), who.reason,
                 origin.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(origin)},
                error, QStringLiteral("Cannot save the calibration")) || !q.next())
    return std::nullopt;
  s.id = q.value(0).toLongLong();
  q.finish();
  if (!InsertRuns(s.id, payload, error)) return std::nullopt;
  if (!Audit(who, action, QStringLiteral("calibration"), s.id, QStringLiteral("{}"), SummaryJson(s, payload), error))
    return std::nullopt;
  return s;
}

RecordsResult<CalibrationSummary> SqlLabRecords::Approve(qint64 id, const Actor& who) {
  using Result = RecordsResult<CalibrationSummary>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  QByteArray payload;
  const std::optional<CalibrationSummary> before = SummaryById(id, &error, &payload);
  if (!before)
    return Result::Fail(error.isEmpty() ? RecordsError::NotFound : RecordsError::Database,
                        error.isEmpty() ? QStringLiteral("No such calibration in the records.") : error);
  if (before->state != CalibrationState::Draft)
    return Result::Fail(RecordsError::Refused, QStringLiteral("Calibration %1 revision %2 is %3: only a draft is approved.")
                                                   .arg(before->certificateNumber).arg(before->revision)
                                                   .arg(CalibrationStateText(before->state)), *before);
  CalibrationSummary after = *before;
  after.state = CalibrationState::Approved;
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("UPDATE calibrations SET state = 'approved', changed_by = ?, changed_at = ? WHERE id = ?"),
                {who.technician, Now(), id}, &error, QStringLiteral("Cannot approve the calibration")) ||
      !Audit(who, QStringLiteral("approve"), QStringLiteral("calibration"), id, SummaryJson(*before, payload),
             SummaryJson(after, payload), &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(after);
}

RecordsResult<CalibrationSummary> SqlLabRecords::Amend(qint64 id, const CalibrationRecord& record, const Actor& who) {
  using Result = RecordsResult<CalibrationSummary>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = RecordProblem(record); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  if (QString problem = TextProblem(QStringLiteral("Reason"), who.reason, kMaxReasonLength, false); !problem.isEmpty())
    return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  QByteArray oldPayload;
  const std::optional<CalibrationSummary> old = SummaryById(id, &error, &oldPayload);
  if (!old)
    return Result::Fail(error.isEmpty() ? RecordsError::NotFound : RecordsError::Database,
                        error.isEmpty() ? QStringLiteral("No such calibration in the records.") : error);
  if (old->state == CalibrationState::Superseded)
    return Result::Fail(RecordsError::Refused, QStringLiteral("Calibration %1 revision %2 is superseded: amend its newest revision.")
                                                   .arg(old->certificateNumber).arg(old->revision), *old);
  if (record.setup.tag != old->tag)
    return Result::Fail(RecordsError::Refused, QStringLiteral("An amendment keeps the instrument: %1, not %2.").arg(old->tag, record.setup.tag), *old);
  const bool approved = old->state == CalibrationState::Approved;
  if (approved && who.reason.trimmed().isEmpty())
    return Result::Fail(RecordsError::Refused, QStringLiteral("Reason: an approved calibration is amended only with a reason."), *old);

  const ListColumns columns = ColumnsOf(record);
  CalibrationSummary s = *old;
  s.technician = record.setup.technician;
  s.started = columns.started.toUTC();
  s.finished = (columns.finished.isValid() ? columns.finished : columns.started).toUTC();
  s.asFoundVerdict = columns.asFound;
  s.asLeftVerdict = columns.asLeft;
  const QByteArray payload = RecordToJson(record);
  const QVariantList listValues{s.technician, TimeText(s.started), TimeText(s.finished), s.asFoundVerdict, s.asLeftVerdict,
                                who.technician, Now(), who.reason};
  QSqlQuery q(m_connection.Database());
  if (!approved) {
    if (!RunQuery(q, QStringLiteral("UPDATE calibrations SET technician = ?, started_at = ?, finished_at = ?, "
                                    "as_found_verdict = ?, as_left_verdict = ?, changed_by = ?, changed_at = ?, reason = ? "
                                    "WHERE id = ? AND state = 'draft'"),
                  listValues + QVariantList{id}, &error, QStringLiteral("Cannot change the draft")) ||
        !RunQuery(q, QStringLiteral("UPDATE calibration_runs SET payload = ? WHERE calibration_id = ?"),
                  {QString::fromUtf8(payload), id}, &error, QStringLiteral("Cannot change the draft")) ||
        !Audit(who, QStringLiteral("update"), QStringLiteral("calibration"), id, SummaryJson(*old, oldPayload), SummaryJson(s, payload), &error) ||
        !transaction.Commit(&error))
      return Result::Fail(RecordsError::Database, error);
    return Result::Ok(s);
  }
  // An approved calibration stays as it was, marked superseded; the amendment
  // is its next revision, a draft to approve.
  CalibrationSummary superseded = *old;
  superseded.state = CalibrationState::Superseded;
  s.revision = old->revision + 1;
  s.supersedes = old->id;
  s.state = CalibrationState::Draft;
  if (!RunQuery(q, QStringLiteral("UPDATE calibrations SET state = 'superseded' WHERE id = ? AND state = 'approved'"), {id}, &error,
                QStringLiteral("Cannot amend the calibration")) ||
      !Audit(who, QStringLiteral("supersede"), QStringLiteral("calibration"), id, SummaryJson(*old, oldPayload), SummaryJson(superseded, oldPayload), &error) ||
      !RunQuery(q, QStringLiteral("INSERT INTO calibrations (technician, started_at, finished_at, as_found_verdict, "
                                  "as_left_verdict, changed_by, changed_at, reason, certificate_number, revision, "
                                  "supersedes, instrument_id, standard_id, tag, state) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'draft') RETURNING id"),
                listValues + QVariantList{s.certificateNumber, s.revision, s.supersedes, s.instrumentId, IdOrNull(s.standardId), s.tag},
                &error, QStringLiteral("Cannot amend the calibration")) || !q.next())
    return Result::Fail(RecordsError::Database, error);
  s.id = q.value(0).toLongLong();
  q.finish();
  if (!InsertRuns(s.id, payload, &error)) return Result::Fail(RecordsError::Database, error);
  if (!Audit(who, QStringLiteral("amend"), QStringLiteral("calibration"), s.id, SummaryJson(*old, oldPayload), SummaryJson(s, payload), &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(s);
}

RecordsResult<StoredCalibration> SqlLabRecords::FindCalibration(qint64 id) {
  using Result = RecordsResult<StoredCalibration>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  QSqlQuery q(m_connection.Database());
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT %1, r.payload FROM calibrations c LEFT JOIN calibration_runs r ON r.calibration_id = c.id "
                                  "WHERE c.id = ?").arg(kSummaryColumns), {id}, &error,
                QStringLiteral("Cannot read the calibration")))
    return Result::Fail(RecordsError::Database, error);
  if (!q.next()) return Result::Fail(RecordsError::NotFound, QStringLiteral("No such calibration in the records."));
  StoredCalibration stored{SummaryFrom(q), {}};
  std::optional<CalibrationRecord> record = RecordFromJson(q.value(13).toString().toUtf8(), &error);
  if (!record)
    return Result::Fail(RecordsError::Database, QStringLiteral("Calibration %1 revision %2 cannot be read: %3")
                                                    .arg(stored.summary.certificateNumber).arg(stored.summary.revision).arg(error));
  stored.record = std::move(*record);
  return Result::Ok(std::move(stored));
}

RecordsResult<std::vector<DueEntry>> SqlLabRecords::DueList(const DueFilter& filter) {
  using Result = RecordsResult<std::vector<DueEntry>>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  QSqlQuery q(m_connection.Database());
  q.setForwardOnly(true);
  QString error;
  // Only the columns the list shows, each instrument's newest calibration
  // from the table the triggers keep (one row per instrument).
  if (!RunQuery(q, kDueListQuery, {}, &error, QStringLiteral("Cannot read the due list")))
    return Result::Fail(RecordsError::Database, error);
  const QDate today = filter.today.isValid() ? filter.today : QDate::currentDate();
  std::vector<DueEntry> due;
  while (q.next()) {
    DueEntry e{{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                q.value(4).toInt()},
               std::nullopt,
               {}};
    if (!q.isNull(5)) {
      e.last = LastCalibration{q.value(5).toLongLong(), q.value(6).toString(), TimeFrom(q.value(7)),
                               q.value(8).toString(), q.value(9).toString()};
      e.dueOn = e.last->finished.date().addDays(e.instrument.intervalDays);
    }
    const bool overdue = !e.dueOn.isValid() || e.dueOn < today;
    if (filter.overdueOnly && !overdue) continue;
    if (filter.dueWithinDays && !overdue && e.dueOn > today.addDays(*filter.dueWithinDays)) continue;
    due.push_back(std::move(e));
  }
  std::sort(due.begin(), due.end(), [](const DueEntry& a, const DueEntry& b) {
    if (a.dueOn.isValid() != b.dueOn.isValid()) return !a.dueOn.isValid();
    if (a.dueOn != b.dueOn) return a.dueOn < b.dueOn;
    return a.instrument.tag < b.instrument.tag;
  });
  return Result::Ok(std::move(due));
}

RecordsResult<std::vector<CalibrationSummary>> SqlLabRecords::History(const QString& tag) {
  using Result = RecordsResult<std::vector<CalibrationSummary>>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  QSqlQuery q(m_connection.Database());
  q.setForwardOnly(true);
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT %1 FROM calibrations c WHERE c.instrument_id = (SELECT id FROM instruments WHERE tag = ?) "
                                  "ORDER BY c.finished_at DESC, c.revision DESC, c.id DESC").arg(kSummaryColumns),
                {tag}, &error, QStringLiteral("Cannot read the instrument's history")))
    return Result::Fail(RecordsError::Database, error);
  std::vector<CalibrationSummary> history;
  while (q.next()) history.push_back(SummaryFrom(q));
  return Result::Ok(std::move(history));
}

}  // namespace vorenx
