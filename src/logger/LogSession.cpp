// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "logger/LogSession.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

#include "logger/LoggerWatch.h"
#include "logger/OutputLines.h"

namespace vorenx::logger {

namespace {

// How long a logging process has to end in order once told to; it needs
// well under a second (its worker's cycle and a journal sync).
constexpr int kStopBoundMs = 30000;
// A timer's longest single wait; a longer duration is waited for in steps.
constexpr qint64 kLongestWaitMs = 86400000;

// Why `folder` cannot take a journal; empty when it can.
QString FolderProblem(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    // The nearest part of the path that exists says why.
    QFileInfo part(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    while (!part.exists() && part.absoluteFilePath() != part.absolutePath()) part = QFileInfo(part.absolutePath());
    if (!part.isDir()) return QStringLiteral("%1 is not a folder").arg(part.absoluteFilePath());
    return QStringLiteral("no permission to create a folder in %1").arg(part.absoluteFilePath());
  }
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".vorenx-logger-XXXXXX")));
  if (!probe.open()) return probe.errorString();
  return QString();
}

QString Label(const PortAssignment& port) { return QStringLiteral("%1 (%2)").arg(PortName(port.port), port.path); }

}  // namespace

LogSession::LogSession(const LoggerOptions& options, Places places, QelHardDll& hard, QTextStream& out,
                       QTextStream& err, QObject* parent)
    : QObject(parent), m_options(options), m_places(std::move(places)), m_hard(hard), m_out(out), m_err(err) {
  m_duration.setSingleShot(true);
  m_duration.setTimerType(Qt::PreciseTimer);
  connect(&m_duration, &QTimer::timeout, this, &LogSession::ArmDuration);
  m_stopBound.setSingleShot(true);
  connect(&m_stopBound, &QTimer::timeout, this, [this] {
    for (auto& i : m_instruments)
      if (!i->ended) {
        Say(QStringLiteral("%1 did not end within %2 s: stopped").arg(Label(i->port)).arg(kStopBoundMs / 1000));
        i->process->kill();
      }
  });
}

LogSession::~LogSession() {
  // A session destroyed early (an exception, a test) leaves no process behind.
  for (auto& i : m_instruments)
    if (i->process && i->process->state() != QProcess::NotRunning) {
      i->process->closeWriteChannel();
      if (!i->process->waitForFinished(kStopBoundMs)) i->process->kill();
      i->process->waitForFinished(kStopBoundMs);
    }
}

void LogSession::Say(const QString& line) {
  m_err << "vorenx-logger: " << line << '\n';
  m_err.flush();
}

int LogSession::Prepare() {
  if (const QString problem = LimitsProblem(m_options); !problem.isEmpty()) {
    m_err << UsageErrorLine(QStringLiteral("vorenx-logger"), problem) << '\n';
    m_err.flush();
    return kExitUsage;
  }
  std::vector<PortAssignment> ports = m_options.ports;
  if (m_options.all) {
    for (int port = 0; port < kPortCount; ++port)
      if (m_hard.QelIsDevConnect(port) != 0) {
        ports.push_back({port, m_hard.PortPath(port)});
        Say(QStringLiteral("%1: an instrument answers").arg(Label(ports.back())));
      }
    if (ports.empty()) {
      Say(QStringLiteral("no instrument answers on any port from 0 to %1").arg(kLastPort));
      return kExitNoInstrument;
    }
  }
  const QString base = m_options.journalFolder.isEmpty() ? m_places.journalFolder : m_options.journalFolder;
  for (const PortAssignment& port : ports) {
    auto instrument = std::make_unique<Instrument>();
    instrument->port = port;
    if (!m_options.noJournal) {
      // One folder per port: two instruments never share a journal, and each
      // instrument's runs are found together.
      instrument->journalFolder = QDir(base).filePath(PortName(port.port));
      if (const QString problem = FolderProblem(instrument->journalFolder); !problem.isEmpty()) {
        Say(QStringLiteral("the journal folder %1 cannot be written: %2").arg(instrument->journalFolder, problem));
        return kExitUsage;
      }
    }
    m_instruments.push_back(std::move(instrument));
  }
  return -1;
}

void LogSession::Start() {
  if (!m_options.quiet) {
    m_out << OutputHeader(m_options.format);
    m_out.flush();
  }
  for (auto& i : m_instruments) StartOne(*i);
  if (m_options.durationMs) {
    m_durationLeftMs = *m_options.durationMs;
    ArmDuration();
  }
}

void LogSession::ArmDuration() {
  if (m_durationLeftMs <= 0) {
    Stop(QStringLiteral("the duration has passed"));
    return;
  }
  const qint64 step = std::min(m_durationLeftMs, kLongestWaitMs);
  m_durationLeftMs -= step;
  m_duration.start(static_cast<int>(step));
}

void LogSession::StartOne(Instrument& i) {
  i.process = std::make_unique<QProcess>();
  QProcess& p = *i.process;
  p.setProgram(m_places.program);
  p.setArguments(ChildArguments(m_options, i.port, i.journalFolder));
  // Its messages name its port and go straight to the user.
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  connect(&p, &QProcess::readyReadStandardOutput, this, [this, &i] { ReadLines(i); });
  connect(&p, &QProcess::finished, this,
          [this, &i](int code, QProcess::ExitStatus status) { OnFinished(i, code, status); });
  connect(&p, &QProcess::errorOccurred, this, [this, &i](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || i.ended) return;
    i.ended = true;
    i.end = {kExitFailed, 0, -1, QStringLiteral("the logging process could not start: ") + i.process->errorString()};
    FinishWhenAllEnded();
  });
  p.start();
}

