// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Shared by the records store's tests: a fresh, empty records database on
// each engine (a SQLite file in a temporary folder, or the throw-away
// PostgreSQL server the test script starts and names in
// VORENX_TEST_POSTGRES, emptied for each test), and small records to store.

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "../calib/CalibTestSupport.h"
#include "records/LabRecords.h"
#include "records/RecordsLocation.h"
#include "records/SqlLabRecords.h"

namespace vorenx::testing {

using Engine = RecordsLocation::Engine;

inline std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
  return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// A connection of the test's own, beside the store's: what a person with
// the database's own tools can do behind the program's back.
class RawSql {
 public:
  explicit RawSql(const RecordsLocation& location) : m_name(QStringLiteral("raw-%1").arg(++s_count)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(location.engine == Engine::Sqlite ? "QSQLITE" : "QPSQL", m_name);
    db.setDatabaseName(location.engine == Engine::Sqlite ? location.path : location.database);
    db.setHostName(location.host);
    db.setPort(location.port);
    db.setUserName(location.user);
    m_ok = db.open();
  }
  ~RawSql() {
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
  }
  bool ok() const { return m_ok; }
  // Runs `sql`; returns the first column of the first row (or "ok"), or the error.
  QString Run(const QString& sql, const QVariantList& values = {}) {
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    bool done = values.isEmpty() ? q.exec(sql) : q.prepare(sql);
    if (done && !values.isEmpty()) {
      for (const QVariant& v : values) q.addBindValue(v);
      done = q.exec();
    }
    if (!done) return QStringLiteral("error: ") + q.lastError().text();
    return q.next() ? q.value(0).toString() : QStringLiteral("ok");
  }

 private:
  static inline int s_count = 0;
  QString m_name;
  bool m_ok = false;
};

// The database of one test, empty at its start.
class RecordsTestBase : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == Engine::Sqlite) {
      ASSERT_TRUE(m_dir.isValid());
      location.path = m_dir.filePath(QStringLiteral("records.sqlite"));
      for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(location.path + QLatin1String(suffix));
      return;
    }
    const QString url = qEnvironmentVariable("VORENX_TEST_POSTGRES");
    if (url.isEmpty()) {
      // The test script always starts a server; a plain run without one skips.
      if (qEnvironmentVariableIsSet("VORENX_REQUIRE_POSTGRES")) FAIL() << "VORENX_TEST_POSTGRES is not set";
      GTEST_SKIP() << "no PostgreSQL server: run under scripts/with-postgres.sh";
    }
    QString error;
    const std::optional<RecordsLocation> parsed = ParseRecordsLocation(url, &error);
    ASSERT_TRUE(parsed) << error.toStdString();
    location = *parsed;
    RawSql raw(location);
    ASSERT_TRUE(raw.ok());
    ASSERT_EQ(raw.Run("SET client_min_messages TO warning"), "ok");
    ASSERT_EQ(raw.Run("DROP SCHEMA public CASCADE"), "ok");
    ASSERT_EQ(raw.Run("CREATE SCHEMA public"), "ok");
  }

  std::unique_ptr<LabRecords> Open(const std::vector<Migration>* migrations = nullptr) {
    RecordsResult<std::unique_ptr<LabRecords>> opened = OpenLabRecords(location, {migrations});
    EXPECT_TRUE(opened.ok()) << opened.message.toStdString();
    return std::move(opened.value);
  }

  // The audit check, which must answer.
  ChainReport Verify(LabRecords& records) {
    RecordsResult<ChainReport> report = records.VerifyAudit();
    EXPECT_TRUE(report.ok()) << report.message.toStdString();
    return report.value;
  }

  RecordsLocation location;

 private:
  QTemporaryDir m_dir;
};

inline Instrument Transmitter(const QString& tag, int intervalDays = 365) {
  Instrument i;
  i.tag = tag;
  i.description = QStringLiteral("Reactor inlet temperature");
  i.manufacturer = QStringLiteral("Acme");
  i.model = QStringLiteral("TX-4");
  i.serial = QStringLiteral("SN-") + tag;
  i.location = QStringLiteral("Hall 2");
  i.owner = QStringLiteral("Plant A");
  i.intervalDays = intervalDays;
  return i;
}

inline ReferenceStandard Calibrator(const QString& serial = QStringLiteral("CAL-1")) {
  return {0, serial, QStringLiteral("Process calibrator"), QStringLiteral("DKD-4711"), QDate(2026, 1, 10),
          QDate(2027, 1, 10), {}};
}

// A finished as-found run of `tag` started at `started` (UTC), passing or not.
inline CalibrationRecord RecordOf(const QString& tag, const QDateTime& started, bool pass = true) {
  CalibrationRecord r;
  r.setup = RtdTransmitter();
  r.setup.tag = tag;
  r.calibrator = QStringLiteral("calibrator on /dev/ttyUSB0");
  RunResult run;
  run.started = started;
  run.finished = started.addSecs(600);
  run.complete = true;
  for (double percent : r.setup.pointsPercent) {
    const double expected = ExpectedOutput(r.setup, InputAt(r.setup, percent));
    run.points.push_back(Measured(r.setup, percent, expected + (pass ? 0.0 : 1.0)));
  }
  r.asFound = run;
  return r;
}

inline QDateTime Utc(int year, int month, int day, int hour = 9) {
  return QDateTime(QDate(year, month, day), QTime(hour, 0), QTimeZone::utc());
}

}  // namespace vorenx::testing
