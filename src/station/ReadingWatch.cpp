// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "station/ReadingWatch.h"

#include <algorithm>

#include "instrument/FunctionTable.h"
#include "link/SampleHistory.h"

namespace vorenx {

namespace {

QString WithUnit(double v, const QString& unit) {
  return unit.isEmpty() ? AlarmNumberText(v) : AlarmNumberText(v) + QLatin1Char(' ') + unit;
}

template <typename Stats>
StatisticsFigures Figures(const Stats& s) {
  return {s.Count(), s.Skipped(), s.Min(), s.Max(), s.Mean(), s.SampleStdDev()};
}

}  // namespace

QString WatchedDisplayText(WatchedDisplay display) {
  return display == WatchedDisplay::Upper ? QStringLiteral("upper") : QStringLiteral("lower");
}

StatisticsFigures FiguresOf(const ReadingStatistics& s) { return Figures(s); }
StatisticsFigures FiguresOf(const WindowStatistics& s) { return Figures(s); }

QString AlarmText(const WatchAlarm& a) {
  const QString side = AlarmSideText(a.event.side);
  const QString where = a.event.side == AlarmSide::High ? QStringLiteral("above") : QStringLiteral("below");
  const QString display = WatchedDisplayText(a.display);
  if (a.unitChanged)
    return QStringLiteral("alarm cleared: %1 now shows %2, its limits are in %3").arg(display, a.shownUnit.isEmpty() ? QStringLiteral("no unit") : a.shownUnit, a.unit.isEmpty() ? QStringLiteral("no unit") : a.unit);
  const QString value = WithUnit(a.event.value, a.unit);
  const QString limit = WithUnit(a.event.limit, a.unit);
  if (a.event.change == AlarmChange::Raised)
    return QStringLiteral("alarm: %1 %2 %3 the %4 limit %5").arg(display, value, where, side, limit);
  return QStringLiteral("alarm cleared: %1 %2 back inside the %3 limit %4").arg(display, value, side, limit);
}

void ReadingWatch::SetWaveLength(int samples) {
  // As the drawing library takes it: 240 before the window sets one, 20 at the least.
  const int shown = samples > 0 ? std::clamp(samples, kShortestWave, kHistoryCapacity) : kDefaultWaveLength;
  const auto length = static_cast<std::size_t>(shown);
  const std::lock_guard lock(m_lock);
  for (Display& d : m_displays) d.wave.SetCapacity(length);
}

int ReadingWatch::WaveLength() const {
  const std::lock_guard lock(m_lock);
  return static_cast<int>(m_displays[0].wave.Capacity());
}

std::vector<WatchAlarm> ReadingWatch::Feed(const InstrumentState& s, const LocalTime& time) {
  std::vector<WatchAlarm> alarms;
  const std::lock_guard lock(m_lock);
  // The upper display never shows a temperature (as the journal says it).
  FeedDisplay(WatchedDisplay::Upper, s.upperValue, FunctionUnit(s.upperFunction, false),
              FunctionName(s.upperFunction), time, alarms);
  FeedDisplay(WatchedDisplay::Lower, s.lowerValue, FunctionUnit(s.lowerFunction, s.celsius),
              FunctionName(s.lowerFunction), time, alarms);
  return alarms;
}

void ReadingWatch::FeedDisplay(WatchedDisplay which, double value, const QString& unit, const QString& function,
                               const LocalTime& time, std::vector<WatchAlarm>& alarms) {
  Display& d = At(which);
  if (!d.sinceSet || d.unit != unit || d.function != function) {
    // Another quantity: its figures start here.
    d.sinceReset.Reset();
    d.since = time;
    d.sinceSet = true;
  }
  d.unit = unit;
  d.function = function;
  d.sinceReset.Add(value);
  d.wave.Add(value);
  if (d.limitsUnit.isEmpty() && d.watch.Limits().Any()) d.limitsUnit = unit;
  AlarmEvent event;
  if (d.limitsUnit == unit) {
    event = d.watch.Feed(value);
  } else if (d.watch.Raised()) {
    // Limits of another unit: the alarm they raised ends, nothing more is judged.
    event = {AlarmChange::Cleared, d.watch.Side(), value, d.raisedBy.limit};
    d.watch.Reset();
  }
  if (event.change == AlarmChange::None) return;
  if (event.change == AlarmChange::Raised) d.raisedBy = event;
  alarms.push_back({which, event, d.limitsUnit, time, d.limitsUnit != unit, unit});
}

void ReadingWatch::WaveStartsOver() {
  const std::lock_guard lock(m_lock);
  for (Display& d : m_displays) d.wave.Reset();
}

void ReadingWatch::ResetStatistics(const LocalTime& time) {
  const std::lock_guard lock(m_lock);
  for (Display& d : m_displays) {
    d.sinceReset.Reset();
    d.since = time;
    d.sinceSet = true;
  }
}

void ReadingWatch::SetLimits(WatchedDisplay display, const AlarmLimits& limits) {
  const std::lock_guard lock(m_lock);
  Display& d = At(display);
  d.watch.SetLimits(limits);
  // Judged in the unit shown now; before the first reading, in the first reading's.
  d.limitsUnit = limits.Any() ? d.unit : QString();
}

DisplayWatchState ReadingWatch::State(WatchedDisplay display) const {
  const std::lock_guard lock(m_lock);
  const Display& d = At(display);
  DisplayWatchState s;
  s.sinceReset = FiguresOf(d.sinceReset);
  s.wave = FiguresOf(d.wave);
  s.since = d.since;
  s.sinceSet = d.sinceSet;
  s.unit = d.unit;
  s.function = d.function;
  s.limits = d.watch.Limits();
  s.limitsUnit = d.limitsUnit;
  s.alarmed = d.watch.Raised();
  s.alarm = d.raisedBy;
  return s;
}

bool ReadingWatch::Alarmed(WatchedDisplay display) const {
  const std::lock_guard lock(m_lock);
  return At(display).watch.Raised();
}

}  // namespace vorenx
