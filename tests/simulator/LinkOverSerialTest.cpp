// The instrument link on the real serial path: CDeviceLink bound to the
// communication library, talking to the simulator over a pseudo-terminal.
// Every kind of bad reply must leave the decoded state and the history as
// they were, and the next poll must work again.
#include <gtest/gtest.h>

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
  EXPECT_EQ(link.History().SampleCount(), 2);
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
