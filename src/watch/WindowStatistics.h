// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The same statistics as ReadingStatistics over a sliding window: the newest
// `capacity` readings (the samples the wave shows). Kept incrementally:
// Welford's update forwards for the reading that comes and backwards for the
// one that leaves, minimum and maximum from two monotonic queues, so each
// reading costs O(1) amortised whatever the window's length. The backward
// step loses a little precision each time; after as many removals as the
// window holds the sums are taken again from the kept readings (amortised
// O(1) too), so rounding never piles up over a long run.
//
// Not thread-safe, like ReadingStatistics.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>

namespace vorenx {

class WindowStatistics {
 public:
  explicit WindowStatistics(std::size_t capacity = 240);

  // A new window length (at least 1); the oldest readings beyond it go.
  void SetCapacity(std::size_t capacity);
  std::size_t Capacity() const { return m_capacity; }

  // Takes one reading, finite or not; the oldest leaves once the window is full.
  void Add(double value);
  void Reset();

  // Readings in the window: finite ones, and the others (skipped).
  std::uint64_t Count() const { return m_count; }
  std::uint64_t Skipped() const { return m_values.size() - m_count; }
  // NaN while Count() is 0 (SampleStdDev: below two).
  double Min() const;
  double Max() const;
  double Mean() const;
  double SampleStdDev() const;

 private:
  using Entry = std::pair<std::uint64_t, double>;  // reading's number, value
  void DropOldest();
  // The mean and sum of squares again from the kept readings.
  void Recompute();

  std::size_t m_capacity;
  std::deque<double> m_values;  // oldest first, non-finite ones included
  std::uint64_t m_next = 0;     // number of the next reading
  std::uint64_t m_count = 0;    // finite readings in the window
  double m_mean = 0.0;
  double m_m2 = 0.0;
  std::size_t m_removedSinceRecompute = 0;
  std::deque<Entry> m_minQueue;  // increasing values, oldest first
  std::deque<Entry> m_maxQueue;  // decreasing values, oldest first
};

}  // namespace vorenx
