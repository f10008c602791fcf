// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-calibrate once its command line is understood: every check that
// can refuse the run is made before the calibrator is touched (the setup,
// the values, the records and the standard), then the session runs in an
// event loop of its own until it ends. The program's main() supplies the
// communication and drawing libraries, the places and the streams.

#include <QDate>
#include <QString>
#include <QTextStream>
#include <functional>

#include "calibrate_cli/CalibrateOptions.h"
#include "link/QelDisplayDll.h"
#include "link/QelHardDll.h"

namespace vorenx::calibrate_cli {

// What the program takes from the machine, so a test can give its own.
struct CalibratePlaces {
  QString settingsFile;  // vorenx.ini (the "Records database" setting, the lab's identity)
  QString spoolPath;     // the bench's spool for a lab server that is away
  QDate today;           // whether the standard is overdue
};
CalibratePlaces UserPlaces();

struct InstrumentAccess {
  QelHardDll& library;
  QelDisplayDll& display;
  // Why `port` could not be opened; empty when nothing is known against it.
  std::function<QString(int port)> portProblem;
  bool simulated = false;
};

// Runs the calibration `options` ask for; returns the exit status.
int RunCalibration(const CalibrateOptions& options, const CalibratePlaces& places, InstrumentAccess instrument,
                   QTextStream& out, QTextStream& err);

}  // namespace vorenx::calibrate_cli
