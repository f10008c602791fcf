// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The journal's lines: timestamps, numbers, fields and names.
#include <QDir>
#include <QLocale>
#include <clocale>
#include <limits>
#include <gtest/gtest.h>

#include "JournalTestSupport.h"
#include "journal/JournalReadings.h"

namespace vorenx {
namespace {

TEST(JournalFormat, TimestampCarriesMillisecondsAndOffset) {
  const LocalTime t{2026, 1, 5, 9, 3, 7, 45};
  EXPECT_EQ(FormatJournalTimestamp(t, 3600), "2026-01-05T09:03:07.045+01:00");
  EXPECT_EQ(FormatJournalTimestamp(t, 0), "2026-01-05T09:03:07.045+00:00");
  // Newfoundland: minutes matter, and the sign belongs to the whole offset.
  EXPECT_EQ(FormatJournalTimestamp(t, -(3 * 3600 + 30 * 60)), "2026-01-05T09:03:07.045-03:30");
  EXPECT_EQ(FormatJournalTimestamp(t, 5 * 3600 + 45 * 60), "2026-01-05T09:03:07.045+05:45");
}

TEST(JournalFormat, NumbersRoundTripWithAPointUnderACommaLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  for (float v : {1.5f, -0.001f, 12.3456f, 1e-7f, 100000.0f, 0.1f}) {
    const QString text = FormatJournalNumber(v);
    EXPECT_FALSE(text.contains(QLatin1Char(','))) << text.toStdString();
    bool ok = false;
    EXPECT_EQ(QLocale::c().toFloat(text, &ok), v) << text.toStdString();
    EXPECT_TRUE(ok);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!comma) GTEST_LOG_(INFO) << "de_DE.UTF-8 is not installed: checked under the C locale only";
  EXPECT_EQ(FormatJournalNumber(std::numeric_limits<float>::quiet_NaN()), "");
  EXPECT_EQ(FormatJournalNumber(std::numeric_limits<float>::infinity()), "");
}

TEST(JournalFormat, FieldsAreQuotedOnlyWhenTheyMustBe) {
  EXPECT_EQ(CsvField("PT100/385"), "PT100/385");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

TEST(JournalFormat, ReadingLineIsUtf8WithCrLfAndSeparateUnits) {
  JournalReading r = testing::ReadingAt(1234, 1.5f, 25.0f, "PT100/385", QStringLiteral("\u2103"));
  const QByteArray line = JournalReadingLine(r, 3600);
  EXPECT_EQ(line, QByteArray("2026-12-08T10:00:01.234+01:00,1.5,V,25,\xE2\x84\x83,Voltage,PT100/385\r\n"));
  // A comma in a function name cannot shift the columns.
  r.lower.function = "odd,name";
  EXPECT_TRUE(JournalReadingLine(r, 0).endsWith(",\"odd,name\"\r\n"));
}

TEST(JournalFormat, NotesAndSetupLinesStayOneCommentLine) {
  const LocalTime t{2026, 12, 8, 10, 0, 0, 0};
  EXPECT_EQ(JournalNoteLine(t, 0, "DisConnected\r\nX"), "# 2026-12-08T10:00:00.000+00:00 DisConnected  X\r\n");
  const JournalReading r = testing::ReadingAt(0, 0, 0, "TC K", QStringLiteral("\u2109"));
  EXPECT_EQ(QString::fromUtf8(JournalSetupLine(r, 0)),
            QStringLiteral("# 2026-12-08T10:00:00.000+00:00 upper Voltage V, lower TC K \u2109\r\n"));
}

TEST(JournalFormat, SetupChangesWithFunctionOrUnitOnly) {
  const JournalReading a = testing::ReadingAt(0, 1, 2, "TC K", "C");
  JournalReading b = testing::ReadingAt(500, 7, 8, "TC K", "C");
  EXPECT_TRUE(SameSetup(a, b));  // values and time do not count
  b.lower.unit = "F";
  EXPECT_FALSE(SameSetup(a, b));
  b = a;
  b.upper.function = "Loop";
  EXPECT_FALSE(SameSetup(a, b));
}

TEST(JournalFormat, FileNamesHaveNoColonsAndCountUp) {
  const LocalTime t{2026, 12, 8, 9, 3, 7, 999};
  EXPECT_EQ(JournalFileName(t), "2026-12-08_09-03-07.csv");
  EXPECT_EQ(JournalFileName(t, 2), "2026-12-08_09-03-07-2.csv");
}

TEST(JournalReadings, NamesAndUnitsFollowTheFunctionCodes) {
  InstrumentState s;
  s.upperFunction = fc::kUpperLoop;
  s.upperValue = 4.0f;
  s.lowerFunction = 13;  // TC K
  s.lowerValue = -12.5f;
  s.celsius = true;
  const JournalReading r = MakeJournalReading(s, LocalTime{2026, 12, 8, 0, 0, 0, 0});
  EXPECT_EQ(r.upper, (JournalChannel{4.0f, "mA", "Loop"}));
  EXPECT_EQ(r.lower, (JournalChannel{-12.5f, QStringLiteral("\u2103"), "TC K"}));
}

TEST(JournalReadings, DefaultFolderFollowsXdgDataHome) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/srv/data");
  EXPECT_EQ(DefaultJournalFolder(), "/srv/data/vorenx/journal");
  qputenv("XDG_DATA_HOME", "relative/not/allowed");
  EXPECT_EQ(DefaultJournalFolder(), QDir::homePath() + "/.local/share/vorenx/journal");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DefaultJournalFolder(), QDir::homePath() + "/.local/share/vorenx/journal");
  if (!saved.isNull()) qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
}  // namespace vorenx
