// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The export: file layout, stop rule, the save-as request, and failures.
#include <QDir>
#include <QFileDialog>
#include <csignal>
#include <sys/resource.h>

#include "LogTestSupport.h"

using namespace vorenx;
using vorenx::testing::ReadingsLogTest;

namespace {
const QByteArray kBom = "\xEF\xBB\xBF";
const QByteArray kHeader = "Index,Time,Upper,Lower\r\n";
}  // namespace

TEST_F(ReadingsLogTest, ThreeReadingsExportAsFourLines) {
  Reading("05/03  07:08:01", "1.500V", "25.000℃");
  Reading("05/03  07:08:03", "1.501V", "77.000℉");
  Reading("05/03  07:08:05", "1.502V", "100.000Ω");
  const QByteArray expected = kBom + kHeader +
                              "1,05/03  07:08:05,1.502V,100.000\xCE\xA9\r\n"
                              "2,05/03  07:08:03,1.501V,77.000\xE2\x84\x89\r\n"
                              "3,05/03  07:08:01,1.500V,25.000\xE2\x84\x83\r\n";
  EXPECT_EQ(Export(), expected);
}

TEST_F(ReadingsLogTest, ExportStopsAtTheFirstRowWithoutAnUpperText) {
  EXPECT_EQ(Export(), kBom + kHeader);
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  history.ClearHistory();
  log.UpdateReadingsTable();
  // Row 1 holds only its Index: nothing after the header reaches the file.
  EXPECT_EQ(Export(), kBom + kHeader);
}

TEST_F(ReadingsLogTest, FewerThanThreeColumnsGiveAnEmptyFile) {
  grid.ResizeColumns(2);
  EXPECT_EQ(Export(), QByteArray());
}

TEST_F(ReadingsLogTest, AnExistingFileIsReplaced) {
  QFile old(dir.filePath("out.csv"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(5000, 'z'));
  old.close();
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  EXPECT_EQ(Export(), kBom + kHeader + "1,05/03  07:08:01,1.500V,10.000mA\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.csv"});
}

TEST_F(ReadingsLogTest, TextsWithSeparatorsAreQuoted) {
  grid.ChangeCellText(1, 1, "a,b");
  grid.ChangeCellText(1, 2, "say \"hi\"");
  EXPECT_EQ(Export(), kBom + kHeader + "1,\"a,b\",\"say \"\"hi\"\"\",\r\n");
}

TEST_F(ReadingsLogTest, SaveDataProposesANameFromTheLocalTime) {
  now = LocalTime{2026, 3, 5, 7, 8, 59, 0};
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  dialogs.answer = dir.filePath("chosen.csv");
  log.OnSaveData();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const SaveFileRequest& request = dialogs.requests.front();
  EXPECT_EQ(request.initialName, "2026-03-05  07-08");
  EXPECT_EQ(request.defaultSuffix, "csv");
  EXPECT_EQ(request.filter, "Excel(*.csv)");
  EXPECT_TRUE(request.confirmCreate);
  EXPECT_FALSE(request.confirmOverwrite);
  QFile file(dialogs.answer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), kBom + kHeader + "1,05/03  07:08:01,1.500V,10.000mA\r\n");
  EXPECT_TRUE(dialogs.messages.isEmpty());

  EXPECT_EQ(CReadingsLog::ProposedFileName(LocalTime{12345, 12, 31, 23, 59, 0, 0}), "12345-12-31  23-59");
}

// Both exports show one file dialog: CSV, no question before replacing a file
// (the question before creating one follows it).
TEST_F(ReadingsLogTest, BothExportsShowTheSameFileDialog) {
  log.OnSaveData();
  log.OnSaveForSpreadsheet();
  ASSERT_EQ(dialogs.requests.size(), 2u);
  for (const SaveFileRequest& request : dialogs.requests) {
    EXPECT_TRUE(request.confirmCreate);
    const auto dialog = QtUserDialogs::CreateFileDialog(nullptr, request);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Excel(*.csv)"});
    EXPECT_EQ(dialog->defaultSuffix(), "csv");
  }
}

TEST_F(ReadingsLogTest, CancellingSaveDataWritesNothing) {
  dialogs.answer.clear();
  log.OnSaveData();
  EXPECT_EQ(dialogs.requests.size(), 1u);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReadingsLogTest, AFileThatCannotBeCreatedIsReportedWithItsReason) {
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  const QStringList before = Row(1);
  // A folder that is not there, and a "folder" that is a file: no user can create these.
  QFile plain(dir.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  for (const QString& path : {dir.filePath("missing/out.csv"), dir.filePath("plain/out.csv"), dir.path()}) {
    dialogs.messages.clear();
    EXPECT_FALSE(grid.SaveToFile(path)) << path.toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().contains(path)) << dialogs.messages.front().toStdString();
    EXPECT_NE(dialogs.messages.front(), "Unable to save grid list");
  }
  EXPECT_EQ(Row(1), before);
  EXPECT_EQ(grid.RowCount(), 17);
}

