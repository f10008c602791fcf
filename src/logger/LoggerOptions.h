// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-logger's command line: what to log (ports or --all), how often and
// for how long, where the journals go, what is printed, when a silent
// instrument counts as lost, the alarm limits, and the exit status numbers.
// Pure: no I/O, so every refusal is tested without a process.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "instrument/PortOption.h"
#include "platform/CommandLine.h"

namespace vorenx::logger {

// Exit status, as the man page numbers it.
inline constexpr int kExitDone = 0;          // logged what was asked, or ended in order by a signal
inline constexpr int kExitFailed = 1;        // the logger itself failed (a logging process could not run)
inline constexpr int kExitUsage = 2;         // wrong arguments, as the other programs
inline constexpr int kExitNoInstrument = 3;  // no instrument answered where one was to be logged
inline constexpr int kExitLost = 4;          // an instrument stopped answering for longer than --give-up

// The poll intervals --interval takes, in seconds, in the link's order (index 0..3).
inline constexpr int kIntervalSeconds[] = {1, 2, 5, 10};
inline constexpr int kDefaultGiveUpSeconds = 60;
inline constexpr int kMaxGiveUpSeconds = 7 * 86400;
// The longest --duration: a year.
inline constexpr qint64 kMaxDurationMs = 366LL * 86400 * 1000;

enum class OutputFormat { Text, Csv, Jsonl };

// One display's alarm limits as given; the statistics and alarm core turns
// them into its own limits (LoggerWatch).
struct DisplayLimitOptions {
  std::optional<double> high;
  std::optional<double> low;
  double hysteresis = 0.0;
  bool hysteresisGiven = false;
  bool Any() const { return high || low; }
};

struct LoggerOptions {
  std::vector<PortAssignment> ports;  // --port N=PATH, in the order given
  bool all = false;                   // --all: every port where an instrument answers
  int intervalIndex = 0;              // into kIntervalSeconds
  std::optional<qint64> durationMs;   // --duration
  std::optional<qint64> count;        // --count: readings per instrument
  QString journalFolder;              // --journal DIR; empty: the default folder
  bool noJournal = false;             // --no-journal
  OutputFormat format = OutputFormat::Text;
  bool quiet = false;
  int giveUpSeconds = kDefaultGiveUpSeconds;
  DisplayLimitOptions upper;          // --high/--low/--hysteresis upper=VALUE
  DisplayLimitOptions lower;          // ... lower=VALUE
  // Internal: this process logs port `childPort` alone and reports to the
  // process that started it (one process per instrument); -1 otherwise.
  int childPort = -1;
};

struct ParsedLoggerOptions {
  enum class Action { Run, ShowHelp, ShowVersion, Refuse };
  Action action = Action::Run;
  LoggerOptions options;
  QString text;  // the help, the version, or why the arguments are refused
};

// `arguments` with the program's name first, as QCoreApplication::arguments().
ParsedLoggerOptions ParseLoggerOptions(const QStringList& arguments);

// "90s", "30m", "8h", "2d", "1.5h": a number above 0 with "." and a unit; in
// milliseconds. nullopt with `why` set otherwise.
std::optional<qint64> ParseDuration(const QString& text, QString* why);

// The arguments of the logging process for `port` (the program's name not
// included): one port, its device path, the interval, --count, the journal
// folder (empty: none), --give-up, the alarm limits. The duration stays with
// the starting process.
QStringList ChildArguments(const LoggerOptions& options, const PortAssignment& port, const QString& journalFolder);

// "COM4": how the lines and messages name a port.
QString PortName(int port);

// The program's command line (LoggerUsage.cpp): its name, usage and options.
CommandLine MakeLoggerCommandLine();
void DefineLoggerOptions(CommandLine& line);

// The --help text.
QString UsageText();

}  // namespace vorenx::logger
