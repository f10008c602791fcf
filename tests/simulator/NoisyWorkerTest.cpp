// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The link and the worker against a simulator over a pseudo-terminal, with an
// injected clock that moves by the worker's 200 ms pause after each cycle and
// by nothing else: however long a library call takes on a busy machine, the
// clock sees the cycles the worker really ran. At 10 % line noise the status
// line must never say "DisConnected" while the instrument answers, and no more
// readings may be lost than replies were corrupted, plus 1 %.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

#include "FakeQelDisplayDll.h"
#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "TestScale.h"
#include "link/CWorker.h"

using namespace vorenx;
using vorenx::sim::Fault;
using vorenx::sim::SimulatedInstrument;

namespace {

constexpr int kPort = 4;  // the window's initial "COM4"

// The window as the worker sees it: the status line's history and the readings.
class RecordingHost : public WorkerHost {
 public:
  struct Status {
    std::uint32_t tick;
    QString text;
  };
  void SetStatusText(const QString& text) override { statuses.push_back({now(), text}); }
  void SetRunText(const QString&) override {}
  void SelectPort(int) override {}
  void RedrawPanel() override {}
  void UpdateReadingsTable(int pollResult) override { readings += pollResult == 1 ? 1 : 0; }
  void RefreshFromInstrument(const InstrumentState&) override {}
  void ResetReadingsTable() override {}
  std::optional<float> FitSourceField(float, float, const std::function<int(float)>&) override { return 0.0f; }

  QString Shown() const { return statuses.empty() ? QStringLiteral("DisConnected") : statuses.back().text; }

  std::function<std::uint32_t()> now;
  std::vector<Status> statuses;
  int readings = 0;
};

class NoisyWorker : public ::testing::Test {
 protected:
  NoisyWorker() : link(DefaultQelHardDll(), [this] { return Ticks(); }, [] { return LocalTime{2026, 12, 8, 9, 0, 0, 0}; }),
                  worker(link, commands, display, host, displayLength) {
    host.now = [this] { return Ticks(); };
  }
  void SetUp() override {
    for (int port = 0; port < vorenx::kPortCount; ++port)
      QelSetPortPath(port, QStringLiteral("/nonexistent/vorenx-noisy-tty%1").arg(port));
    link.m_intervalIndex = 0;                  // one reading a second
    commands.PostCommand({CmdOpenPort, kPort});  // as the window does at start-up
  }
  void TearDown() override {
    for (int port = 0; port < vorenx::kPortCount; ++port) QelCloseCOM(port);
  }

  std::uint32_t Ticks() const { return m_sleptMs.load(); }
  // One worker cycle and its pause, the pause on the injected clock only.
  void Cycle() {
    worker.WorkerCycle();
    m_sleptMs += kCyclePauseMs;
  }
  QString Attach(SimulatedInstrument& sim) {
    const QString path = sim.Start();
    QelSetPortPath(kPort, path);
    return path;
  }

  vorenx::testing::FakeQelDisplayDll display;
  RecordingHost host;
  CommandQueue commands;
  std::atomic<std::int32_t> displayLength{240};
  CDeviceLink link;
  CWorker worker;

 private:
  std::atomic<std::uint32_t> m_sleptMs{100000};
};

int CountStatus(const RecordingHost& host, const QString& text) {
  int n = 0;
  for (const auto& s : host.statuses) n += s.text == text ? 1 : 0;
  return n;
}

}  // namespace

TEST_F(NoisyWorker, TenPercentNoiseNeitherFlickersTheStatusNorLosesExtraReadings) {
  const std::size_t cycles = vorenx::testing::Scaled(5000, 10);
  SimulatedInstrument sim;
  sim.SetNoise(0.1, 77);
  sim.RecordReplies(true);
  ASSERT_FALSE(Attach(sim).isEmpty());
  ASSERT_TRUE(worker.Probe());

  const std::uint32_t start = Ticks();
  for (std::size_t i = 0; i < cycles; ++i) Cycle();
  const std::uint32_t elapsed = Ticks() - start;

  std::size_t statusReplies = 0;
  std::size_t statusCorrupted = 0;
  std::size_t pingCorrupted = 0;
  std::size_t pings = 0;
  for (const auto& r : sim.TakeSentReplies()) {
    const bool status = r.clean[1] == qelhard::ReplyKind(qelhard::Command::ReadStatus);
    (status ? statusReplies : pings) += 1;
    (status ? statusCorrupted : pingCorrupted) += r.corrupted ? 1 : 0;
  }
  const std::size_t lost = statusReplies - static_cast<std::size_t>(host.readings);
  std::printf("[ figure ] %zu cycles over %u ms: %zu pings (%zu corrupted), %zu reads (%zu corrupted), "
              "%d readings, %zu lost; status changes: %zu\n",
              cycles, elapsed, pings, pingCorrupted, statusReplies, statusCorrupted, host.readings, lost,
              host.statuses.size());

  EXPECT_EQ(CountStatus(host, QStringLiteral("DisConnected")), 0);
  EXPECT_EQ(host.Shown(), QStringLiteral("Connected"));
  // Polling never paused: about one read per second of the clock.
  EXPECT_GE(statusReplies, static_cast<std::size_t>(elapsed / 1000 * 0.95));
  EXPECT_LE(lost, statusCorrupted + statusReplies / 100);

  // The instrument goes silent: "DisConnected" within a second; then it answers again.
  sim.InjectFault(Fault::Silent, -1);
  const std::uint32_t silentFrom = Ticks();
  for (int i = 0; i < 10 && host.Shown() != QStringLiteral("DisConnected"); ++i) Cycle();
  ASSERT_EQ(host.Shown(), QStringLiteral("DisConnected"));
  EXPECT_LE(host.statuses.back().tick - silentFrom, 1000u);
  sim.InjectFault(Fault::None);
  const int readingsBefore = host.readings;
  for (int i = 0; i < 12; ++i) Cycle();
  EXPECT_EQ(host.Shown(), QStringLiteral("Connected"));
  EXPECT_GT(host.readings, readingsBefore);
}

