// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The settling rule on series of upper readings: a clean series settles on
// its mean, a noisy one times out at the limit, a NaN breaks the run of
// consecutive readings, and the tick count may wrap in between.
#include <cmath>
#include <gtest/gtest.h>

#include "calib/SettleTracker.h"

namespace vorenx::testing {
namespace {

using State = SettleTracker::State;

// The default rule: 3 readings within 0.008 mA (a tenth of 0.5 % of 16 mA), at most 60 s.
SettleTracker Tracker(std::uint32_t start, int readings = 3) {
  SettleRule rule;
  rule.readings = readings;
  SettleTracker t(rule, 0.008);
  t.Start(start);
  return t;
}

TEST(SettleTracker, CleanSeriesSettlesOnTheMeanOfItsWindow) {
  SettleTracker t = Tracker(1000);
  EXPECT_EQ(t.Add(12.5, 2000), State::Waiting);  // still moving
  EXPECT_EQ(t.Add(12.001, 3000), State::Waiting);
  EXPECT_EQ(t.Add(12.003, 4000), State::Waiting);  // two in the band, one outside
  EXPECT_EQ(t.Add(12.005, 5000), State::Settled);
  EXPECT_NEAR(t.Value(), 12.003, 1e-12);
  EXPECT_EQ(t.ReadingCount(), 4);
  // Settled stays settled, and later readings do not change the value.
  EXPECT_EQ(t.Add(13.0, 6000), State::Settled);
  EXPECT_EQ(t.Check(900000), State::Settled);
  EXPECT_NEAR(t.Value(), 12.003, 1e-12);
}

TEST(SettleTracker, ReadingsStillCreepingTowardTheirValueDoNotSettle) {
  // A lagging transmitter on its way to 12.080 mA: three readings within the
  // band, but rising by 0.006 mA over the window, more than half the band.
  SettleTracker t = Tracker(0);
  EXPECT_EQ(t.Add(12.070, 1000), State::Waiting);
  EXPECT_EQ(t.Add(12.072, 2000), State::Waiting);
  EXPECT_EQ(t.Add(12.076, 3000), State::Waiting);
  EXPECT_EQ(t.Add(12.078, 4000), State::Waiting);  // 0.006 over the window still
  EXPECT_EQ(t.Add(12.079, 5000), State::Settled);  // 0.003: within half the band
  EXPECT_NEAR(t.Value(), (12.076 + 12.078 + 12.079) / 3, 1e-12);
  EXPECT_NEAR(t.Spread(), 0.003, 1e-12);
  EXPECT_EQ(t.WindowCount(), 3);
  // Noise without a trend settles as before.
  SettleTracker noisy = Tracker(0);
  noisy.Add(12.003, 1000);
  noisy.Add(11.997, 2000);
  EXPECT_EQ(noisy.Add(12.002, 3000), State::Settled);
}

TEST(SettleTracker, StandardDeviationOfTheWindowBehindTheValue) {
  SettleTracker t = Tracker(0);
  t.Add(12.5, 1000);  // before the window: not part of it
  EXPECT_TRUE(std::isnan(t.StdDev()));  // one reading has no spread of its own
  t.Add(12.002, 2000);
  t.Add(12.000, 3000);
  EXPECT_EQ(t.Add(12.004, 4000), State::Settled);
  EXPECT_NEAR(t.StdDev(), 0.002, 1e-12);  // n - 1: sqrt((0.002² + 0 + 0.002²) / 2)
  // A timed-out point's value and deviation come from the readings kept.
  SettleTracker late = Tracker(0);
  late.Add(12.0, 1000);
  late.Add(12.5, 2000);
  late.Check(61000);
  EXPECT_NEAR(late.StdDev(), 0.5 / std::sqrt(2.0), 1e-12);
}

TEST(SettleTracker, SpreadAtTheBandEdgeOfThirtyTwoBitReadings) {
  SettleTracker inside = Tracker(0);
  inside.Add(12.0f, 1000);
  inside.Add(12.008f, 2000);  // 12.0080004 as a float: the band but for rounding
  EXPECT_EQ(inside.Add(12.004f, 3000), State::Settled);

  SettleTracker outside = Tracker(0);
  outside.Add(12.0f, 1000);
  outside.Add(12.0081f, 2000);
  EXPECT_EQ(outside.Add(12.004f, 3000), State::Waiting);
}

TEST(SettleTracker, NoisySeriesTimesOutAtTheLimit) {
  SettleTracker t = Tracker(5000);
  // ±0.01 mA of noise is wider than the 0.008 mA band: never three in a row.
  for (std::uint32_t s = 1; s <= 60; ++s)
    EXPECT_EQ(t.Add(s % 2 ? 12.01 : 11.99, 5000 + s * 1000), State::Waiting) << s;
  EXPECT_EQ(t.Check(65000), State::Waiting);  // exactly 60 s: still allowed
  EXPECT_EQ(t.Check(65001), State::TimedOut);
  EXPECT_EQ(t.ReadingCount(), 60);
  // The newest three readings: 11.99, 12.01, 11.99.
  EXPECT_NEAR(t.Value(), (11.99 + 12.01 + 11.99) / 3, 1e-12);
  EXPECT_EQ(t.Add(12.0, 66000), State::TimedOut);
}

TEST(SettleTracker, ReadingAfterTheLimitTimesOutWithoutCounting) {
  SettleTracker t = Tracker(0);
  t.Add(12.0, 1000);
  t.Add(12.0, 2000);
  EXPECT_EQ(t.Add(12.0, 60001), State::TimedOut);
  EXPECT_EQ(t.ReadingCount(), 2);
  EXPECT_DOUBLE_EQ(t.Value(), 12.0);
}

TEST(SettleTracker, QuietLinkTimesOutWithNoValue) {
  SettleTracker t = Tracker(100);
  EXPECT_EQ(t.Check(30000), State::Waiting);
  EXPECT_EQ(t.Check(60101), State::TimedOut);
  EXPECT_TRUE(std::isnan(t.Value()));
  EXPECT_EQ(t.ReadingCount(), 0);
}

TEST(SettleTracker, NanBreaksTheRun) {
  SettleTracker t = Tracker(0);
  t.Add(12.0, 1000);
  t.Add(12.0, 2000);
  EXPECT_EQ(t.Add(std::nan(""), 3000), State::Waiting);
  EXPECT_EQ(t.Add(12.001, 4000), State::Waiting);  // three finite, but not in a row
  EXPECT_EQ(t.Add(12.002, 5000), State::Waiting);
  EXPECT_EQ(t.Add(std::numeric_limits<double>::infinity(), 5500), State::Waiting);
  t.Add(12.001, 6000);
  t.Add(12.002, 7000);
  EXPECT_EQ(t.Add(12.003, 8000), State::Settled);
  EXPECT_NEAR(t.Value(), 12.002, 1e-12);
  EXPECT_EQ(t.ReadingCount(), 9);
}

TEST(SettleTracker, TimedOutValueSkipsNan) {
  SettleTracker t = Tracker(0);
  t.Add(12.0, 1000);
  t.Add(12.5, 2000);
  t.Add(std::nan(""), 3000);
  EXPECT_EQ(t.Check(61000), State::TimedOut);
  EXPECT_DOUBLE_EQ(t.Value(), 12.25);  // fewer than three: the ones there are
}

TEST(SettleTracker, TickWrapBetweenStartAndReadings) {
  const std::uint32_t start = 0xFFFFF000u;  // 4096 ms before the count wraps
  SettleTracker t = Tracker(start);
  EXPECT_EQ(t.Add(12.0, start + 1000), State::Waiting);
  EXPECT_EQ(t.Add(12.001, start + 5000), State::Waiting);  // after the wrap
  EXPECT_EQ(t.Check(start + 60000), State::Waiting);
  EXPECT_EQ(t.Add(12.002, start + 9000), State::Settled);
  EXPECT_NEAR(t.Value(), 12.001, 1e-12);

  SettleTracker late = Tracker(start);
  EXPECT_EQ(late.Check(start + 60000), State::Waiting);
  EXPECT_EQ(late.Check(start + 60001), State::TimedOut);
}

TEST(SettleTracker, ReadingStampedBeforeTheStartIsIgnored) {
  SettleTracker t = Tracker(10000);
  EXPECT_EQ(t.Add(12.0, 9000), State::Waiting);  // not a huge elapsed time either
  EXPECT_EQ(t.Check(9500), State::Waiting);
  EXPECT_EQ(t.ReadingCount(), 0);
}

TEST(SettleTracker, StartBeginsANewPoint) {
  SettleTracker t = Tracker(0, 1);
  EXPECT_EQ(t.Add(4.0, 100), State::Settled);  // one reading is a run of one
  t.Start(200000);
  EXPECT_EQ(t.Current(), State::Waiting);
  EXPECT_EQ(t.ReadingCount(), 0);
  EXPECT_TRUE(std::isnan(t.Value()));
  EXPECT_EQ(t.Add(8.0, 201000), State::Settled);
  EXPECT_DOUBLE_EQ(t.Value(), 8.0);
}

}  // namespace
}  // namespace vorenx::testing
