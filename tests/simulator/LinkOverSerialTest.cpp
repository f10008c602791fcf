// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The instrument link on the real serial path: CDeviceLink bound to the
// communication library, talking to the simulator over a pseudo-terminal.
// Every kind of bad reply must leave the decoded state and the history as
// they were, and the next poll must work again.
#include <gtest/gtest.h>

#include <cmath>

#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "link/CDeviceLink.h"

using namespace vorenx;
using sim::Fault;

namespace {

constexpr int kPort = 9;

class LinkOverSerial : public ::testing::Test {
 protected:
  void SetUp() override {
    path = simulator.Start();
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(QelSetPortPath(kPort, path));
    link.m_port = kPort;
    ASSERT_EQ(link.Library().QelOpenCOM(kPort), 1);
    link.m_connected = 1;
  }

  // One poll that passes the throttle.
  std::uint16_t PollOnce() {
    tick += 2000;
    return link.Poll();
  }

  sim::SimulatedInstrument simulator;
  QString path;
  std::uint32_t tick = 10000;
  CDeviceLink link{DefaultQelHardDll(), [this] { return tick; },
                   [] { return LocalTime{2026, 12, 8, 10, 0, 0, 0}; }};
};

TEST_F(LinkOverSerial, SendLowerReachesTheInstrumentAndTheNextFrameShowsIt) {
  ASSERT_EQ(PollOnce(), 1);
  link.ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) {
    r.lowerFunction = 18;
    r.lowerValue = 250.5f;
    r.outputOff = false;
    r.wiring = 30;
  });
  link.SendLower();
  ASSERT_EQ(PollOnce(), 1);
  const InstrumentState s = link.State();
  EXPECT_EQ(s.lowerFunction, 18);
  EXPECT_FALSE(s.outputOff);
  EXPECT_EQ(s.wiring, 30);
  EXPECT_NEAR(s.lowerValue, 250.5f, 0.01f);
  QString time, upper, lower;
  ASSERT_TRUE(link.NewestTexts(time, upper, lower));
  EXPECT_EQ(lower, QString::fromUtf8("250.500Ω"));
  EXPECT_EQ(link.History().SampleCount(), 1);  // another function: the history started over
}

TEST_F(LinkOverSerial, ATransmitterUnderTestAnswersTheSourceOnTheUpperDisplay) {
  const sim::DutParse dut = sim::ParseDutSpec("input=7,output=2,span=4:20,gain=1.01");
  ASSERT_TRUE(dut.dutSpec) << dut.error;
  simulator.SetDut(dut.dutSpec);  // while the simulator answers
  ASSERT_EQ(link.Library().QelSetUpper(kPort, fc::kUpperCurrent), 1);
  auto source = [this](bool on) {
    link.ChangeRequest(CDeviceLink::Side::Lower, [on](InstrumentState& r) {
      r.lowerFunction = fc::kCurrent;
      r.lowerValue = 20.0f;
      r.outputOff = !on;
    });
    link.SendLower();
    EXPECT_EQ(PollOnce(), 1);
    return link.State();
  };
  const InstrumentState on = source(true);
  EXPECT_EQ(on.upperFunction, fc::kUpperCurrent);
  EXPECT_NEAR(on.upperValue, 4.0 + 1.01 * 16.0, 0.0005);  // 20.16 mA for 20 mA in
  EXPECT_NEAR(on.lowerValue, 20.0f, 0.0005f);
  EXPECT_NEAR(source(false).upperValue, 4.0, 0.0005);  // output off: the input sees 0 %
  simulator.SetDut(std::nullopt);
  EXPECT_EQ(PollOnce(), 1);
  EXPECT_GT(std::fabs(link.State().upperValue - 4.0f), 1.0f);  // the simulator's own drifting 8 mA
}

TEST_F(LinkOverSerial, BadRepliesChangeNothingAndTheNextPollWorks) {
  ASSERT_EQ(PollOnce(), 1);
  for (Fault fault : {Fault::Garbage, Fault::BadChecksum, Fault::Truncated, Fault::Silent, Fault::Late}) {
    const InstrumentState before = link.State();
    const int count = link.History().SampleCount();
    simulator.InjectFault(fault);
    EXPECT_NE(PollOnce(), 1) << static_cast<int>(fault);
    EXPECT_EQ(link.State(), before) << static_cast<int>(fault);
    EXPECT_EQ(link.History().SampleCount(), count) << static_cast<int>(fault);
    EXPECT_EQ(PollOnce(), 1) << "after " << static_cast<int>(fault);
  }
}

TEST_F(LinkOverSerial, UnpluggedInstrumentFailsThenRecoversOnANewTerminal) {
  ASSERT_EQ(PollOnce(), 1);
  const int count = link.History().SampleCount();
  simulator.Stop();
  EXPECT_NE(PollOnce(), 1);
  EXPECT_EQ(link.Library().QelIsDevConnect(kPort), 0);
  EXPECT_EQ(link.History().SampleCount(), count);

  sim::SimulatedInstrument replacement;
  const QString again = replacement.Start();
  ASSERT_FALSE(again.isEmpty());
  ASSERT_TRUE(QelSetPortPath(kPort, again));
  EXPECT_EQ(link.Library().QelIsDevConnect(kPort), 1);
  EXPECT_EQ(PollOnce(), 1);
  EXPECT_EQ(link.History().SampleCount(), count + 1);
  link.Library().QelCloseCOM(kPort);
}

}  // namespace
