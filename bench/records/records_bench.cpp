// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The lab records on a register of 10,000 instruments and 100,000
// calibrations (ten each), on SQLite and, when the program runs under
// scripts/with-postgres.sh, on PostgreSQL: the due list, one instrument's
// history and saving a calibration. Beside the due list, what a Qt developer
// would reach for instead: a QSqlQueryModel over the same query, every row
// fetched.
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

#include "records/SqlLabRecords.h"

namespace vorenx {
namespace {

using Engine = RecordsLocation::Engine;
constexpr int kInstruments = 10000;
constexpr int kPerInstrument = 10;

CalibrationRecord SampleRecord(const QString& tag, const QDateTime& started) {
  CalibrationRecord r;
  r.setup.tag = tag;
  r.setup.technician = QStringLiteral("Bench");
  r.calibrator = QStringLiteral("calibrator on /dev/ttyUSB0");
  RunResult run;
  run.started = started;
  run.finished = started.addSecs(900);
  run.complete = true;
  for (double percent : {0.0, 25.0, 50.0, 75.0, 100.0}) {
    PointResult p;
    p.percent = percent;
    p.applied = percent;
    p.expected = 4.0 + percent * 0.16;
    p.measured = p.expected + 0.001;
    p.errorPercent = 0.00625;
    p.pass = p.settled = true;
    p.readings = 4;
    p.time = started.addSecs(int(percent) * 6);
    run.points.push_back(p);
  }
  r.asFound = run;
  r.asLeft = run;
  r.asLeft->kind = RunKind::AsLeft;
  return r;
}

// One filled register per engine, made once for the whole program.
struct Register {
  QTemporaryDir dir;
  RecordsLocation location;
  std::unique_ptr<LabRecords> records;
  qint64 standardId = 0;
  QString error;
};

bool Fill(Register& reg) {
  RecordsResult<std::unique_ptr<LabRecords>> opened = OpenLabRecords(reg.location);
  if (!opened.ok()) return reg.error = opened.message, false;
  reg.records = std::move(opened.value);
  reg.standardId = reg.records->AddStandard({0, "CAL-1", "Process calibrator", "DKD-4711", QDate(2026, 1, 10),
                                             QDate(2027, 1, 10), {}}, {}).value.id;
  // The rows go in through a connection of the bench's own, in one
  // transaction: saving 100,000 through the store one by one would take the
  // fill longer than every measurement together.
  QSqlDatabase db = QSqlDatabase::addDatabase(reg.location.engine == Engine::Sqlite ? "QSQLITE" : "QPSQL", "bench-fill");
  db.setDatabaseName(reg.location.engine == Engine::Sqlite ? reg.location.path : reg.location.database);
  db.setHostName(reg.location.host);
  db.setPort(reg.location.port);
  db.setUserName(reg.location.user);
  if (!db.open()) return reg.error = db.lastError().text(), false;
  {
    db.transaction();
    QSqlQuery instrument(db), calibration(db), runs(db);
    instrument.prepare("INSERT INTO instruments (tag, description, manufacturer, model, serial, location, owner, "
                       "interval_days, state, version, changed_by, changed_at) VALUES (?, 'Transmitter', 'Acme', 'TX-4', "
                       "?, 'Hall 2', 'Plant A', ?, 'in-service', 1, 'bench', '2026-01-01T00:00:00.000Z') RETURNING id");
    calibration.prepare("INSERT INTO calibrations (certificate_number, revision, instrument_id, standard_id, tag, technician, "
                        "started_at, finished_at, as_found_verdict, as_left_verdict, state, changed_by, changed_at, reason) "
                        "VALUES (?, 1, ?, ?, ?, 'Bench', ?, ?, 'pass', 'pass', 'approved', 'bench', ?, '') RETURNING id");
    runs.prepare("INSERT INTO calibration_runs (calibration_id, payload) VALUES (?, ?)");
    const QDateTime base(QDate(2020, 1, 1), QTime(8, 0), QTimeZone::utc());
    const QString payload = QString::fromUtf8(RecordToJson(SampleRecord("TAG", base)));
    int number = 0;
    for (int i = 0; i < kInstruments; ++i) {
      const QString tag = QStringLiteral("TT-%1").arg(i, 5, 10, QLatin1Char('0'));
      instrument.addBindValue(tag);
      instrument.addBindValue(QStringLiteral("SN-%1").arg(i));
      instrument.addBindValue(180 + i % 365);
      if (!instrument.exec() || !instrument.next()) return reg.error = instrument.lastError().text(), false;
      const qint64 id = instrument.value(0).toLongLong();
      instrument.finish();
      for (int k = 0; k < kPerInstrument; ++k) {
        const QString when = base.addDays(k * 180 + i % 97).toString(Qt::ISODateWithMs);
        calibration.addBindValue(QStringLiteral("VX-2025-B%1").arg(++number, 6, 10, QLatin1Char('0')));
        calibration.addBindValue(id);
        calibration.addBindValue(reg.standardId);
        calibration.addBindValue(tag);
        calibration.addBindValue(when);
        calibration.addBindValue(when);
        calibration.addBindValue(when);
        if (!calibration.exec() || !calibration.next()) return reg.error = calibration.lastError().text(), false;
        runs.addBindValue(calibration.value(0).toLongLong());
        calibration.finish();
        runs.addBindValue(payload);
        if (!runs.exec()) return reg.error = runs.lastError().text(), false;
      }
    }
    if (!db.commit()) return reg.error = db.lastError().text(), false;
    // A bench's file as it is after a day's work: statistics taken, the
    // write-ahead log folded into the file.
    QSqlQuery(db).exec(reg.location.engine == Engine::Sqlite ? "ANALYZE" : "VACUUM ANALYZE");
    if (reg.location.engine == Engine::Sqlite) QSqlQuery(db).exec("PRAGMA wal_checkpoint(TRUNCATE)");
  }
  db.close();
  db = QSqlDatabase();
  QSqlDatabase::removeDatabase("bench-fill");
  return true;
}

Register* RegisterFor(Engine engine) {
  // Never destroyed: its connections would outlive the application object.
  static auto* registers = new std::map<Engine, std::unique_ptr<Register>>;
  std::unique_ptr<Register>& reg = (*registers)[engine];
  if (reg) return reg->records ? reg.get() : nullptr;
  reg = std::make_unique<Register>();
  if (engine == Engine::Sqlite) {
    // VORENX_BENCH_RECORDS_DIR keeps the file for a look with sqlite3 afterwards.
    const QString kept = qEnvironmentVariable("VORENX_BENCH_RECORDS_DIR");
    reg->location.path = kept.isEmpty() ? reg->dir.filePath("records.sqlite") : QDir(kept).filePath("records.sqlite");
  } else {
    const std::optional<RecordsLocation> server = ParseRecordsLocation(qEnvironmentVariable("VORENX_TEST_POSTGRES"));
    if (!server) return nullptr;
    reg->location = *server;
  }
  if (!Fill(*reg)) {
    std::fprintf(stderr, "cannot fill the register: %s\n", qPrintable(reg->error));
    reg->records.reset();
    return nullptr;
  }
  return reg.get();
}

#define VORENX_REGISTER_OR_SKIP(state, engine)                                                     \
  Register* reg = RegisterFor(engine);                                                            \
  if (!reg) {                                                                                     \
    state.SkipWithError(engine == Engine::Sqlite ? "cannot fill the register"                     \
                                                 : "no PostgreSQL: run under scripts/with-postgres.sh"); \
    return;                                                                                       \
  }

void BM_DueList(benchmark::State& state, Engine engine) {
  VORENX_REGISTER_OR_SKIP(state, engine)
  size_t rows = 0;
  for (auto _ : state) {
    RecordsResult<std::vector<DueEntry>> due = reg->records->DueList({QDate(2026, 12, 9), false, {}});
    rows = due.value.size();
    benchmark::DoNotOptimize(due);
  }
  state.counters["rows"] = double(rows);
}

// The same rows through a QSqlQueryModel, every row fetched: the due dates
// and the order are left to the view, as a model over a plain query would.
void BM_DueListQueryModel(benchmark::State& state, Engine engine) {
  VORENX_REGISTER_OR_SKIP(state, engine)
  QSqlDatabase db = QSqlDatabase::addDatabase(engine == Engine::Sqlite ? "QSQLITE" : "QPSQL", "bench-model");
  db.setDatabaseName(engine == Engine::Sqlite ? reg->location.path : reg->location.database);
  db.setHostName(reg->location.host);
  db.setPort(reg->location.port);
  db.setUserName(reg->location.user);
  db.open();
  int rows = 0;
  for (auto _ : state) {
    QSqlQueryModel model;
    QSqlQuery q(db);
    // The store's own query (records_sql's columns), so that the two differ
    // only in what is done with the rows.
    q.prepare(records_sql::kDueListQuery);
    q.exec();
    model.setQuery(std::move(q));
    while (model.canFetchMore()) model.fetchMore();
    rows = model.rowCount();
    for (int r = 0; r < rows; ++r) benchmark::DoNotOptimize(model.data(model.index(r, 7)));
  }
  state.counters["rows"] = rows;
  db.close();
  db = QSqlDatabase();
  QSqlDatabase::removeDatabase("bench-model");
}

void BM_History(benchmark::State& state, Engine engine) {
  VORENX_REGISTER_OR_SKIP(state, engine)
  int i = 0;
  for (auto _ : state) {
    const QString tag = QStringLiteral("TT-%1").arg((i++ * 7919) % kInstruments, 5, 10, QLatin1Char('0'));
    RecordsResult<std::vector<CalibrationSummary>> history = reg->records->History(tag);
    if (history.value.size() != size_t(kPerInstrument)) state.SkipWithError("a history is short");
    benchmark::DoNotOptimize(history);
  }
}

void BM_SaveCalibration(benchmark::State& state, Engine engine) {
  VORENX_REGISTER_OR_SKIP(state, engine)
  const QDateTime start(QDate(2026, 12, 1), QTime(8, 0), QTimeZone::utc());
  int i = 0;
  for (auto _ : state) {
    const QString tag = QStringLiteral("TT-%1").arg(i % kInstruments, 5, 10, QLatin1Char('0'));
    RecordsResult<CalibrationSummary> saved =
        reg->records->SaveCalibration(SampleRecord(tag, start.addSecs(i++)), reg->standardId, {QStringLiteral("Bench"), {}});
    if (!saved.ok()) state.SkipWithError(qPrintable(saved.message));
  }
}

BENCHMARK_CAPTURE(BM_DueList, sqlite, Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DueListQueryModel, sqlite, Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, sqlite, Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveCalibration, sqlite, Engine::Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DueList, postgres, Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DueListQueryModel, postgres, Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, postgres, Engine::Postgres)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveCalibration, postgres, Engine::Postgres)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorenx
