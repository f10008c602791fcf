// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CSV for a spreadsheet in the user's locale. The program's own files keep
// "," between fields and "." in numbers; a spreadsheet set to a language with
// a decimal comma reads "12.053" as twelve thousand, so a file made for it
// uses ";" between fields and "," in numbers there, and elsewhere the plain
// form. Dates go as "2026-12-09 14:03:05", which spreadsheets read as a
// date-time whatever their language.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "platform/Clock.h"

namespace vorenx {

struct SpreadsheetDialect {
  QChar separator = QLatin1Char(',');
  QChar decimal = QLatin1Char('.');
};

// ";" and "," for a locale whose decimal mark is a comma, else "," and ".".
SpreadsheetDialect SpreadsheetDialectFor(const QLocale& locale = QLocale());

// `number` written with "." (as the program writes numbers), with the dialect's decimal mark.
QString SpreadsheetNumber(const QString& number, const SpreadsheetDialect& dialect);
// "2026-12-09 14:03:05" (local time, whole seconds).
QString SpreadsheetDateTime(const LocalTime& time);
// The fields joined by the separator, each quoted when it holds the
// separator, a quote or a line break; CR LF at the end; UTF-8.
QByteArray SpreadsheetLine(const QStringList& fields, const SpreadsheetDialect& dialect);

}  // namespace vorenx
