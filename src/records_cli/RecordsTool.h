// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// vorenx-records' command line: parses the arguments, chooses and opens the
// records, runs the command. The program's main() only supplies the streams
// and the places below.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vorenx::records_cli {

// What the tool takes from the machine, so a test can give its own.
struct ToolPlaces {
  QString settingsFile;        // the program's vorenx.ini (the "Records database" setting)
  QString calibrationsFolder;  // import's folder when none is given
  QDate today;                 // the due list's date
};

// The places of the user running the program (XDG folders, today's date).
ToolPlaces UserPlaces();

// Runs `arguments` (the program's name first) and returns the exit code.
int RunTool(const QStringList& arguments, const ToolPlaces& places, QTextStream& out, QTextStream& err);

}  // namespace vorenx::records_cli
