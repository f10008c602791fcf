// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The station: the worker's reports reach the station's thread in order and
// never make the worker wait; the one question it waits on is answered by
// Stop, so stopping needs no event loop and sends only what the view gave.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "FakeQelDisplayDll.h"
#include "FakeQelHardDll.h"
#include "link/StatusFrame.h"
#include "station/InstrumentStation.h"

namespace vorenx::testing {
namespace {

class StationTest : public ::testing::Test {
 protected:
  StationTest()
      : station(hard, display, [this] { return tick.fetch_add(700); },
                [this] { return LocalTime{2026, 3, 4, 5, 6, second.fetch_add(1) % 60, 0}; }) {
    std::array<unsigned char, 24> f{};
    f[StatusFrame::kUpperFunction] = 0x11;
    f[StatusFrame::kLowerFunction] = 0x40;
    f[StatusFrame::kWiring] = 4;
    hard.SetFrame(f);
    hard.SetAnswering({4});
    station.Worker()->SetCyclePause(1);
    QObject::connect(&station, &InstrumentStation::StatusTextChanged, [this](const QString& text) {
      Note("Status:" + text);
    });
    QObject::connect(&station, &InstrumentStation::PortSelected,
                     [this](int port) { Note(QStringLiteral("Port:%1").arg(port)); });
    QObject::connect(&station, &InstrumentStation::ReadingAdded, [this](int result, const ReadingRow& row) {
      Note(QStringLiteral("Reading:%1").arg(result));
      rows << row.time;
    });
    QObject::connect(&station, &InstrumentStation::ReadingsReset, [this] { Note("Reset"); });
    QObject::connect(&station, &InstrumentStation::InstrumentRefreshed,
                     [this](const InstrumentState&, bool upper, bool lower) {
                       Note(QStringLiteral("Refresh:%1%2").arg(upper).arg(lower));
                     });
  }
  ~StationTest() override { station.Stop(); }

  void Note(const QString& what) {
    EXPECT_EQ(QThread::currentThread(), station.thread()) << what.toStdString();
    seen << what;
  }
  // Waits without delivering the station's reports (this is the station's thread).
  template <typename Pred>
  static bool WaitUndelivered(Pred pred) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
      if (t.elapsed() > 30000) return false;  // a bound for a hang
      std::this_thread::yield();
    }
    return true;
  }

  FakeQelHardDll hard;
  FakeQelDisplayDll display;
  std::atomic<std::uint32_t> tick{50000};
  std::atomic<int> second{0};
  InstrumentStation station;
  QStringList seen;
  QStringList rows;
};

TEST_F(StationTest, TheWorkerGoesOnWhileItsReportsWaitAndTheyArriveInOrder) {
  station.Start();
  // The station's thread delivers nothing yet; the worker polls on regardless.
  ASSERT_TRUE(WaitUndelivered([&] { return hard.Count("GetData(") >= 3; }));
  EXPECT_TRUE(seen.isEmpty());
  EXPECT_GT(station.PendingReports(), 0);
  // The user changes the lower side before the reports arrive: refreshes of
  // polls made before it leave that side alone.
  station.Link().ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) { r.cjc = true; });

  ASSERT_TRUE(QTest::qWaitFor([&] { return rows.size() >= 3; }, 30000));
  EXPECT_EQ(seen.mid(0, 2), (QStringList{"Port:4", "Status:Connected"}));
  EXPECT_TRUE(seen.contains("Reading:1"));
  EXPECT_FALSE(seen.contains("Refresh:11"));
  EXPECT_TRUE(seen.contains("Refresh:10"));
  // Each row holds its own sample, taken with its poll: none repeats a newer one.
  for (int i = 1; i < rows.size(); ++i) EXPECT_NE(rows[i], rows[i - 1]);
}

TEST_F(StationTest, StopAnswersTheSourceFieldQuestionOnceAndSendsTheViewsValue) {
  int asked = 0;
  station.SetSourceFieldFitter([&](float, float high, const std::function<int(float)>&) {
    ++asked;
    return high;
  });
  display.rangeLow = -1.0f;
  display.rangeHigh = 7.5f;
  station.Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows.size() >= 1; }, 30000));

  // A lower command: the worker resets the table, then asks for the field's
  // value and waits, while this thread delivers nothing.
  station.Link().ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) { r.lowerFunction = 0x20; },
                               station.Commands(), {CmdSetLower, 0});
  ASSERT_TRUE(WaitUndelivered([&] { return station.WorkerWaiting(); }));
  EXPECT_EQ(hard.Count("SetLower("), 0);
  station.Stop();
  EXPECT_TRUE(station.WorkerFinished());
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(hard.Count("SetLower("), 1);
  EXPECT_TRUE(hard.Calls().filter("SetLower(").first().endsWith(",7.5)")) << hard.Calls().join(" ").toStdString();
  // Stop delivered every report, the question's own too, which asked nothing again.
  EXPECT_EQ(station.PendingReports(), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_GE(seen.count("Reset"), 1);
}

}  // namespace
}  // namespace vorenx::testing
