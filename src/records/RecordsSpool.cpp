// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsSpool.h"

#include <QDateTime>
#include <QSqlQuery>

#include "platform/FileText.h"

namespace vorenx {

namespace {

RecordsLocation SpoolLocation(const QString& path) {
  RecordsLocation location;
  location.path = path;
  return location;
}

}  // namespace

QString DefaultSpoolPath() { return AppDataPath(QStringLiteral("spool.sqlite")); }

RecordsSpool::RecordsSpool(const QString& path) : m_path(path), m_connection(SpoolLocation(path)) {}

bool RecordsSpool::Open(QString* error) {
  if (m_open) return true;
  if (!m_connection.Open(error)) return false;
  QSqlQuery q(m_connection.Database());
  const QString doing = QStringLiteral("Cannot use the bench's spool %1").arg(m_path);
  for (const char* sql :
       {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL",
        "CREATE TABLE IF NOT EXISTS spooled_runs (position INTEGER PRIMARY KEY AUTOINCREMENT, origin TEXT NOT NULL UNIQUE, "
        "calibration_id INTEGER NOT NULL, standard_id INTEGER NOT NULL, technician TEXT NOT NULL, payload TEXT NOT NULL, "
        "version INTEGER NOT NULL, kept_at TEXT NOT NULL)"})
    if (!RunQuery(q, QLatin1String(sql), {}, error, doing)) return false;
  m_open = true;
  return true;
}

bool RecordsSpool::Put(const SpooledRun& run, QString* error) {
  if (!Open(error)) return false;
  QSqlQuery q(m_connection.Database());
  // A run kept again keeps its place in the queue and counts one more version.
  return RunQuery(q,
                  QStringLiteral("INSERT INTO spooled_runs (origin, calibration_id, standard_id, technician, payload, version, "
                                 "kept_at) VALUES (?, ?, ?, ?, ?, 1, ?) ON CONFLICT (origin) DO UPDATE SET "
                                 "calibration_id = excluded.calibration_id, standard_id = excluded.standard_id, "
                                 "technician = excluded.technician, payload = excluded.payload, version = version + 1, "
                                 "kept_at = excluded.kept_at"),
                  {run.origin, run.calibrationId, run.standardId, run.technician, QString::fromUtf8(RecordToJson(run.record)),
                   QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                  error, QStringLiteral("Cannot keep the run in the bench's spool %1").arg(m_path));
}

std::optional<std::vector<SpooledRun>> RecordsSpool::Pending(QString* error) {
  if (!Open(error)) return std::nullopt;
  QSqlQuery q(m_connection.Database());
  q.setForwardOnly(true);
  if (!RunQuery(q, QStringLiteral("SELECT origin, calibration_id, standard_id, technician, payload, version FROM spooled_runs "
                                  "ORDER BY position"),
                {}, error, QStringLiteral("Cannot read the bench's spool %1").arg(m_path)))
    return std::nullopt;
  std::vector<SpooledRun> runs;
  while (q.next()) {
    QString why;
    std::optional<CalibrationRecord> record = RecordFromJson(q.value(4).toString().toUtf8(), &why);
    if (!record) {
      *error = QStringLiteral("The bench's spool %1 holds a run that cannot be read (%2).").arg(m_path, why);
      return std::nullopt;
    }
    runs.push_back({q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toString(),
                    std::move(*record), q.value(5).toInt()});
  }
  return runs;
}

std::optional<int> RecordsSpool::Count(QString* error) {
  if (!Open(error)) return std::nullopt;
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("SELECT COUNT(*) FROM spooled_runs"), {}, error,
                QStringLiteral("Cannot read the bench's spool %1").arg(m_path)) ||
      !q.next())
    return std::nullopt;
  return q.value(0).toInt();
}

bool RecordsSpool::Remove(const QString& origin, int version, QString* error) {
  if (!Open(error)) return false;
  QSqlQuery q(m_connection.Database());
  return RunQuery(q, QStringLiteral("DELETE FROM spooled_runs WHERE origin = ? AND version = ?"), {origin, version}, error,
                  QStringLiteral("Cannot update the bench's spool %1").arg(m_path));
}

}  // namespace vorenx
