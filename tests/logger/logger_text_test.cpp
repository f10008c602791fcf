// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-logger's texts without a process: the command line and its
// refusals, the lines a logging process sends, and the printed formats.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "logger/ChildLines.h"
#include "logger/LoggerOptions.h"
#include "logger/OutputLines.h"

namespace vorenx::logger {
namespace {

ParsedLoggerOptions Parse(QStringList args) {
  args.prepend(QStringLiteral("vorenx-logger"));
  return ParseLoggerOptions(args);
}

TEST(LoggerOptions, DurationsTakeANumberWithAUnitAndNothingElse) {
  QString why;
  EXPECT_EQ(ParseDuration("90s", &why), 90000);
  EXPECT_EQ(ParseDuration("30m", &why), 1800000);
  EXPECT_EQ(ParseDuration("8h", &why), 8 * 3600000LL);
  EXPECT_EQ(ParseDuration("1.5d", &why), 129600000LL);
  EXPECT_EQ(ParseDuration("366d", &why), kMaxDurationMs);
  for (const char* bad : {"0", "0s", "0.5s", "8", "h", "8x", "-1h", "1e3s", "8 h", "1,5h", "367d", ""}) {
    why.clear();
    EXPECT_FALSE(ParseDuration(QString::fromLatin1(bad), &why)) << bad;
    EXPECT_TRUE(why.contains("--duration")) << bad;
  }
}

TEST(LoggerOptions, ARunTakesEveryOptionItUnderstands) {
  const ParsedLoggerOptions parsed =
      Parse({"--port", "4=/dev/ttyUSB0", "--port=7=/dev/ttyACM1", "--interval", "5", "--duration", "8h", "--journal",
             "/srv/logs", "--format", "jsonl", "--quiet", "--give-up", "120", "--high", "upper=20.5", "--low",
             "upper=3.8", "--hysteresis", "upper=0.1", "--low", "lower=-1e-3"});
  ASSERT_EQ(parsed.action, ParsedLoggerOptions::Action::Run) << parsed.text.toStdString();
  const LoggerOptions& o = parsed.options;
  ASSERT_EQ(o.ports.size(), 2u);
  EXPECT_EQ(o.ports[1], (PortAssignment{7, "/dev/ttyACM1"}));
  EXPECT_EQ(kIntervalSeconds[o.intervalIndex], 5);
  EXPECT_EQ(o.durationMs, 8 * 3600000LL);
  EXPECT_FALSE(o.count);
  EXPECT_EQ(o.format, OutputFormat::Jsonl);
  EXPECT_TRUE(o.quiet);
  EXPECT_EQ(o.giveUpSeconds, 120);
  EXPECT_EQ(o.upper.high, 20.5);
  EXPECT_EQ(o.upper.low, 3.8);
  EXPECT_EQ(o.upper.hysteresis, 0.1);
  EXPECT_EQ(o.lower.low, -0.001);
  EXPECT_FALSE(o.lower.high);
  EXPECT_EQ(o.childPort, -1);
}

TEST(LoggerOptions, EachBadArgumentIsRefusedSayingWhatIsWrong) {
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{}, "--port N=PATH"},
      {{"--port", "25=/dev/ttyUSB0"}, "0 to 19"},
      {{"--port", "4"}, "--port wants"},
      {{"--port", "4=/a", "--port", "4=/b"}, "COM4 twice"},
      {{"--port", "4=/a", "--port", "5=/a"}, "two ports"},
      {{"--all", "--port", "4=/a"}, "either --all or --port"},
      {{"--all", "--interval", "3"}, "1, 2, 5 or 10"},
      {{"--all", "--interval", "1s"}, "1, 2, 5 or 10"},
      {{"--all", "--duration", "0"}, "--duration"},
      {{"--all", "--duration", "1h", "--count", "5"}, "exclude each other"},
      {{"--all", "--count", "0"}, "--count"},
      {{"--all", "--count", "many"}, "--count"},
      {{"--all", "--journal", "/x", "--no-journal"}, "exclude each other"},
      {{"--all", "--journal", ""}, "--journal wants a folder"},
      {{"--all", "--format", "xml"}, "text, csv or jsonl"},
      {{"--all", "--give-up", "0"}, "--give-up"},
      {{"--all", "--high", "middle=3"}, "upper=VALUE or lower=VALUE"},
      {{"--all", "--high", "upper=3,5"}, "\".\""},
      {{"--all", "--high", "upper=nan"}, "--high"},
      {{"--all", "--high", "upper=3", "--high", "upper=4"}, "twice"},
      {{"--all", "--hysteresis", "lower=0.1"}, "needs a --high or --low"},
      {{"--all", "--high", "lower=1", "--hysteresis", "lower=-0.1"}, "0 or more"},
      {{"--all", "--child", "4"}, "--child"},
      {{"--all", "--bogus"}, "bogus"},
      {{"--all", "stray"}, "stray"},
  };
  for (const auto& c : cases) {
    const ParsedLoggerOptions parsed = Parse(c.args);
    EXPECT_EQ(parsed.action, ParsedLoggerOptions::Action::Refuse) << c.args.join(' ').toStdString();
    EXPECT_TRUE(parsed.text.contains(QString::fromUtf8(c.says)))
        << c.args.join(' ').toStdString() << ": " << parsed.text.toStdString();
  }
}

