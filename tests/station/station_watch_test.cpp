// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The station's statistics and alarms over a worker fed by the recording
// library: each decoded reading is counted once, an alarm is raised and
// cleared once, noted in the journal right after its reading, and the alarm
// program is started with the display, the value and the limit.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <mutex>
#include <vector>

#include "FakeQelDisplayDll.h"
#include "FakeQelHardDll.h"
#include "instrument/StatusFrameLayout.h"
#include "station/InstrumentStation.h"

namespace vorenx::testing {
namespace {

using F = StatusFrameLayout;

// A frame with the upper display at `thousandths` / 1000 (three decimals).
std::array<unsigned char, 24> UpperFrame(int thousandths, FunctionCode upper = fc::kUpperVoltage) {
  std::array<unsigned char, 24> f{};
  f[F::kUpperFunction] = UpperFrameCode(upper);
  f[F::kLowerFunction] = LowerFrameCode(fc::kVolt);
  f[F::kWiring] = F::kNoWiringByte;
  int n = thousandths;
  for (int i = F::kDigitCount - 1; i >= 0; --i, n /= 10) f[F::kUpperDigits + i] = static_cast<unsigned char>(n % 10);
  f[F::kUpperExponent] = 3;
  return f;
}

// The worker reads these readings in turn, then repeats the last.
class ScriptedReadings {
 public:
  ScriptedReadings(FakeQelHardDll& hard, std::vector<std::array<unsigned char, 24>> frames)
      : m_hard(hard), m_frames(std::move(frames)) {
    m_hard.SetFrame(m_frames.front());
    m_hard.onCall = [this](const QString& call) {
      if (!call.startsWith("GetData(")) return;
      const std::size_t i = std::min(m_next.fetch_add(1), m_frames.size() - 1);
      m_hard.SetFrame(m_frames[i]);
    };
  }
  ~ScriptedReadings() { m_hard.onCall = nullptr; }

 private:
  FakeQelHardDll& m_hard;
  std::vector<std::array<unsigned char, 24>> m_frames;
  std::atomic<std::size_t> m_next{0};
};

class StationWatchTest : public ::testing::Test {
 protected:
  StationWatchTest()
      : station(hard, display, [this] { return tick.fetch_add(1100); },
                [this] { return LocalTime{2026, 3, 4, 5, second.load() / 60, second.fetch_add(1) % 60, 0}; }) {
    hard.SetAnswering({4});
    station.Worker()->SetCyclePause(1);
    QObject::connect(&station, &InstrumentStation::ReadingAdded, [this](int result, const ReadingRow&) {
      if (result == 1) ++readings;
    });
    QObject::connect(&station, &InstrumentStation::AlarmChanged,
                     [this](const WatchAlarm& alarm) { alarms.push_back(alarm); });
  }
  ~StationWatchTest() override { station.Stop(); }

  FakeQelHardDll hard;
  FakeQelDisplayDll display;
  std::atomic<std::uint32_t> tick{50000};
  std::atomic<int> second{0};
  InstrumentStation station;
  int readings = 0;
  std::vector<WatchAlarm> alarms;
};

QString FileText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList FileLines(const QString& path) {
  QStringList lines = FileText(path).split("\r\n");
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

TEST_F(StationWatchTest, AnAlarmIsRaisedAndClearedOnceNotedAfterItsReadingAndRunsTheProgram) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString args = dir.filePath("args.txt");
  const QString program = dir.filePath("on alarm");
  {
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$@\" >> '" + args.toUtf8() + "'\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  station.StartJournal(dir.filePath("journal"));
  station.SetAlarmProgram(program);
  AlarmLimits limits;
  limits.high = 10.0;
  limits.hysteresis = 0.5;
  station.SetAlarmLimits(WatchedDisplay::Upper, limits);
  // Up past the limit, jittering there, back in by less than the hysteresis, then by more.
  const ScriptedReadings script(hard, {UpperFrame(5000), UpperFrame(9000), UpperFrame(10250), UpperFrame(9990),
                                       UpperFrame(10010), UpperFrame(9600), UpperFrame(9400), UpperFrame(9000)});
  station.Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return readings >= 12; }, 30000));
  station.Stop();

