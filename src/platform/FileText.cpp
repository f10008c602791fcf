// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/FileText.h"

#include <QDir>
#include <charconv>
#include <cstdlib>

#ifndef VORENX_VERSION
#error "VORENX_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace vorenx {

namespace {

template <typename Number>
QString Shortest(Number value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text));
}

QString XdgFolder(const char* variable, const char* fallback) {
  QString folder = qEnvironmentVariable(variable);
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) folder = QDir::homePath() + QLatin1String(fallback);
  return folder;
}

}  // namespace

QString CsvField(const QString& text, QChar separator) {
  const bool quote = text.contains(separator) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\r')) ||
                     text.contains(QLatin1Char('\n'));
  if (!quote) return text;
  QString quoted = text;
  quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString IsoTimestamp(const LocalTime& t, int utcOffsetSeconds) {
  const auto two = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
  const int offsetMinutes = std::abs(utcOffsetSeconds) / 60;
  QString text = QString::number(t.year).rightJustified(4, QLatin1Char('0'));
  text += QLatin1Char('-') + two(t.month) + QLatin1Char('-') + two(t.day);
  text += QLatin1Char('T') + two(t.hour) + QLatin1Char(':') + two(t.minute) + QLatin1Char(':') + two(t.second);
  text += QLatin1Char('.') + QString::number(t.millisecond).rightJustified(3, QLatin1Char('0'));
  text += QLatin1Char(utcOffsetSeconds < 0 ? '-' : '+') + two(offsetMinutes / 60) + QLatin1Char(':') +
          two(offsetMinutes % 60);
  return text;
}

QString PointNumber(double value) { return Shortest(value); }
QString PointNumber(float value) { return Shortest(value); }

QString XdgDataHome() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }
QString XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

QString AppDataPath(const QString& name) { return QDir(XdgDataHome()).filePath(QStringLiteral("vorenx/") + name); }
QString AppConfigPath(const QString& name) { return QDir(XdgConfigHome()).filePath(QStringLiteral("vorenx/") + name); }

QString VersionText() { return QStringLiteral(VORENX_VERSION); }

QString VersionMajorMinor() {
  return QStringLiteral("%1.%2").arg(VORENX_VERSION_MAJOR).arg(VORENX_VERSION_MINOR);
}

}  // namespace vorenx
