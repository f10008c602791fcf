// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The program a user has asked to run when an alarm is raised. It is started
// directly with its argument list (QProcess, fork and exec): no shell ever
// reads the path or the arguments, so `;`, `|`, `$()` or quotes in them are
// only characters of a file name or an argument. It runs detached: the
// alarm never waits for it, and it is not ended with the program.

#include <QString>
#include <QStringList>

namespace vorenx {

// The arguments an alarm program gets: the display ("upper" or "lower"), the
// reading and the limit it crossed, numbers with "." whatever the locale.
QStringList AlarmProgramArguments(const QString& display, double value, double limit);

// Why `path` cannot be run as an alarm program (empty when it can): it must
// name an executable file, by its path or, without a "/", by a name found in
// $PATH.
QString AlarmProgramProblem(const QString& path);

// Starts `path` with `arguments`, not through a shell. False with `why` set
// when it cannot be started; `pid`, when given, receives the process id.
bool RunAlarmProgram(const QString& path, const QStringList& arguments, QString* why = nullptr,
                     qint64* pid = nullptr);

}  // namespace vorenx
