// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Calibration records as JSON: every field reads back exactly, unmeasured
// values and an absent as-left survive, a record of the first format version
// reads with what it did not keep left empty, and documents that are broken
// or not ours are refused with a reason.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "records/CalibrationRecord.h"

namespace vorenx::testing {
namespace {

TEST(CalibrationRecord, EveryFieldReadsBackExactly) {
  const CalibrationRecord r = FullRecord();
  QString error;
  const std::optional<CalibrationRecord> back = RecordFromJson(RecordToJson(r), &error);
  ASSERT_TRUE(back.has_value()) << error.toStdString();
  EXPECT_EQ(back->setup, r.setup);
  EXPECT_EQ(back->calibrator, r.calibrator);
  ASSERT_TRUE(back->asFound.has_value());
  EXPECT_EQ(*back->asFound, *r.asFound);
  EXPECT_FALSE(back->asLeft.has_value());
  EXPECT_EQ(*back, r);
  EXPECT_FALSE(back->asFound->points[0].spread.has_value());
  EXPECT_EQ(back->asFound->points[1].spreadReadings, 7);
  // The budget, the verdicts, the standard's own table and a half-kept environment.
  EXPECT_FALSE(back->asFound->points[0].uncertainty.has_value());
  ASSERT_TRUE(back->asFound->points[2].uncertainty.has_value());
  EXPECT_EQ(back->asFound->points[2].uncertainty->contributions.size(), 4u);
  EXPECT_EQ(back->asFound->points[1].verdict, PointVerdict::Indeterminate);
  ASSERT_TRUE(back->standard.has_value());
  EXPECT_EQ(back->standard->accuracy, r.standard->accuracy);
  EXPECT_EQ(back->environment.temperatureC, 23.4);
  EXPECT_FALSE(back->environment.humidityPercent.has_value());
  // Each time keeps its own offset from UTC, not only the instant.
  for (size_t i = 0; i < r.asFound->points.size(); ++i)
    EXPECT_EQ(FormatRecordTime(back->asFound->points[i].time), FormatRecordTime(r.asFound->points[i].time));
  EXPECT_EQ(FormatRecordTime(back->asFound->finished), "2026-12-08T09:30:00.999+05:30");
}

TEST(CalibrationRecord, BothRunsAndTheSetupAlone) {
  CalibrationRecord r = FullRecord();
  RunResult left = *r.asFound;
  left.kind = RunKind::AsLeft;
  left.complete = true;
  left.endReason.clear();
  r.asLeft = std::move(left);
  r.asFound.reset();
  const std::optional<CalibrationRecord> back = RecordFromJson(RecordToJson(r));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, r);

  QString error;
  const std::optional<CalibrationSetup> setup = SetupFromJson(SetupToJson(r.setup), &error);
  ASSERT_TRUE(setup.has_value()) << error.toStdString();
  EXPECT_EQ(*setup, r.setup);
}

TEST(CalibrationRecord, UnmeasuredValuesAndMissingTimes) {
  CalibrationRecord r = FullRecord();
  PointResult& p = r.asFound->points[1];
  p.measured = std::nan("");
  p.errorPercent = std::nan("");
  p.readings = 0;
  p.time = QDateTime();
  r.asFound->finished = QDateTime();
  const QByteArray json = RecordToJson(r);
  EXPECT_FALSE(json.contains("nan")) << json.constData();
  const std::optional<CalibrationRecord> back = RecordFromJson(json);
  ASSERT_TRUE(back.has_value());
  const PointResult& q = back->asFound->points[1];
  EXPECT_TRUE(std::isnan(q.measured));
  EXPECT_TRUE(std::isnan(q.errorPercent));
  EXPECT_FALSE(q.time.isValid());
  EXPECT_FALSE(back->asFound->finished.isValid());
  EXPECT_EQ(back->asFound->points[2], r.asFound->points[2]);
}

TEST(CalibrationRecord, InterruptionsReadBackAndARecordWithoutThemWasNeverInterrupted) {
  CalibrationRecord r = FullRecord();
  r.asFound->interruptions = {{At(9, 10, 0, 250), At(9, 12, 30, 0)}, {At(9, 29, 0), QDateTime()}};
  const QByteArray json = RecordToJson(r);
  const std::optional<CalibrationRecord> back = RecordFromJson(json);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->asFound->interruptions, r.asFound->interruptions);
  const QJsonArray written = QJsonDocument::fromJson(json).object()["asFound"].toObject()["interruptions"].toArray();
  ASSERT_EQ(written.size(), 2);
  EXPECT_EQ(written[0].toObject()["to"].toString(), "2026-12-08T09:12:30.000+01:00");
  EXPECT_TRUE(written[1].toObject()["to"].isNull());  // it never went on

