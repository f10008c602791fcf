// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The files made for a spreadsheet, read back by LibreOffice Calc (headless)
// with its CSV import set to English (USA) and to German, as a user in
// either locale would open them: numbers arrive as numbers with their
// values, times as date-times. Skipped where soffice is not installed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "records/CalibrationCsv.h"
#include "log/CReadingsLog.h"

namespace vorenx::testing {
namespace {

struct Cell {
  QString type;  // "float", "date", "string", or empty
  QString value;
  QString text;
};
using Sheet = std::vector<std::vector<Cell>>;

// The first table of a flat OpenDocument spreadsheet, row by row.
Sheet ReadFods(const QString& path) {
  QFile file(path);
  Sheet sheet;
  if (!file.open(QIODevice::ReadOnly)) return sheet;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == u"table") break;
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"table-row") sheet.emplace_back();
    if (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell") continue;
    const QXmlStreamAttributes a = xml.attributes();
    Cell cell{a.value("office:value-type").toString(), QString(), QString()};
    cell.value = cell.type == u"date" ? a.value("office:date-value").toString() : a.value("office:value").toString();
    const int repeat = std::max(1, a.value("table:number-columns-repeated").toInt());
    const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    cell.text = text.trimmed();
    if (sheet.empty()) sheet.emplace_back();
    for (int i = 0; i < std::min(repeat, 64); ++i) sheet.back().push_back(cell);
  }
  return sheet;
}

struct Language {
  const char* name;
  int id;  // the import's language (Windows language id)
  QLocale locale;
};
const Language kLanguages[] = {{"en-US", 1033, QLocale(QLocale::English, QLocale::UnitedStates)},
                               {"de-DE", 1031, QLocale(QLocale::German, QLocale::Germany)}};

class SpreadsheetImport : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (m_soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/setup.sh installs it";
    ASSERT_TRUE(m_dir.isValid());
  }
  // Writes `bytes` as NAME.csv and has Calc import it in the parameter's
  // language with the dialect's separator, "Detect special numbers" on.
  Sheet Import(const QString& name, const QByteArray& bytes) {
    const QString csv = m_dir.filePath(name + ".csv");
    QFile file(csv);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const SpreadsheetDialect dialect = SpreadsheetDialectFor(GetParam().locale);
    const QString options = QStringLiteral("CSV:%1,34,76,1,,%2,false,true").arg(int(dialect.separator.unicode())).arg(GetParam().id);
    QProcess calc;
    calc.start(m_soffice, {"-env:UserInstallation=file://" + m_dir.filePath("profile"), "--headless",
                           "--infilter=" + options, "--convert-to", "fods", "--outdir", m_dir.path(), csv});
    EXPECT_TRUE(calc.waitForFinished(300000));
    const Sheet sheet = ReadFods(m_dir.filePath(name + ".fods"));
    EXPECT_FALSE(sheet.empty()) << calc.readAllStandardError().toStdString();
    return sheet;
  }
  static void ExpectNumber(const Cell& cell, double value) {
    EXPECT_EQ(cell.type, "float") << cell.text.toStdString();
    EXPECT_NEAR(cell.value.toDouble(), value, 1e-9 + std::abs(value) * 1e-6) << cell.text.toStdString();
  }

  QString m_soffice;
  QTemporaryDir m_dir;
};

TEST_P(SpreadsheetImport, ReadingsArriveAsNumbersAndDateTimes) {
  CGridCtrl grid;
  SampleHistory history;
  struct : UserDialogs {
    bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
    void ShowMessage(QWidget*, const QString&) override {}
  } dialogs;
  CReadingsLog log(grid, history, dialogs);
  log.SetUpReadingsTable();
  history.Append("09/12  14:03:04", "0.500V", "25.000\u2103", 0, 0);
  log.UpdateReadingsTable();
  history.Append("09/12  14:03:05", "12.053V", "-5.002mA", 0, 0);
  log.UpdateReadingsTable();
  const QByteArray text = log.SpreadsheetText(SpreadsheetDialectFor(GetParam().locale), LocalTime{2026, 12, 9, 15});

  const Sheet sheet = Import("readings", text);
  ASSERT_GE(sheet.size(), 3u);
  ASSERT_GE(sheet[1].size(), 6u);
  EXPECT_EQ(sheet[0][3].text, "Upper unit");
  ExpectNumber(sheet[1][0], 1);
  EXPECT_EQ(sheet[1][1].type, "date") << sheet[1][1].text.toStdString();
  EXPECT_EQ(sheet[1][1].value, "2026-12-09T14:03:05");
  ExpectNumber(sheet[1][2], 12.053);
  EXPECT_EQ(sheet[1][3].text, "V");
  ExpectNumber(sheet[1][4], -5.002);
  EXPECT_EQ(sheet[1][5].text, "mA");
  ExpectNumber(sheet[2][2], 0.5);
  ExpectNumber(sheet[2][4], 25.0);
  EXPECT_EQ(sheet[2][5].text, QStringLiteral("\u2103"));
}

TEST_P(SpreadsheetImport, CalibrationResultsArriveAsNumbersAndDateTimes) {
  CalibrationRecord record;
  record.setup = RtdTransmitter();
  RunResult run;
  run.kind = RunKind::AsFound;
  run.started = At(14, 0, 0);
  run.finished = At(14, 9, 0);
  PointResult p = Measured(record.setup, 25, 8.00123);
  p.time = At(14, 3, 5, 250);
  p.uncertainty = EvaluatePointUncertainty(record.setup, DefaultAccuracySpecs(), {p.applied, p.measured, {}, 0});
  run.points.push_back(p);
  PointResult tiny = Measured(record.setup, 50, 12.0000001);  // an error of about 1e-6 % of span
  run.points.push_back(tiny);
  record.asFound = run;

  const Sheet sheet = Import("results", CalibrationSpreadsheetCsv(record, SpreadsheetDialectFor(GetParam().locale)));
  // The setup's comment lines come first, each one text cell.
  std::size_t header = 0;
  while (header < sheet.size() && (sheet[header].empty() || sheet[header][0].text != "Run")) ++header;
  ASSERT_LT(header + 2, sheet.size());
  EXPECT_TRUE(sheet[header - 1][0].text.startsWith("# Settling: ")) << sheet[header - 1][0].text.toStdString();
  const std::vector<Cell>& row = sheet[header + 1];
  ASSERT_GE(row.size(), 13u);
  ExpectNumber(row[1], 25);
  ExpectNumber(row[3], static_cast<float>(p.applied));
  ExpectNumber(row[5], static_cast<float>(p.expected));
  ExpectNumber(row[6], static_cast<float>(8.00123));
  ExpectNumber(row[8], static_cast<float>(p.errorPercent));
  EXPECT_EQ(row[12].type, "date") << row[12].text.toStdString();
  EXPECT_EQ(row[12].value, "2026-12-08T14:03:05");
  // U and the TUR, added after the earlier columns, are numbers too.
  ASSERT_GE(row.size(), 15u);
  ExpectNumber(row[13], 0.037f);
  ExpectNumber(row[14], 2.1f);
  ExpectNumber(sheet[header + 2][8], static_cast<float>(tiny.errorPercent));
}

INSTANTIATE_TEST_SUITE_P(Languages, SpreadsheetImport, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.id == 1033 ? "EnUs" : "DeDe"); });

}  // namespace
}  // namespace vorenx::testing
