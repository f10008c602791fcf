// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-logger end to end over simulated instruments: two logged at once
// for a count, found by --all, ended by SIGTERM mid-run, unplugged and
// plugged in again, one lost while the other goes on, and the refusals.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <csignal>

#include "LoggerRun.h"
#include "instrument/FunctionCode.h"
#include "instrument/StatusFrameLayout.h"
#include "logger/LoggerWatch.h"

namespace vorenx::testing {
namespace {

#define SKIP_WITHOUT_LOGGER() \
  if (!kLogger) GTEST_SKIP() << "vorenx-logger is not built here (VORENX_BUILD_APPS=OFF)"

class LoggerProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(first.PlugIn());
    ASSERT_TRUE(second.PlugIn());
  }
  QString Journal(int port) const { return dir.filePath(QStringLiteral("journal/COM%1").arg(port)); }
  QStringList TwoPorts() const {
    return {"--port", "4=" + first.Device(), "--port", "7=" + second.Device(), "--journal", dir.filePath("journal")};
  }

  QTemporaryDir dir;
  PluggableInstrument first{dir.filePath("ttyUSB0")};
  PluggableInstrument second{dir.filePath("ttyUSB1")};
};

// Every reading printed for `port` is in its journal, in order, and nothing else is.
void ExpectJournalHoldsThePrintedReadings(const LoggerRun& run, int port, const QString& journal) {
  SCOPED_TRACE(journal.toStdString());
  QStringList printed;
  for (const QString& line : run.Lines())
    if (line.contains(QStringLiteral(",COM%1,").arg(port))) {
      // The CSV line without its port and alarm columns is the journal's line.
      QStringList f = line.split(',');
      f.removeAt(1);
      f.removeLast();
      printed << f.join(',');
    }
  EXPECT_EQ(JournalReadings(journal), printed);
}

TEST_F(LoggerProgram, TwoInstrumentsAreLoggedForACountEachIntoItsOwnJournal) {
  SKIP_WITHOUT_LOGGER();
  LoggerRun run(TwoPorts() << "--count" << "3" << "--format" << "csv");
  EXPECT_EQ(run.Finish(), 0) << run.Err().toStdString();
  EXPECT_TRUE(run.Lines().value(0).startsWith("Time,Port,")) << run.Lines().join('\n').toStdString();
  EXPECT_EQ(run.Count(",COM4,"), 3);
  EXPECT_EQ(run.Count(",COM7,"), 3);
  const QString a = OnlyJournal(Journal(4));
  const QString b = OnlyJournal(Journal(7));
  ASSERT_FALSE(a.isEmpty());
  ASSERT_FALSE(b.isEmpty());
  ExpectJournalHoldsThePrintedReadings(run, 4, a);
  ExpectJournalHoldsThePrintedReadings(run, 7, b);
  // The summary gives each instrument its readings and its journal.
  EXPECT_TRUE(run.Err().contains("COM4 (" + first.Device() + "): done, 3 readings")) << run.Err().toStdString();
  EXPECT_TRUE(run.Err().contains("journal " + b + " (3 readings on disk)")) << run.Err().toStdString();
}

TEST_F(LoggerProgram, AllFindsEveryAnsweringPort) {
  SKIP_WITHOUT_LOGGER();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VORENX_PORTS", QStringLiteral("2=%1,13=%2").arg(first.Device(), second.Device()));
  LoggerRun run({"--all", "--count", "2", "--no-journal"}, env);
  EXPECT_EQ(run.Finish(), 0) << run.Err().toStdString();
  EXPECT_EQ(run.Count(" COM2 upper "), 2) << run.Lines().join('\n').toStdString();
  EXPECT_EQ(run.Count(" COM13 upper "), 2);
  EXPECT_TRUE(run.Err().contains("COM13 (" + second.Device() + "): an instrument answers"));
}

TEST_F(LoggerProgram, SigtermMidRunEndsInOrderWithBothJournalsWhole) {
  SKIP_WITHOUT_LOGGER();
  LoggerRun run(TwoPorts() << "--format" << "csv");
  ASSERT_TRUE(run.Until([&] { return run.Count(",COM4,") >= 2 && run.Count(",COM7,") >= 2; })) << run.Err().toStdString();
  ASSERT_EQ(::kill(static_cast<pid_t>(run.Pid()), SIGTERM), 0);
  EXPECT_EQ(run.Finish(), 0) << run.Err().toStdString();
  EXPECT_TRUE(run.Err().contains("summary (SIGTERM)")) << run.Err().toStdString();
  for (const int port : {4, 7}) {
    const QString journal = OnlyJournal(Journal(port));
    ASSERT_FALSE(journal.isEmpty());
    QFile file(journal);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n"));  // no half line
    ExpectJournalHoldsThePrintedReadings(run, port, journal);
  }
}

TEST_F(LoggerProgram, AnUnpluggedInstrumentIsLoggedAgainOnceItIsBack) {
  SKIP_WITHOUT_LOGGER();
  LoggerRun run({"--port", "4=" + first.Device(), "--no-journal", "--give-up", "600"});
  ASSERT_TRUE(run.UntilLines(" COM4 ", 2)) << run.Err().toStdString();
  first.Unplug();
  ASSERT_TRUE(run.UntilError("COM4: the instrument stopped answering")) << run.Err().toStdString();
  const int before = run.Count(" COM4 ");
  ASSERT_TRUE(first.PlugIn());
  ASSERT_TRUE(run.UntilError("COM4: the instrument answers again")) << run.Err().toStdString();
  ASSERT_TRUE(run.UntilLines(" COM4 ", before + 2)) << run.Err().toStdString();
  ASSERT_EQ(::kill(static_cast<pid_t>(run.Pid()), SIGINT), 0);
  EXPECT_EQ(run.Finish(), 0) << run.Err().toStdString();
  EXPECT_TRUE(run.Err().contains("stopped answering 1 times")) << run.Err().toStdString();
}

