// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-logger: logs calibrators without a window. Started by the user it
// finds the instruments and starts one logging process of itself per
// instrument (--child N, the communication library drives one port per
// process); each logging process runs one station. This is the one file that
// reaches past the library interface: to map ports to device paths and to
// ask why a port could not be opened.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "PortProblemText.h"
#include "QelHard.h"
#include "journal/JournalReadings.h"
#include "link/OnePortLibrary.h"
#include "logger/InstrumentLogger.h"
#include "logger/LogSession.h"
#include "logger/NoDisplay.h"
#include "platform/CommandLine.h"
#include "platform/FileText.h"
#include "platform/SignalCloser.h"
#include "station/InstrumentStation.h"

namespace {

using namespace vorenx::logger;

void Say(const QString& line) {
  const QByteArray text = "vorenx-logger: " + line.toUtf8() + '\n';
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
  std::fflush(stderr);
}

QString PortProblem(int port) {
  const qelhard::PortDiagnosis diagnosis = QelLastPortProblem(port);
  if (diagnosis.problem == qelhard::PortProblem::None) return QString();
  // The lines name the port themselves: the reason alone.
  const QString text = qelhard::DescribeProblem(port, diagnosis);
  const QString label = qelhard::PortLabel(port, QelPortPath(port)) + QStringLiteral(": ");
  return text.startsWith(label) ? text.mid(label.size()) : text;
}

// A logging process: one instrument, reporting to the process that started it.
int RunChild(QCoreApplication& app, const LoggerOptions& options) {
  // The starting process may be gone: a write to its pipe then fails
  // instead of ending this process before its journal is synced.
  std::signal(SIGPIPE, SIG_IGN);
  const vorenx::PortAssignment& port = options.ports.front();
  QelSetPortPath(port.port, port.path);
  NoDisplay display;
  vorenx::OnePortLibrary library(vorenx::DefaultQelHardDll(), port.port);
  vorenx::InstrumentStation station(library, display, vorenx::SystemTicks(), vorenx::SystemClock());
  InstrumentLogger logger(station, options,
                          {[](const QByteArray& line) {
                             std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
                             std::fflush(stdout);
                           },
                           &Say, &PortProblem});
  QObject::connect(&logger, &InstrumentLogger::Finished, &app, [](int code) { QCoreApplication::exit(code); });
  const vorenx::SignalCloser closer([&logger](int signal) { logger.Stop(vorenx::SignalName(signal)); });
  // Standard input closing is the starting process's word to end (or its end).
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &logger, [&input, &logger] {
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n > 0 || (n < 0 && errno == EINTR)) return;
    input.setEnabled(false);
    logger.Stop(QStringLiteral("stopped by the logger"));
  });
  logger.Start();
  return logger.Ended() ? logger.ExitCode() : app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Termination signals end the logging in order; caught from here on and
  // handled once the event loop runs.
  vorenx::InstallSignalPipe();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorenx-logger"));
  QCoreApplication::setApplicationVersion(vorenx::VersionText());
  QTextStream out(stdout);
  QTextStream err(stderr);

  const ParsedLoggerOptions parsed = ParseLoggerOptions(app.arguments());
  switch (parsed.action) {
    case ParsedLoggerOptions::Action::ShowHelp:
    case ParsedLoggerOptions::Action::ShowVersion:
      out << parsed.text;
      return kExitDone;
    case ParsedLoggerOptions::Action::Refuse:
      err << vorenx::UsageErrorLine(QStringLiteral("vorenx-logger"), parsed.text) << '\n';
      return kExitUsage;
    case ParsedLoggerOptions::Action::Run:
      break;
  }
  const LoggerOptions& options = parsed.options;
  if (options.childPort >= 0) return RunChild(app, options);

  for (const vorenx::PortAssignment& port : options.ports) QelSetPortPath(port.port, port.path);
  LogSession session(options, {QCoreApplication::applicationFilePath(), vorenx::DefaultJournalFolder()},
                     vorenx::DefaultQelHardDll(), out, err);
  const int early = session.Prepare();
  if (early >= 0) return early;
  QObject::connect(&session, &LogSession::Finished, &app, [](int code) { QCoreApplication::exit(code); });
  const vorenx::SignalCloser closer([&session](int signal) { session.Stop(vorenx::SignalName(signal)); });
  session.Start();
  return app.exec();
}
