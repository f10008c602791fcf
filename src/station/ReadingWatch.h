// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the station watches in its readings: per display the statistics since
// the last reset and over the wave's window, and the alarm limits with their
// watch. Fed on the worker with every decoded reading (the same ones the
// journal gets), read and set from any thread: one lock of its own, held only
// for the few steps of a feed, a change or a snapshot.
//
// Limits belong to the unit they were set in (the display's unit then, or
// that of the first reading when none had come): while the display shows
// another unit (a function change from mA to ℃) they are not judged, and an
// alarm raised before the change clears. The statistics since a reset start
// over on their own when a display's unit or function changes, and the
// window's whenever the sample history starts over, so they never mix two
// quantities.

#include <QString>
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "instrument/InstrumentState.h"
#include "platform/Clock.h"
#include "watch/AlarmWatch.h"
#include "watch/ReadingStatistics.h"
#include "watch/WindowStatistics.h"

namespace vorenx {

enum class WatchedDisplay { Upper = 0, Lower = 1 };
inline constexpr std::array<WatchedDisplay, 2> kWatchedDisplays = {WatchedDisplay::Upper, WatchedDisplay::Lower};
// "upper" or "lower".
QString WatchedDisplayText(WatchedDisplay display);

// One statistics' numbers as a view shows them (NaN where there is none).
struct StatisticsFigures {
  std::uint64_t count = 0;
  std::uint64_t skipped = 0;
  double min = 0.0, max = 0.0, mean = 0.0, stdDev = 0.0;
};
StatisticsFigures FiguresOf(const ReadingStatistics& s);
StatisticsFigures FiguresOf(const WindowStatistics& s);

// One display as the watch knows it at one moment.
struct DisplayWatchState {
  StatisticsFigures sinceReset;
  StatisticsFigures wave;
  LocalTime since;       // when the statistics since a reset began
  bool sinceSet = false;  // false before the first reset or reading
  QString unit;          // of the newest reading ("V", "mA", ...)
  QString function;      // its function's name
  AlarmLimits limits;
  QString limitsUnit;    // the unit the limits are judged in (empty: not yet known)
  bool alarmed = false;
  AlarmEvent alarm;      // the event that raised the alarm that is on
};

// An alarm change of one display, with the unit of its numbers.
struct WatchAlarm {
  WatchedDisplay display = WatchedDisplay::Upper;
  AlarmEvent event;
  QString unit;    // of the numbers (the limits')
  LocalTime time;  // of the reading
  // The display changed to `shownUnit` and its limits went out of use.
  bool unitChanged = false;
  QString shownUnit;
};
// "alarm: lower 20.5 mA above the high limit 20 mA", "alarm cleared: lower
// 19.4 mA back inside the high limit 20 mA": the status line's and the
// journal's wording, numbers with "."; "alarm cleared: lower now shows ℃,
// its limits are in mA" when the unit changed under a raised alarm.
QString AlarmText(const WatchAlarm& alarm);

class ReadingWatch {
 public:
  static constexpr int kDefaultWaveLength = 240;
  static constexpr int kShortestWave = 20;
  // The wave's window: the readings the wave shows (20 to the history's
  // capacity; 0 or less: the default length).
  void SetWaveLength(int samples);
  int WaveLength() const;
  // Takes one decoded reading of both displays; returns the alarm changes it made.
  std::vector<WatchAlarm> Feed(const InstrumentState& state, const LocalTime& time);
  // The sample history started over: the window's statistics too.
  void WaveStartsOver();
  // The statistics since a reset of both displays start over at `time`.
  void ResetStatistics(const LocalTime& time);
  // New limits of one display, judged in its current unit from the next
  // reading on. The caller checks them first (AlarmLimitsProblem).
  void SetLimits(WatchedDisplay display, const AlarmLimits& limits);

  DisplayWatchState State(WatchedDisplay display) const;
  bool Alarmed(WatchedDisplay display) const;

 private:
  struct Display {
    ReadingStatistics sinceReset;
    WindowStatistics wave{kDefaultWaveLength};
    LocalTime since;
    bool sinceSet = false;
    QString unit;
    QString function;
    AlarmWatch watch;
    QString limitsUnit;
    AlarmEvent raisedBy;
  };
  // Under m_lock: one display's reading.
  void FeedDisplay(WatchedDisplay which, double value, const QString& unit, const QString& function,
                   const LocalTime& time, std::vector<WatchAlarm>& alarms);
  Display& At(WatchedDisplay d) { return m_displays[static_cast<std::size_t>(d)]; }
  const Display& At(WatchedDisplay d) const { return m_displays[static_cast<std::size_t>(d)]; }

  mutable std::mutex m_lock;
  std::array<Display, 2> m_displays;  // m_lock
};

}  // namespace vorenx
