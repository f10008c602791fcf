// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/UncertaintyJson.h"

#include <QJsonArray>
#include <array>
#include <utility>

#include "instrument/FunctionTable.h"
#include "records/RecordJson.h"

namespace vorenx::record_json {

namespace {

using Source = UncertaintyContribution::Source;

// The sources as files write them.
constexpr std::array<std::pair<Source, const char*>, 4> kSources{{
    {Source::CalibratorSource, "calibrator-source"},
    {Source::CalibratorMeasure, "calibrator-measure"},
    {Source::Resolution, "resolution"},
    {Source::Repeatability, "repeatability"},
}};

QString SourceKey(Source source) {
  for (const auto& [s, key] : kSources)
    if (s == source) return QLatin1String(key);
  return QString();
}

Source ReadSource(const QJsonObject& o, const QString& where) {
  const QString text = StringAt(o, where, "source");
  for (const auto& [s, key] : kSources)
    if (text == QLatin1String(key)) return s;
  Refuse(Path(where, "source"), QStringLiteral("not one of calibrator-source, calibrator-measure, resolution, "
                                                "repeatability"));
}

QJsonObject ContributionObject(const UncertaintyContribution& c) {
  return QJsonObject{{"source", SourceKey(c.source)},
                     {"halfWidth", NumberOrNull(c.halfWidth)},
                     {"divisor", NumberOrNull(c.divisor)},
                     {"standard", NumberOrNull(c.standard)},
                     {"sensitivity", NumberOrNull(c.sensitivity)},
                     {"contribution", NumberOrNull(c.contribution)}};
}

UncertaintyContribution ReadContribution(const QJsonObject& o, const QString& where) {
  UncertaintyContribution c;
  c.source = ReadSource(o, where);
  c.halfWidth = NonNegativeAt(o, where, "halfWidth");
  c.divisor = NonNegativeAt(o, where, "divisor", true);
  c.standard = NonNegativeAt(o, where, "standard");
  c.sensitivity = NumberAt(o, where, "sensitivity", true);
  c.contribution = NonNegativeAt(o, where, "contribution");
  return c;
}

QJsonObject SpecObject(const AccuracySpec& s) {
  return QJsonObject{{"function", s.function},
                     {"name", FunctionName(s.function)},
                     {"rangeLow", NumberOrNull(s.rangeLow)},
                     {"rangeHigh", NumberOrNull(s.rangeHigh)},
                     {"percentOfReading", NumberOrNull(s.percentOfReading)},
                     {"floor", NumberOrNull(s.floor)}};
}

AccuracySpec ReadSpec(const QJsonObject& o, const QString& where) {
  AccuracySpec s;
  s.function = static_cast<FunctionCode>(IntAt(o, where, "function", 0, 255));
  s.rangeLow = NumberAt(o, where, "rangeLow");
  s.rangeHigh = NumberAt(o, where, "rangeHigh");
  s.percentOfReading = NumberAt(o, where, "percentOfReading");
  s.floor = NumberAt(o, where, "floor");
  QString problem = AccuracySpecProblem(s);
  if (!problem.isEmpty()) {
    if (problem.endsWith(QLatin1Char('.'))) problem.chop(1);
    Refuse(where, problem);
  }
  return s;
}

}  // namespace

QJsonObject UncertaintyObject(const PointUncertainty& u) {
  QJsonArray contributions;
  for (const UncertaintyContribution& c : u.contributions) contributions.append(ContributionObject(c));
  return QJsonObject{{"contributions", contributions},
                     {"combined", NumberOrNull(u.combined)},
                     {"coverageFactor", NumberOrNull(u.coverageFactor)},
                     {"expanded", NumberOrNull(u.expanded)},
                     {"expandedPercentOfSpan", NumberOrNull(u.expandedPercentOfSpan)},
                     {"tur", NumberOrNull(u.tur)},
                     {"outputSideOnly", u.outputSideOnly}};
}

PointUncertainty ReadUncertainty(const QJsonObject& o, const QString& where) {
  PointUncertainty u;
  const QString listWhere = Path(where, "contributions");
  const QJsonArray list = ArrayAt(o, where, "contributions");
  for (qsizetype i = 0; i < list.size(); ++i)
    u.contributions.push_back(ReadContribution(ObjectIn(list, listWhere, i), Item(listWhere, i)));
  u.combined = NonNegativeAt(o, where, "combined");
  u.coverageFactor = NonNegativeAt(o, where, "coverageFactor", true);
  u.expanded = NonNegativeAt(o, where, "expanded");
  u.expandedPercentOfSpan = NonNegativeAt(o, where, "expandedPercentOfSpan");
  if (!NotRecorded(o, "tur")) u.tur = NonNegativeAt(o, where, "tur", true);
  u.outputSideOnly = BoolAt(o, where, "outputSideOnly");
  return u;
}

QJsonValue StandardValue(const std::optional<StandardUsed>& standard) {
  if (!standard) return QJsonValue(QJsonValue::Null);
  QJsonArray accuracy;
  for (const AccuracySpec& s : standard->accuracy) accuracy.append(SpecObject(s));
  return QJsonObject{{"serial", standard->serial},
                     {"description", standard->description},
                     {"certificateNumber", standard->certificateNumber},
                     {"calibratedOn", DateOrNull(standard->calibratedOn)},
                     {"dueOn", DateOrNull(standard->dueOn)},
                     {"accuracy", accuracy},
                     {"defaultAccuracy", standard->defaultAccuracy},
                     {"overdueReason", standard->overdueReason}};
}

std::optional<StandardUsed> ReadStandard(const QJsonObject& top, const QString& where, const char* key) {
  if (NotRecorded(top, key)) return std::nullopt;
  const QString at = QLatin1String(key);  // a top-level field: named alone
  const QJsonObject o = ObjectAt(top, where, key);
  StandardUsed s;
  s.serial = StringAt(o, at, "serial");
  s.description = StringAt(o, at, "description");
  s.certificateNumber = StringAt(o, at, "certificateNumber");
  s.calibratedOn = DateAt(o, at, "calibratedOn");
  s.dueOn = DateAt(o, at, "dueOn");
  const QString listWhere = Path(at, "accuracy");
  const QJsonArray list = ArrayAt(o, at, "accuracy");
  for (qsizetype i = 0; i < list.size(); ++i)
    s.accuracy.push_back(ReadSpec(ObjectIn(list, listWhere, i), Item(listWhere, i)));
  s.defaultAccuracy = BoolAt(o, at, "defaultAccuracy");
  s.overdueReason = StringAt(o, at, "overdueReason");
  return s;
}

QJsonObject EnvironmentObject(const Environment& e) {
  return QJsonObject{{"temperatureC", NumberOrNull(e.temperatureC)},
                     {"humidityPercent", NumberOrNull(e.humidityPercent)}};
}

Environment ReadEnvironment(const QJsonObject& top, const QString& where, const char* key) {
  if (NotRecorded(top, key)) return {};
  const QString at = QLatin1String(key);  // a top-level field: named alone
  const QJsonObject o = ObjectAt(top, where, key);
  Environment e;
  e.temperatureC = OptionalNumberAt(o, at, "temperatureC", -273.15);
  e.humidityPercent = OptionalNumberAt(o, at, "humidityPercent", 0.0);
  if (e.humidityPercent && *e.humidityPercent > 100.0)
    Refuse(Path(at, "humidityPercent"), QStringLiteral("above 100"));
  return e;
}

}  // namespace vorenx::record_json
