// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One invocation's calibration, driven without a person: it starts the
// station, waits (a bounded time) for the calibrator to answer, runs the
// as-found and/or as-left through the station's engine, switches the output
// on as soon as a run is ready (the invocation is the user's request), prints
// each point as it is recorded, keeps the record in the lab's records after
// each run, and ends with the certificate files and one last line.
//
// It ends in order whatever happens: the output is requested off and the
// worker stopped (so the request is sent) before the record is kept, on
// completion, on a signal (Interrupt), when a run ends early and when the
// calibrator does not answer again in time.

#include <QObject>
#include <QString>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "calib/CalibrationRun.h"
#include "calibrate_cli/CalibrateOutputs.h"
#include "records/CalibrationRecord.h"
#include "records/RecordsKeeper.h"
#include "station/InstrumentStation.h"

namespace vorenx::calibrate_cli {

struct SessionPlan {
  CalibrationRecord record;  // setup, calibrator, standard (with its accuracy table) and environment
  qint64 standardId = 0;
  int port = 0;
  QString portText;                    // "COM4 (/dev/ttyUSB0)"
  std::optional<QString> overdueNote;  // the reason an overdue standard is used (noted before the first run)
  std::vector<RunKind> runs;           // in order
  CertificateFiles files;
  QString settingsFile;  // the lab's identity for the certificate files
};

// How long the session waits for the calibrator.
struct SessionLimits {
  int connectMs = 30000;    // to answer at the start
  int reconnectMs = 60000;  // to answer again after the link dropped
};

class CalibrateSession : public QObject {
  Q_OBJECT

 public:
  // Why the port could not be opened ("COM4 (/dev/ttyUSB9): no such device");
  // empty while nothing is known against it.
  using PortProblem = std::function<QString()>;

  CalibrateSession(InstrumentStation& station, RecordsKeeper& keeper, SessionPlan plan, PortProblem portProblem,
                   QTextStream& out, QTextStream& err, SessionLimits limits = {}, QObject* parent = nullptr);
  ~CalibrateSession() override;

  // Opens the port and starts the station; the rest follows from its reports.
  void Start();
  // Ends in order for `reason` (a signal): the run aborted with the output
  // off, its record kept incomplete, finished(kExitAborted).
  void Interrupt(const QString& reason);
  bool Finished() const { return m_finished; }

 signals:
  // Once, with the exit status.
  void finished(int exitCode);

 private:
  void OnStatus(const QString& text);
  void OnConnectTimeout();
  void OnReconnectTimeout();
  void StartNextRun();
  void OnRunState();
  void ConfirmWhenReady();
  void OnPoint(int index);
  void AfterRun();
  // Keeps the record as it stands; false (said on standard error) when it could not be.
  bool KeepRecord();
  // Writes the certificate files of the kept record; false (said) when one could not be.
  bool WriteFiles();
  void Finish(int exitCode);
  void Say(const QString& line);
  RunResult CompletedResult() const;

  InstrumentStation& m_station;
  RecordsKeeper& m_keeper;
  SessionPlan m_plan;
  PortProblem m_portProblem;
  QTextStream& m_out;
  QTextStream& m_err;
  SessionLimits m_limits;
  QTimer m_connectTimer;
  QTimer m_reconnectTimer;
  std::unique_ptr<CalibrationRun> m_run;
  std::size_t m_nextRun = 0;
  bool m_everConnected = false;
  bool m_finished = false;
  std::optional<int> m_ending;  // decided by Interrupt or by the lost link
  std::optional<RunResult> m_lastResult;
  KeptRun m_kept;
  std::optional<KeptWhere> m_keptWhere;  // none: never kept, or the last keep failed
};

}  // namespace vorenx::calibrate_cli