  // Records written before interruptions were kept have no such field.
  r.asFound->interruptions.clear();
  const QByteArray older = RecordToJson(r);
  EXPECT_FALSE(older.contains("interruptions"));
  const std::optional<CalibrationRecord> old = RecordFromJson(older);
  ASSERT_TRUE(old.has_value());
  EXPECT_TRUE(old->asFound->interruptions.empty());
}

TEST(CalibrationRecord, AFirstVersionRecordReadsWithWhatItDidNotKeepLeftEmpty) {
  const QByteArray v1 = FileBytes(QStringLiteral(VORENX_CALIB_DATA "/record_v1.json"));
  ASSERT_FALSE(v1.isEmpty()) << "tests/calib/data/record_v1.json is missing";
  QString error;
  const std::optional<CalibrationRecord> r = RecordFromJson(v1, &error);
  ASSERT_TRUE(r.has_value()) << error.toStdString();
  EXPECT_EQ(r->setup.resolution, 0.0);  // not entered: a run of this setup is refused until it is
  EXPECT_EQ(r->setup.rule, DecisionRule::SimpleAcceptance);
  EXPECT_FALSE(r->standard.has_value());
  EXPECT_EQ(r->environment, Environment{});
  ASSERT_EQ(r->asFound->points.size(), 3u);
  for (const PointResult& p : r->asFound->points) {
    EXPECT_FALSE(p.stdDev || p.uncertainty || p.verdict);
  }
  EXPECT_EQ(RunVerdict(*r->asFound), PointVerdict::Fail);  // from its points' pass
  // Written again it is a version 2 record that keeps them empty.
  const QByteArray again = RecordToJson(*r);
  EXPECT_EQ(QJsonDocument::fromJson(again).object()["version"].toInt(), 2);
  EXPECT_EQ(RecordFromJson(again), r);

  // The last setup of that version, alone.
  QJsonObject setupFile{{"format", "vorenx-calibration-setup"}, {"version", 1},
                        {"setup", QJsonDocument::fromJson(v1).object()["setup"]}};
  const std::optional<CalibrationSetup> setup = SetupFromJson(QJsonDocument(setupFile).toJson(), &error);
  ASSERT_TRUE(setup.has_value()) << error.toStdString();
  EXPECT_EQ(*setup, r->setup);
}

TEST(CalibrationRecord, FormatRecordTime) {
  EXPECT_EQ(FormatRecordTime(At(9, 3, 7, 5, 0)), "2026-12-08T09:03:07.005+00:00");
  EXPECT_EQ(FormatRecordTime(At(23, 59, 59, 999, -(3 * 3600 + 1800))), "2026-12-08T23:59:59.999-03:30");
  EXPECT_EQ(FormatRecordTime(QDateTime()), "");
}

// ---- refusals ----

QJsonObject Parsed(const QByteArray& json) { return QJsonDocument::fromJson(json).object(); }
QByteArray Written(const QJsonObject& o) { return QJsonDocument(o).toJson(); }

// Replaces the value at a path of object keys ("setup", "input", "low").
QJsonObject With(QJsonObject o, QStringList path, const QJsonValue& value) {
  const QString key = path.takeFirst();
  if (path.isEmpty()) {
    if (value.isUndefined()) o.remove(key);
    else o[key] = value;
  } else {
    o[key] = With(o[key].toObject(), path, value);
  }
  return o;
}

// Replaces one field of the as-found's point `index` (a path below it).
QByteArray PointWith(const QByteArray& good, int index, QStringList path, const QJsonValue& value) {
  QJsonObject o = Parsed(good);
  QJsonArray points = o["asFound"].toObject()["points"].toArray();
  points[index] = With(points[index].toObject(), path, value);
  return Written(With(o, {"asFound", "points"}, points));
}

