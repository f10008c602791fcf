// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The worker: the start-up probe, the cycle's order and early ends, command
// execution, and the rule that a handler's pending change is never overwritten.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <atomic>
#include <thread>

#include "FakeQelDisplayDll.h"
#include "FakeQelHardDll.h"
#include "FakeWorkerHost.h"
#include "link/CWorker.h"
#include "link/StatusFrame.h"

using namespace vorenx;
using namespace vorenx::testing;

namespace {

class WorkerTest : public ::testing::Test {
 protected:
  WorkerTest()
      : link(hard, [this] { return tick.load(); }, [] { return LocalTime{2026, 3, 4, 5, 6, 7, 0}; }),
        worker(link, commands, display, host, displayLength) {
    std::array<unsigned char, 24> f{};
    f[StatusFrame::kUpperFunction] = 0x11;
    f[StatusFrame::kLowerFunction] = 0x40;
    f[StatusFrame::kFlags] = 0x10;
    f[StatusFrame::kWiring] = 4;
    hard.SetFrame(f);
  }

  // Waits (bounded) until `pred` holds; the worker runs on its own thread.
  template <typename Pred>
  bool WaitUntil(Pred pred) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
      if (t.elapsed() > 30000) return false;  // a bound for a hang
      QThread::msleep(2);
    }
    return true;
  }

  FakeQelHardDll hard;
  FakeQelDisplayDll display;
  FakeWorkerHost host;
  CommandQueue commands;
  std::atomic<std::int32_t> displayLength{240};
  std::atomic<std::uint32_t> tick{50000};
  CDeviceLink link;
  CWorker worker;
};

TEST_F(WorkerTest, DisconnectedCycleChecksAndEndsEarly) {
  link.m_port = 4;
  worker.WorkerCycle();
  EXPECT_EQ(hard.Calls(), QStringList{"IsDevConnect(4)"});
  EXPECT_TRUE(host.Calls().isEmpty());  // no change, no status rewrite
}

TEST_F(WorkerTest, ConnectedCycleRunsItsStepsInOrder) {
  hard.SetAnswering({5});
  worker.WorkerCycle();
  EXPECT_EQ(hard.Calls(), (QStringList{"IsDevConnect(5)", "GetData(5,24)"}));
  EXPECT_EQ(host.Calls(), (QStringList{"Status:Connected", "Run:Stop", "Redraw", "Table:1", "Refresh:18"}));
  EXPECT_EQ(link.Request().lowerFunction, 18);
  EXPECT_EQ(link.Request().upperFunction, 2);

  // Within the interval: the Run text is still rewritten, nothing else.
  host.ClearCalls();
  worker.WorkerCycle();
  EXPECT_EQ(host.Calls(), QStringList{"Run:Stop"});
}

TEST_F(WorkerTest, AnyNonZeroPollResultPassesTheReadingOn) {
  hard.SetAnswering({5});
  hard.SetFrame(hard.frame, 2);
  worker.WorkerCycle();
  EXPECT_EQ(host.Calls(), (QStringList{"Status:Connected", "Run:Stop", "Redraw", "Table:2", "Refresh:5"}));
}

TEST_F(WorkerTest, CheckConnectionRidesOutShortSilencesAndReportsALongOne) {
  link.m_port = 2;
  hard.SetAnswering({2});
  EXPECT_TRUE(worker.CheckConnection());
  EXPECT_TRUE(worker.CheckConnection());
  hard.SetAnswering({});
  // Two checks without an answer, 200 ms apart: a lost reply or two, not an absence.
  for (int i = 0; i < 2; ++i) {
    tick += 200;
    EXPECT_FALSE(worker.CheckConnection());
  }
  EXPECT_EQ(link.m_connected, 1);
  tick += 200;  // 600 ms without an answer
  EXPECT_FALSE(worker.CheckConnection());
  EXPECT_FALSE(worker.CheckConnection());
  EXPECT_EQ(host.Calls(), (QStringList{"Status:Connected", "Status:DisConnected"}));
  EXPECT_EQ(link.m_connected, 0);
  hard.SetAnswering({2});
  EXPECT_TRUE(worker.CheckConnection());
  EXPECT_EQ(host.Calls().last(), "Status:Connected");
}

