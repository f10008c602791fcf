// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/CalibrateTool.h"

#include <QEventLoop>

#include "calibrate_cli/CalibrateSession.h"
#include "link/OnePortLibrary.h"
#include "calibrate_cli/RunPlan.h"
#include "platform/Clock.h"
#include "platform/SignalCloser.h"
#include "records/CalibrationStore.h"
#include "records/RecordsKeeper.h"
#include "records/RecordsLocation.h"
#include "records/RecordsSpool.h"
#include "station/InstrumentStation.h"

namespace vorenx::calibrate_cli {

namespace {

int Refuse(QTextStream& err, int code, const QString& message) {
  err << "vorenx-calibrate: " << message << '\n';
  err.flush();
  return code;
}

QString PortText(QelHardDll& library, int port) {
  const QString path = library.PortPath(port);
  return path.isEmpty() ? QStringLiteral("COM%1").arg(port) : QStringLiteral("COM%1 (%2)").arg(port).arg(path);
}

}  // namespace

CalibratePlaces UserPlaces() {
  const CalibrationStore store(DefaultCalibrationsFolder(), DefaultSetupFile());
  return {store.SettingsFile(), DefaultSpoolPath(), QDate::currentDate()};
}

int RunCalibration(const CalibrateOptions& options, const CalibratePlaces& places, InstrumentAccess instrument,
                   QTextStream& out, QTextStream& err) {
  const int port = options.Port();
  OnePortLibrary library(instrument.library, port);
  InstrumentStation station(library, instrument.display, SystemTicks(), SystemClock());

  Refusal refusal;
  const std::optional<CalibrationSetup> setup = PrepareSetup(
      options, [&station](FunctionCode f, bool celsius, double& low, double& high) { station.LowerRange(f, celsius, low, high); },
      &refusal);
  if (!setup) return Refuse(err, refusal.exitCode, refusal.message);
  if (const QString problem = EnvironmentProblem(options.environment); !problem.isEmpty())
    return Refuse(err, kExitRefused, problem);

  // The records must answer now: the standard and its accuracy come from the register.
  QString why;
  const std::optional<RecordsLocation> location = ChooseRecordsLocation(options.records, places.settingsFile, &why);
  if (!location) return Refuse(err, kExitRefused, why);
  RecordsKeeper keeper(*location, places.spoolPath);
  LabRecords* records = keeper.Records(&why);
  if (!records)
    return Refuse(err, kExitRefused,
                  QStringLiteral("the lab's records cannot be opened, so the reference standard cannot be looked up: %1").arg(why));
  const RecordsResult<std::vector<ReferenceStandard>> standards = records->Standards();
  if (!standards.ok())
    return Refuse(err, kExitRefused, QStringLiteral("the reference standards cannot be read: %1").arg(standards.message));
  const StandardChoice choice = ChooseStandard(standards.value, options.standardSerial, options.overdueReason, places.today);
  if (!choice.standard) return Refuse(err, choice.refusal.exitCode, choice.refusal.message);
  const bool overdue = choice.standard->IsOverdue(places.today);

  SessionPlan plan;
  plan.record.setup = *setup;
  plan.record.calibrator = QStringLiteral("%1Vorenx calibrator on %2")
                               .arg(instrument.simulated ? QStringLiteral("Simulated ") : QString(), PortText(library, port));
  plan.record.standard = UsedStandard(*choice.standard, overdue ? *options.overdueReason : QString());
  plan.record.environment = options.environment;
  plan.standardId = choice.standard->id;
  plan.port = port;
  plan.portText = PortText(library, port);
  if (overdue) plan.overdueNote = options.overdueReason;
  plan.runs = options.runs;
  plan.files = {options.pdfFile, options.dccFile};
  plan.settingsFile = places.settingsFile;

  CalibrateSession session(station, keeper, std::move(plan),
                           [&instrument, port] { return instrument.portProblem ? instrument.portProblem(port) : QString(); },
                           out, err);
  const SignalCloser closer([&session](int signal) {
    session.Interrupt(QStringLiteral("The program was told to end (%1)").arg(SignalName(signal)));
  });
  int exitCode = kExitFailed;
  QEventLoop loop;
  QObject::connect(&session, &CalibrateSession::finished, &loop, [&](int code) {
    exitCode = code;
    loop.quit();
  });
  session.Start();
  if (!session.Finished()) loop.exec();
  return exitCode;
}

}  // namespace vorenx::calibrate_cli
