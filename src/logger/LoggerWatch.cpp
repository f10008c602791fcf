// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The logger's use of the station's statistics and alarms: the limits from its
// options, the alarm lines it prints and the statistics of its summary.
#include "logger/LoggerWatch.h"

#include "platform/FileText.h"
#include "station/ReadingWatch.h"
#include "watch/AlarmWatch.h"

namespace vorenx::logger {

namespace {

AlarmLimits LimitsOf(const DisplayLimitOptions& o) { return {o.high, o.low, o.hysteresis}; }

// Mean and deviation to seven significant digits, "." whatever the locale.
QString Figure(double value) { return QString::number(value, 'g', 7); }

}  // namespace

QString LimitsProblem(const LoggerOptions& options) {
  for (const auto& [name, limits] : {std::pair{"upper", &options.upper}, std::pair{"lower", &options.lower}}) {
    if (!limits->Any()) continue;
    const QString problem = AlarmLimitsProblem(LimitsOf(*limits));
    if (!problem.isEmpty()) return QStringLiteral("the %1 display's limits: %2").arg(QLatin1String(name), problem);
  }
  return QString();
}

void WatchStation(InstrumentStation& station, const LoggerOptions& options) {
  if (options.upper.Any()) station.SetAlarmLimits(WatchedDisplay::Upper, LimitsOf(options.upper));
  if (options.lower.Any()) station.SetAlarmLimits(WatchedDisplay::Lower, LimitsOf(options.lower));
}

void FollowAlarms(InstrumentStation& station, QObject* context, std::function<void(const QString&)> say) {
  QObject::connect(&station, &InstrumentStation::AlarmChanged, context,
                   [say = std::move(say)](const WatchAlarm& alarm) { say(AlarmText(alarm)); });
}

QStringList ActiveAlarms(const InstrumentStation& station) {
  QStringList alarms;
  for (const WatchedDisplay display : kWatchedDisplays) {
    const DisplayWatchState state = station.Watch().State(display);
    if (!state.alarmed) continue;
    QString text = WatchedDisplayText(display) +
                   (state.alarm.side == AlarmSide::High ? QStringLiteral(" above ") : QStringLiteral(" below ")) +
                   AlarmNumberText(state.alarm.limit);
    if (!state.limitsUnit.isEmpty()) text += QLatin1Char(' ') + state.limitsUnit;
    alarms << text;
  }
  return alarms;
}

QStringList StatisticsLines(const InstrumentStation& station) {
  QStringList lines;
  for (const WatchedDisplay display : kWatchedDisplays) {
    const DisplayWatchState state = station.Watch().State(display);
    const StatisticsFigures& f = state.sinceReset;
    if (f.count == 0 && f.skipped == 0) continue;
    const QString unit = state.unit.isEmpty() ? QString() : QLatin1Char(' ') + state.unit;
    QString line = QStringLiteral("%1 %2: %3 readings").arg(WatchedDisplayText(display), state.function).arg(f.count);
    if (f.count > 0)
      line += QStringLiteral(", min %1%5, max %2%5, mean %3%5, standard deviation %4%5")
                  .arg(AlarmNumberText(f.min), AlarmNumberText(f.max), Figure(f.mean),
                       f.count > 1 ? Figure(f.stdDev) : QStringLiteral("-"), unit);
    if (f.skipped > 0) line += QStringLiteral(", %1 not a number (left out)").arg(f.skipped);
    if (state.sinceSet) line += QStringLiteral(", since %1").arg(IsoTimestamp(state.since, 0).left(19));
    lines << line;
  }
  return lines;
}

}  // namespace vorenx::logger
