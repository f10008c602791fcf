// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-logger run as a user runs it, against simulated instruments behind
// pseudo-terminals that this test process owns: the run's standard output is
// gathered line by line and its standard error as a whole, and every wait is
// for something the program says, bounded only against a hang.
#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "SimulatedInstrument.h"

namespace vorenx::testing {

#ifdef VORENX_LOGGER_PATH
inline constexpr const char* kLogger = VORENX_LOGGER_PATH;
#else
inline constexpr const char* kLogger = nullptr;
#endif

inline constexpr int kHangMs = 60000;  // a bound for a hang, not a timing

class LoggerRun {
 public:
  explicit LoggerRun(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    m_process.setProcessEnvironment(env);
    m_process.start(QString::fromUtf8(kLogger), args);
  }
  ~LoggerRun() {
    if (m_process.state() != QProcess::NotRunning) {
      m_process.kill();
      m_process.waitForFinished(kHangMs);
    }
  }

  // Serves the events until `done` holds or the program ends; false if
  // neither came. Output on either stream wakes it.
  bool Until(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(kHangMs);
    QTimer wake;  // only so that the deadline is looked at
    wake.start(500);
    for (;;) {
      Take();
      if (done()) return true;
      if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  // Lines printed that contain `text`.
  int Count(const QString& text) const { return static_cast<int>(m_lines.filter(text).size()); }
  bool UntilLines(const QString& text, int n) {
    return Until([&] { return Count(text) >= n; });
  }
  bool UntilError(const QByteArray& text) {
    return Until([&] { return m_err.contains(text); });
  }
  // Waits for the end; the exit status, or -1 after a hang or a crash.
  int Finish() {
    if (!m_process.waitForFinished(kHangMs)) return -1;
    Take();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
  }
  qint64 Pid() const { return m_process.processId(); }
  const QStringList& Lines() const { return m_lines; }
  QString Err() const { return QString::fromUtf8(m_err); }

 private:
  void Take() {
    m_out += m_process.readAllStandardOutput();
    m_err += m_process.readAllStandardError();
    qsizetype end = 0;
    while ((end = m_out.indexOf('\n')) >= 0) {
      m_lines << QString::fromUtf8(m_out.left(end));
      m_out.remove(0, end + 1);
    }
  }

  QProcess m_process;
  QByteArray m_out;
  QByteArray m_err;
  QStringList m_lines;
};

// A simulated instrument whose device path is a link named like an adapter's,
// so that it can be unplugged (terminal closed, link removed) and plugged in again.
class PluggableInstrument {
 public:
  explicit PluggableInstrument(const QString& device) : m_device(device) {}
  ~PluggableInstrument() { Unplug(); }
  bool PlugIn() {
    const QString pty = m_simulator.Start();
    return !pty.isEmpty() && QFile::link(pty, m_device);
  }
  void Unplug() {
    m_simulator.Stop();
    QFile::remove(m_device);
  }
  QString Device() const { return m_device; }
  sim::SimulatedInstrument& Simulator() { return m_simulator; }

 private:
  QString m_device;
  sim::SimulatedInstrument m_simulator;
};

// The readings of a journal file: its lines that are neither the header nor comments.
inline QStringList JournalReadings(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(file.readAll());
  QStringList readings;
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  for (qsizetype i = 1; i < lines.size(); ++i)
    if (!lines[i].isEmpty() && !lines[i].startsWith(QLatin1Char('#'))) readings << lines[i];
  return readings;
}

// The one journal file in `folder` (empty when there is not exactly one).
inline QString OnlyJournal(const QString& folder) {
  const QStringList files = QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files);
  return files.size() == 1 ? QDir(folder).filePath(files.front()) : QString();
}

}  // namespace vorenx::testing
