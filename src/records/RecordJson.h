// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The pieces the record and setup documents are written and read with: JSON
// values for numbers and times that may be missing, and typed readers that
// refuse a document at the first field that is wrong, saying where
// ("asFound.points[2].measured: not a number"). Used by CalibrationRecord and
// UncertaintyJson only.

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

namespace vorenx::record_json {

// ---- writing ----

// JSON has no NaN: an unmeasured value is written as null.
QJsonValue NumberOrNull(double v);
QJsonValue NumberOrNull(const std::optional<double>& v);
QJsonValue TimeOrNull(const QDateTime& t);
// "2026-12-08", or null for an invalid date.
QJsonValue DateOrNull(const QDate& d);

// ---- reading ----

// The first thing wrong with a document, with where it was found.
struct Refusal {
  QString message;
};

[[noreturn]] void Refuse(const QString& where, const QString& what);
// `where` + "." + `key`.
QString Path(const QString& where, const char* key);
// `where` + "[i]".
QString Item(const QString& where, qsizetype i);

// The value at `key`; refused when absent.
QJsonValue Field(const QJsonObject& o, const QString& where, const char* key);
// True when `key` is absent or null: a value not recorded.
bool NotRecorded(const QJsonObject& o, const char* key);

QJsonObject ObjectAt(const QJsonObject& o, const QString& where, const char* key);
QJsonArray ArrayAt(const QJsonObject& o, const QString& where, const char* key);
QString StringAt(const QJsonObject& o, const QString& where, const char* key);
bool BoolAt(const QJsonObject& o, const QString& where, const char* key);
// The object at index `i` of `list`.
QJsonObject ObjectIn(const QJsonArray& list, const QString& where, qsizetype i);

double NumberValue(const QJsonValue& v, const QString& where, bool nullIsNan);
double NumberAt(const QJsonObject& o, const QString& where, const char* key, bool nullIsNan = false);
// A number that is 0 or more (`positive`: above 0), or null (NaN); a negative one is refused.
double NonNegativeAt(const QJsonObject& o, const QString& where, const char* key, bool positive = false);
// nullopt when absent or null; else a number, refused below `low`.
std::optional<double> OptionalNumberAt(const QJsonObject& o, const QString& where, const char* key, double low);
int IntAt(const QJsonObject& o, const QString& where, const char* key, int low, int high);
QDateTime TimeAt(const QJsonObject& o, const QString& where, const char* key);
// An ISO date ("2026-12-08") or null (an invalid date).
QDate DateAt(const QJsonObject& o, const QString& where, const char* key);

// One of two texts at `key`.
template <typename E>
E ChoiceAt(const QJsonObject& o, const QString& where, const char* key, const char* first, E firstValue,
           const char* second, E secondValue) {
  const QString v = StringAt(o, where, key);
  if (v == QLatin1String(first)) return firstValue;
  if (v == QLatin1String(second)) return secondValue;
  Refuse(Path(where, key),
         QStringLiteral("neither \"%1\" nor \"%2\"").arg(QLatin1String(first), QLatin1String(second)));
}

}  // namespace vorenx::record_json
