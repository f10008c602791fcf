// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-calibrate's command line: what it asks for and how it ends. Parsed
// with QCommandLineParser (GNU style, generated --help and --version);
// numbers are read with "." whatever the locale.

#include <QString>
#include <QStringList>
#include <optional>

#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"
#include "calib/Uncertainty.h"
#include "instrument/PortOption.h"

namespace vorenx::calibrate_cli {

// Exit status (the man page's EXIT STATUS):
inline constexpr int kExitCompleted = 0;       // every run asked for completed, whatever its verdict
inline constexpr int kExitFailed = 1;          // a run ended early by itself, or the record or a file was not kept
inline constexpr int kExitUsage = 2;           // the command line cannot be understood
inline constexpr int kExitRefused = 3;         // setup, values, standard or records refused before any output
inline constexpr int kExitLostInstrument = 4;  // no instrument at the port, or it did not come back in time
inline constexpr int kExitAborted = 5;         // ended by SIGINT, SIGTERM or SIGHUP (output off, record kept)

// The port the simulated instrument is attached as, as `vorenx --simulate` does ("COM4").
inline constexpr int kSimulatedPort = 4;

struct CalibrateOptions {
  QString setupFile;                    // --setup FILE (as the calibration dialog saves it)
  std::optional<PortAssignment> port;   // --port N=PATH
  bool simulate = false;                // --simulate
  QString dut;                          // --dut DESCRIPTION (with --simulate), checked
  Environment environment;              // --environment TEMP_C,RH_PERCENT (both set once parsed)
  double resolution = 0.0;              // --resolution VALUE (a number; its range is checked later)
  std::optional<DecisionRule> rule;     // --rule; none: the setup file's
  QString standardSerial;               // --standard SERIAL; empty: the only one
  std::optional<QString> overdueReason; // --accept-overdue-standard REASON (not blank)
  std::vector<RunKind> runs;            // as-found, as-left or both, in that order
  QString pdfFile;                      // --pdf FILE
  QString dccFile;                      // --dcc FILE
  QString records;                      // --records URL; empty: the setting, else the default

  // The port the run drives.
  int Port() const { return simulate ? kSimulatedPort : (port ? port->port : -1); }
};

struct ParsedCalibrateOptions {
  enum class Action { Run, ShowHelp, ShowVersion, Refuse };
  Action action = Action::Refuse;
  CalibrateOptions options;
  // The help or version text, or what is wrong (one line, without the program's name).
  QString text;
};

// `arguments` with the program's name first. Needs no QCoreApplication, so
// the program answers --help and bad arguments before its GUI starts.
ParsedCalibrateOptions ParseCalibrateOptions(const QStringList& arguments);

}  // namespace vorenx::calibrate_cli