TEST_F(NoisyWorker, APortThatOpensButNeverAnswersNeverShowsConnected) {
  SimulatedInstrument sim;
  sim.InjectFault(Fault::Silent, -1);
  ASSERT_FALSE(Attach(sim).isEmpty());
  EXPECT_FALSE(worker.Probe());
  for (int i = 0; i < 25; ++i) Cycle();
  EXPECT_EQ(QelOpenCOM(kPort), 1);  // the port itself is there
  EXPECT_EQ(CountStatus(host, QStringLiteral("Connected")), 0);
  EXPECT_EQ(host.Shown(), QStringLiteral("DisConnected"));
  EXPECT_EQ(host.readings, 0);
}

TEST_F(NoisyWorker, AnInstrumentPluggedInLaterIsPolledWithoutPressingRun) {
  EXPECT_FALSE(worker.Probe());
  EXPECT_EQ(link.m_running, 0);
  for (int i = 0; i < 5; ++i) Cycle();
  EXPECT_EQ(host.Shown(), QStringLiteral("DisConnected"));

  SimulatedInstrument sim;
  sim.SetNoise(0.1, 5);
  ASSERT_FALSE(Attach(sim).isEmpty());
  for (int i = 0; i < 20; ++i) Cycle();
  EXPECT_EQ(host.Shown(), QStringLiteral("Connected"));
  EXPECT_EQ(link.m_running, 1);
  EXPECT_GE(host.readings, 2);
}

TEST_F(NoisyWorker, AfterTheUserPressedStopALateInstrumentIsNotPolled) {
  EXPECT_FALSE(worker.Probe());
  commands.PostCommand({CmdToggleRun, 0});  // Run
  Cycle();
  commands.PostCommand({CmdToggleRun, 0});  // Stop
  Cycle();
  EXPECT_EQ(link.m_running, 0);

  SimulatedInstrument sim;
  ASSERT_FALSE(Attach(sim).isEmpty());
  for (int i = 0; i < 20; ++i) Cycle();
  EXPECT_EQ(host.Shown(), QStringLiteral("Connected"));
  EXPECT_EQ(link.m_running, 0);
  // Only the read that follows the executed Stop command itself, if any.
  EXPECT_LE(host.readings, 1);
}

TEST_F(NoisyWorker, AnUnpluggedInstrumentShowsWithinASecondAndIsPolledAgainWhenBack) {
  auto sim = std::make_unique<SimulatedInstrument>();
  ASSERT_FALSE(Attach(*sim).isEmpty());
  ASSERT_TRUE(worker.Probe());
  for (int i = 0; i < 10; ++i) Cycle();
  ASSERT_EQ(host.Shown(), QStringLiteral("Connected"));

  sim.reset();  // the adapter is pulled: its device node disappears
  const std::uint32_t goneAt = Ticks();
  for (int i = 0; i < 10 && host.Shown() != QStringLiteral("DisConnected"); ++i) Cycle();
  ASSERT_EQ(host.Shown(), QStringLiteral("DisConnected"));
  EXPECT_LE(host.statuses.back().tick - goneAt, 1000u);

  SimulatedInstrument back;  // plugged in again, at a new path
  ASSERT_FALSE(Attach(back).isEmpty());
  const int readingsBefore = host.readings;
  for (int i = 0; i < 15; ++i) Cycle();
  EXPECT_EQ(host.Shown(), QStringLiteral("Connected"));
  EXPECT_GT(host.readings, readingsBefore);
}
