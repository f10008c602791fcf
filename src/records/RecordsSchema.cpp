// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsSchema.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <QStringList>

#include "platform/FileText.h"

namespace vorenx {

namespace {

Migration FirstSchema() {
  Migration m;
  m.version = 1;
  m.oldestReader = 1;
  m.description = QStringLiteral("instruments, reference standards, calibrations, audit trail");
  m.statements = {
      QStringLiteral("CREATE TABLE schema_version (version INTEGER PRIMARY KEY, oldest_reader INTEGER NOT NULL, "
                     "description TEXT NOT NULL, applied_at TEXT NOT NULL, applied_by TEXT NOT NULL)"),
      QStringLiteral("CREATE TABLE instruments (id %KEY%, tag TEXT NOT NULL UNIQUE, description TEXT NOT NULL, "
                     "manufacturer TEXT NOT NULL, model TEXT NOT NULL, serial TEXT NOT NULL, location TEXT NOT NULL, "
                     "owner TEXT NOT NULL, interval_days INTEGER NOT NULL CHECK (interval_days > 0), "
                     "state TEXT NOT NULL CHECK (state IN ('in-service', 'out-of-service', 'retired')), "
                     "version INTEGER NOT NULL, changed_by TEXT NOT NULL, changed_at TEXT NOT NULL)"),
      QStringLiteral("CREATE TABLE reference_standards (id %KEY%, serial TEXT NOT NULL UNIQUE, "
                     "description TEXT NOT NULL, certificate_number TEXT NOT NULL, calibrated_on TEXT NOT NULL, "
                     "due_on TEXT NOT NULL)"),
      // What the lists show; the runs themselves (JSON) are a table of their
      // own, so that the lists read small rows.
      QStringLiteral("CREATE TABLE calibrations (id %KEY%, certificate_number TEXT NOT NULL, "
                     "revision INTEGER NOT NULL, supersedes BIGINT REFERENCES calibrations (id), "
                     "instrument_id BIGINT NOT NULL REFERENCES instruments (id), "
                     "standard_id BIGINT REFERENCES reference_standards (id), tag TEXT NOT NULL, "
                     "technician TEXT NOT NULL, started_at TEXT NOT NULL, finished_at TEXT NOT NULL, "
                     "as_found_verdict TEXT NOT NULL, as_left_verdict TEXT NOT NULL, "
                     "state TEXT NOT NULL CHECK (state IN ('draft', 'approved', 'superseded')), "
                     "changed_by TEXT NOT NULL, changed_at TEXT NOT NULL, reason TEXT NOT NULL, "
                     "UNIQUE (certificate_number, revision))"),
      QStringLiteral("CREATE TABLE calibration_runs (calibration_id BIGINT PRIMARY KEY REFERENCES calibrations (id), "
                     "payload TEXT NOT NULL)"),
      // The due list and the histories read each instrument's newest first.
      QStringLiteral("CREATE INDEX calibrations_by_instrument ON calibrations (instrument_id, finished_at, id)"),
      QStringLiteral("CREATE TABLE audit_log (id %KEY%, changed_at TEXT NOT NULL, technician TEXT NOT NULL, "
                     "os_user TEXT NOT NULL, action TEXT NOT NULL, entity TEXT NOT NULL, entity_id BIGINT NOT NULL, "
                     "before_json TEXT NOT NULL, after_json TEXT NOT NULL, reason TEXT NOT NULL, "
                     "prev_hash TEXT NOT NULL, hash TEXT NOT NULL)"),
  };
  // Certificate numbers count on for ever: a sequence on PostgreSQL, a
  // counter row (updated inside the saving transaction) on SQLite.
  m.sqliteOnly = {QStringLiteral("CREATE TABLE counters (name TEXT PRIMARY KEY, value INTEGER NOT NULL)"),
                  QStringLiteral("INSERT INTO counters (name, value) VALUES ('certificate', 0)")};
  m.postgresOnly = {QStringLiteral("CREATE SEQUENCE certificate_numbers START 1 NO CYCLE")};
  return m;
}

Migration AuditIndexAndImports() {
  Migration m;
  m.version = 2;
  m.oldestReader = 1;
  m.description = QStringLiteral("audit entries found by what they changed; the record files imported");
  // A record file is known by its tag and start time; its hash tells a file
  // changed since its import from one imported again.
  m.statements = {QStringLiteral("CREATE INDEX audit_by_entity ON audit_log (entity, entity_id)"),
                  QStringLiteral("CREATE TABLE imported_files (id %KEY%, tag TEXT NOT NULL, started_at TEXT NOT NULL, "
                                 "path TEXT NOT NULL, sha256 TEXT NOT NULL, calibration_id BIGINT NOT NULL "
                                 "REFERENCES calibrations (id), imported_at TEXT NOT NULL, UNIQUE (tag, started_at))")};
  return m;
}

Migration SpooledRuns() {
  Migration m;
  m.version = 3;
  m.oldestReader = 1;
  m.description = QStringLiteral("each bench's own name for a run, so that a run sent twice is stored once");
  m.statements = {QStringLiteral("ALTER TABLE calibrations ADD COLUMN origin TEXT"),
                  QStringLiteral("CREATE UNIQUE INDEX calibrations_by_origin ON calibrations (origin, revision)")};
  return m;
}

// Each instrument's newest calibration that is not superseded, kept in a
// table of its own by triggers on `calibrations`: the due list reads one small
// row per instrument instead of looking each one up among all calibrations.
// The triggers keep it right whichever program writes, also a bench one
// schema behind. Writers hold the write lock, so the refreshes never race.
// It holds no foreign keys: it is derived, rebuilt from `calibrations`, and
// must not stand in the way of a change to the rows it is made from.
QString RefreshLatest(const QString& instrument) {
  return QStringLiteral(
             "DELETE FROM latest_calibrations WHERE instrument_id = %1; "
             "INSERT INTO latest_calibrations (instrument_id, calibration_id, certificate_number, finished_at, "
             "as_found_verdict, as_left_verdict) SELECT n.instrument_id, n.id, n.certificate_number, n.finished_at, "
             "n.as_found_verdict, n.as_left_verdict FROM calibrations n WHERE n.instrument_id = %1 AND "
             "n.state <> 'superseded' ORDER BY n.finished_at DESC, n.id DESC LIMIT 1;")
      .arg(instrument);
}

Migration LatestCalibrations() {
  Migration m;
  m.version = 4;
  m.oldestReader = 1;
  m.description = QStringLiteral("each instrument's newest calibration, kept by triggers, for the due list");
  // SQLite keeps the rows in the order of an INTEGER key (the instrument's
  // id), next to each other as the due list reads them.
  const QString table = QStringLiteral(
      "CREATE TABLE latest_calibrations (instrument_id %1 PRIMARY KEY, calibration_id BIGINT NOT NULL, "
      "certificate_number TEXT NOT NULL, finished_at TEXT NOT NULL, as_found_verdict TEXT NOT NULL, "
      "as_left_verdict TEXT NOT NULL)");
  const QString fill = QStringLiteral(
      "INSERT INTO latest_calibrations (instrument_id, calibration_id, certificate_number, finished_at, "
      "as_found_verdict, as_left_verdict) SELECT c.instrument_id, c.id, c.certificate_number, c.finished_at, "
      "c.as_found_verdict, c.as_left_verdict FROM instruments i JOIN calibrations c ON c.id = (SELECT n.id FROM "
      "calibrations n WHERE n.instrument_id = i.id AND n.state <> 'superseded' ORDER BY n.finished_at DESC, n.id DESC "
      "LIMIT 1)");
  m.sqliteOnly = {
      table.arg(QLatin1String("INTEGER")), fill,
      QStringLiteral("CREATE TRIGGER latest_after_insert AFTER INSERT ON calibrations BEGIN %1 END")
          .arg(RefreshLatest(QStringLiteral("NEW.instrument_id"))),
      QStringLiteral("CREATE TRIGGER latest_after_update AFTER UPDATE ON calibrations BEGIN %1 %2 END")
          .arg(RefreshLatest(QStringLiteral("OLD.instrument_id")), RefreshLatest(QStringLiteral("NEW.instrument_id"))),
      QStringLiteral("CREATE TRIGGER latest_after_delete AFTER DELETE ON calibrations BEGIN %1 END")
          .arg(RefreshLatest(QStringLiteral("OLD.instrument_id")))};
  m.postgresOnly = {
      table.arg(QLatin1String("BIGINT")), fill,
      QStringLiteral("CREATE FUNCTION refresh_latest_calibration() RETURNS trigger LANGUAGE plpgsql AS $body$ BEGIN "
                     "IF TG_OP <> 'INSERT' THEN %1 END IF; IF TG_OP <> 'DELETE' THEN %2 END IF; RETURN NULL; END $body$")
          .arg(RefreshLatest(QStringLiteral("OLD.instrument_id")), RefreshLatest(QStringLiteral("NEW.instrument_id"))),
      QStringLiteral("CREATE TRIGGER latest_calibrations_kept AFTER INSERT OR UPDATE OR DELETE ON calibrations "
                     "FOR EACH ROW EXECUTE FUNCTION refresh_latest_calibration()")};
  return m;
}

// Each reference standard's accuracy from its own certificate: one row per
// function and range, in the order the lab entered them (the first that
// covers a reading is used). A standard without rows uses the documented
// default table. Only a table is added: every older program still reads and
// writes the database, and sees each standard at the defaults.
Migration StandardAccuracy() {
  Migration m;
  m.version = 5;
  m.oldestReader = 1;
  m.description = QStringLiteral("each reference standard's accuracy table from its own certificate");
  m.statements = {QStringLiteral(
      "CREATE TABLE standard_accuracy (standard_id BIGINT NOT NULL REFERENCES reference_standards (id), "
      "position INTEGER NOT NULL, function INTEGER NOT NULL, range_low DOUBLE PRECISION NOT NULL, "
      "range_high DOUBLE PRECISION NOT NULL, percent_of_reading DOUBLE PRECISION NOT NULL, "
      "floor DOUBLE PRECISION NOT NULL, PRIMARY KEY (standard_id, position))")};
  return m;
}

QString WithKey(QString sql, bool postgres) {
  return sql.replace(QLatin1String("%KEY%"), postgres ? QLatin1String("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                                                      : QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT"));
}

using Result = RecordsResult<int>;

// A SQLite file that is not one, or that SQLite finds damaged. Read only.
Result CheckSqliteFile(RecordsConnection& c) {
  const QString path = c.Location().path;
  QFile file(path);
  if (file.exists() && file.size() > 0) {
    if (!file.open(QIODevice::ReadOnly))
      return Result::Fail(RecordsError::NotRecords, QStringLiteral("Cannot read the records file %1.").arg(path));
    if (file.read(16) != QByteArray("SQLite format 3\0", 16))
      return Result::Fail(RecordsError::NotRecords,
                          QStringLiteral("%1 is not a Vorenx records database, or the file is damaged (it is not a "
                                         "SQLite database). It is left as it is.").arg(path));
  }
  QSqlQuery q(c.Database());
  QString error;
  if (!RunQuery(q, QStringLiteral("PRAGMA quick_check"), {}, &error) || !q.next() ||
      q.value(0).toString() != QLatin1String("ok"))
    return Result::Fail(RecordsError::NotRecords,
                        QStringLiteral("The records file %1 is damaged (%2). It is left as it is.")
                            .arg(path, error.isEmpty() ? q.value(0).toString() : error));
  return Result::Ok(0);
}

// The schema version of the database, 0 for an empty one; refuses one that
// is not ours or that `known` cannot use.
Result CurrentVersion(RecordsConnection& c, int known) {
  const QStringList tables = c.Database().tables(QSql::Tables);
  if (!tables.contains(QLatin1String("schema_version"))) {
    QStringList own = tables;
    own.removeAll(QLatin1String("sqlite_sequence"));
    if (own.isEmpty()) return Result::Ok(0);
    return Result::Fail(RecordsError::NotRecords,
                        QStringLiteral("%1 is not a Vorenx records database (it holds other tables: %2). It is left as it is.")
                            .arg(c.Describe(), own.mid(0, 5).join(QLatin1String(", "))));
  }
  QSqlQuery q(c.Database());
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT version, oldest_reader FROM schema_version ORDER BY version DESC LIMIT 1"),
                {}, &error, QStringLiteral("Cannot read the schema version of ") + c.Describe()))
    return Result::Fail(RecordsError::NotRecords, error);
  if (!q.next()) return Result::Ok(0);
  const int version = q.value(0).toInt();
  const int oldestReader = q.value(1).toInt();
  if (version > known && oldestReader > known)
    return Result::Fail(RecordsError::NewerSchema,
                        QStringLiteral("%1 was made by a newer Vorenx (records schema %2; this program knows schema %3 "
                                       "and the database needs at least %4). It is left as it is: update Vorenx on this bench.")
                            .arg(c.Describe()).arg(version).arg(known).arg(oldestReader));
  return Result::Ok(version);
}

