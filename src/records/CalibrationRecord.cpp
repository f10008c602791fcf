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

namespace vorenx {

namespace {

constexpr int kVersion = 1;
const QLatin1String kRecordFormat("vorenx-calibration");
const QLatin1String kSetupFormat("vorenx-calibration-setup");

// ---- writing ----

// JSON has no NaN: an unmeasured value is written as null.
QJsonValue NumberOrNull(double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null); }

QJsonValue TimeOrNull(const QDateTime& t) {
  return t.isValid() ? QJsonValue(FormatRecordTime(t)) : QJsonValue(QJsonValue::Null);
}

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

// The first thing wrong with a document, with where it was found.
struct Refusal {
  QString message;
};

[[noreturn]] void Refuse(const QString& where, const QString& what) { throw Refusal{where + QStringLiteral(": ") + what}; }

QJsonValue Field(const QJsonObject& o, const QString& where, const char* key) {
  const QJsonValue v = o.value(QLatin1String(key));
  if (v.isUndefined()) Refuse(where, QStringLiteral("\"%1\" is missing").arg(QLatin1String(key)));
  return v;
}

QString Path(const QString& where, const char* key) { return where + QLatin1Char('.') + QLatin1String(key); }

// The value at `key` when it has the type `isType` checks, else a refusal saying `notIt`.
QJsonValue Typed(const QJsonObject& o, const QString& where, const char* key, bool (QJsonValue::*isType)() const,
                 const char* notIt) {
  const QJsonValue v = Field(o, where, key);
  if (!(v.*isType)()) Refuse(Path(where, key), QLatin1String(notIt));
  return v;
}

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

double NumberValue(const QJsonValue& v, const QString& where, bool nullIsNan) {
  if (nullIsNan && v.isNull()) return std::numeric_limits<double>::quiet_NaN();
  if (!v.isDouble()) Refuse(where, QStringLiteral("not a number"));
  return v.toDouble();
}

double NumberAt(const QJsonObject& o, const QString& where, const char* key, bool nullIsNan = false) {
  return NumberValue(Field(o, where, key), Path(where, key), nullIsNan);
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

template <typename E>
E ChoiceAt(const QJsonObject& o, const QString& where, const char* key, const char* first, E firstValue,
           const char* second, E secondValue) {
  const QString v = StringAt(o, where, key);
  if (v == QLatin1String(first)) return firstValue;
  if (v == QLatin1String(second)) return secondValue;
  Refuse(Path(where, key), QStringLiteral("neither \"%1\" nor \"%2\"").arg(QLatin1String(first), QLatin1String(second)));
}

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
    s.pointsPercent.push_back(NumberValue(points[i], Path(where, "points") + QStringLiteral("[%1]").arg(i), true));
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
  for (qsizetype i = 0; i < points.size(); ++i) {
    const QString pointWhere = Path(where, "points") + QStringLiteral("[%1]").arg(i);
    if (!points[i].isObject()) Refuse(pointWhere, QStringLiteral("not an object"));
    run.points.push_back(ReadPoint(points[i].toObject(), pointWhere));
  }
  if (o.contains(QLatin1String("interruptions"))) {
    const QJsonArray stretches = ArrayAt(o, where, "interruptions");
    for (qsizetype i = 0; i < stretches.size(); ++i) {
      const QString stretchWhere = Path(where, "interruptions") + QStringLiteral("[%1]").arg(i);
      if (!stretches[i].isObject()) Refuse(stretchWhere, QStringLiteral("not an object"));
      const QJsonObject stretch = stretches[i].toObject();
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
    throw Refusal{QStringLiteral("written by a newer version of the program (format version %1)")
                      .arg(FormatCalibrationNumber(version.toDouble()))};
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
                  QJsonObject{{"calibrator", r.calibrator}, {"asFound", RunValue(r.asFound)},
                              {"asLeft", RunValue(r.asLeft)}});
}

std::optional<CalibrationRecord> RecordFromJson(const QByteArray& json, QString* error) {
  try {
    const QJsonObject top = OpenDocument(json, kRecordFormat);
    CalibrationRecord r;
    r.setup = ReadSetup(ObjectAt(top, QStringLiteral("record"), "setup"), QStringLiteral("setup"));
    r.calibrator = StringAt(top, QStringLiteral("record"), "calibrator");
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