TEST_F(ReadingsLogTest, AFullDeviceIsReported) {
  if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Reading("05/03  07:08:01", "1.500V", "10.000mA");
  EXPECT_FALSE(grid.SaveToFile("/dev/full"));
  EXPECT_EQ(dialogs.messages, QStringList{"Unable to save grid list"});
  EXPECT_EQ(Row(1), (QStringList{"1", "05/03  07:08:01", "1.500V", "10.000mA"}));
}

namespace {
// Saves with files limited to 100000 bytes: the second block of lines fails.
bool SaveWithSizeLimit(CGridCtrl& grid, const QString& path) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = 100000;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  const bool saved = grid.SaveToFile(path);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  return saved;
}
}  // namespace

TEST_F(ReadingsLogTest, AWriteThatFailsMidwayKeepsTheLinesWritten) {
  for (int i = 0; i < 3000; ++i) Reading("05/03  07:08:01", "1.500V", "10.000mA");
  const QString path = dir.filePath("partial.csv");
  const bool saved = SaveWithSizeLimit(grid, path);

  EXPECT_FALSE(saved);
  EXPECT_EQ(dialogs.messages, QStringList{"Unable to save grid list"});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray written = file.readAll();
  EXPECT_GE(written.size(), 64 * 1024);
  EXPECT_LE(written.size(), 100000);
  EXPECT_TRUE(written.startsWith(kBom + kHeader + "1,05/03  07:08:01,1.500V,10.000mA\r\n"));
  EXPECT_EQ(grid.RowCount(), 3016);
}

// Over an older export: that file stays as it was, the lines written so far
// are kept beside it, and the message names both.
TEST_F(ReadingsLogTest, AFailedExportOverAnOlderFileKeepsIt) {
  const QString path = dir.filePath("older.csv");
  const QByteArray older = kBom + kHeader + "1,04/03  09:00:00,2.000V,4.000mA\r\n";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(older);
  file.close();
  for (int i = 0; i < 3000; ++i) Reading("05/03  07:08:01", "1.500V", "10.000mA");

  EXPECT_FALSE(SaveWithSizeLimit(grid, path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), older);
  file.close();
  QFile partial(path + ".partial");
  ASSERT_TRUE(partial.open(QIODevice::ReadOnly));
  const QByteArray written = partial.readAll();
  EXPECT_GE(written.size(), 64 * 1024);
  EXPECT_TRUE(written.startsWith(kBom + kHeader + "1,05/03  07:08:01,1.500V,10.000mA\r\n"));
  EXPECT_TRUE(written.endsWith("\r\n"));
  ASSERT_EQ(dialogs.messages.size(), 1);
  const QString message = dialogs.messages.front();
  EXPECT_TRUE(message.startsWith("Unable to save grid list")) << message.toStdString();
  EXPECT_TRUE(message.contains(path + " was left as it was")) << message.toStdString();
  EXPECT_TRUE(message.contains(path + ".partial")) << message.toStdString();
}

// For a spreadsheet: numbers split from their units with the dialect's mark,
// times with their year (a day after today's is last year's), texts that are
// no number kept whole; the machine export stays as it is.
TEST_F(ReadingsLogTest, TheSpreadsheetFormSplitsNumbersAndGivesTimesTheirYear) {
  now = LocalTime{2027, 1, 2, 8, 0, 0, 0};
  Reading("31/12  23:59:59", "-1.500V", "nan\u2103");
  Reading("02/01  07:08:01", "12.053V", "25.000\u2103");
  const QByteArray machine = Export();
  const SpreadsheetDialect comma{QLatin1Char(';'), QLatin1Char(',')};
  EXPECT_EQ(log.SpreadsheetText(comma, now),
            kBom + QStringLiteral("Index;Time;Upper;Upper unit;Lower;Lower unit\r\n"
                           "1;2027-01-02 07:08:01;12,053;V;25,000;\u2103\r\n"
                           "2;2026-12-31 23:59:59;-1,500;V;nan\u2103;\r\n")
                       .toUtf8());
  EXPECT_TRUE(log.SpreadsheetText(SpreadsheetDialect{}, now).contains("1,2027-01-02 07:08:01,12.053,V,25.000,"));
  EXPECT_EQ(Export(), machine);
  EXPECT_TRUE(machine.contains("1,02/01  07:08:01,12.053V,25.000"));

  dialogs.answer = dir.filePath("sheet.csv");
  log.OnSaveForSpreadsheet();
  QFile file(dialogs.answer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), log.SpreadsheetText(SpreadsheetDialectFor(), now));
  EXPECT_TRUE(dialogs.messages.isEmpty());
}
