// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The text conventions every file the program writes shares, whatever the
// user's locale: CSV fields, numbers with ".", the XDG base folders, and the
// program's version (CMake's project version, compiled in here only).

#include <QChar>
#include <QString>

#include "platform/Clock.h"

namespace vorenx {

// A CSV field: as it is, or in double quotes (inner quotes doubled) when it
// holds `separator`, a quote, CR or LF.
QString CsvField(const QString& text, QChar separator = QLatin1Char(','));

// The shortest text that reads back as the same number, with "." and no
// grouping whatever the locale ("1.5", "-0.001", "1e-07"). Finite values only:
// each writer says itself what it writes for NaN and infinities.
QString PointNumber(double value);
QString PointNumber(float value);

// "2026-12-08T09:03:07.123+01:00": local time with milliseconds and the
// offset from UTC (east positive); "Z" is never used, "+00:00" instead.
QString IsoTimestamp(const LocalTime& time, int utcOffsetSeconds);

// $XDG_DATA_HOME and $XDG_CONFIG_HOME, or ~/.local/share and ~/.config when
// the variable is unset, empty or not an absolute path.
QString XdgDataHome();
QString XdgConfigHome();
// `name` in the program's own folder under them: $XDG_DATA_HOME/vorenx/<name>.
QString AppDataPath(const QString& name);
QString AppConfigPath(const QString& name);

// "1.0.0.2", and its first two parts "1.0".
QString VersionText();
QString VersionMajorMinor();

}  // namespace vorenx
