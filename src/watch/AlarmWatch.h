// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Alarm limits of one display and the watch that decides, reading by
// reading, when an alarm is raised and when it clears.
//
// A reading above the high limit (or below the low one) raises the alarm.
// It clears only once a reading is back inside by the hysteresis: at or below
// high - hysteresis (at or above low + hysteresis). A value that jitters
// around the limit by less than the hysteresis therefore raises once and
// never chatters. A reading that jumps from beyond one limit to beyond the
// other keeps the alarm raised, now for the other limit, and says so as a new
// raise. Readings that are not finite numbers change nothing.
//
// Not thread-safe: the station keeps its watches under its own lock.

#include <QString>
#include <optional>

namespace vorenx {

struct AlarmLimits {
  std::optional<double> high;
  std::optional<double> low;
  double hysteresis = 0.0;  // in the display's unit, 0 or more

  bool Any() const { return high.has_value() || low.has_value(); }
  friend bool operator==(const AlarmLimits&, const AlarmLimits&) = default;
};

// Why `limits` cannot be used ("the low limit must be below the high
// limit", ...); empty when they can. Limits that are not finite numbers, a
// negative hysteresis and a band narrower than twice the hysteresis (where
// clearing one alarm would raise the other) are refused.
QString AlarmLimitsProblem(const AlarmLimits& limits);

enum class AlarmSide { None, High, Low };
enum class AlarmChange { None, Raised, Cleared };

// What one reading did: the change, and the limit it concerns.
struct AlarmEvent {
  AlarmChange change = AlarmChange::None;
  AlarmSide side = AlarmSide::None;  // the limit crossed (Raised) or the one cleared
  double value = 0.0;                // the reading
  double limit = 0.0;                // that limit's value
};

class AlarmWatch {
 public:
  AlarmWatch() = default;
  explicit AlarmWatch(const AlarmLimits& limits) : m_limits(limits) {}

  // New limits; the state is kept and the next reading is judged by them (an
  // alarm whose limit is gone clears with it).
  void SetLimits(const AlarmLimits& limits) { m_limits = limits; }
  const AlarmLimits& Limits() const { return m_limits; }

  // Judges one reading.
  AlarmEvent Feed(double value);
  // Forgets a raised alarm without an event (a function change).
  void Reset() { m_side = AlarmSide::None; }

  bool Raised() const { return m_side != AlarmSide::None; }
  AlarmSide Side() const { return m_side; }

 private:
  // The side `value` is beyond, or None.
  AlarmSide Beyond(double value) const;
  // True while `value` has not come back inside `side`'s limit by the hysteresis.
  bool StillBeyond(AlarmSide side, double value) const;
  double LimitOf(AlarmSide side) const;

  AlarmLimits m_limits;
  AlarmSide m_side = AlarmSide::None;
  double m_raisedLimit = 0.0;  // the limit the raised alarm was raised for
};

// A reading or limit as alarms write it: the shortest text that reads back
// as the same value, taken as a 32-bit number when it is one (the
// instrument's readings are), "." whatever the locale; "nan", "inf" and
// "-inf" for the others.
QString AlarmNumberText(double value);

// "high" or "low" (empty for None).
QString AlarmSideText(AlarmSide side);

}  // namespace vorenx
