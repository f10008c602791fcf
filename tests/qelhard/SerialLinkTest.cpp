// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The library end to end over a pseudo-terminal, against the simulator: the
// real QSerialPort path, good exchanges and every kind of bad reply.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QCoreApplication>
#include <QSerialPort>
#include <array>
#include <atomic>
#include <cstdio>
#include <thread>

#include "PortScan.h"
#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "link/StatusFrame.h"

using vorenx::InstrumentState;
using vorenx::sim::Fault;
using vorenx::sim::SimulatedInstrument;

namespace {

constexpr int kSimPort = 7;
using Frame = std::array<unsigned char, 24>;

// Maps every port to a path that does not exist, so that nothing on the test
// machine answers, and starts one simulator on kSimPort. The time limits are
// a second: the simulator's thread answers within them on a busy machine too,
// so no reply the test counts on comes after its request was given up (and
// then meets a fault injected for the next one); a silent reply costs a second.
class SerialLink : public ::testing::Test {
 protected:
  void SetUp() override {
    m_replyLimit = QelSetReplyTimeout(kLimitMs);
    m_pingLimit = QelSetPingTimeout(kLimitMs);
    MapAllPortsNowhere();
    ASSERT_FALSE(StartSimulator().isEmpty());
  }
  void TearDown() override {
    for (int port = 0; port < vorenx::kPortCount; ++port) QelCloseCOM(port);
    QelSetReplyTimeout(m_replyLimit);
    QelSetPingTimeout(m_pingLimit);
  }
  static constexpr int kLimitMs = 1000;
  int m_replyLimit = 0;
  int m_pingLimit = 0;

  static void MapAllPortsNowhere() {
    for (int port = 0; port < vorenx::kPortCount; ++port)
      QelSetPortPath(port, QStringLiteral("/nonexistent/vorenx-test-tty%1").arg(port));
  }
  QString StartSimulator() {
    const QString path = m_sim.Start();
    QelSetPortPath(kSimPort, path);
    return path;
  }
  std::uint16_t Read(Frame& frame) { return QelGetData(kSimPort, frame.data(), 24); }
  // Reads and decodes one frame; fails the test when the read does not return 1.
  InstrumentState ReadState() {
    InstrumentState state;
    EXPECT_EQ(vorenx::probe::ReadState(kSimPort, state), 1);
    return state;
  }

  SimulatedInstrument m_sim;
};

}  // namespace

TEST_F(SerialLink, ProbeFindsTheSimulatorOnlyOnItsPort) {
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(vorenx::probe::FindAnsweringPorts(), std::vector<int>{kSimPort});
  std::printf("[ figure ] probe of 20 ports, one simulator: %lld ms\n", static_cast<long long>(timer.elapsed()));
  EXPECT_EQ(QelLastPortProblem(3).problem, qelhard::PortProblem::NoDevice);
  // The probe leaves the port closed: another program can take it.
  QSerialPort other(m_sim.Path());
  EXPECT_TRUE(other.open(QIODevice::ReadWrite));
}

TEST_F(SerialLink, AFrameDecodesToTheSimulatorsState) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  EXPECT_EQ(QelOpenCOM(kSimPort), 1);  // opening again keeps it open
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
  Frame frame{};
  ASSERT_EQ(Read(frame), 1);
  EXPECT_EQ(frame[0], qelhard::kReplyLead);
  const auto settings = m_sim.Settings();
  InstrumentState state;
  vorenx::DecodeStatusFrame(frame.data(), state);
  EXPECT_EQ(state.upperFunction, settings.upperFunction);
  EXPECT_EQ(state.lowerFunction, settings.lowerFunction);
  EXPECT_EQ(state.outputOff, !settings.outputOn);
  EXPECT_EQ(state.celsius, settings.celsius);
  EXPECT_EQ(state.wiring, vorenx::fc::kNoWiring);  // volts take no wiring
  EXPECT_NEAR(state.upperValue, 12.0, 0.5);          // the simulated 12 V supply
}

TEST_F(SerialLink, SettingsChangeTheInstrumentAndShowInTheNextFrame) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  // PT100/385, four-wire, output on, CJC, ℃, HART, 123.4 ℃.
  EXPECT_EQ(QelSetLower(kSimPort, 19, 0x04 | 0x08 | 0x10 | 0x20 | 0x40, 123.4f), 1);
  InstrumentState s = ReadState();
  EXPECT_EQ(s.lowerFunction, 19);
  EXPECT_EQ(s.wiring, vorenx::fc::kFourWire);
  EXPECT_FALSE(s.outputOff);
  EXPECT_TRUE(s.cjc && s.celsius && s.hart);
  EXPECT_FLOAT_EQ(s.lowerValue, 123.4f);

  EXPECT_EQ(QelSetLower(kSimPort, 13, 0x02, -10.5f), 1);  // TC K, output off, ℉
  s = ReadState();
  EXPECT_EQ(s.lowerFunction, 13);
  EXPECT_TRUE(s.outputOff);
  EXPECT_FALSE(s.celsius || s.cjc || s.hart);
  EXPECT_GT(s.lowerValue, 250.0f);  // measuring about 150 ℃, shown in ℉

  EXPECT_EQ(QelSetUpper(kSimPort, 3), 1);
  EXPECT_EQ(ReadState().upperFunction, 3);
  EXPECT_EQ(QelSetUpper(kSimPort, 2), 1);
  EXPECT_EQ(ReadState().upperFunction, 2);
}

TEST_F(SerialLink, RefusedAndInvalidSettingsChangeNothing) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  const auto before = m_sim.Settings();
  EXPECT_EQ(QelSetUpper(kSimPort, 4), qelhard::kRefused);
  EXPECT_EQ(QelSetLower(kSimPort, 27, 0x02, 1.0f), qelhard::kRefused);
  EXPECT_EQ(QelSetLower(kSimPort, 5, 0x82, 1.0f), qelhard::kRefused);  // bit 7 set
  EXPECT_EQ(QelSetLower(kSimPort, 5, 0x01, 1.0f), qelhard::kRefused);  // one wire
  EXPECT_EQ(QelSetLower(kSimPort, 5 + 256, 0x02, 1.0f), qelhard::kBadArgument);
  EXPECT_EQ(QelSetLower(kSimPort, 5, -1, 1.0f), qelhard::kBadArgument);
  EXPECT_EQ(m_sim.Settings(), before);
}

TEST_F(SerialLink, CallsOnAPortNotOpenOrWithBadArgumentsFailAtOnce) {
  Frame frame{};
  EXPECT_EQ(Read(frame), qelhard::kNotOpen);
  EXPECT_EQ(QelSetUpper(kSimPort, 1), qelhard::kNotOpen);
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  EXPECT_EQ(QelGetData(kSimPort, frame.data(), 23), qelhard::kBadArgument);
  EXPECT_EQ(QelGetData(kSimPort, nullptr, 24), qelhard::kBadArgument);
  EXPECT_EQ(QelGetData(20, frame.data(), 24), qelhard::kBadArgument);
  EXPECT_EQ(QelIsDevConnect(-1), 0);
  EXPECT_EQ(QelOpenCOM(20), 0);
  EXPECT_EQ(QelCloseCOM(kSimPort), 1);
  EXPECT_EQ(QelCloseCOM(kSimPort), 0);
  EXPECT_EQ(Read(frame), qelhard::kNotOpen);
}

TEST_F(SerialLink, EveryBadReplyFailsWithoutTouchingTheBufferAndTheNextCallWorks) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  const struct {
    Fault fault;
    std::uint16_t expected;
  } cases[] = {{Fault::Garbage, qelhard::kMalformed},
               {Fault::BadChecksum, qelhard::kBadChecksum},
               {Fault::Truncated, qelhard::kMalformed},
               {Fault::Silent, qelhard::kNoReply}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    m_sim.InjectFault(c.fault);
    Frame sentinel;
    sentinel.fill(0xEE);
    Frame frame = sentinel;
    EXPECT_EQ(Read(frame), c.expected);
    EXPECT_EQ(frame, sentinel);  // no half frame left behind
    Frame good{};
    EXPECT_EQ(Read(good), 1);
  }
}

TEST_F(SerialLink, BadRepliesToPingsAndSettingsAreNotTakenForAnswers) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  // A corrupted answer still shows that something answers: the ping asks again.
  m_sim.InjectFault(Fault::BadChecksum);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
  // Nothing but corrupted answers: nothing that can be trusted is there.
  m_sim.InjectFault(Fault::Garbage, qelhard::kPingAttempts);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 0);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
  m_sim.InjectFault(Fault::Truncated);
  EXPECT_EQ(QelSetUpper(kSimPort, 2), qelhard::kMalformed);
  EXPECT_EQ(QelSetUpper(kSimPort, 3), 1);
  // A silent instrument on a port never opened: the probe gives up.
  QelCloseCOM(kSimPort);
  m_sim.InjectFault(Fault::Silent, -1);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 0);
  m_sim.InjectFault(Fault::None);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
}

TEST_F(SerialLink, ALateReplyIsNeverTakenForTheAnswerToTheNextRequest) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  m_sim.InjectFault(Fault::Late);
  EXPECT_EQ(QelSetUpper(kSimPort, 9), qelhard::kNoReply);  // its refusal is held back
  // The late refusal arrives while this request waits; only this one's answer counts.
  EXPECT_EQ(QelSetUpper(kSimPort, 2), 1);
  EXPECT_EQ(m_sim.Settings().upperFunction, 2);
}

