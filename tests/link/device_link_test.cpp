// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CDeviceLink: the poll throttle, the read conditions, decoding into m_state,
// the history append, SendLower's mode byte, and closing the port.
#include <gtest/gtest.h>

#include <memory>

#include "FakeQelHardDll.h"
#include "link/CDeviceLink.h"
#include "link/StatusFrame.h"

using namespace vorenx;
using vorenx::testing::FakeQelHardDll;

namespace {

class DeviceLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link = std::make_unique<CDeviceLink>(
        hard, [this] { return tick; }, [] { return LocalTime{2026, 1, 5, 9, 3, 7, 0}; });
    link->m_connected = 1;
    link->m_port = 3;
    // A frame: upper 1.234 V, lower K thermocouple 25.0 ℃, output on.
    std::array<unsigned char, 24> f{};
    f[StatusFrame::kUpperFunction] = 0x10;
    f[StatusFrame::kUpperDigits + 1] = 1;
    f[StatusFrame::kUpperDigits + 2] = 2;
    f[StatusFrame::kUpperDigits + 3] = 3;
    f[StatusFrame::kUpperDigits + 4] = 4;
    f[StatusFrame::kUpperExponent] = 3;
    f[StatusFrame::kFlags] = 0x12;
    f[StatusFrame::kLowerFunction] = 0x34;
    f[StatusFrame::kLowerDigits + 3] = 2;
    f[StatusFrame::kLowerDigits + 4] = 5;
    f[StatusFrame::kWiring] = 3;
    hard.SetFrame(f);
  }

  FakeQelHardDll hard;
  std::uint32_t tick = 100000;
  std::unique_ptr<CDeviceLink> link;
};

TEST_F(DeviceLinkTest, DefaultsMatchTheInstrumentAtRest) {
  CDeviceLink fresh(hard);
  EXPECT_FALSE(fresh.m_readOnce);
  EXPECT_EQ(fresh.m_connected, 0);
  EXPECT_EQ(fresh.m_running, 1);
  EXPECT_EQ(fresh.m_port, 5);
  EXPECT_EQ(fresh.m_intervalIndex, 1);
  EXPECT_EQ(fresh.m_lastPollTick, 0u);
  EXPECT_EQ(fresh.m_state, InstrumentState{});
  EXPECT_EQ(fresh.Request(), fresh.State());
  EXPECT_EQ(fresh.m_state.upperFunction, 1);
  EXPECT_EQ(fresh.m_state.lowerFunction, 5);
  EXPECT_EQ(fresh.m_state.wiring, 28);
  EXPECT_EQ(fresh.History().SampleCount(), 0);
}

TEST_F(DeviceLinkTest, ThrottleLetsOneReadPerInterval) {
  link->m_intervalIndex = 1;  // 2 s
  EXPECT_EQ(link->Poll(), 1);
  tick += 1999;
  EXPECT_EQ(link->Poll(), 0);
  EXPECT_EQ(hard.Count("GetData"), 1);

  link->m_lastPollTick = tick = 500000;
  tick += 2000;
  EXPECT_EQ(link->Poll(), 1);
  tick += 2000;
  EXPECT_EQ(link->Poll(), 1);
  EXPECT_EQ(hard.Count("GetData"), 3);
}

TEST_F(DeviceLinkTest, ThrottleFollowsTheIntervalIndexAndTheTickWrap) {
  link->m_intervalIndex = 3;  // 10 s
  link->m_lastPollTick = 0xFFFFF000u;
  tick = 0xFFFFF000u + 9999;  // wraps past zero
  EXPECT_EQ(link->Poll(), 0);
  tick = 0xFFFFF000u + 10000;
  EXPECT_EQ(link->Poll(), 1);
  EXPECT_EQ(link->m_lastPollTick, tick);
}

TEST_F(DeviceLinkTest, PausedPollingReadsOnlyWhenAskedOnce) {
  link->m_running = 0;
  EXPECT_EQ(link->Poll(), 0);
  EXPECT_EQ(hard.Count("GetData"), 0);
  EXPECT_EQ(link->m_lastPollTick, tick);  // the tick still moved on

  tick += 2000;
  link->m_readOnce = true;
  EXPECT_EQ(link->Poll(), 1);
  EXPECT_FALSE(link->m_readOnce);
  tick += 2000;
  EXPECT_EQ(link->Poll(), 0);
  EXPECT_EQ(hard.Count("GetData"), 1);
}

TEST_F(DeviceLinkTest, DisconnectedLinkNeitherReadsNorTakesTheTick) {
  link->m_connected = 0;
  EXPECT_EQ(link->Poll(), 0);
  EXPECT_EQ(link->m_lastPollTick, 0u);
  EXPECT_TRUE(hard.Calls().isEmpty());
}

TEST_F(DeviceLinkTest, GoodFrameIsDecodedAndAppended) {
  EXPECT_EQ(link->Poll(), 1);
  EXPECT_EQ(hard.Calls(), QStringList{"GetData(3,24)"});
  const InstrumentState s = link->State();
  EXPECT_FLOAT_EQ(s.upperValue, 1.234f);
  EXPECT_EQ(s.lowerFunction, 13);
  EXPECT_FLOAT_EQ(s.lowerValue, 25.0f);
  EXPECT_TRUE(s.celsius);
  EXPECT_EQ(s.wiring, 29);
  QString time, upper, lower;
  ASSERT_TRUE(link->NewestTexts(time, upper, lower));
  EXPECT_EQ(time, "05/01  09:03:07");
  EXPECT_EQ(upper, "1.234V");
  EXPECT_EQ(lower, QString::fromUtf8("25.000℃"));
  EXPECT_EQ(link->Request(), InstrumentState{});  // the request is the worker's to copy
}