void LogSession::ReadLines(Instrument& i) {
  i.partial += i.process->readAllStandardOutput();
  qsizetype start = 0;
  for (qsizetype end = i.partial.indexOf('\n'); end >= 0; end = i.partial.indexOf('\n', start)) {
    TakeLine(i, i.partial.mid(start, end - start));
    start = end + 1;
  }
  i.partial.remove(0, start);
}

void LogSession::TakeLine(Instrument& i, const QByteArray& text) {
  const ChildLine line = DecodeChildLine(text);
  switch (line.kind) {
    case ChildLine::Kind::Reading:
      ++i.readings;
      if (!m_options.quiet) {
        m_out << OutputLine(m_options.format, i.port.port, line.reading, line.reading.alarms);
        m_out.flush();
      }
      break;
    case ChildLine::Kind::Status:
      if (line.text == QLatin1String("DisConnected") && i.readings > 0) ++i.gaps;
      break;
    case ChildLine::Kind::Journal:
      i.journalFile = line.text;
      break;
    case ChildLine::Kind::Statistics:
      i.statistics << line.text;
      break;
    case ChildLine::Kind::End:
      i.end = line.end;
      break;
    case ChildLine::Kind::Unknown:
      Say(QStringLiteral("%1: a line the logger does not understand: %2")
              .arg(PortName(i.port.port), QString::fromUtf8(text.left(200))));
      break;
  }
}

void LogSession::OnFinished(Instrument& i, int exitCode, QProcess::ExitStatus status) {
  if (i.ended) return;
  ReadLines(i);
  i.ended = true;
  if (status == QProcess::CrashExit || i.end.reason.isEmpty()) {
    // It ended without its last line: it crashed or was killed.
    i.end.code = kExitFailed;
    i.end.reason = status == QProcess::CrashExit ? QStringLiteral("the logging process was killed or crashed")
                                                 : QStringLiteral("the logging process ended with status %1 without "
                                                                  "its summary")
                                                       .arg(exitCode);
  }
  const bool othersGoOn =
      std::any_of(m_instruments.begin(), m_instruments.end(), [](const auto& other) { return !other->ended; });
  if (!m_stopping && othersGoOn && i.end.code != kExitDone)
    Say(QStringLiteral("%1 ended (%2); the others go on").arg(Label(i.port), i.end.reason));
  FinishWhenAllEnded();
}

void LogSession::Stop(const QString& reason) {
  if (m_stopping || m_finished) return;
  m_stopping = true;
  m_stopReason = reason;
  m_duration.stop();
  Say(reason + QStringLiteral(": ending in order"));
  StopProcesses();
  m_stopBound.start(kStopBoundMs);
  FinishWhenAllEnded();
}

void LogSession::StopProcesses() {
  for (auto& i : m_instruments) {
    if (i->ended || !i->process) continue;
    QProcess* p = i->process.get();
    // One still starting gets the word as soon as it runs.
    if (p->state() == QProcess::Starting) connect(p, &QProcess::started, p, [p] { p->closeWriteChannel(); });
    else p->closeWriteChannel();
  }
}

void LogSession::FinishWhenAllEnded() {
  if (m_finished || !std::all_of(m_instruments.begin(), m_instruments.end(), [](const auto& i) { return i->ended; }))
    return;
  m_finished = true;
  m_duration.stop();
  m_stopBound.stop();
  PrintSummary();
  emit Finished(ExitCode());
}

int LogSession::ExitCode() const {
  int code = kExitDone;
  for (const int worst : {kExitLost, kExitNoInstrument, kExitFailed})
    for (const auto& i : m_instruments)
      if (code == kExitDone && i->end.code == worst) code = worst;
  return code;
}

void LogSession::PrintSummary() {
  Say(QStringLiteral("summary (%1):").arg(m_stopReason.isEmpty() ? QStringLiteral("every instrument has ended")
                                                                  : m_stopReason));
  for (const auto& i : m_instruments) {
    static const char* const kWords[] = {"done", "FAILED", "FAILED", "NO INSTRUMENT", "LOST"};
    const int code = i->end.code;
    const char* word = code >= 0 && code <= kExitLost ? kWords[code] : "FAILED";
    QString line = QStringLiteral("%1: %2, %3 readings (%4)")
                       .arg(Label(i->port), QLatin1String(word))
                       .arg(i->readings)
                       .arg(i->end.reason);
    if (i->gaps > 0) line += QStringLiteral(", stopped answering %1 times").arg(i->gaps);
    // A journal that wrote nothing removes its file at the end.
    if (!i->journalFile.isEmpty() && QFileInfo::exists(i->journalFile)) {
      line += QStringLiteral("; journal %1").arg(i->journalFile);
      if (i->end.journalReadings >= 0) line += QStringLiteral(" (%1 readings on disk)").arg(i->end.journalReadings);
    }
    Say(line);
    for (const QString& statistics : i->statistics) Say(QStringLiteral("  ") + statistics);
  }
}

}  // namespace vorenx::logger