TEST_F(LoggerProgram, ALostInstrumentEndsAloneAndTheSummaryNamesIt) {
  SKIP_WITHOUT_LOGGER();
  LoggerRun run(QStringList{"--port", "4=" + first.Device(), "--port", "7=" + second.Device(), "--no-journal",
                            "--give-up", "1", "--count", "6"});
  ASSERT_TRUE(run.UntilLines(" COM7 ", 1)) << run.Err().toStdString();
  second.Unplug();
  EXPECT_EQ(run.Finish(), 4) << run.Err().toStdString();
  EXPECT_EQ(run.Count(" COM4 "), 6);  // the other one went on to its count
  EXPECT_TRUE(run.Err().contains("COM7 (" + second.Device() + "): LOST")) << run.Err().toStdString();
  EXPECT_TRUE(run.Err().contains("COM4 (" + first.Device() + "): done, 6 readings")) << run.Err().toStdString();
}

TEST_F(LoggerProgram, BadArgumentsAndMissingInstrumentsAreRefusedWithTheirStatus) {
  SKIP_WITHOUT_LOGGER();
  QFile plain(dir.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const QString ok = "4=" + first.Device();
  const struct {
    QStringList args;
    int status;
    const char* says;
  } cases[] = {
      {{"--port", "20=" + first.Device()}, 2, "N from 0 to 19"},
      {{"--port", ok, "--interval", "3"}, 2, "--interval wants 1, 2, 5 or 10"},
      {{"--port", ok, "--duration", "0"}, 2, "--duration wants a number above 0"},
      {{"--port", ok, "--duration", "1h", "--count", "3"}, 2, "--duration and --count exclude each other"},
      {{"--port", ok, "--journal", dir.filePath("plain/logs")}, 2, "is not a folder"},
      {{"--port", "4=" + dir.filePath("ttyUSB9"), "--no-journal"}, 3, "NO INSTRUMENT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    LoggerRun run(c.args);
    EXPECT_EQ(run.Finish(), c.status) << run.Err().toStdString();
    EXPECT_TRUE(run.Err().contains(QString::fromUtf8(c.says))) << run.Err().toStdString();
    EXPECT_TRUE(run.Lines().isEmpty());
  }
}

TEST_F(LoggerProgram, AnAlarmIsRaisedAndClearedOnceAndTheSummaryHasTheStatistics) {
  SKIP_WITHOUT_LOGGER();
  // The lower display shows exactly the value it sources.
  const auto source = [&](float volts) {
    ASSERT_TRUE(first.Simulator().SetLowerOnInstrument(fc::kVolt, 2 | lower_mode::kOutputOn, volts));
  };
  source(5.0f);
  LoggerRun run({"--port", "4=" + first.Device(), "--journal", dir.filePath("journal"), "--format", "csv", "--high",
                 "lower=6", "--hysteresis", "lower=0.5"});
  ASSERT_TRUE(run.UntilLines(",5,V,", 2)) << run.Err().toStdString();
  source(7.0f);
  ASSERT_TRUE(run.UntilLines(",7,V,Voltage,Voltage,lower above 6 V", 1)) << run.Lines().join('\n').toStdString();
  // Back under the limit by less than the hysteresis: still on, and no new raise.
  source(5.8f);
  ASSERT_TRUE(run.UntilLines(",5.8,V,Voltage,Voltage,lower above 6 V", 2)) << run.Lines().join('\n').toStdString();
  source(5.0f);
  ASSERT_TRUE(run.UntilLines(",5,V,Voltage,Voltage,", 4)) << run.Err().toStdString();
  ASSERT_EQ(::kill(static_cast<pid_t>(run.Pid()), SIGTERM), 0);
  EXPECT_EQ(run.Finish(), 0) << run.Err().toStdString();

  const QString err = run.Err();
  EXPECT_EQ(err.count("COM4: alarm: lower 7 V above the high limit 6 V"), 1) << err.toStdString();
  EXPECT_EQ(err.count("COM4: alarm cleared: lower 5 V back inside the high limit 6 V"), 1) << err.toStdString();
  EXPECT_EQ(err.count("alarm"), 2) << err.toStdString();
  EXPECT_TRUE(err.contains(QStringLiteral("lower Voltage: %1 readings, min 5 V, max 7 V").arg(run.Count(",COM4,"))))
      << err.toStdString();
  // The journal marks both changes after their readings.
  QFile journal(OnlyJournal(Journal(4)));
  ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(journal.readAll());
  EXPECT_EQ(text.count(" alarm: lower 7 V above the high limit 6 V\r\n"), 1) << text.toStdString();
  EXPECT_EQ(text.count(" alarm cleared: lower 5 V back inside"), 1) << text.toStdString();
  ExpectJournalHoldsThePrintedReadings(run, 4, journal.fileName());
}

}  // namespace
}  // namespace vorenx::testing
