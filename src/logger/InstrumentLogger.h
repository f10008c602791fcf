// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One logging process's work: a view of one instrument's station that tells
// the process that started it (ChildLines) of every reading, connection
// change and its end, and says on standard error what happens to its
// instrument. It ends in order (worker stopped, journal synced, last line
// written) once it has its count of readings, when told to stop (a signal,
// or its standard input closing because the starting process is done or
// gone), or when its instrument never answered or stayed silent for longer
// than --give-up seconds.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>

#include "logger/ChildLines.h"
#include "logger/LoggerOptions.h"
#include "station/InstrumentStation.h"

namespace vorenx::logger {

class InstrumentLogger : public QObject {
  Q_OBJECT

 public:
  struct Outlets {
    std::function<void(const QByteArray&)> line;  // a line for the starting process (stdout)
    std::function<void(const QString&)> say;      // a message for the user (stderr)
    std::function<QString(int)> portProblem;      // why a port cannot be opened; empty when it can
  };

  // `options` are a logging process's own (childPort and its one --port set).
  InstrumentLogger(InstrumentStation& station, const LoggerOptions& options, Outlets outlets,
                   QObject* parent = nullptr);
  ~InstrumentLogger() override;

  // Opens the journal, the port and starts the station's worker.
  void Start();
  // Ends in order with `reason` and exit status 0 (unless an end is already under way).
  void Stop(const QString& reason);
  bool Ended() const { return m_ended; }
  int ExitCode() const { return m_end.code; }

 signals:
  // After the last line: the process may exit with `code`.
  void Finished(int code);

 private:
  void OnStatus(const QString& text);
  void OnReading(const JournalReading& reading);
  // Writes the reading that waits for its alarm changes (they come right after it).
  void SendPending();
  void Finish(int code, const QString& reason);
  void Say(const QString& text);

  InstrumentStation& m_station;
  const LoggerOptions m_options;
  const PortAssignment m_port;
  Outlets m_outlets;
  QTimer m_giveUp;
  bool m_everConnected = false;
  bool m_connected = false;
  bool m_finishing = false;
  bool m_ended = false;
  qint64 m_readings = 0;
  bool m_havePending = false;
  JournalReading m_pending;
  ChildEnd m_end;
};

}  // namespace vorenx::logger
