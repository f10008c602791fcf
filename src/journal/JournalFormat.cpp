// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "journal/JournalFormat.h"

#include <QDateTime>
#include <QTimeZone>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vorenx {

namespace {

QString TwoDigits(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

QString OneLine(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

QByteArray WithLineEnd(const QString& line) { return (line + QLatin1String("\r\n")).toUtf8(); }

QString ChannelSetup(const char* side, const JournalChannel& c) {
  QString text = QLatin1String(side) + QLatin1Char(' ') + OneLine(c.function);
  if (!c.unit.isEmpty()) text += QLatin1Char(' ') + OneLine(c.unit);
  return text;
}

}  // namespace

QByteArray JournalHeaderLine() {
  return QByteArrayLiteral("\xEF\xBB\xBFTime,Upper,Upper unit,Lower,Lower unit,Upper function,Lower function\r\n");
}

QString FormatJournalTimestamp(const LocalTime& t, int utcOffsetSeconds) {
  return IsoTimestamp(t, utcOffsetSeconds);
}

int LocalUtcOffsetSeconds(const LocalTime& t) {
  const QDateTime local(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second), Qt::LocalTime);
  // A time the zone skips (spring forward) is not valid: take the offset an hour later.
  if (!local.isValid()) return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second))
                                .addSecs(3600)
                                .offsetFromUtc();
  return local.offsetFromUtc();
}

QString FormatJournalNumber(float value) { return std::isfinite(value) ? PointNumber(value) : QString(); }

QByteArray JournalReadingLine(const JournalReading& r, int utcOffsetSeconds) {
  const QChar comma(QLatin1Char(','));
  QString line = FormatJournalTimestamp(r.time, utcOffsetSeconds);
  line += comma + FormatJournalNumber(r.upper.value) + comma + CsvField(r.upper.unit);
  line += comma + FormatJournalNumber(r.lower.value) + comma + CsvField(r.lower.unit);
  line += comma + CsvField(r.upper.function) + comma + CsvField(r.lower.function);
  return WithLineEnd(line);
}

bool SameSetup(const JournalReading& a, const JournalReading& b) {
  return a.upper.unit == b.upper.unit && a.upper.function == b.upper.function && a.lower.unit == b.lower.unit &&
         a.lower.function == b.lower.function;
}

QByteArray JournalSetupLine(const JournalReading& r, int utcOffsetSeconds) {
  return JournalNoteLine(r.time, utcOffsetSeconds,
                         ChannelSetup("upper", r.upper) + QLatin1String(", ") + ChannelSetup("lower", r.lower));
}

QByteArray JournalNoteLine(const LocalTime& time, int utcOffsetSeconds, const QString& text) {
  return WithLineEnd(QLatin1String("# ") + FormatJournalTimestamp(time, utcOffsetSeconds) + QLatin1Char(' ') +
                     OneLine(text));
}

QString JournalFileName(const LocalTime& t, int sequence) {
  QString name = QString::number(t.year).rightJustified(4, QLatin1Char('0')) + QLatin1Char('-') +
                 TwoDigits(t.month) + QLatin1Char('-') + TwoDigits(t.day) + QLatin1Char('_') + TwoDigits(t.hour) +
                 QLatin1Char('-') + TwoDigits(t.minute) + QLatin1Char('-') + TwoDigits(t.second);
  if (sequence > 1) name += QLatin1Char('-') + QString::number(sequence);
  return name + QLatin1String(".csv");
}

}  // namespace vorenx
