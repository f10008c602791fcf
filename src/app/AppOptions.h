// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The program's command-line options, parsed without Qt's GUI so that --help,
// --version and bad arguments are answered even where no display exists.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace vorenx {

struct AppOptions {
  bool help = false;
  bool version = false;                          // --version
  bool simulate = false;                         // --simulate: simulated instrument as "COM4"
  std::vector<std::pair<int, QString>> ports;    // --port N=PATH, in the order given
  QString screenshot;                            // --screenshot FILE (PNG)
  double quitAfterSeconds = -1.0;                // --quit-after SECONDS; below 0: stay open
  bool verbose = false;                          // --verbose: report ports opened and closed
  QString journalFolder;                         // --journal DIR; empty: the default folder
  bool noJournal = false;                        // --no-journal
  QString dut;                                   // --dut DESCRIPTION (with --simulate): a transmitter under test
  QString records;                               // --records URL; empty: the setting, else the default
  QString lang;                                  // --lang LANG (de, zh_CN, en); empty: the system's locale
};

struct ParsedOptions {
  AppOptions options;
  QString error;  // empty when the arguments were understood
  QString text;   // the help or version text when one was asked for
};

// The longest --quit-after accepted (a day).
inline constexpr double kMaxQuitAfterSeconds = 86400.0;
// Seconds before the screenshot when --screenshot comes without --quit-after.
inline constexpr double kDefaultScreenshotSeconds = 3.0;
// The port the simulated instrument is attached as ("COM4").
inline constexpr int kSimulatedPort = 4;

// `arguments` without the program's name. Both "--opt VALUE" and "--opt=VALUE" work.
// Options shared with the other programs are defined in instrument/SharedOptions.
ParsedOptions ParseAppOptions(const QStringList& arguments);

// The folder the readings journal writes to: --journal's, else the default
// under $XDG_DATA_HOME; empty with --no-journal.
QString JournalFolder(const AppOptions& options);

// The --help text: every option.
QString UsageText();

// The exit status for arguments the program cannot understand (the man page's).
inline constexpr int kExitUsage = 2;

}  // namespace vorenx
