// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The programs themselves, started as processes.
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "ProcessOutput.h"
#include "ProgramPaths.h"

namespace {

constexpr int kWaitMs = 30000;  // a generous bound for a hang, not a timing

// Reads standard error until it holds `text` or the process ends.
bool WaitForError(QProcess& process, QByteArray& seen, const QByteArray& text) {
  return vorenx::testing::WaitForProcessText(process, QProcess::StandardError, seen, text, kWaitMs);
}

TEST(ProgramSignals, EachSignalClosesTheWindowInOrderAndExitsZero) {
  SKIP_WITHOUT_PROGRAMS();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    QProcess app;
    app.start(QString::fromUtf8(kApp), {"--simulate", "--verbose"});
    ASSERT_TRUE(app.waitForStarted(kWaitMs));
    QByteArray err;
    // Connected to the simulated instrument: the worker runs and the port is open.
    ASSERT_TRUE(WaitForError(app, err, "COM4 opened")) << err.toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(app.processId()), signal), 0);
    ASSERT_TRUE(app.waitForFinished(kWaitMs));
    err += app.readAllStandardError();
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(app.exitCode(), 0) << err.toStdString();
    EXPECT_EQ(err.count("COM4 closed"), 1) << err.toStdString();
  }
}

TEST(ProgramPorts, APortThatCannotBeOpenedIsExplainedOnce) {
  SKIP_WITHOUT_PROGRAMS();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QProcess app;
  app.start(QString::fromUtf8(kApp), {"--port", "4=" + dir.path(), "--quit-after", "2"});
  ASSERT_TRUE(app.waitForFinished(kWaitMs));
  const QByteArray err = app.readAllStandardError();
  EXPECT_EQ(app.exitCode(), 0);
  const QByteArray line = "vorenx: COM4 (" + dir.path().toUtf8() + "): Is a directory";
  EXPECT_EQ(err.count(line), 1) << err.toStdString();
}

// A terminal nobody answers on: a device that stays silent.
class SilentDevice {
 public:
  SilentDevice() {
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) m_path = QString::fromLocal8Bit(name);
  }
  ~SilentDevice() {
    if (m_master >= 0) close(m_master);
    if (m_slave >= 0) close(m_slave);
  }
  QString Path() const { return m_path; }

 private:
  int m_master = -1;
  int m_slave = -1;
  QString m_path;
};

TEST(ProgramProbe, WatchingASilentDeviceEndsAfterCountReadsOrTheTimeout) {
  SKIP_WITHOUT_PROGRAMS();
  SilentDevice device;
  ASSERT_FALSE(device.Path().isEmpty());
  const QString port = "4=" + device.Path();

  QProcess counted;
  counted.start(QString::fromUtf8(kProbe), {"--port", port, "--watch", "4", "--count", "3", "--interval", "0.05"});
  ASSERT_TRUE(counted.waitForFinished(kWaitMs)) << "the watch did not end";
  const QByteArray out = counted.readAllStandardOutput();
  EXPECT_EQ(counted.exitCode(), 1) << out.toStdString();  // no frame came
  EXPECT_EQ(out.count("no frame"), 3) << out.toStdString();
  EXPECT_TRUE(out.contains("0 frames, 3 failed reads")) << out.toStdString();

  QProcess timed;
  timed.start(QString::fromUtf8(kProbe), {"--port", port, "--watch", "4", "--timeout", "1"});
  ASSERT_TRUE(timed.waitForFinished(kWaitMs)) << "the watch did not end";
  EXPECT_EQ(timed.exitCode(), 1);
  EXPECT_TRUE(timed.readAllStandardOutput().contains("0 frames"));
}

}  // namespace
