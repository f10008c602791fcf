// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The settling rule applied to one test point's upper readings as they arrive.
// Pure: the time of each reading is passed in (milliseconds of any clock).

#include <cstdint>
#include <deque>

#include "calib/CalibrationSetup.h"

namespace vorenx {

class SettleTracker {
 public:
  enum class State { Waiting, Settled, TimedOut };

  // `band` is the allowed spread (max - min) in output units. A window settles
  // when its spread is within the band and it shows no trend: the
  // least-squares slope over the window times the window's length in time
  // within half the band (readings still creeping toward their end value do
  // not count as settled even when they lie close together).
  SettleTracker(const SettleRule& rule, double band);
  // Starts over for a new point at `startMs`.
  void Start(std::uint32_t startMs);
  // Adds a reading taken at `ms`; a reading that is not finite breaks the run
  // of consecutive readings. Returns the state after it.
  State Add(double value, std::uint32_t ms);
  // Checks the timeout without a reading (a quiet link still times out).
  State Check(std::uint32_t ms);
  State Current() const { return m_state; }
  // The mean of the readings that settled, or after a timeout of the newest
  // readings kept (NaN when none came).
  double Value() const;
  // Readings seen since Start.
  int ReadingCount() const { return m_count; }
  // The spread (max - min) of the readings behind Value(), and how many there
  // are (NaN and 0 when none came).
  double Spread() const;
  int WindowCount() const { return static_cast<int>(m_window.size()); }
  // The standard deviation (n - 1) of the readings behind Value(): the
  // repeatability of the point (NaN below two readings).
  double StdDev() const;

 private:
  // True when `ms` lies after the start by more than the time limit.
  bool Late(std::uint32_t ms) const;
  // True when the window's fitted line moves less than half the band over it.
  bool Flat() const;

  SettleRule m_rule;
  double m_band;
  std::uint32_t m_startMs = 0;
  std::deque<double> m_window;
  std::deque<std::uint32_t> m_times;  // ms after the start of each reading in the window
  int m_count = 0;
  int m_run = 0;  // consecutive finite readings, up to rule.readings
  State m_state = State::Waiting;
};

}  // namespace vorenx