  ASSERT_EQ(alarms.size(), 2u);
  EXPECT_EQ(alarms[0].event.change, AlarmChange::Raised);
  EXPECT_EQ(alarms[0].display, WatchedDisplay::Upper);
  EXPECT_FLOAT_EQ(alarms[0].event.value, 10.25f);
  EXPECT_EQ(alarms[1].event.change, AlarmChange::Cleared);
  EXPECT_FLOAT_EQ(alarms[1].event.value, 9.4f);
  EXPECT_EQ(AlarmText(alarms[0]), "alarm: upper 10.25 V above the high limit 10 V");
  EXPECT_FALSE(station.Watch().Alarmed(WatchedDisplay::Upper));

  // Every decoded reading is counted once, in both statistics.
  const DisplayWatchState upper = station.Watch().State(WatchedDisplay::Upper);
  EXPECT_EQ(upper.sinceReset.count, static_cast<std::uint64_t>(readings));
  EXPECT_EQ(upper.wave.count, static_cast<std::uint64_t>(readings));
  EXPECT_FLOAT_EQ(upper.sinceReset.max, 10.25f);
  EXPECT_FLOAT_EQ(upper.sinceReset.min, 5.0f);

  // Each note follows its reading with the reading's own time.
  ASSERT_TRUE(station.Journal()->WaitUntilSynced(30000));
  const QStringList lines = FileLines(station.Journal()->FilePath());
  const auto find = [&lines](const char* text) {
    return std::find_if(lines.begin(), lines.end(), [text](const QString& l) { return l.startsWith("# ") && l.contains(text); });
  };
  const auto raised = find("alarm: upper 10.25 V above the high limit 10 V");
  const auto cleared = find("alarm cleared: upper 9.4 V back inside the high limit 10 V");
  ASSERT_NE(raised, lines.end());
  ASSERT_NE(cleared, lines.end());
  ASSERT_NE(raised, lines.begin());
  EXPECT_TRUE((raised - 1)->contains(",10.25,V,")) << (raised - 1)->toStdString();
  EXPECT_EQ(raised->mid(2, 29), (raised - 1)->left(29));
  EXPECT_TRUE((cleared - 1)->contains(",9.4,V,")) << (cleared - 1)->toStdString();
  EXPECT_EQ(lines.filter("alarm").size(), 2);

  // The program ran once, for the raise.
  QTRY_COMPARE_WITH_TIMEOUT(FileText(args), QString("upper 10.25 10\n"), 30000);
}

TEST_F(StationWatchTest, AnotherFunctionStartsTheFiguresOverAndTakesTheLimitsOutOfUse) {
  AlarmLimits limits;
  limits.high = 10.0;
  station.SetAlarmLimits(WatchedDisplay::Upper, limits);
  const ScriptedReadings script(hard, {UpperFrame(12000), UpperFrame(12500), UpperFrame(15000, fc::kUpperCurrent),
                                       UpperFrame(16000, fc::kUpperCurrent)});
  station.Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return readings >= 8; }, 30000));
  station.Stop();

  // Raised in V; the display then shows mA, where 15 and 16 judge nothing.
  ASSERT_EQ(alarms.size(), 2u);
  EXPECT_EQ(alarms[0].event.change, AlarmChange::Raised);
  EXPECT_EQ(alarms[1].event.change, AlarmChange::Cleared);
  EXPECT_EQ(AlarmText(alarms[1]), "alarm cleared: upper now shows mA, its limits are in V");
  const DisplayWatchState upper = station.Watch().State(WatchedDisplay::Upper);
  EXPECT_EQ(upper.unit, "mA");
  EXPECT_EQ(upper.limitsUnit, "V");
  EXPECT_FALSE(upper.alarmed);
  EXPECT_EQ(upper.sinceReset.count, static_cast<std::uint64_t>(readings - 2));  // the V readings are gone
  EXPECT_FLOAT_EQ(upper.sinceReset.min, 15.0f);
  EXPECT_EQ(upper.wave.count, upper.sinceReset.count);  // the history started over too

  station.ResetStatistics();
  EXPECT_EQ(station.Watch().State(WatchedDisplay::Upper).sinceReset.count, 0u);
  EXPECT_GT(station.Watch().State(WatchedDisplay::Upper).wave.count, 0u);  // the wave is not reset by the button
}

}  // namespace
}  // namespace vorenx::testing