TEST_F(SerialLink, AnUnpluggedDeviceFailsAndTheLinkRecoversWhenOneAnswersAgain) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  Frame frame{};
  ASSERT_EQ(Read(frame), 1);
  m_sim.Stop();  // the terminal goes away mid-session
  EXPECT_NE(Read(frame), 1);
  EXPECT_NE(Read(frame), 1);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 0);
  EXPECT_NE(QelSetLower(kSimPort, 5, 0x0A, 1.0f), 1);

  SimulatedInstrument replacement;  // plugged in again, at a new path
  const QString path = replacement.Start();
  ASSERT_FALSE(path.isEmpty());
  QelSetPortPath(kSimPort, path);
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
  EXPECT_EQ(Read(frame), 1);
  EXPECT_EQ(QelSetLower(kSimPort, 6, 0x0A, 12.5f), 1);
  EXPECT_EQ(replacement.Settings().lowerFunction, 6);
}

TEST_F(SerialLink, APortHeldByAnotherProgramIsReportedBusy) {
  QSerialPort holder(m_sim.Path());
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
  EXPECT_EQ(QelOpenCOM(kSimPort), 0);
  EXPECT_EQ(QelLastPortProblem(kSimPort).problem, qelhard::PortProblem::Busy);
  // Named by the lock file the holder's QSerialPort keeps: this very process.
  EXPECT_TRUE(QelLastPortProblem(kSimPort).holder.endsWith(
      QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid())))
      << QelLastPortProblem(kSimPort).holder.toStdString();
  EXPECT_EQ(QelIsDevConnect(kSimPort), 0);
  holder.close();
  // The open port is reopened on demand once it is free.
  EXPECT_EQ(QelIsDevConnect(kSimPort), 1);
  EXPECT_EQ(QelLastPortProblem(kSimPort).problem, qelhard::PortProblem::None);
}

TEST_F(SerialLink, OpeningAnotherPortReleasesTheFirst) {
  SimulatedInstrument second;
  const QString path = second.Start();
  ASSERT_FALSE(path.isEmpty());
  QelSetPortPath(kSimPort + 1, path);
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  ASSERT_EQ(QelOpenCOM(kSimPort + 1), 1);
  QSerialPort other(m_sim.Path());
  EXPECT_TRUE(other.open(QIODevice::ReadWrite));
  Frame frame{};
  EXPECT_EQ(QelGetData(kSimPort + 1, frame.data(), 24), 1);
}

TEST_F(SerialLink, WorksFromAWorkerThreadAndClosesFromAnother) {
  // As in the program: the worker (no Qt event loop) makes every call but the
  // last close, which the window's thread makes after the worker ended.
  std::array<std::uint16_t, 5> results{};
  std::thread worker([&] {
    results[0] = static_cast<std::uint16_t>(vorenx::probe::FindAnsweringPorts() == std::vector<int>{kSimPort});
    results[1] = QelOpenCOM(kSimPort);
    results[2] = QelSetLower(kSimPort, 18, 0x0B, 100.0f);
    Frame frame{};
    results[3] = Read(frame);
    InstrumentState state;
    vorenx::DecodeStatusFrame(frame.data(), state);
    results[4] = static_cast<std::uint16_t>(state.lowerFunction == 18 && state.wiring == vorenx::fc::kThreeWire);
  });
  worker.join();
  EXPECT_EQ(results, (std::array<std::uint16_t, 5>{1, 1, 1, 1, 1}));
  EXPECT_EQ(QelCloseCOM(kSimPort), 1);
}

TEST_F(SerialLink, PathsDiagnosesAndOtherPortsAnswerWhileAReadWaitsForItsReply) {
  ASSERT_EQ(QelOpenCOM(kSimPort), 1);
  // The read below waits until the terminal goes away, far longer than the test runs.
  QelSetReplyTimeout(60000);
  m_sim.InjectFault(Fault::Silent);
  const std::uint64_t before = m_sim.RequestCount();
  std::atomic<bool> readEnded{false};
  std::uint16_t readResult = 1;
  std::thread reader([&] {
    Frame frame{};
    readResult = Read(frame);
    readEnded = true;
  });
  while (m_sim.RequestCount() == before) std::this_thread::yield();

  // The reader is inside its exchange: none of these may wait for it.
  EXPECT_EQ(QelPortPath(kSimPort), m_sim.Path());
  EXPECT_TRUE(QelSetPortPath(3, QStringLiteral("/nonexistent/vorenx-test-moved")));
  EXPECT_EQ(QelIsDevConnect(3), 0);
  EXPECT_EQ(QelLastPortProblem(3).problem, qelhard::PortProblem::NoDevice);
  EXPECT_EQ(QelSetPingTimeout(kLimitMs), kLimitMs);
  EXPECT_FALSE(readEnded.load());

  // The terminal goes: a read still waiting fails for that, not for its time limit.
  m_sim.Stop();
  reader.join();
  EXPECT_EQ(readResult, qelhard::kIoError);
}

TEST_F(SerialLink, TwentyEmptyPortsAreProbedToTheEnd) {
  MapAllPortsNowhere();
  QElapsedTimer timer;
  timer.start();
  EXPECT_TRUE(vorenx::probe::FindAnsweringPorts().empty());
  std::printf("[ figure ] probe of 20 ports without device nodes: %lld ms\n",
              static_cast<long long>(timer.elapsed()));
}
