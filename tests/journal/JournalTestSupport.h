// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Shared helpers of the journal suites: readings with a running clock, and
// the file read back as lines.
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include "journal/ReadingsJournal.h"

namespace vorenx::testing {

// A reading at 2026-12-08 10:00:00.000 plus `ms` milliseconds.
inline JournalReading ReadingAt(int ms, float upper, float lower, const QString& lowerFunction = "V",
                                const QString& lowerUnit = "V") {
  JournalReading r;
  r.time = LocalTime{2026, 12, 8, 10 + ms / 3600000, (ms / 60000) % 60, (ms / 1000) % 60, ms % 1000};
  r.upper = {upper, QStringLiteral("V"), QStringLiteral("Voltage")};
  r.lower = {lower, lowerUnit, lowerFunction};
  return r;
}

// The file's lines without their CR LF; fails the test when a line lacks it
// (a torn or LF-only line).
inline QStringList JournalLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = file.readAll();
  EXPECT_TRUE(all.isEmpty() || all.endsWith("\r\n")) << "the file ends inside a line";
  EXPECT_TRUE(all.isEmpty() || all.startsWith("\xEF\xBB\xBFTime,")) << "no byte-order mark and header";
  QStringList lines = QString::fromUtf8(all.startsWith("\xEF\xBB\xBF") ? all.mid(3) : all).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
  for (const QString& line : lines) EXPECT_FALSE(line.contains(QLatin1Char('\n'))) << "bare LF in " << line.toStdString();
  return lines;
}

// Only the reading lines (no header, no comments).
inline QStringList ReadingLines(const QStringList& lines) {
  QStringList out;
  for (const QString& line : lines)
    if (!line.startsWith(QLatin1Char('#')) && !line.startsWith(QLatin1String("Time,"))) out << line;
  return out;
}

}  // namespace vorenx::testing
