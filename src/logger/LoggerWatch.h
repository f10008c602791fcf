// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The logger's one way to the station's statistics and alarms: the limits of
// --high, --low and --hysteresis set on the station, the alarm changes told
// as they happen, the alarms on at a reading, and each display's statistics
// for the summary. The station's watch notes every alarm change in the
// journal itself, as the window's does.
//
// This is the only file that names the statistics and alarm core; a build
// without that core (see LoggerWatch.cpp) refuses alarm limits and prints no
// statistics.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "logger/LoggerOptions.h"
#include "station/InstrumentStation.h"

namespace vorenx::logger {

// Why the limits in `options` cannot be used; empty when they can (or none are given).
QString LimitsProblem(const LoggerOptions& options);
// Sets the limits of `options` on the station; call before it starts.
void WatchStation(InstrumentStation& station, const LoggerOptions& options);
// Calls `say` with each alarm change's words, on the station's thread, while `context` lives.
void FollowAlarms(InstrumentStation& station, QObject* context, std::function<void(const QString&)> say);
// The alarms on now, one text per display: "upper above 20 mA".
QStringList ActiveAlarms(const InstrumentStation& station);
// Each display's statistics since the start (or since its function last
// changed), one line each; none for a display that took no reading.
QStringList StatisticsLines(const InstrumentStation& station);

}  // namespace vorenx::logger
