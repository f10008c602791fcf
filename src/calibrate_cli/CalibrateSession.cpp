// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/CalibrateSession.h"

#include "calib/CalibrationMath.h"
#include "calibrate_cli/CalibrateOptions.h"
#include "calibrate_cli/PointLines.h"
#include "link/SettingCommand.h"

namespace vorenx::calibrate_cli {

CalibrateSession::CalibrateSession(InstrumentStation& station, RecordsKeeper& keeper, SessionPlan plan,
                                   PortProblem portProblem, QTextStream& out, QTextStream& err, SessionLimits limits,
                                   QObject* parent)
    : QObject(parent),
      m_station(station),
      m_keeper(keeper),
      m_plan(std::move(plan)),
      m_portProblem(std::move(portProblem)),
      m_out(out),
      m_err(err),
      m_limits(limits) {
  m_connectTimer.setSingleShot(true);
  m_reconnectTimer.setSingleShot(true);
  connect(&m_connectTimer, &QTimer::timeout, this, &CalibrateSession::OnConnectTimeout);
  connect(&m_reconnectTimer, &QTimer::timeout, this, &CalibrateSession::OnReconnectTimeout);
  connect(&m_station, &InstrumentStation::StatusTextChanged, this, &CalibrateSession::OnStatus);
}

CalibrateSession::~CalibrateSession() {
  // The run goes first: a run destroyed while it drives the instrument asks for the output off.
  m_run.reset();
  m_station.Stop();
}

void CalibrateSession::Say(const QString& line) {
  m_err << "vorenx-calibrate: " << line << '\n';
  m_err.flush();
}

void CalibrateSession::Start() {
  // The start-up probe replaces this with the port where it found the
  // calibrator (here only ever this one); without an answer, the port is
  // opened anyway and watched until the calibrator answers.
  m_station.Commands().PostCommand({CmdOpenPort, m_plan.port});
  m_station.Start();
  m_connectTimer.start(m_limits.connectMs);
  Say(QStringLiteral("waiting for the calibrator on %1").arg(m_plan.portText));
}

void CalibrateSession::OnStatus(const QString& text) {
  if (m_finished) return;
  const bool connected = text == QLatin1String("Connected");
  if (!m_everConnected) {
    if (connected) {
      m_everConnected = true;
      m_connectTimer.stop();
      Say(QStringLiteral("the calibrator answers on %1").arg(m_plan.portText));
      // Out of the station's report: the run's first requests come after it.
      QTimer::singleShot(0, this, &CalibrateSession::StartNextRun);
      return;
    }
    // A port that cannot be opened at all (no device, busy, no permission)
    // will not become a calibrator by waiting.
    if (const QString problem = m_portProblem ? m_portProblem() : QString(); !problem.isEmpty()) {
      Say(QStringLiteral("no calibrator: %1").arg(problem));
      // Out of the station's report: finishing stops its worker.
      QTimer::singleShot(0, this, [this] { Finish(kExitLostInstrument); });
    }
    return;
  }
  if (!connected) {
    if (!m_reconnectTimer.isActive()) {
      m_reconnectTimer.start(m_limits.reconnectMs);
      Say(QStringLiteral("the calibrator on %1 stopped answering; waiting up to %2 s for it")
              .arg(m_plan.portText)
              .arg(m_limits.reconnectMs / 1000));
    }
    return;
  }
  if (m_reconnectTimer.isActive()) {
    m_reconnectTimer.stop();
    Say(QStringLiteral("the calibrator answers again"));
  }
}

void CalibrateSession::OnConnectTimeout() {
  if (m_finished || m_everConnected) return;
  const QString problem = m_portProblem ? m_portProblem() : QString();
  Say(QStringLiteral("no calibrator answered on %1 within %2 s%3")
          .arg(m_plan.portText)
          .arg(m_limits.connectMs / 1000)
          .arg(problem.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(problem)));
  Finish(kExitLostInstrument);
}

void CalibrateSession::OnReconnectTimeout() {
  if (m_finished) return;
  const QString reason =
      QStringLiteral("The calibrator did not answer again within %1 s").arg(m_limits.reconnectMs / 1000);
  m_ending = kExitLostInstrument;
  if (m_run && !m_run->Ended()) {
    m_run->Abort(reason);  // ended() carries on in AfterRun
    return;
  }
  if (!m_run) {
    Say(reason);
    Finish(kExitLostInstrument);
  }
}

void CalibrateSession::Interrupt(const QString& reason) {
  if (m_finished || m_ending == kExitAborted) return;
  m_ending = kExitAborted;
  Say(QStringLiteral("%1: ending with the output off").arg(reason));
  if (m_run && !m_run->Ended()) {
    m_run->Abort(reason);
    return;
  }
  // Waiting for the calibrator, or between two runs: nothing is being sourced.
  if (!m_run) Finish(kExitAborted);
}

void CalibrateSession::StartNextRun() {
  if (m_finished || m_ending) return;
  const RunKind kind = m_plan.runs[m_nextRun];
  const CalibrationSetup& setup = m_plan.record.setup;
  if (m_nextRun == 0 && m_plan.overdueNote) {
    // Noted once the calibrator is there, just before the standard is used.
    QString error;
    LabRecords* records = m_keeper.Records(&error);
    const RecordsResult<ReferenceStandard> noted =
        records ? records->NoteOverdueStandard(m_plan.standardId, setup.tag, Actor{setup.technician, *m_plan.overdueNote})
                : RecordsResult<ReferenceStandard>::Fail(RecordsError::Connection, error);
    if (!noted.ok()) {
      Say(QStringLiteral("the use of the overdue standard cannot be recorded, so it is not used: %1").arg(noted.message));
      Finish(kExitRefused);
      return;
    }
  }
  QString why;
  m_run = m_station.CreateRun(setup, kind, &why);
  if (!m_run) {
    Say(QStringLiteral("the run cannot be started: %1").arg(why));
    Finish(kExitFailed);
    return;
  }
  ++m_nextRun;
  m_run->SetAccuracyTable(m_plan.record.standard ? m_plan.record.standard->accuracy : DefaultAccuracySpecs());
  CalibrationRun* run = m_run.get();
  connect(run, &CalibrationRun::stateChanged, this, &CalibrateSession::OnRunState);
  connect(run, &CalibrationRun::pointRecorded, this, &CalibrateSession::OnPoint);
  // Out of the run's own signal, so that the run can be dropped afterwards.
  connect(run, &CalibrationRun::ended, this, [this] { QTimer::singleShot(0, this, &CalibrateSession::AfterRun); });
  if (m_nextRun == 1) {
    m_out << PointHeaderLine() << '\n';
    m_out.flush();
  }
  Say(QStringLiteral("%1 run of %2").arg(RunKindText(kind), setup.tag));
  run->Start();
}

void CalibrateSession::OnRunState() {
  if (!m_run) return;
  // The run's words for a person at the dialog ("confirm to switch the
  // output on") do not apply: the session confirms itself.
  if (m_run->CurrentState() != CalibrationRun::State::AwaitingConfirmation && !m_run->CanResume())
    Say(m_run->StatusText());
  // Asked from the event loop, never inside the run's own signal.
  QTimer::singleShot(0, this, &CalibrateSession::ConfirmWhenReady);
}

void CalibrateSession::ConfirmWhenReady() {
  if (!m_run || m_ending || m_finished) return;
  const bool ready = m_run->CurrentState() == CalibrationRun::State::AwaitingConfirmation || m_run->CanResume();
  if (!ready) return;
  Say(QStringLiteral("switching the output on to source %1 to %2 into %3 (requested by this command)")
          .arg(FormatCalibrationNumber(m_plan.record.setup.inputLow), FormatCalibrationNumber(m_plan.record.setup.inputHigh),
               m_plan.record.setup.tag));
  m_run->ConfirmOutput();
}

void CalibrateSession::OnPoint(int index) {
  if (!m_run) return;
  PointResult point = m_run->Result().points.at(static_cast<std::size_t>(index));
  CompletePointVerdict(m_plan.record.setup, m_run->AccuracyTable(), point);
  m_out << PointLine(m_run->Result().kind, point) << '\n';
  m_out.flush();
}

RunResult CalibrateSession::CompletedResult() const {
  RunResult result = m_run->Result();
  CompleteRunVerdicts(m_plan.record.setup, m_run->AccuracyTable(), result);
  return result;
}

void CalibrateSession::AfterRun() {
  if (!m_run || m_finished) return;
  const RunResult result = CompletedResult();
  m_run.reset();
  m_lastResult = result;
  (result.kind == RunKind::AsFound ? m_plan.record.asFound : m_plan.record.asLeft) = result;
  if (!result.complete) Say(QStringLiteral("the %1 run ended early: %2").arg(RunKindText(result.kind), result.endReason));
  const bool last = m_ending || !result.complete || m_nextRun >= m_plan.runs.size();
  // The output-off the run asked for goes out before anything else is done.
  if (last) m_station.Stop();
  const bool kept = KeepRecord();
  if (!last) {
    StartNextRun();
    return;
  }
  if (m_ending) {
    Finish(*m_ending);
    return;
  }
  if (!result.complete) {
    Finish(kExitFailed);
    return;
  }
  Finish(kept && WriteFiles() ? kExitCompleted : kExitFailed);
}

bool CalibrateSession::KeepRecord() {
  const CalibrationSetup& setup = m_plan.record.setup;
  const RecordsResult<KeptWhere> kept = m_keeper.Keep(m_plan.record, m_plan.standardId, Actor{setup.technician, {}}, m_kept);
  if (!kept.ok()) {
    m_keptWhere.reset();
    Say(QStringLiteral("the calibration could not be saved: %1").arg(kept.message));
    return false;
  }
  m_keptWhere = kept.value;
  Say(kept.value == KeptWhere::Records ? QStringLiteral("saved as %1 (draft)").arg(m_kept.certificateNumber)
                                       : QStringLiteral("calibration %1").arg(SpooledText()));
  return true;
}

bool CalibrateSession::WriteFiles() {
  const CertificateFiles& files = m_plan.files;
  if (files.pdf.isEmpty() && files.dcc.isEmpty()) return true;
  if (m_keptWhere != KeptWhere::Records || m_kept.calibrationId == 0) {
    Say(QStringLiteral("the certificate files were not written: the calibration waits in the bench's spool for the "
                       "lab's records, which give it its number"));
    return false;
  }
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records || !WriteCertificateFiles(*records, m_kept.calibrationId, m_plan.settingsFile, files, &error)) {
    Say(QStringLiteral("the certificate files were not written: %1").arg(error));
    return false;
  }
  for (const QString& file : {files.pdf, files.dcc})
    if (!file.isEmpty()) Say(QStringLiteral("wrote %1").arg(file));
  return true;
}

void CalibrateSession::Finish(int exitCode) {
  if (m_finished) return;
  m_finished = true;
  m_connectTimer.stop();
  m_reconnectTimer.stop();
  m_station.Stop();
  if (m_lastResult) {
    // The one line a script reads: the certificate number (or where the
    // record is) and the verdict of the last run.
    const QString where = m_keptWhere == KeptWhere::Records ? m_kept.certificateNumber
                          : m_keptWhere == KeptWhere::Spool ? QStringLiteral("spooled")
                                                            : QStringLiteral("unsaved");
    m_out << where << ' ' << RunVerdictWord(*m_lastResult) << '\n';
    m_out.flush();
  }
  emit finished(exitCode);
}

}  // namespace vorenx::calibrate_cli