TEST_F(WorkerTest, OpenPortRewritesTheStatusEveryTimeAndLeavesConnectedAlone) {
  hard.SetAnswering({3});
  EXPECT_TRUE(worker.OpenPort(3));
  EXPECT_TRUE(worker.OpenPort(3));
  EXPECT_FALSE(worker.OpenPort(8));
  EXPECT_EQ(host.Calls(), (QStringList{"Status:Connected", "Status:Connected", "Status:DisConnected"}));
  EXPECT_EQ(link.m_port, 8);
  EXPECT_EQ(link.m_connected, 0);
}

TEST_F(WorkerTest, OpenPortThenSetLowerRunInQueueOrderWithTheLaterPort) {
  hard.SetAnswering({1, 6});
  link.m_port = 1;
  link.m_connected = 1;
  commands.PostCommand({CmdOpenPort, 3});
  commands.PostCommand({CmdSetLower, 0});
  commands.PostCommand({CmdOpenPort, 6});
  host.fieldValue = 12.5f;
  display.rangeLow = -10;
  display.rangeHigh = 75;
  display.decimals = 2;
  link.ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) { r.lowerFunction = 6; });
  worker.WorkerCycle();
  EXPECT_EQ(hard.Calls().mid(0, 4),
            (QStringList{"IsDevConnect(1)", "OpenCOM(6)", "IsDevConnect(6)", "SetLower(6,6,0x0a,12.5)"}));
  // The decimals are asked for the number being sent, not the one sent before.
  EXPECT_EQ(display.Calls(), (QStringList{"GetRange(6,0)", "GetDecimalLen(6,12.5)"}));
  EXPECT_TRUE(host.Calls().contains("ResetTable"));
  EXPECT_TRUE(host.Calls().contains("Fit:-10,75,2"));
  EXPECT_EQ(link.m_lowerPending, 0);
}

TEST_F(WorkerTest, SetSourceSendsTheRequestAsItStandsAndStartsTheTableOverOnlyForANewFunction) {
  link.m_port = 5;
  link.m_connected = 1;
  link.ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) {
    r.lowerFunction = 7;
    r.outputOff = false;
    r.lowerValue = 12.25f;
  });
  host.fieldValue = 3.0f;  // the field's number must not replace the request's
  worker.ExecuteCommand({CmdSetSource, 0});
  EXPECT_EQ(hard.Calls(), QStringList{"SetLower(5,7,0x0a,12.25)"});
  EXPECT_TRUE(host.Calls().isEmpty());
  EXPECT_TRUE(display.Calls().isEmpty());

  worker.ExecuteCommand({CmdSetSource, 1});
  EXPECT_EQ(host.Calls(), QStringList{"ResetTable"});
  EXPECT_EQ(hard.Count("SetLower(5,7,0x0a,12.25)"), 2);
}

TEST_F(WorkerTest, ASourceChangeQueuedAtTheStopIsStillSentAndNothingElse) {
  link.m_port = 5;
  link.m_connected = 1;
  link.ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) {
    r.lowerFunction = 7;
    r.outputOff = true;
  });
  commands.PostCommand({CmdSetUpper, 0});
  commands.PostCommand({CmdSetSource, 1});
  worker.RequestStop();
  worker.WorkerThreadProc();  // stopped before it starts: straight to its way out
  EXPECT_EQ(hard.Count("SetLower(5,7,0x02,"), 1);
  EXPECT_EQ(hard.Count("SetUpper"), 0);
  EXPECT_FALSE(host.Calls().contains("ResetTable"));
}

