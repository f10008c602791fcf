// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Who holds a port, from the lock file QSerialPort keeps for it.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PortLock.h"
#include "PortProblemText.h"

namespace qelhard {
namespace {

void WriteLock(const QString& folder, const QString& device, const QByteArray& contents) {
  QFile file(QDir(folder).filePath(PortLockName(device)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(contents);
}

TEST(PortLock, NamesAndContentsAsQSerialPortWritesThem) {
  EXPECT_EQ(PortLockName("/dev/ttyUSB0"), "LCK..ttyUSB0");
  EXPECT_EQ(PortLockName("/dev/pts/3"), "LCK..pts_3");
  EXPECT_EQ(PortLockName("/home/lab/port"), "LCK.._home_lab_port");
  const auto holder = ParsePortLock("10017\nvorenx\nbench-2\n3d1219c7\n6a698a72-122c\n");
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->pid, 10017);
  EXPECT_EQ(holder->program, "vorenx");
  EXPECT_EQ(holder->host, "bench-2");
  EXPECT_FALSE(ParsePortLock(""));
  EXPECT_FALSE(ParsePortLock("vorenx\n10017\n"));
  EXPECT_FALSE(ParsePortLock("-4\nx\n"));
  EXPECT_EQ(PortHolderText(*holder), "vorenx (process 10017 on bench-2)");
}

TEST(PortLock, TheHolderIsTheRunningProcessAndAStaleLockNamesNobody) {
  QTemporaryDir first;
  QTemporaryDir second;
  ASSERT_TRUE(first.isValid() && second.isValid());
  const QString device = "/dev/ttyUSB7";
  const qint64 self = QCoreApplication::applicationPid();
  // The lock file's program name is the one it was started as; the process's own name wins.
  WriteLock(second.path(), device, QByteArray::number(self) + "\nold-name\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  auto holder = FindPortHolder(device, {first.path(), second.path()});
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->pid, self);
  EXPECT_NE(holder->program, "old-name");
  EXPECT_FALSE(holder->program.isEmpty());
  EXPECT_EQ(PortHolderText(*holder), holder->program + QStringLiteral(" (process %1)").arg(self));

  const PortDiagnosis busy{PortProblem::Busy, device, {}, PortHolderText(*holder)};
  EXPECT_EQ(DescribeProblem(7, busy), "COM7 (/dev/ttyUSB7): in use by " + PortHolderText(*holder));

  // A process that has ended (no such id) holds nothing; the search goes on to the next folder.
  WriteLock(first.path(), device, "2147483646\nvorenx\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  holder = FindPortHolder(device, {first.path(), second.path()});
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->pid, self);
  QFile::remove(QDir(second.path()).filePath(PortLockName(device)));
  EXPECT_FALSE(FindPortHolder(device, {first.path(), second.path()}));
  EXPECT_FALSE(FindPortHolder("/dev/ttyUSB8", {first.path(), second.path()}));
}

}  // namespace
}  // namespace qelhard
