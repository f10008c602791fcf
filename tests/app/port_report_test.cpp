// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Why a port could not be opened: kept for the tooltip, reported once per reason.
#include <gtest/gtest.h>

#include "FakeQelHardDll.h"
#include "app/PortReport.h"

namespace vorenx::testing {
namespace {

TEST(PortReport, AFailedOpenIsExplainedOncePerReason) {
  FakeQelHardDll hard;
  QString reason = QStringLiteral("no such device");
  QStringList lines;
  PortReport ports(
      hard, [&](std::int32_t port) { return QStringLiteral("COM%1 (/dev/x): %2").arg(port).arg(reason); },
      [&](const QString& line) { lines << line; });

  EXPECT_EQ(ports.QelOpenCOM(4), 0);
  EXPECT_EQ(ports.QelOpenCOM(4), 0);  // the same reason again: said once
  EXPECT_EQ(lines, QStringList{"COM4 (/dev/x): no such device"});
  EXPECT_EQ(ports.Problem(4), "COM4 (/dev/x): no such device");
  EXPECT_TRUE(ports.Problem(3).isEmpty());

  reason = QStringLiteral("in use by another program");
  ports.QelOpenCOM(4);
  EXPECT_EQ(lines.size(), 2);
  EXPECT_EQ(lines.last(), "COM4 (/dev/x): in use by another program");

  hard.SetAnswering({4});
  EXPECT_EQ(ports.QelOpenCOM(4), 1);
  EXPECT_TRUE(ports.Problem(4).isEmpty());
  hard.SetAnswering({});
  ports.QelOpenCOM(4);  // failing again after it opened is news again
  EXPECT_EQ(lines.size(), 3);
  EXPECT_EQ(hard.Count("OpenCOM(4)"), 5);  // every call reached the library
  EXPECT_TRUE(ports.Problem(-1).isEmpty());
  EXPECT_TRUE(ports.Problem(20).isEmpty());
}

TEST(PortReport, PortPathsComeFromTheLibrary) {
  struct Mapped : FakeQelHardDll {
    QString PortPath(std::int32_t port) override { return QStringLiteral("/dev/ttyUSB%1").arg(port); }
  } hard;
  PortReport ports(hard, {}, {});
  EXPECT_EQ(ports.PortPath(3), "/dev/ttyUSB3");  // the Port list's tooltips
}

TEST(PortReport, VerboseReportsOpeningAndClosing) {
  FakeQelHardDll hard;
  hard.SetAnswering({2});
  QStringList lines;
  PortReport quiet(hard, {}, [&](const QString& line) { lines << line; });
  quiet.QelOpenCOM(2);
  quiet.QelCloseCOM(2);
  EXPECT_TRUE(lines.isEmpty());
  PortReport verbose(hard, {}, [&](const QString& line) { lines << line; }, /*verbose=*/true);
  verbose.QelOpenCOM(2);
  verbose.QelCloseCOM(2);
  verbose.QelOpenCOM(7);  // no reason given: still says it failed
  EXPECT_EQ(lines, QStringList({"COM2 opened", "COM2 closed", "COM7 cannot be opened"}));
}

}  // namespace
}  // namespace vorenx::testing
