// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// "New Window": another Vorenx program for another instrument. The library
// drives one port per process, so each instrument gets a program of its own,
// with its own journal file and calibration runs. The new program searches
// the ports as every program does at its start; a port another program holds
// is refused there without being touched (its lock file), so it settles on the
// next free port where an instrument answers.

#include <QString>
#include <QStringList>
#include <functional>

#include "app/AppOptions.h"

namespace vorenx {

// The new program's arguments: the same port paths (each --port given, and
// the simulated instrument's port with its path, so both programs mean the
// same device by a number), the same journal folder or none, the same records
// and --verbose. Not what belongs to this program alone: --simulate, --dut,
// --screenshot, --quit-after.
QStringList NewWindowArguments(const AppOptions& options, const std::function<QString(int port)>& portPath);

// Starts `program` with `arguments`, detached (it outlives this one). False
// with `why` set when it cannot be started.
bool StartNewWindow(const QString& program, const QStringList& arguments, QString* why);

}  // namespace vorenx
