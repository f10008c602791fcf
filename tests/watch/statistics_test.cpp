// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The incremental statistics against references the test computes its own
// way (two passes in long double over the kept readings).
#include <cmath>
#include <deque>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

#include "TestScale.h"
#include "watch/ReadingStatistics.h"
#include "watch/WindowStatistics.h"

namespace vorenx {
namespace {

struct Reference {
  std::size_t count = 0;
  double min = 0.0, max = 0.0, mean = 0.0, stdDev = 0.0;
};

template <typename Range>
Reference TwoPass(const Range& values) {
  Reference r;
  long double sum = 0.0L;
  for (const double v : values) {
    if (!std::isfinite(v)) continue;
    if (r.count == 0 || v < r.min) r.min = v;
    if (r.count == 0 || v > r.max) r.max = v;
    sum += v;
    ++r.count;
  }
  if (r.count == 0) return r;
  const long double mean = sum / static_cast<long double>(r.count);
  long double squares = 0.0L;
  for (const double v : values)
    if (std::isfinite(v)) squares += (v - mean) * (v - mean);
  r.mean = static_cast<double>(mean);
  r.stdDev = r.count > 1 ? static_cast<double>(std::sqrt(squares / static_cast<long double>(r.count - 1))) : 0.0;
  return r;
}

::testing::AssertionResult Near(double got, double want, double relative) {
  const double bound = relative * std::max(std::abs(want), 1e-300);
  if (std::abs(got - want) <= bound) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << got << " differs from " << want << " by " << std::abs(got - want)
                                       << " (bound " << bound << ")";
}

// A reading of a transmitter: a large offset with small noise (the case a
// naive sum of squares gets wrong), now and then an open input or an overload.
double NextReading(std::mt19937_64& random, std::size_t& nonFinite) {
  std::uniform_real_distribution<double> noise(-0.05, 0.05);
  std::uniform_int_distribution<int> rare(0, 999);
  const int roll = rare(random);
  if (roll == 0) {
    ++nonFinite;
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (roll == 1) {
    ++nonFinite;
    return (random() & 1) ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
  }
  return 1.0e4 + noise(random);
}

TEST(ReadingStatistics, AMillionReadingsMatchTheTwoPassReferenceAndCountWhatWasLeftOut) {
  const std::size_t n = testing::Scaled(1'000'000, 20);
  std::mt19937_64 random(24);
  std::vector<double> values(n);
  std::size_t nonFinite = 0;
  for (double& v : values) v = NextReading(random, nonFinite);

  ReadingStatistics stats;
  for (const double v : values) stats.Add(v);
  const Reference ref = TwoPass(values);
  ASSERT_GT(nonFinite, 0u);
  EXPECT_EQ(stats.Count(), ref.count);
  EXPECT_EQ(stats.Count() + stats.Skipped(), n);
  EXPECT_EQ(stats.Skipped(), nonFinite);
  EXPECT_EQ(stats.Min(), ref.min);
  EXPECT_EQ(stats.Max(), ref.max);
  EXPECT_TRUE(Near(stats.Mean(), ref.mean, 1e-9));
  EXPECT_TRUE(Near(stats.SampleStdDev(), ref.stdDev, 1e-9));
}

TEST(ReadingStatistics, SmallCountsAndResetHaveNoNumbersToShow) {
  ReadingStatistics stats;
  EXPECT_TRUE(std::isnan(stats.Mean()));
  EXPECT_TRUE(std::isnan(stats.Min()));
  stats.Add(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(stats.Count(), 0u);
  EXPECT_EQ(stats.Skipped(), 1u);
  EXPECT_TRUE(std::isnan(stats.Max()));
  stats.Add(2.5);
  EXPECT_EQ(stats.Mean(), 2.5);
  EXPECT_TRUE(std::isnan(stats.SampleStdDev()));  // n - 1 = 0
  stats.Add(3.5);
  EXPECT_DOUBLE_EQ(stats.SampleStdDev(), std::sqrt(0.5));
  for (int i = 0; i < 1000; ++i) stats.Add(7.1);
  stats.Reset();
  EXPECT_EQ(stats.Count(), 0u);
  EXPECT_EQ(stats.Skipped(), 0u);
  stats.Add(7.1);
  stats.Add(7.1);
  EXPECT_EQ(stats.Mean(), 7.1);
  EXPECT_EQ(stats.SampleStdDev(), 0.0);
}

TEST(WindowStatistics, FollowsTheNewestReadingsThroughALongRunAndLengthChanges) {
  std::mt19937_64 random(7);
  WindowStatistics window(240);
  std::deque<double> kept;
  std::size_t capacity = 240;
  std::size_t unused = 0;
  const std::size_t n = testing::Scaled(200'000, 20);
  for (std::size_t i = 0; i < n; ++i) {
    const double v = NextReading(random, unused);
    window.Add(v);
    kept.push_back(v);
    if (kept.size() > capacity) kept.pop_front();
    if (i == n / 3) capacity = 20;      // shorter: the oldest go at once
    if (i == 2 * n / 3) capacity = 1200;  // longer: it fills up again
    if (i == n / 3 || i == 2 * n / 3) {
      window.SetCapacity(capacity);
      while (kept.size() > capacity) kept.pop_front();
    }
    if (i % 997 != 0 && i != n - 1) continue;
    SCOPED_TRACE(i);
    const Reference ref = TwoPass(kept);
    ASSERT_EQ(window.Count(), ref.count);
    ASSERT_EQ(window.Count() + window.Skipped(), kept.size());
    ASSERT_EQ(window.Min(), ref.min);
    ASSERT_EQ(window.Max(), ref.max);
    ASSERT_TRUE(Near(window.Mean(), ref.mean, 1e-9));
    if (ref.count > 1) {
      ASSERT_TRUE(Near(window.SampleStdDev(), ref.stdDev, 1e-9));
    }
  }
}

TEST(WindowStatistics, AWindowOfOnlyNonFiniteReadingsShowsNothingAndRecovers) {
  WindowStatistics window(3);
  window.Add(5.0);
  for (int i = 0; i < 3; ++i) window.Add(std::numeric_limits<double>::infinity());
  EXPECT_EQ(window.Count(), 0u);
  EXPECT_EQ(window.Skipped(), 3u);
  EXPECT_TRUE(std::isnan(window.Min()));
  window.Add(1.0);
  window.Add(3.0);
  EXPECT_EQ(window.Count(), 2u);
  EXPECT_EQ(window.Skipped(), 1u);
  EXPECT_EQ(window.Min(), 1.0);
  EXPECT_EQ(window.Max(), 3.0);
  EXPECT_EQ(window.Mean(), 2.0);
  window.Reset();
  EXPECT_EQ(window.Count() + window.Skipped(), 0u);
  EXPECT_EQ(window.Capacity(), 3u);
}

}  // namespace
}  // namespace vorenx
