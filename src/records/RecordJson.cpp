// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordJson.h"

#include <cmath>
#include <limits>

#include "calib/CalibrationMath.h"
#include "records/CalibrationRecord.h"

namespace vorenx::record_json {

QJsonValue NumberOrNull(double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null); }

QJsonValue NumberOrNull(const std::optional<double>& v) {
  return v ? NumberOrNull(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue TimeOrNull(const QDateTime& t) {
  return t.isValid() ? QJsonValue(FormatRecordTime(t)) : QJsonValue(QJsonValue::Null);
}

QJsonValue DateOrNull(const QDate& d) {
  return d.isValid() ? QJsonValue(d.toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
}

void Refuse(const QString& where, const QString& what) { throw Refusal{where + QStringLiteral(": ") + what}; }

QString Path(const QString& where, const char* key) { return where + QLatin1Char('.') + QLatin1String(key); }

QString Item(const QString& where, qsizetype i) { return where + QStringLiteral("[%1]").arg(i); }

QJsonValue Field(const QJsonObject& o, const QString& where, const char* key) {
  const QJsonValue v = o.value(QLatin1String(key));
  if (v.isUndefined()) Refuse(where, QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
  return v;
}

bool NotRecorded(const QJsonObject& o, const char* key) {
  const QJsonValue v = o.value(QLatin1String(key));
  return v.isUndefined() || v.isNull();
}

namespace {

// The value at `key` when it has the type `isType` checks, else a refusal saying `notIt`.
QJsonValue Typed(const QJsonObject& o, const QString& where, const char* key, bool (QJsonValue::*isType)() const,
                 const char* notIt) {
  const QJsonValue v = Field(o, where, key);
  if (!(v.*isType)()) Refuse(Path(where, key), QLatin1String(notIt));
  return v;
}

}  // namespace

QJsonObject ObjectAt(const QJsonObject& o, const QString& where, const char* key) {
  return Typed(o, where, key, &QJsonValue::isObject, "not an object").toObject();
}
QJsonArray ArrayAt(const QJsonObject& o, const QString& where, const char* key) {
  return Typed(o, where, key, &QJsonValue::isArray, "not a list").toArray();
}
QString StringAt(const QJsonObject& o, const QString& where, const char* key) {
  return Typed(o, where, key, &QJsonValue::isString, "not a text").toString();
}
bool BoolAt(const QJsonObject& o, const QString& where, const char* key) {
  return Typed(o, where, key, &QJsonValue::isBool, "not true or false").toBool();
}

QJsonObject ObjectIn(const QJsonArray& list, const QString& where, qsizetype i) {
  if (!list[i].isObject()) Refuse(Item(where, i), QStringLiteral("not an object"));
  return list[i].toObject();
}

double NumberValue(const QJsonValue& v, const QString& where, bool nullIsNan) {
  if (nullIsNan && v.isNull()) return std::numeric_limits<double>::quiet_NaN();
  if (!v.isDouble()) Refuse(where, QStringLiteral("not a number"));
  return v.toDouble();
}

double NumberAt(const QJsonObject& o, const QString& where, const char* key, bool nullIsNan) {
  return NumberValue(Field(o, where, key), Path(where, key), nullIsNan);
}

double NonNegativeAt(const QJsonObject& o, const QString& where, const char* key, bool positive) {
  const double v = NumberAt(o, where, key, true);
  if (std::isnan(v)) return v;  // written as null
  if (positive ? !(v > 0.0) : v < 0.0)
    Refuse(Path(where, key), positive ? QStringLiteral("not above 0") : QStringLiteral("negative"));
  return v;
}

std::optional<double> OptionalNumberAt(const QJsonObject& o, const QString& where, const char* key, double low) {
  if (NotRecorded(o, key)) return std::nullopt;
  const double v = NumberAt(o, where, key);
  if (v < low) Refuse(Path(where, key), QStringLiteral("below %1").arg(FormatCalibrationNumber(low)));
  return v;
}

int IntAt(const QJsonObject& o, const QString& where, const char* key, int low, int high) {
  const double v = NumberAt(o, where, key);
  if (v != std::floor(v) || v < low || v > high)
    Refuse(Path(where, key), QStringLiteral("not a whole number from %1 to %2").arg(low).arg(high));
  return static_cast<int>(v);
}

QDateTime TimeAt(const QJsonObject& o, const QString& where, const char* key) {
  const QJsonValue v = Field(o, where, key);
  if (v.isNull()) return QDateTime();
  if (!v.isString()) Refuse(Path(where, key), QStringLiteral("not a time"));
  const QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
  if (!t.isValid()) Refuse(Path(where, key), QStringLiteral("not an ISO 8601 time"));
  return t;
}

QDate DateAt(const QJsonObject& o, const QString& where, const char* key) {
  const QJsonValue v = Field(o, where, key);
  if (v.isNull()) return QDate();
  const QDate d = v.isString() ? QDate::fromString(v.toString(), Qt::ISODate) : QDate();
  if (!d.isValid()) Refuse(Path(where, key), QStringLiteral("not a date (yyyy-MM-dd)"));
  return d;
}

}  // namespace vorenx::record_json
