// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "watch/AlarmProgram.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "watch/AlarmWatch.h"

namespace vorenx {

namespace {

// The file `path` names: itself when it holds a "/", else the one $PATH finds.
QString ResolvedProgram(const QString& path) {
  if (path.contains(QLatin1Char('/'))) return QFileInfo(path).absoluteFilePath();
  return QStandardPaths::findExecutable(path);
}

}  // namespace

QStringList AlarmProgramArguments(const QString& display, double value, double limit) {
  return {display, AlarmNumberText(value), AlarmNumberText(limit)};
}

QString AlarmProgramProblem(const QString& path) {
  if (path.trimmed().isEmpty()) return QStringLiteral("no alarm program is given");
  const QString program = ResolvedProgram(path);
  if (program.isEmpty()) return QStringLiteral("no program \"%1\" is found in $PATH").arg(path);
  const QFileInfo info(program);
  if (!info.exists()) return QStringLiteral("the alarm program %1 does not exist").arg(program);
  if (!info.isFile()) return QStringLiteral("the alarm program %1 is not a file").arg(program);
  if (!info.isExecutable()) return QStringLiteral("the alarm program %1 may not be run (not executable)").arg(program);
  return {};
}

bool RunAlarmProgram(const QString& path, const QStringList& arguments, QString* why, qint64* pid) {
  const QString problem = AlarmProgramProblem(path);
  if (!problem.isEmpty()) {
    if (why) *why = problem;
    return false;
  }
  // The resolved file itself, so that QProcess never searches or interprets the text.
  const QString program = ResolvedProgram(path);
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setStandardInputFile(QProcess::nullDevice());
  if (!process.startDetached(pid)) {
    if (why) *why = QStringLiteral("the alarm program %1 could not be started").arg(program);
    return false;
  }
  return true;
}

}  // namespace vorenx