TEST_F(DeviceLinkTest, FailedReadsChangeNothingAndAreReturnedAsTheyCome) {
  link->m_readOnce = true;
  for (std::uint16_t result : {0, 2, 3, 4, 0xFFFF}) {
    hard.SetFrame(hard.frame, result);
    tick += 2000;
    EXPECT_EQ(link->Poll(), result);
    EXPECT_FALSE(link->m_readOnce);
    EXPECT_EQ(link->State(), InstrumentState{});
    EXPECT_EQ(link->History().SampleCount(), 0);
  }
  hard.SetFrame(hard.frame, 1);
  tick += 2000;
  EXPECT_EQ(link->Poll(), 1);
  EXPECT_EQ(link->History().SampleCount(), 1);
}

TEST_F(DeviceLinkTest, ModeByteForEveryFlagAndWiring) {
  InstrumentState r;
  r.outputOff = true;
  EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x02);
  r.outputOff = false;
  EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x0A);
  r.cjc = true;
  EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x1A);
  r.celsius = true;
  EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x3A);
  r.hart = true;
  EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x7A);
  const std::pair<FunctionCode, int> wirings[] = {{28, 2}, {29, 3}, {30, 4}, {31, 2}, {0, 2}, {5, 2}};
  for (auto [wiring, bits] : wirings) {
    r.wiring = wiring;
    EXPECT_EQ(CDeviceLink::LowerModeByte(r), 0x78 + bits) << int(wiring);
    EXPECT_EQ(CDeviceLink::LowerModeByte(r) & 0x80, 0);
  }
}

// A side stays pending while its command waits; taking the command clears
// that side only, and a change after the take is pending again.
TEST_F(DeviceLinkTest, TakingASideCommandClearsThatSidesPendingFlagOnly) {
  CommandQueue queue;
  link->ChangeRequest(
      CDeviceLink::Side::Lower,
      [](InstrumentState& r) {
        r.lowerFunction = 19;
        r.lowerValue = 100.5f;
        r.wiring = 30;
        r.celsius = true;
      },
      queue, {CmdSetSource, 0});
  link->ChangeRequest(CDeviceLink::Side::Upper, [](InstrumentState& r) { r.upperFunction = 3; }, queue,
                      {CmdSetUpper, 0});
  queue.PostCommand({CmdSetDisplayWave, 1});
  EXPECT_EQ(link->m_lowerPending, 1);
  EXPECT_EQ(link->TakeCommand(queue), (SettingCommand{CmdSetSource, 0}));
  EXPECT_EQ(link->m_lowerPending, 0);
  EXPECT_EQ(link->m_upperPending, 1);
  link->ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) { r.hart = true; }, queue,
                      {CmdSetSource, 0});
  EXPECT_EQ(link->TakeCommand(queue), (SettingCommand{CmdSetUpper, 0}));
  EXPECT_EQ(link->m_upperPending, 0);
  EXPECT_EQ(link->m_lowerPending, 1);
  EXPECT_EQ(link->TakeCommand(queue).type, CmdSetDisplayWave);
  EXPECT_EQ(link->m_lowerPending, 1);

  EXPECT_EQ(link->SendLower(), 1);
  EXPECT_EQ(hard.Calls(), QStringList{"SetLower(3,19,0x6c,100.5)"});
  link->m_connected = 0;
  EXPECT_EQ(link->SendLower(), 0);
  EXPECT_EQ(hard.Calls().size(), 1);
}

TEST_F(DeviceLinkTest, SyncKeepsPendingSidesAndCopiesTheRest) {
  EXPECT_EQ(link->Poll(), 1);
  link->ChangeRequest(CDeviceLink::Side::Upper, [](InstrumentState& r) { r.upperFunction = 3; });
  link->SyncRequestFromState();
  InstrumentState r = link->Request();
  EXPECT_EQ(r.upperFunction, 3);
  EXPECT_EQ(r.lowerFunction, 13);
  EXPECT_TRUE(r.celsius);

  link->m_upperPending = 0;
  link->ChangeRequest(CDeviceLink::Side::Lower, [](InstrumentState& r) { r.lowerFunction = 18; });
  link->SyncRequestFromState();
  r = link->Request();
  EXPECT_EQ(r.upperFunction, 1);
  EXPECT_EQ(r.lowerFunction, 18);
}

TEST_F(DeviceLinkTest, DestructionClosesTheLastPort) {
  link->m_port = 7;
  link.reset();
  EXPECT_EQ(hard.Calls(), QStringList{"CloseCOM(7)"});
}

TEST_F(DeviceLinkTest, OutOfRangeIntervalIndexFallsBackToTwoSeconds) {
  link->m_intervalIndex = 9;
  EXPECT_EQ(link->IntervalMs(), 2000u);
  link->m_intervalIndex = 0;
  EXPECT_EQ(link->IntervalMs(), 1000u);
  EXPECT_FLOAT_EQ(link->IntervalSeconds(), 1.0f);
}

}  // namespace