TEST(LoggerOptions, ALoggingProcessIsToldWhatItNeedsAndNoMore) {
  const ParsedLoggerOptions parent =
      Parse({"--port", "3=/dev/pts/9", "--port", "4=/dev/pts/8", "--interval", "10", "--count", "42", "--give-up", "5",
             "--high", "lower=0.1", "--hysteresis", "lower=0.01", "--low", "upper=-3.7e-5", "--format", "csv"});
  ASSERT_EQ(parent.action, ParsedLoggerOptions::Action::Run);
  const PortAssignment& second = parent.options.ports[1];

  const ParsedLoggerOptions child = Parse(ChildArguments(parent.options, second, "/j/COM4"));
  ASSERT_EQ(child.action, ParsedLoggerOptions::Action::Run) << child.text.toStdString();
  const LoggerOptions& o = child.options;
  EXPECT_EQ(o.childPort, 4);
  ASSERT_EQ(o.ports.size(), 1u);
  EXPECT_EQ(o.ports.front(), second);
  EXPECT_EQ(o.intervalIndex, parent.options.intervalIndex);
  EXPECT_EQ(o.count, 42);
  EXPECT_EQ(o.giveUpSeconds, 5);
  EXPECT_EQ(o.journalFolder, "/j/COM4");
  EXPECT_FALSE(o.durationMs);  // the duration is the starting process's
  // The limits reach the logging process exactly as they were given.
  EXPECT_EQ(o.lower.high, 0.1);
  EXPECT_EQ(o.lower.hysteresis, 0.01);
  EXPECT_TRUE(o.lower.hysteresisGiven);
  EXPECT_EQ(o.upper.low, -3.7e-5);
  EXPECT_FALSE(o.upper.high || o.lower.low || o.upper.hysteresisGiven);

  EXPECT_TRUE(Parse(ChildArguments(parent.options, second, QString())).options.noJournal);
}

JournalReading Reading(float upper, float lower) {
  JournalReading r;
  r.time = {2026, 12, 8, 9, 3, 7, 123};
  r.upper = {upper, "mA", "Current"};
  r.lower = {lower, "℃", "TC K"};
  return r;
}

