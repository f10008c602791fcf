// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Several instruments on one desktop: one program each, started as the user
// starts them, over simulated instruments (vorenx-sim). Each program keeps a
// journal of its own instrument's readings, and a program that finds the
// only port held by another is refused with the holder's name, without
// disturbing it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

#include "ProgramPaths.h"

namespace {

constexpr int kLongWaitMs = 60000;  // a generous bound for a hang, not a timing

// A process whose standard error is gathered as it comes.
class Program {
 public:
  Program(const QString& path, const QStringList& arguments) {
    m_process.setProgram(path);
    m_process.setArguments(arguments);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    m_process.setProcessEnvironment(env);
    m_process.start();
  }
  ~Program() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished(kLongWaitMs);
  }
  QProcess& Process() { return m_process; }
  qint64 Pid() const { return m_process.processId(); }
  // Reads standard error (or output) until it holds `text` or the process ends.
  bool WaitFor(const QByteArray& text, QProcess::ProcessChannel channel = QProcess::StandardError) {
    QByteArray& seen = channel == QProcess::StandardError ? m_error : m_output;
    while (!seen.contains(text)) {
      if (m_process.state() == QProcess::NotRunning) return false;
      m_process.setReadChannel(channel);
      if (!m_process.waitForReadyRead(kLongWaitMs)) return false;
      seen += channel == QProcess::StandardError ? m_process.readAllStandardError() : m_process.readAllStandardOutput();
    }
    return true;
  }
  QByteArray Error() {
    m_error += m_process.readAllStandardError();
    return m_error;
  }
  QByteArray Output() const { return m_output; }
  // Ends it with SIGTERM, as a user's session would; true when it exited 0.
  bool Terminate() {
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    return m_process.waitForFinished(kLongWaitMs) && m_process.exitStatus() == QProcess::NormalExit &&
           m_process.exitCode() == 0;
  }

 private:
  QProcess m_process;
  QByteArray m_error;
  QByteArray m_output;
};

// A simulated instrument; its device path is the first line it prints.
std::unique_ptr<Program> StartInstrument(const QStringList& arguments, QString& path) {
  auto sim = std::make_unique<Program>(QString::fromUtf8(kSim), arguments);
  if (!sim->WaitFor("\n", QProcess::StandardOutput)) return nullptr;
  path = QString::fromUtf8(sim->Output().split('\n').first()).trimmed();
  return sim;
}

// The journal's reading lines (not the header, not comments).
QStringList Readings(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList out;
  for (const QString& line : QString::fromUtf8(file.readAll()).split("\r\n"))
    if (!line.isEmpty() && !line.startsWith('#') && !line.contains("Time,")) out << line;
  return out;
}

double UpperOf(const QString& line) { return line.section(',', 1, 1).toDouble(); }

TEST(SeveralPrograms, EachKeepsItsOwnJournalAndABusyPortIsRefusedWithItsHoldersName) {
  SKIP_WITHOUT_PROGRAMS();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // Two instruments told apart by their upper display: a 12 V supply, and a
  // transmitter that holds 3 V.
  QString first, second;
  const auto supply = StartInstrument({}, first);
  const auto transmitter = StartInstrument({"--dut", "input=5,output=1,in=0:10,span=0:10,offset=3"}, second);
  ASSERT_TRUE(supply && transmitter);
  const QStringList ports = {"--port", "4=" + first, "--port", "5=" + second, "--verbose", "--journal", dir.path()};

  // The first program finds the first instrument; the second, started as
  // New Window starts it, passes the held port over and takes the next.
  Program one(QString::fromUtf8(kApp), ports);
  ASSERT_TRUE(one.WaitFor("COM4 opened")) << one.Error().toStdString();
  Program two(QString::fromUtf8(kApp), ports);
  ASSERT_TRUE(two.WaitFor("COM5 opened")) << two.Error().toStdString();
  EXPECT_FALSE(two.Error().contains("COM4 opened")) << two.Error().toStdString();

  // A third with only the first instrument's port: refused, with the holder named.
  Program three(QString::fromUtf8(kApp), {"--port", "4=" + first, "--no-journal"});
  const QByteArray refused =
      "vorenx: COM4 (" + first.toUtf8() + "): in use by vorenx (process " + QByteArray::number(one.Pid()) + ")";
  ASSERT_TRUE(three.WaitFor(refused)) << three.Error().toStdString();
  EXPECT_TRUE(three.Terminate());

  // Both go on logging; then they close in order.
  const auto files = [&dir] { return QDir(dir.path()).entryList({"*.csv"}, QDir::Files, QDir::Name); };
  QTRY_VERIFY_WITH_TIMEOUT(files().size() == 2 && Readings(dir.filePath(files()[0])).size() >= 3 &&
                               Readings(dir.filePath(files()[1])).size() >= 3,
                           kLongWaitMs);
  EXPECT_TRUE(one.Terminate()) << one.Error().toStdString();
  EXPECT_TRUE(two.Terminate()) << two.Error().toStdString();

  // One journal holds only the supply's readings, the other only the transmitter's.
  int supplyFiles = 0, transmitterFiles = 0;
  for (const QString& name : files()) {
    SCOPED_TRACE(name.toStdString());
    const QStringList lines = Readings(dir.filePath(name));
    ASSERT_FALSE(lines.isEmpty());
    const bool isSupply = UpperOf(lines.first()) > 10.0;
    for (const QString& line : lines) {
      if (isSupply)
        EXPECT_NEAR(UpperOf(line), 12.0, 0.5) << line.toStdString();
      else
        EXPECT_DOUBLE_EQ(UpperOf(line), 3.0) << line.toStdString();
    }
    (isSupply ? supplyFiles : transmitterFiles) += 1;
    // The refused program never disturbed the line: no gap was noted.
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("DisConnected"));
  }
  EXPECT_EQ(supplyFiles, 1);
  EXPECT_EQ(transmitterFiles, 1);
}

}  // namespace
