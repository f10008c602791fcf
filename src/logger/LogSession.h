// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-logger's starting process: it finds the instruments (the ports
// named, or every port where one answers), checks that their journal
// folders can be written, starts one logging process per instrument (the
// communication library drives one port per process), prints their readings
// as they come in the chosen format, stops them all at the end of the
// duration or on a signal, and prints the summary: each instrument's readings,
// journal, statistics and how it ended (one lost instrument does not stop
// the others, and the summary names it).

#include <QObject>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "link/QelHardDll.h"
#include "logger/ChildLines.h"
#include "logger/LoggerOptions.h"

namespace vorenx::logger {

class LogSession : public QObject {
  Q_OBJECT

 public:
  struct Places {
    QString program;        // the program the logging processes run (this one)
    QString journalFolder;  // where journals go without --journal
  };

  LogSession(const LoggerOptions& options, Places places, QelHardDll& hard, QTextStream& out, QTextStream& err,
             QObject* parent = nullptr);
  ~LogSession() override;

  // The checks before anything is started: the alarm limits, the instruments
  // (--all searches), the journal folders. -1 when the session can start,
  // otherwise the exit status (the message is printed).
  int Prepare();
  // Starts the logging processes and the duration.
  void Start();
  // Ends every logging process in order, e.g. on a signal.
  void Stop(const QString& reason);

 signals:
  // After the summary: the program may exit with `code`.
  void Finished(int code);

 private:
  struct Instrument {
    PortAssignment port;
    QString journalFolder;
    std::unique_ptr<QProcess> process;
    QByteArray partial;  // a line not yet ended
    qint64 readings = 0;
    int gaps = 0;  // times it stopped answering
    QString journalFile;
    QStringList statistics;
    bool ended = false;
    ChildEnd end;
  };

  void Say(const QString& line);
  void StartOne(Instrument& instrument);
  void ReadLines(Instrument& instrument);
  void TakeLine(Instrument& instrument, const QByteArray& line);
  void OnFinished(Instrument& instrument, int exitCode, QProcess::ExitStatus status);
  // Closes each process's standard input: it ends in order.
  void StopProcesses();
  void ArmDuration();
  void FinishWhenAllEnded();
  int ExitCode() const;
  void PrintSummary();

  const LoggerOptions m_options;
  const Places m_places;
  QelHardDll& m_hard;
  QTextStream& m_out;
  QTextStream& m_err;
  std::vector<std::unique_ptr<Instrument>> m_instruments;
  QTimer m_duration;
  qint64 m_durationLeftMs = 0;
  QTimer m_stopBound;  // kills processes that do not end after being told to
  QString m_stopReason;
  bool m_stopping = false;
  bool m_finished = false;
};

}  // namespace vorenx::logger