// Replaces one field of the as-found's point `index`.
QByteArray PointWith(const QByteArray& good, int index, const char* key, const QJsonValue& value) {
  QJsonObject o = Parsed(good);
  QJsonArray points = o["asFound"].toObject()["points"].toArray();
  QJsonObject p = points[index].toObject();
  p[QLatin1String(key)] = value;
  points[index] = p;
  return Written(With(o, {"asFound", "points"}, points));
}

struct Broken {
  const char* name;
  std::function<QByteArray(const QByteArray& good)> make;
  const char* reasonPart;
};

void PrintTo(const Broken& b, std::ostream* os) { *os << b.name; }

class BrokenRecord : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenRecord, IsRefusedWithAReason) {
  const QByteArray good = RecordToJson(FullRecord());
  QString error;
  EXPECT_FALSE(RecordFromJson(GetParam().make(good), &error).has_value());
  EXPECT_TRUE(error.startsWith(QStringLiteral("Not a calibration record: "))) << error.toStdString();
  EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reasonPart))) << error.toStdString();
}

QJsonValue Undefined() { return QJsonValue(QJsonValue::Undefined); }

INSTANTIATE_TEST_SUITE_P(
    Documents, BrokenRecord,
    ::testing::Values(
        Broken{"Empty", [](const QByteArray&) { return QByteArray(); }, "not valid JSON"},
        Broken{"CutShort", [](const QByteArray& g) { return g.left(g.size() / 2); }, "not valid JSON"},
        Broken{"Array", [](const QByteArray&) { return QByteArray("[1, 2]"); }, "not a JSON object"},
        Broken{"Foreign", [](const QByteArray&) { return QByteArray(R"({"name": "x", "version": 1})"); },
               "not a vorenx-calibration file"},
        Broken{"SetupFile", [](const QByteArray&) { return SetupToJson(RtdTransmitter()); },
               "not a vorenx-calibration file"},
        Broken{"NewerVersion", [](const QByteArray& g) { return Written(With(Parsed(g), {"version"}, 3)); },
               "written by a newer version of the program (format version 3; this one reads versions 1 to 2)"},
        Broken{"TextVersion", [](const QByteArray& g) { return Written(With(Parsed(g), {"version"}, "1")); },
               "version"},
        Broken{"NoSetup", [](const QByteArray& g) { return Written(With(Parsed(g), {"setup"}, Undefined())); },
               "\"setup\" is missing"},
        Broken{"NoInputLow",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "input", "low"}, Undefined())); },
               "setup.input: \"low\" is missing"},
        Broken{"NumberTag", [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "tag"}, 7)); },
               "setup.tag: not a text"},
        Broken{"FractionalFunction",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "input", "function"}, 7.5)); },
               "setup.input.function: not a whole number"},
        Broken{"UnknownTransfer",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "output", "transfer"}, "log")); },
               "setup.output.transfer"},
        Broken{"PointsNotAList",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "points"}, "0,50,100")); },
               "setup.points: not a list"},
        Broken{"RunNotAnObject", [](const QByteArray& g) { return Written(With(Parsed(g), {"asFound"}, 3)); },
               "asFound: not an object"},
        Broken{"BadTime",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"asFound", "started"}, "yesterday")); },
               "asFound.started: not an ISO 8601 time"},
        Broken{"InterruptionWithoutItsStart",
               [](const QByteArray& g) {
                 return Written(With(Parsed(g), {"asFound", "interruptions"}, QJsonArray{QJsonObject{{"to", QJsonValue::Null}}}));
               },
               "asFound.interruptions[0]: \"from\" is missing"},
        Broken{"PointNotAnObject",
               [](const QByteArray& g) {
                 QJsonObject o = Parsed(g);
                 return Written(With(o, {"asFound", "points"}, QJsonArray{1}));
               },
               "asFound.points[0]: not an object"},
        Broken{"TextMeasured", [](const QByteArray& g) { return PointWith(g, 2, "measured", "12,04"); },
               "asFound.points[2].measured: not a number"},
        Broken{"TextSpread", [](const QByteArray& g) { return PointWith(g, 1, "spread", "0.001"); },
               "asFound.points[1].spread: not a number"},
        Broken{"SpreadOfNoReadings", [](const QByteArray& g) { return PointWith(g, 1, "spreadReadings", 0); },
               "asFound.points[1].spreadReadings: not a whole number"}),
    [](const auto& info) { return std::string(info.param.name); });

