// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Who holds a serial port: the lock file QSerialPort keeps beside every port
// it opens ("LCK..ttyUSB0" in /run/lock or one of the other usual lock
// folders), which names the holding process, its program and its host. A
// program that finds a port busy names the holder from it instead of saying
// only "in use by another program".

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace qelhard {

struct PortHolder {
  qint64 pid = 0;
  QString program;  // the running process's name, else the one the lock file gives
  QString host;     // the host the lock file names
};

// The lock file's name for a device: "LCK..ttyUSB0" for /dev/ttyUSB0,
// "LCK..pts_3" for /dev/pts/3 (the path below /dev, "/" made "_").
QString PortLockName(const QString& devicePath);
// The folders a lock file may be in, in the order they are searched.
QStringList PortLockFolders();
// A lock file's contents: the process id on the first line, then the program
// and the host. Nothing when the first line is no process id.
std::optional<PortHolder> ParsePortLock(const QByteArray& contents);
// The holder of `devicePath` from the first lock file found in `folders`
// (PortLockFolders() when empty) that names a process; a lock of this host
// whose process has ended is stale and passed over. The program is the
// process's own name (/proc) when it runs on this host.
std::optional<PortHolder> FindPortHolder(const QString& devicePath, const QStringList& folders = {});
// "vorenx (process 4711)", "vorenx (process 4711 on bench-2)".
QString PortHolderText(const PortHolder& holder);

}  // namespace qelhard