Result SetSqliteOptions(RecordsConnection& c) {
  QSqlQuery q(c.Database());
  QString error;
  for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA foreign_keys=ON", "PRAGMA synchronous=FULL",
                            "PRAGMA mmap_size=268435456", "PRAGMA cache_size=-32768"})
    if (!RunQuery(q, QLatin1String(pragma), {}, &error, QStringLiteral("Cannot set up ") + c.Describe()))
      return Result::Fail(RecordsError::Database, error);
  return Result::Ok(0);
}

}  // namespace

const std::vector<Migration>& RecordsMigrations() {
  static const std::vector<Migration> migrations{FirstSchema(), AuditIndexAndImports(), SpooledRuns(),
                                                 LatestCalibrations(), StandardAccuracy()};
  return migrations;
}

RecordsResult<int> PrepareSchema(RecordsConnection& c, const std::vector<Migration>& migrations) {
  const int known = migrations.empty() ? 0 : migrations.back().version;
  if (!c.IsPostgres()) {
    if (Result checked = CheckSqliteFile(c); !checked.ok()) return checked;
  }
  Result found = CurrentVersion(c, known);
  if (!found.ok()) return found;
  if (!c.IsPostgres()) {
    if (Result set = SetSqliteOptions(c); !set.ok()) return set;
  }
  if (found.value >= known) return found;

  // Another bench may be migrating at the same moment: look again under the lock.
  WriteTransaction transaction(c);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  found = CurrentVersion(c, known);
  if (!found.ok() || found.value >= known) return found;
  QSqlQuery q(c.Database());
  for (const Migration& m : migrations) {
    if (m.version <= found.value) continue;
    std::vector<QString> all = m.statements;
    const std::vector<QString>& own = c.IsPostgres() ? m.postgresOnly : m.sqliteOnly;
    all.insert(all.end(), own.begin(), own.end());
    const QString doing = QStringLiteral("Cannot bring %1 to records schema %2").arg(c.Describe()).arg(m.version);
    for (const QString& sql : all)
      if (!RunQuery(q, WithKey(sql, c.IsPostgres()), {}, &error, doing)) return Result::Fail(RecordsError::Database, error);
    if (!RunQuery(q, QStringLiteral("INSERT INTO schema_version (version, oldest_reader, description, applied_at, applied_by) "
                                    "VALUES (?, ?, ?, ?, ?)"),
                  {m.version, m.oldestReader, m.description,
                   QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs),
                   QStringLiteral("Vorenx %1 (%2)").arg(VersionText(), SystemUserName())},
                  &error, doing))
      return Result::Fail(RecordsError::Database, error);
  }
  if (!transaction.Commit(&error)) return Result::Fail(RecordsError::Database, error);
  return Result::Ok(known);
}

}  // namespace vorenx
