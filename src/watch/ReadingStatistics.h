// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Statistics of a stream of readings, kept incrementally: count, minimum,
// maximum, mean and sample standard deviation (n - 1) by Welford's update, so
// that a million readings cost a million small steps and nothing is read
// twice. Readings that are not finite numbers (NaN, infinities: an open
// thermocouple, an overload) are left out and counted on their own.
//
// Not thread-safe: one owner feeds and reads it (the station keeps its own
// under a lock).

#include <cstdint>

namespace vorenx {

class ReadingStatistics {
 public:
  // Takes one reading; a NaN or an infinity only counts as skipped.
  void Add(double value);
  // Forgets everything: as if no reading had come.
  void Reset();

  // Finite readings taken since the last reset.
  std::uint64_t Count() const { return m_count; }
  // Readings left out because they were not finite numbers.
  std::uint64_t Skipped() const { return m_skipped; }
  // NaN while Count() is 0.
  double Min() const;
  double Max() const;
  double Mean() const;
  // The sample standard deviation (divides by n - 1); NaN below two readings.
  double SampleStdDev() const;

 private:
  std::uint64_t m_count = 0;
  std::uint64_t m_skipped = 0;
  double m_mean = 0.0;
  double m_m2 = 0.0;  // sum of squared distances from the mean
  double m_min = 0.0;
  double m_max = 0.0;
};

}  // namespace vorenx
