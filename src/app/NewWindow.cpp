// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/NewWindow.h"

#include <QCoreApplication>
#include <QProcess>
#include <set>

namespace vorenx {

QStringList NewWindowArguments(const AppOptions& options, const std::function<QString(int port)>& portPath) {
  QStringList arguments;
  std::set<int> ports;
  for (const auto& [port, path] : options.ports) ports.insert(port);
  if (options.simulate) ports.insert(kSimulatedPort);
  for (const int port : ports) {
    const QString path = portPath ? portPath(port) : QString();
    if (!path.isEmpty()) arguments << QStringLiteral("--port") << QStringLiteral("%1=%2").arg(port).arg(path);
  }
  if (options.noJournal)
    arguments << QStringLiteral("--no-journal");
  else if (!options.journalFolder.isEmpty())
    arguments << QStringLiteral("--journal") << options.journalFolder;
  if (!options.records.isEmpty()) arguments << QStringLiteral("--records") << options.records;
  if (!options.lang.isEmpty()) arguments << QStringLiteral("--lang") << options.lang;
  if (options.verbose) arguments << QStringLiteral("--verbose");
  return arguments;
}

bool StartNewWindow(const QString& program, const QStringList& arguments, QString* why) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setStandardInputFile(QProcess::nullDevice());
  if (process.startDetached()) return true;
  if (why)
    *why = QCoreApplication::translate("vorenx::NewWindow", "Cannot start another window (%1): %2")
               .arg(program, process.errorString());
  return false;
}

}  // namespace vorenx