TEST_F(WorkerTest, ExecutedCommandMakesThePausedLinkReadOnce) {
  hard.SetAnswering({5});
  link.m_connected = 1;
  link.m_running = 0;
  worker.WorkerCycle();
  EXPECT_EQ(hard.Count("GetData"), 0);
  EXPECT_EQ(host.Calls().last(), "Run:Run");

  commands.PostCommand({CmdSetDisplayWave, 0});
  tick += 2000;
  worker.WorkerCycle();
  EXPECT_EQ(hard.Count("GetData"), 1);
  EXPECT_EQ(display.Calls(), QStringList{"SetDisPlayWave(0)"});
  tick += 2000;
  worker.WorkerCycle();
  EXPECT_EQ(hard.Count("GetData"), 1);
}

TEST_F(WorkerTest, ToggleRunWhileDisconnectedFlipsButTheTextWaits) {
  commands.PostCommand({CmdToggleRun, 0});
  worker.WorkerCycle();
  EXPECT_EQ(link.m_running, 0);
  EXPECT_EQ(host.Calls(), QStringList{"Redraw"});  // the run indicator follows at once
  hard.SetAnswering({5});
  worker.WorkerCycle();
  EXPECT_TRUE(host.Calls().contains("Run:Run"));
}

TEST_F(WorkerTest, SetCommandsWhileDisconnectedClearButSendNothing) {
  link.m_upperPending = 1;
  link.m_lowerPending = 1;
  commands.PostCommand({CmdSetUpper, 0});
  commands.PostCommand({CmdSetLower, 0});
  commands.PostCommand({CmdSetDisplayLength, 0});
  displayLength = 480;
  worker.WorkerCycle();
  EXPECT_EQ(hard.Count("SetUpper"), 0);
  EXPECT_EQ(hard.Count("SetLower"), 0);
  EXPECT_EQ(link.m_upperPending, 0);
  EXPECT_EQ(link.m_lowerPending, 0);
  EXPECT_EQ(host.Calls().count("ResetTable"), 2);
  EXPECT_EQ(display.Calls().last(), "SetDisPlayLen(480)");
}

TEST_F(WorkerTest, ProbeStopsAtTheFirstAnsweringPort) {
  hard.SetAnswering({12, 15});
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return host.Calls().contains("SelectPort:12"); }));
  worker.RequestStop();
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  worker.Join();
  EXPECT_EQ(link.m_port, 12);
  EXPECT_EQ(link.m_running, 1);
  const QStringList calls = hard.Calls();
  EXPECT_EQ(calls.indexOf("IsDevConnect(12)"), 12);
  EXPECT_FALSE(calls.contains("IsDevConnect(13)"));
}

TEST_F(WorkerTest, FoundPortReplacesTheStartUpSelection) {
  commands.PostCommand({CmdOpenPort, 4});  // the window's initial "COM4"
  hard.SetAnswering({2});
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return hard.Count("OpenCOM") >= 1; }));
  worker.RequestStop();
  worker.Join();
  EXPECT_EQ(hard.Count("OpenCOM"), 1);
  EXPECT_TRUE(hard.Calls().contains("OpenCOM(2)"));
  EXPECT_EQ(link.m_port, 2);
}

TEST_F(WorkerTest, NoInstrumentKeepsTheStartUpSelection) {
  commands.PostCommand({CmdOpenPort, 4});
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return hard.Count("OpenCOM") >= 1; }));
  worker.RequestStop();
  worker.Join();
  EXPECT_TRUE(hard.Calls().contains("OpenCOM(4)"));
  EXPECT_EQ(link.m_port, 4);
}

TEST_F(WorkerTest, ProbeWithNoInstrumentLeavesPort19AndPollingOff) {
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return host.Calls().contains("SelectPort:19"); }));
  worker.RequestStop();
  worker.Join();
  EXPECT_EQ(link.m_port, 19);
  EXPECT_EQ(link.m_running, 0);
}

TEST_F(WorkerTest, StopEndsTheThreadWithinACycle) {
  hard.SetAnswering({0});
  std::atomic<bool> finishedCallback{false};
  worker.SetOnFinished([&] { finishedCallback = true; });
  worker.Start();
  ASSERT_TRUE(WaitUntil([&] { return hard.Count("GetData") >= 1; }));
  worker.RequestStop();
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  worker.Join();
  EXPECT_TRUE(finishedCallback);
}