TEST(ChildLines, EveryKindOfLineReadsBackAsItWasSent) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const QByteArray line = EncodeReading(Reading(12.001f, -inf), 3600, {"upper above 20 mA", "lower below 1 ℃"});
  ASSERT_TRUE(line.endsWith('\n'));
  const ChildLine r = DecodeChildLine(line.chopped(1));
  ASSERT_EQ(r.kind, ChildLine::Kind::Reading);
  EXPECT_EQ(r.reading.time, "2026-12-08T09:03:07.123+01:00");
  EXPECT_EQ(r.reading.upper.value, 12.001f);
  EXPECT_EQ(r.reading.upper.unit, "mA");
  EXPECT_EQ(r.reading.lower.function, "TC K");
  EXPECT_TRUE(std::isinf(r.reading.lower.value) && r.reading.lower.value < 0);
  EXPECT_EQ(r.reading.alarms, (QStringList{"upper above 20 mA", "lower below 1 ℃"}));
  EXPECT_TRUE(std::isnan(DecodeChildLine(EncodeReading(Reading(nan, 1e-7f), 0).chopped(1)).reading.upper.value));
  EXPECT_TRUE(DecodeChildLine(EncodeReading(Reading(1, 2), 0).chopped(1)).reading.alarms.isEmpty());

  // A tab or line end inside a text can never split a line.
  const ChildLine status = DecodeChildLine(EncodeStatus("Dis\tConnected\n").chopped(1));
  EXPECT_EQ(status.kind, ChildLine::Kind::Status);
  EXPECT_EQ(status.text, "Dis Connected ");
  EXPECT_EQ(DecodeChildLine(EncodeJournal("/j/COM4/a.csv").chopped(1)).text, "/j/COM4/a.csv");
  EXPECT_EQ(DecodeChildLine(EncodeStatistics("upper Current: 3 readings").chopped(1)).kind,
            ChildLine::Kind::Statistics);

  const ChildLine end = DecodeChildLine(EncodeEnd({kExitLost, 42, 41, "lost: no answer for 60 s"}).chopped(1));
  ASSERT_EQ(end.kind, ChildLine::Kind::End);
  EXPECT_EQ(end.end.code, kExitLost);
  EXPECT_EQ(end.end.readings, 42);
  EXPECT_EQ(end.end.journalReadings, 41);
  EXPECT_EQ(end.end.reason, "lost: no answer for 60 s");

  for (const char* bad : {"", "R", "R\tt\t1\tV\tVoltage\t2\tV\tVoltage", "R\tt\tone\tV\tVoltage\t2\tV\tVoltage\t",
                          "E\t0\tmany\t1\tx", "X\tfoo", "S"})
    EXPECT_EQ(DecodeChildLine(bad).kind, ChildLine::Kind::Unknown) << bad;
}

TEST(OutputLines, EachFormatWritesPointNumbersWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  LoggedReading r;
  r.time = "2026-12-08T09:03:07.123+01:00";
  r.upper = {12.5f, "mA", "Current"};
  r.lower = {-0.001f, "℃", "TC K"};

  EXPECT_EQ(OutputLine(OutputFormat::Text, 4, r, {}),
            "2026-12-08T09:03:07.123+01:00 COM4 upper 12.5 mA Current, lower -0.001 ℃ TC K\n");
  EXPECT_TRUE(OutputLine(OutputFormat::Text, 4, r, {"upper above 12 mA"}).endsWith("TC K  ALARM: upper above 12 mA\n"));
  EXPECT_EQ(OutputLine(OutputFormat::Csv, 12, r, {}),
            "2026-12-08T09:03:07.123+01:00,COM12,12.5,mA,-0.001,℃,Current,TC K,\n");
  EXPECT_EQ(OutputHeader(OutputFormat::Csv).count(','), OutputLine(OutputFormat::Csv, 12, r, {}).count(','));
  EXPECT_EQ(OutputLine(OutputFormat::Jsonl, 4, r, {"upper above 12 mA"}),
            "{\"time\":\"2026-12-08T09:03:07.123+01:00\",\"port\":\"COM4\","
            "\"upper\":{\"value\":12.5,\"unit\":\"mA\",\"function\":\"Current\"},"
            "\"lower\":{\"value\":-0.001,\"unit\":\"℃\",\"function\":\"TC K\"},\"alarm\":[\"upper above 12 mA\"]}\n");

  // A value that is no number, and texts that need quoting or escaping.
  r.upper = {std::numeric_limits<float>::quiet_NaN(), "", "a \"b\", c"};
  EXPECT_TRUE(OutputLine(OutputFormat::Text, 4, r, {}).contains("upper nan a \"b\", c, lower"));
  EXPECT_TRUE(OutputLine(OutputFormat::Csv, 4, r, {"x; y"}).contains(",COM4,,,-0.001,℃,\"a \"\"b\"\", c\",TC K,x; y\n"));
  EXPECT_TRUE(OutputLine(OutputFormat::Jsonl, 4, r, {}).contains(
      "\"upper\":{\"value\":null,\"unit\":\"\",\"function\":\"a \\\"b\\\", c\"}"));
  EXPECT_EQ(JsonString("tab\there\\\x01"), "\"tab\\u0009here\\\\\\u0001\"");
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace vorenx::logger
