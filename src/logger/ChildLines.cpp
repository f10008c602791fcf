// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "logger/ChildLines.h"

#include <QList>
#include <cmath>
#include <limits>

#include "platform/FileText.h"

namespace vorenx::logger {

namespace {

// Tabs and line ends never occur in the texts carried; they are made spaces
// so that a line always splits into its fields.
QByteArray Field(const QString& text) {
  QString clean = text;
  clean.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return clean.toUtf8();
}

QByteArray Line(std::initializer_list<QByteArray> fields) {
  QByteArray line;
  for (const QByteArray& f : fields) {
    if (!line.isEmpty()) line += '\t';
    line += f;
  }
  return line + '\n';
}

bool ParseNumber(const QByteArray& text, float& out) {
  if (text == "nan") out = std::numeric_limits<float>::quiet_NaN();
  else if (text == "inf") out = std::numeric_limits<float>::infinity();
  else if (text == "-inf") out = -std::numeric_limits<float>::infinity();
  else {
    bool ok = false;
    out = text.toFloat(&ok);  // the C locale's reading, whatever the user's
    return ok;
  }
  return true;
}

bool ParseWhole(const QByteArray& text, qint64& out) {
  bool ok = false;
  out = text.toLongLong(&ok);
  return ok;
}

}  // namespace

QString ReadingNumber(float value) {
  if (std::isnan(value)) return QStringLiteral("nan");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  return PointNumber(value);
}

QByteArray EncodeReading(const JournalReading& r, int utcOffsetSeconds, const QStringList& alarms) {
  return Line({"R", Field(FormatJournalTimestamp(r.time, utcOffsetSeconds)), ReadingNumber(r.upper.value).toUtf8(),
               Field(r.upper.unit), Field(r.upper.function), ReadingNumber(r.lower.value).toUtf8(),
               Field(r.lower.unit), Field(r.lower.function), Field(alarms.join(QLatin1Char('|')))});
}

QByteArray EncodeStatus(const QString& status) { return Line({"S", Field(status)}); }

QByteArray EncodeJournal(const QString& path) { return Line({"J", Field(path)}); }

QByteArray EncodeStatistics(const QString& text) { return Line({"T", Field(text)}); }

QByteArray EncodeEnd(const ChildEnd& end) {
  return Line({"E", QByteArray::number(end.code), QByteArray::number(end.readings),
               QByteArray::number(end.journalReadings), Field(end.reason)});
}

ChildLine DecodeChildLine(const QByteArray& line) {
  const QList<QByteArray> f = line.split('\t');
  ChildLine out;
  const QByteArray& kind = f.front();
  if (kind == "R" && f.size() == 9) {
    LoggedReading& r = out.reading;
    r.time = QString::fromUtf8(f[1]);
    r.upper.unit = QString::fromUtf8(f[3]);
    r.upper.function = QString::fromUtf8(f[4]);
    r.lower.unit = QString::fromUtf8(f[6]);
    r.lower.function = QString::fromUtf8(f[7]);
    if (!f[8].isEmpty()) r.alarms = QString::fromUtf8(f[8]).split(QLatin1Char('|'));
    if (!r.time.isEmpty() && ParseNumber(f[2], r.upper.value) && ParseNumber(f[5], r.lower.value))
      out.kind = ChildLine::Kind::Reading;
  } else if ((kind == "S" || kind == "J" || kind == "T") && f.size() == 2) {
    out.kind = kind == "S" ? ChildLine::Kind::Status : kind == "J" ? ChildLine::Kind::Journal : ChildLine::Kind::Statistics;
    out.text = QString::fromUtf8(f[1]);
  } else if (kind == "E" && f.size() == 5) {
    qint64 code = 0;
    if (ParseWhole(f[1], code) && ParseWhole(f[2], out.end.readings) && ParseWhole(f[3], out.end.journalReadings)) {
      out.kind = ChildLine::Kind::End;
      out.end.code = static_cast<int>(code);
      out.end.reason = QString::fromUtf8(f[4]);
    }
  }
  return out;
}

}  // namespace vorenx::logger
