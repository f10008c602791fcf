// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "PortLock.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

namespace qelhard {

QString PortLockName(const QString& devicePath) {
  QString name = devicePath.startsWith(QLatin1String("/dev/")) ? devicePath.mid(5) : devicePath;
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  return QStringLiteral("LCK..") + name;
}

QStringList PortLockFolders() {
  return {QStringLiteral("/var/lock"),      QStringLiteral("/etc/locks"),        QStringLiteral("/var/spool/locks"),
          QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"),              QStringLiteral("/var/tmp"),
          QStringLiteral("/var/lock/lockdev"), QStringLiteral("/run/lock")};
}

std::optional<PortHolder> ParsePortLock(const QByteArray& contents) {
  const QList<QByteArray> lines = contents.split('\n');
  bool ok = false;
  const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
  if (!ok || pid <= 0) return std::nullopt;
  PortHolder holder;
  holder.pid = pid;
  holder.program = QString::fromUtf8(lines.value(1).trimmed());
  holder.host = QString::fromUtf8(lines.value(2).trimmed());
  return holder;
}

std::optional<PortHolder> FindPortHolder(const QString& devicePath, const QStringList& folders) {
  const QString name = PortLockName(devicePath);
  for (const QString& folder : folders.isEmpty() ? PortLockFolders() : folders) {
    QFile lock(QDir(folder).filePath(name));
    if (!lock.open(QIODevice::ReadOnly)) continue;
    std::optional<PortHolder> holder = ParsePortLock(lock.read(4096));
    if (!holder) continue;
    if (holder->host.isEmpty() || holder->host == QSysInfo::machineHostName()) {
      holder->host.clear();  // this host: said no more
      // A lock of a process that has ended is stale (QSerialPort takes it over).
      if (!QFile::exists(QStringLiteral("/proc/%1").arg(holder->pid))) continue;
      QFile comm(QStringLiteral("/proc/%1/comm").arg(holder->pid));
      if (comm.open(QIODevice::ReadOnly)) {
        const QString running = QString::fromUtf8(comm.readAll().trimmed());
        if (!running.isEmpty()) holder->program = running;
      }
    }
    return holder;
  }
  return std::nullopt;
}

QString PortHolderText(const PortHolder& holder) {
  const QString program = holder.program.isEmpty() ? QStringLiteral("a program") : holder.program;
  if (holder.host.isEmpty()) return QStringLiteral("%1 (process %2)").arg(program).arg(holder.pid);
  return QStringLiteral("%1 (process %2 on %3)").arg(program).arg(holder.pid).arg(holder.host);
}

}  // namespace qelhard
