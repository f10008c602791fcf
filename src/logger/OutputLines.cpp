// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "logger/OutputLines.h"

#include <cmath>

#include "platform/FileText.h"

namespace vorenx::logger {

namespace {

QString TextChannel(const char* name, const ChannelReading& c) {
  QString s = QLatin1String(name) + QLatin1Char(' ') + ReadingNumber(c.value);
  if (!c.unit.isEmpty()) s += QLatin1Char(' ') + c.unit;
  if (!c.function.isEmpty()) s += QLatin1Char(' ') + c.function;
  return s;
}

QString CsvNumber(float value) { return std::isfinite(value) ? PointNumber(value) : QString(); }

QString JsonChannel(const ChannelReading& c) {
  return QStringLiteral("{\"value\":%1,\"unit\":%2,\"function\":%3}")
      .arg(std::isfinite(c.value) ? PointNumber(c.value) : QStringLiteral("null"), JsonString(c.unit),
           JsonString(c.function));
}

}  // namespace

QString JsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
      out += QLatin1Char('\\');
      out += c;
    } else if (c.unicode() < 0x20) {
      out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    } else {
      out += c;
    }
  }
  return out + QLatin1Char('"');
}

QString OutputHeader(OutputFormat format) {
  if (format != OutputFormat::Csv) return QString();
  return QStringLiteral("Time,Port,Upper,Upper unit,Lower,Lower unit,Upper function,Lower function,Alarm\n");
}

QString OutputLine(OutputFormat format, int port, const LoggedReading& r, const QStringList& alarms) {
  const QString name = PortName(port);
  switch (format) {
    case OutputFormat::Csv: {
      const QChar comma(QLatin1Char(','));
      return r.time + comma + name + comma + CsvNumber(r.upper.value) + comma + CsvField(r.upper.unit) + comma +
             CsvNumber(r.lower.value) + comma + CsvField(r.lower.unit) + comma + CsvField(r.upper.function) + comma +
             CsvField(r.lower.function) + comma + CsvField(alarms.join(QStringLiteral("; "))) + QLatin1Char('\n');
    }
    case OutputFormat::Jsonl: {
      QString line = QStringLiteral("{\"time\":%1,\"port\":%2,\"upper\":%3,\"lower\":%4")
                         .arg(JsonString(r.time), JsonString(name), JsonChannel(r.upper), JsonChannel(r.lower));
      if (!alarms.isEmpty()) {
        QStringList quoted;
        for (const QString& a : alarms) quoted << JsonString(a);
        line += QStringLiteral(",\"alarm\":[%1]").arg(quoted.join(QLatin1Char(',')));
      }
      return line + QStringLiteral("}\n");
    }
    case OutputFormat::Text:
      break;
  }
  QString line = r.time + QLatin1Char(' ') + name + QLatin1Char(' ') + TextChannel("upper", r.upper) +
                 QStringLiteral(", ") + TextChannel("lower", r.lower);
  if (!alarms.isEmpty()) line += QStringLiteral("  ALARM: ") + alarms.join(QStringLiteral("; "));
  return line + QLatin1Char('\n');
}

}  // namespace vorenx::logger
