// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CalibrationRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <limits>

#include "calib/CalibrationMath.h"
#include "instrument/FunctionTable.h"
#include "platform/FileText.h"
#include "records/RecordJson.h"
#include "records/UncertaintyJson.h"

namespace vorenx {

namespace {

using namespace record_json;

// 2: the resolution and decision rule, each point's repeatability,
// uncertainty and verdict, the standard used and the environment.
// Version 1 documents read with those not recorded.
constexpr int kVersion = 2;
const QLatin1String kRecordFormat("vorenx-calibration");
const QLatin1String kSetupFormat("vorenx-calibration-setup");

// ---- writing ----

QJsonObject SetupObject(const CalibrationSetup& s) {
  QJsonArray points;
  for (double p : s.pointsPercent) points.append(NumberOrNull(p));
  return QJsonObject{
      {"tag", s.tag},
      {"description", s.description},
      {"technician", s.technician},
      {"input", QJsonObject{{"function", s.inputFunction},
                            {"name", FunctionName(s.inputFunction)},
                            {"wiring", s.wiring},
                            {"celsius", s.celsius},
                            {"unit", FunctionUnit(s.inputFunction, s.celsius)},
                            {"low", NumberOrNull(s.inputLow)},
                            {"high", NumberOrNull(s.inputHigh)}}},
      {"output", QJsonObject{{"function", s.outputFunction},
                             {"name", FunctionName(s.outputFunction)},
                             {"unit", FunctionUnit(s.outputFunction, false)},
                             {"low", NumberOrNull(s.outputLow)},
                             {"high", NumberOrNull(s.outputHigh)},
                             {"transfer", s.transfer == OutputTransfer::SquareRoot ? "square-root" : "linear"}}},
      {"points", points},
      {"runDown", s.runDown},
      {"tolerance", QJsonObject{{"value", NumberOrNull(s.tolerance)},
                                {"unit", s.toleranceUnit == ToleranceUnit::OutputUnits ? "output-units"
                                                                                        : "percent-of-span"}}},
      {"settle", QJsonObject{{"readings", s.settle.readings},
                             {"bandFraction", NumberOrNull(s.settle.bandFraction)},
                             {"timeoutSeconds", NumberOrNull(s.settle.timeoutSeconds)}}},
      {"resolution", NumberOrNull(s.resolution)},
      {"rule", DecisionRuleText(s.rule)},
  };
}

QJsonObject PointObject(const PointResult& p) {
  QJsonObject o{{"percent", NumberOrNull(p.percent)},
                     {"down", p.down},
                     {"applied", NumberOrNull(p.applied)},
                     {"expected", NumberOrNull(p.expected)},
                     {"measured", NumberOrNull(p.measured)},
                     {"errorPercent", NumberOrNull(p.errorPercent)},
                     {"pass", p.pass},
                     {"settled", p.settled},
                     {"readings", p.readings},
                     {"time", TimeOrNull(p.time)}};
  // Left out when not recorded, as in records written before it was kept.
  if (p.spread && std::isfinite(*p.spread)) {
    o.insert(QLatin1String("spread"), *p.spread);
    o.insert(QLatin1String("spreadReadings"), p.spreadReadings);
  }
  if (p.stdDev && std::isfinite(*p.stdDev)) o.insert(QLatin1String("stdDev"), *p.stdDev);
  if (p.uncertainty) o.insert(QLatin1String("uncertainty"), UncertaintyObject(*p.uncertainty));
  if (p.verdict) o.insert(QLatin1String("verdict"), PointVerdictText(*p.verdict));
  return o;
}

QJsonValue RunValue(const std::optional<RunResult>& run) {
  if (!run) return QJsonValue(QJsonValue::Null);
  QJsonArray points;
  for (const PointResult& p : run->points) points.append(PointObject(p));
  QJsonObject o{{"kind", run->kind == RunKind::AsLeft ? "as-left" : "as-found"},
                {"started", TimeOrNull(run->started)},
                {"finished", TimeOrNull(run->finished)},
                {"complete", run->complete},
                {"endReason", run->endReason},
                {"points", points}};
  // Written only when the run was interrupted; absent means it never was.
  if (!run->interruptions.empty()) {
    QJsonArray stretches;
    for (const RunInterruption& i : run->interruptions)
      stretches.append(QJsonObject{{"from", TimeOrNull(i.from)}, {"to", TimeOrNull(i.to)}});
    o.insert(QStringLiteral("interruptions"), stretches);
  }
  return o;
}

QByteArray Document(const QLatin1String& format, const char* key, const QJsonObject& body,
                    const QJsonObject& extra = {}) {
  QJsonObject top{{"format", format}, {"version", kVersion}, {key, body}};
  for (auto it = extra.begin(); it != extra.end(); ++it) top.insert(it.key(), it.value());
  return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

// ---- reading ----

CalibrationSetup ReadSetup(const QJsonObject& o, const QString& where) {
  CalibrationSetup s;
  s.tag = StringAt(o, where, "tag");
  s.description = StringAt(o, where, "description");
  s.technician = StringAt(o, where, "technician");
  const QString inputWhere = Path(where, "input");
  const QJsonObject in = ObjectAt(o, where, "input");
  s.inputFunction = static_cast<FunctionCode>(IntAt(in, inputWhere, "function", 0, 255));
  s.wiring = static_cast<FunctionCode>(IntAt(in, inputWhere, "wiring", 0, 255));
  s.celsius = BoolAt(in, inputWhere, "celsius");
  s.inputLow = NumberAt(in, inputWhere, "low", true);
  s.inputHigh = NumberAt(in, inputWhere, "high", true);
  const QString outputWhere = Path(where, "output");
  const QJsonObject out = ObjectAt(o, where, "output");
  s.outputFunction = static_cast<FunctionCode>(IntAt(out, outputWhere, "function", 0, 255));
  s.outputLow = NumberAt(out, outputWhere, "low", true);
  s.outputHigh = NumberAt(out, outputWhere, "high", true);
  s.transfer = ChoiceAt(out, outputWhere, "transfer", "linear", OutputTransfer::Linear, "square-root",
                        OutputTransfer::SquareRoot);
  s.pointsPercent.clear();
  const QJsonArray points = ArrayAt(o, where, "points");
  for (qsizetype i = 0; i < points.size(); ++i)
    s.pointsPercent.push_back(NumberValue(points[i], Item(Path(where, "points"), i), true));
  s.runDown = BoolAt(o, where, "runDown");
  const QString tolWhere = Path(where, "tolerance");
  const QJsonObject tol = ObjectAt(o, where, "tolerance");
  s.tolerance = NumberAt(tol, tolWhere, "value", true);
  s.toleranceUnit = ChoiceAt(tol, tolWhere, "unit", "percent-of-span", ToleranceUnit::PercentOfSpan,
                             "output-units", ToleranceUnit::OutputUnits);
  const QString settleWhere = Path(where, "settle");
  const QJsonObject settle = ObjectAt(o, where, "settle");
  s.settle.readings = IntAt(settle, settleWhere, "readings", 0, 1000000);
  s.settle.bandFraction = NumberAt(settle, settleWhere, "bandFraction", true);
  s.settle.timeoutSeconds = NumberAt(settle, settleWhere, "timeoutSeconds", true);
  // Setups of version 1 have neither: the resolution is then "not entered"
  // (0, which a run refuses) and the rule simple acceptance, as they were run.
  if (!NotRecorded(o, "resolution")) s.resolution = NonNegativeAt(o, where, "resolution");
  if (o.contains(QLatin1String("rule"))) {
    const std::optional<DecisionRule> rule = DecisionRuleFromText(StringAt(o, where, "rule"));
    if (!rule) Refuse(Path(where, "rule"), QStringLiteral("neither \"simple\" nor \"guard-band\""));
    s.rule = *rule;
  }
  return s;
}

PointResult ReadPoint(const QJsonObject& o, const QString& where) {
  PointResult p;
  p.percent = NumberAt(o, where, "percent", true);
  p.down = BoolAt(o, where, "down");
  p.applied = NumberAt(o, where, "applied", true);
  p.expected = NumberAt(o, where, "expected", true);
  p.measured = NumberAt(o, where, "measured", true);
  p.errorPercent = NumberAt(o, where, "errorPercent", true);
  p.pass = BoolAt(o, where, "pass");
  p.settled = BoolAt(o, where, "settled");
  p.readings = IntAt(o, where, "readings", 0, std::numeric_limits<int>::max());
  p.time = TimeAt(o, where, "time");
  if (o.contains(QLatin1String("spread"))) {
    p.spread = NumberAt(o, where, "spread");
    p.spreadReadings = IntAt(o, where, "spreadReadings", 1, std::numeric_limits<int>::max());
  }
  // Not recorded before version 2: left empty, never made up.
  if (!NotRecorded(o, "stdDev")) p.stdDev = NonNegativeAt(o, where, "stdDev");
  if (!NotRecorded(o, "uncertainty"))
    p.uncertainty = ReadUncertainty(ObjectAt(o, where, "uncertainty"), Path(where, "uncertainty"));
  if (!NotRecorded(o, "verdict")) {
    p.verdict = PointVerdictFromText(StringAt(o, where, "verdict"));
    if (!p.verdict) Refuse(Path(where, "verdict"), QStringLiteral("not pass, fail or indeterminate"));
    // A point whose two verdicts disagree would be shown one way and counted the other.
    if (p.pass != (*p.verdict == PointVerdict::Pass))
      Refuse(where, QStringLiteral("\"pass\" and \"verdict\" disagree"));
  }
  return p;
}

std::optional<RunResult> ReadRun(const QJsonObject& top, const char* key) {
  const QJsonValue v = top.value(QLatin1String(key));
  if (v.isUndefined() || v.isNull()) return std::nullopt;
  const QString where = QLatin1String(key);
  if (!v.isObject()) Refuse(where, QStringLiteral("not an object"));
  const QJsonObject o = v.toObject();
  RunResult run;
  run.kind = ChoiceAt(o, where, "kind", "as-found", RunKind::AsFound, "as-left", RunKind::AsLeft);
  run.started = TimeAt(o, where, "started");
  run.finished = TimeAt(o, where, "finished");
  run.complete = BoolAt(o, where, "complete");
  run.endReason = StringAt(o, where, "endReason");
  const QJsonArray points = ArrayAt(o, where, "points");
  for (qsizetype i = 0; i < points.size(); ++i)
    run.points.push_back(ReadPoint(ObjectIn(points, Path(where, "points"), i), Item(Path(where, "points"), i)));
  if (o.contains(QLatin1String("interruptions"))) {
    const QJsonArray stretches = ArrayAt(o, where, "interruptions");
    for (qsizetype i = 0; i < stretches.size(); ++i) {
      const QString stretchWhere = Item(Path(where, "interruptions"), i);
      const QJsonObject stretch = ObjectIn(stretches, Path(where, "interruptions"), i);
      run.interruptions.push_back({TimeAt(stretch, stretchWhere, "from"), TimeAt(stretch, stretchWhere, "to")});
    }
  }
  return run;
}

// The document's top object once its format and version are ours.
QJsonObject OpenDocument(const QByteArray& json, const QLatin1String& format) {
  QJsonParseError parse;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
  if (parse.error != QJsonParseError::NoError)
    throw Refusal{QStringLiteral("not valid JSON (%1 at byte %2)").arg(parse.errorString()).arg(parse.offset)};
  if (!doc.isObject()) throw Refusal{QStringLiteral("not a JSON object")};
  const QJsonObject top = doc.object();
  if (top.value(QLatin1String("format")).toString() != format)
    throw Refusal{QStringLiteral("not a %1 file").arg(format)};
  const QJsonValue version = top.value(QLatin1String("version"));
  if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
    throw Refusal{QStringLiteral("version: not a whole number from 1")};
  if (version.toDouble() > kVersion)
    throw Refusal{QStringLiteral("written by a newer version of the program (format version %1; this one reads "
                                 "versions 1 to %2)")
                      .arg(FormatCalibrationNumber(version.toDouble()))
                      .arg(kVersion)};
  return top;
}

}  // namespace

QString FormatRecordTime(const QDateTime& time) {
  if (!time.isValid()) return QString();
  const QDate d = time.date();
  const QTime t = time.time();
  const LocalTime fields{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
  return IsoTimestamp(fields, time.offsetFromUtc());
}

QByteArray RecordToJson(const CalibrationRecord& r) {
  return Document(kRecordFormat, "setup", SetupObject(r.setup),
                  QJsonObject{{"calibrator", r.calibrator},
                              {"standard", StandardValue(r.standard)},
                              {"environment", EnvironmentObject(r.environment)},
                              {"asFound", RunValue(r.asFound)},
                              {"asLeft", RunValue(r.asLeft)}});
}

std::optional<CalibrationRecord> RecordFromJson(const QByteArray& json, QString* error) {
  try {
    const QJsonObject top = OpenDocument(json, kRecordFormat);
    CalibrationRecord r;
    r.setup = ReadSetup(ObjectAt(top, QStringLiteral("record"), "setup"), QStringLiteral("setup"));
    r.calibrator = StringAt(top, QStringLiteral("record"), "calibrator");
    r.standard = ReadStandard(top, QStringLiteral("record"), "standard");
    r.environment = ReadEnvironment(top, QStringLiteral("record"), "environment");
    r.asFound = ReadRun(top, "asFound");
    r.asLeft = ReadRun(top, "asLeft");
    return r;
  } catch (const Refusal& refusal) {
    if (error) *error = QStringLiteral("Not a calibration record: ") + refusal.message + QLatin1Char('.');
    return std::nullopt;
  }
}

QByteArray SetupToJson(const CalibrationSetup& setup) { return Document(kSetupFormat, "setup", SetupObject(setup)); }

std::optional<CalibrationSetup> SetupFromJson(const QByteArray& json, QString* error) {
  try {
    const QJsonObject top = OpenDocument(json, kSetupFormat);
    return ReadSetup(ObjectAt(top, QStringLiteral("file"), "setup"), QStringLiteral("setup"));
  } catch (const Refusal& refusal) {
    if (error) *error = QStringLiteral("Not a calibration setup: ") + refusal.message + QLatin1Char('.');
    return std::nullopt;
  }
}

}  // namespace vorenx