// A handler sets its pending flag and its change as one step while the worker
// copies the decoded state: the handler's value must survive every copy.
TEST_F(WorkerTest, PendingChangeIsNeverOverwrittenByTheWorkersCopy) {
  hard.SetAnswering({5});
  link.m_connected = 1;
  ASSERT_EQ(link.Poll(), 1);  // decoded lower function is 18
  for (int round = 0; round < 200; ++round) {
    link.m_lowerPending = 0;
    std::atomic<bool> go{false};
    std::thread copier([&] {
      while (!go) std::this_thread::yield();
      for (int i = 0; i < 50; ++i) link.SyncRequestFromState();
    });
    go = true;
    const FunctionCode wanted = static_cast<FunctionCode>(19 + round % 8);
    link.ChangeRequest(CDeviceLink::Side::Lower, [&](InstrumentState& r) { r.lowerFunction = wanted; });
    copier.join();
    ASSERT_EQ(link.Request().lowerFunction, wanted) << round;
  }
}

// A handler changes the source while the worker runs the previous change and
// every status frame still shows the old settings: each change reaches the
// instrument, and the decoded old value is never sent in place of one.
TEST_F(WorkerTest, ChangesMadeWhileTheWorkerSendsAreNeverReplacedByALaggingFrame) {
  hard.SetAnswering({5});
  link.m_port = 5;
  link.m_connected = 1;
  const auto sent = [&] { return hard.Calls().filter("SetLower("); };
  for (int round = 0; round < 200; ++round) {
    std::atomic<bool> go{false};
    std::atomic<bool> done{false};
    std::thread handler([&] {
      while (!go) std::this_thread::yield();
      for (int k = 1; k <= 3; ++k)
        link.ChangeRequest(
            CDeviceLink::Side::Lower, [&](InstrumentState& r) { r.lowerValue = float(round * 10 + k); },
            commands, {CmdSetSource, 0});
      done = true;
    });
    go = true;
    while (!done) {
      tick += 5000;  // every cycle polls and copies the lagging frame
      worker.WorkerCycle();
    }
    handler.join();
    tick += 5000;
    worker.WorkerCycle();
    ASSERT_FALSE(sent().isEmpty()) << round;
    ASSERT_TRUE(sent().last().endsWith(QStringLiteral(",%1)").arg(round * 10 + 3))) << round << sent().last().toStdString();
    ASSERT_TRUE(sent().filter(QRegularExpression(",0\\)$")).isEmpty()) << round;
    hard.ClearCalls();
  }
}

// An instrument with other settings answering (after a replug) starts the
// history and the table over; the same function polled again goes on in them.
TEST_F(WorkerTest, AFrameWithAnotherFunctionStartsTheHistoryAndTheTableOver) {
  hard.SetAnswering({5});
  link.m_port = 5;
  link.m_connected = 1;
  const auto cycle = [&] {
    host.ClearCalls();
    tick += 5000;
    worker.WorkerCycle();
    return host.Calls();
  };
  EXPECT_FALSE(cycle().contains("ResetTable"));
  EXPECT_FALSE(cycle().contains("ResetTable"));
  EXPECT_EQ(link.History().SampleCount(), 2);

  std::array<unsigned char, 24> f{};
  f[StatusFrame::kUpperFunction] = 0x11;
  f[StatusFrame::kLowerFunction] = 0x12;  // mA after the resistance before
  f[StatusFrame::kFlags] = 0x10;
  hard.SetFrame(f);
  const QStringList calls = cycle();
  ASSERT_TRUE(calls.contains("ResetTable"));
  EXPECT_LT(calls.indexOf("ResetTable"), calls.indexOf("Table:1"));
  EXPECT_EQ(link.History().SampleCount(), 1);
  EXPECT_FALSE(cycle().contains("ResetTable"));
  EXPECT_EQ(link.History().SampleCount(), 2);
}

}  // namespace