// Values a version 2 record cannot hold.
INSTANTIATE_TEST_SUITE_P(
    VersionTwoValues, BrokenRecord,
    ::testing::Values(
        Broken{"NegativeResolution",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "resolution"}, -0.001)); },
               "setup.resolution: negative"},
        Broken{"UnknownRule",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"setup", "rule"}, "lenient")); },
               "setup.rule: neither \"simple\" nor \"guard-band\""},
        Broken{"NegativeStdDev", [](const QByteArray& g) { return PointWith(g, 2, "stdDev", -1e-5); },
               "asFound.points[2].stdDev: negative"},
        Broken{"NegativeExpanded",
               [](const QByteArray& g) { return PointWith(g, 2, {"uncertainty", "expanded"}, -0.01); },
               "asFound.points[2].uncertainty.expanded: negative"},
        Broken{"TextCoverageFactor",
               [](const QByteArray& g) { return PointWith(g, 2, {"uncertainty", "coverageFactor"}, "2"); },
               "asFound.points[2].uncertainty.coverageFactor: not a number"},
        Broken{"UnknownSource",
               [](const QByteArray& g) {
                 QJsonObject u = Parsed(g)["asFound"].toObject()["points"].toArray()[2].toObject()["uncertainty"].toObject();
                 QJsonArray list = u["contributions"].toArray();
                 list[1] = With(list[1].toObject(), {"source"}, "guesswork");
                 return PointWith(g, 2, {"uncertainty", "contributions"}, list);
               },
               "asFound.points[2].uncertainty.contributions[1].source: not one of"},
        Broken{"UnknownVerdict", [](const QByteArray& g) { return PointWith(g, 2, "verdict", "maybe"); },
               "asFound.points[2].verdict: not pass, fail or indeterminate"},
        Broken{"VerdictsDisagree", [](const QByteArray& g) { return PointWith(g, 1, "verdict", "pass"); },
               "asFound.points[1]: \"pass\" and \"verdict\" disagree"},
        Broken{"NegativeFloor",
               [](const QByteArray& g) {
                 QJsonArray table = Parsed(g)["standard"].toObject()["accuracy"].toArray();
                 table[0] = With(table[0].toObject(), {"floor"}, -0.1);
                 return Written(With(Parsed(g), {"standard", "accuracy"}, table));
               },
               "standard.accuracy[0]: The floor of"},
        Broken{"BadDueDate",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"standard", "dueOn"}, "next March")); },
               "standard.dueOn: not a date"},
        Broken{"StandardWithoutSerial",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"standard", "serial"}, Undefined())); },
               "standard: \"serial\" is missing"},
        Broken{"HumidityAbove100",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"environment", "humidityPercent"}, 101)); },
               "environment.humidityPercent: above 100"},
        Broken{"NegativeHumidity",
               [](const QByteArray& g) { return Written(With(Parsed(g), {"environment", "humidityPercent"}, -1)); },
               "environment.humidityPercent: below 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalibrationRecord, BrokenSetupIsRefused) {
  QString error;
  EXPECT_FALSE(SetupFromJson("{\"format\": \"vorenx-calibration-setup\", \"version\": 1}", &error).has_value());
  EXPECT_TRUE(error.contains(QStringLiteral("\"setup\" is missing"))) << error.toStdString();
  EXPECT_FALSE(SetupFromJson(RecordToJson(FullRecord()), &error).has_value());
  EXPECT_TRUE(error.contains(QStringLiteral("not a vorenx-calibration-setup file"))) << error.toStdString();
}

TEST_F(CommaLocale, RecordNumbersKeepThePointAndReadBack) {
  const CalibrationRecord r = FullRecord();
  const QByteArray json = RecordToJson(r);
  EXPECT_TRUE(json.contains("\"low\": -40.1")) << json.constData();
  EXPECT_TRUE(json.contains("\"bandFraction\": 0.25")) << json.constData();
  const std::optional<CalibrationRecord> back = RecordFromJson(json);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, r);
}

}  // namespace
}  // namespace vorenx::testing
