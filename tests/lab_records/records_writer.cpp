// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A bench saving calibrations as fast as it can, for the tests of several
// benches at once: records_writer LOCATION TAG COUNT. Prints each certificate
// number it was given, one per line; exits 1 at the first failure.
#include <QCoreApplication>
#include <QTextStream>
#include <QTimeZone>

#include "records/SqlLabRecords.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  using namespace vorenx;
  const QStringList args = app.arguments();
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (args.size() != 4) {
    err << "usage: records_writer LOCATION TAG COUNT\n";
    return 64;
  }
  const std::optional<RecordsLocation> location = ParseRecordsLocation(args[1]);
  RecordsResult<std::unique_ptr<LabRecords>> opened = location ? OpenLabRecords(*location) : decltype(OpenLabRecords({})){};
  if (!opened.ok()) {
    err << "cannot open: " << opened.message << "\n";
    return 1;
  }
  LabRecords& records = *opened.value;
  const Actor bench{args[2], {}};
  const qint64 standard = records.Standards().value.empty() ? 0 : records.Standards().value.front().id;
  CalibrationRecord record;
  record.setup.tag = args[2];
  RunResult run;
  run.complete = true;
  const QDateTime start(QDate(2026, 1, 1), QTime(8, 0), QTimeZone::utc());
  for (int i = 0; i < args[3].toInt(); ++i) {
    run.started = start.addSecs(i);
    run.finished = run.started.addSecs(1);
    record.asFound = run;
    RecordsResult<CalibrationSummary> saved = records.SaveCalibration(record, standard, bench);
    if (!saved.ok()) {
      err << "save " << i << ": " << saved.message << "\n";
      return 1;
    }
    out << saved.value.certificateNumber << "\n";
  }
  return 0;
}
