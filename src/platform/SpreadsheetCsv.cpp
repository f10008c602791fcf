// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/SpreadsheetCsv.h"

#include "platform/FileText.h"

namespace vorenx {

namespace {

QString Two(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

}  // namespace

SpreadsheetDialect SpreadsheetDialectFor(const QLocale& locale) {
  if (locale.decimalPoint() == QLatin1String(",")) return {QLatin1Char(';'), QLatin1Char(',')};
  return {};
}

QString SpreadsheetNumber(const QString& number, const SpreadsheetDialect& dialect) {
  QString text = number;
  return text.replace(QLatin1Char('.'), dialect.decimal);
}

QString SpreadsheetDateTime(const LocalTime& t) {
  return QString::number(t.year).rightJustified(4, QLatin1Char('0')) + QLatin1Char('-') + Two(t.month) +
         QLatin1Char('-') + Two(t.day) + QLatin1Char(' ') + Two(t.hour) + QLatin1Char(':') + Two(t.minute) +
         QLatin1Char(':') + Two(t.second);
}

QByteArray SpreadsheetLine(const QStringList& fields, const SpreadsheetDialect& dialect) {
  QStringList out;
  out.reserve(fields.size());
  for (const QString& f : fields) out << CsvField(f, dialect.separator);
  return (out.join(dialect.separator) + QLatin1String("\r\n")).toUtf8();
}

}  // namespace vorenx
