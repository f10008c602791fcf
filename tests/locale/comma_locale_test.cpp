// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Under a German locale (decimal comma) every number the program writes keeps
// "." and no grouping: value texts, the readings table and its CSV file, the
// range texts, the number fields and the panel's labels and scales.
#include <QFile>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

#include "FakeQelHardDll.h"
#include "TextRecorder.h"
#include "app/CEditEx.h"
#include "app/FunctionTexts.h"
#include "link/QelDisplayDll.h"
#include "link/SampleHistory.h"
#include "grid/GridCtrl.h"
#include "link/CDeviceLink.h"
#include "log/CReadingsLog.h"

namespace vorenx::testing {
namespace {

class RefusingDialogs : public UserDialogs {
 public:
  bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(QWidget*, const QString&) override {}
};

class CommaLocale : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_dir = new QTemporaryDir;
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {"-i", "de_DE", "-f", "UTF-8", s_dir->filePath(QStringLiteral("de_DE.UTF-8"))});
    if (!localedef.waitForFinished(60000) || localedef.exitStatus() != QProcess::NormalExit) return;
    qputenv("LOCPATH", s_dir->path().toLocal8Bit());
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) return;
    s_ready = std::localeconv()->decimal_point == std::string(",");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  static void TearDownTestSuite() {
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    delete s_dir;
  }
  void SetUp() override {
    if (!s_ready) GTEST_SKIP() << "no comma-decimal locale could be made (localedef de_DE.UTF-8)";
  }
  static void ExpectNoComma(const QStringList& texts) {
    for (const QString& t : texts) EXPECT_FALSE(t.contains(QLatin1Char(','))) << t.toStdString();
  }

  static inline QTemporaryDir* s_dir = nullptr;
  static inline bool s_ready = false;
};

// All lower and upper function codes, with a value that has decimals.
std::vector<int> Codes() {
  std::vector<int> codes;
  for (int c = 1; c <= 26; ++c) codes.push_back(c);
  return codes;
}

TEST_F(CommaLocale, ValueTextsTableAndCsvKeepThePoint) {
  QStringList texts;
  for (int code : Codes()) {
    texts << FormatValueText(static_cast<FunctionCode>(code), 1500.25f, true)
          << FormatValueText(static_cast<FunctionCode>(code), -0.5f, false);
  }
  ExpectNoComma(texts);
  EXPECT_EQ(FormatValueText(fc::kVolt, 1.5f, false), "1.500V");

  FakeQelHardDll hard;
  CDeviceLink link(hard, [] { return 0u; }, [] { return LocalTime{2026, 12, 6, 7, 58, 7, 0}; });
  CGridCtrl grid;
  RefusingDialogs dialogs;
  CReadingsLog log(grid, link.History(), dialogs);
  log.SetUpReadingsTable();
  link.m_state.upperFunction = fc::kUpperVoltage;
  link.m_state.upperValue = 1.5f;
  link.m_state.lowerFunction = fc::kTcFirst + 2;
  link.m_state.lowerValue = 25.0f;
  link.m_state.celsius = true;
  for (int i = 0; i < 3; ++i) {
    link.AppendSample();
    log.UpdateReadingsTable();
  }
  QStringList cells;
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColumnCount(); ++c) cells << grid.CellText(r, c);
  ExpectNoComma(cells);
  EXPECT_EQ(grid.CellText(1, 2), "1.500V");

  QTemporaryDir out;
  const QString path = out.filePath(QStringLiteral("readings.csv"));
  ASSERT_TRUE(grid.SaveToFile(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[1], QStringLiteral("1,06/12  07:58:07,1.500V,25.000\u2103"));
  for (const QString& line : lines.mid(1)) {
    EXPECT_EQ(line.count(QLatin1Char(',')), 3) << line.toStdString();  // only the separators
    EXPECT_FALSE(line.contains(QLatin1Char('"'))) << line.toStdString();
  }
}

TEST_F(CommaLocale, RangeTextsAndNumberFieldsKeepThePoint) {
  QelDisplayDll& display = DefaultQelDisplayDll();
  QStringList texts;
  for (int code : Codes())
    for (bool celsius : {false, true}) texts << RangeText(display, code, celsius);
  ExpectNoComma(texts);

  CEditEx field;
  field.SetLimits(-1000.0f, 100000.0f);
  field.SetDecimals(3);
  field.SetValue(12345.5);
  EXPECT_EQ(field.text(), "12345.500");
  field.setText(QStringLiteral("23.25"));
  EXPECT_EQ(field.ValidateText(), "23.250");
  EXPECT_FLOAT_EQ(field.GetValue(), 23.25f);
}

TEST_F(CommaLocale, PanelLabelsAndScalesKeepThePoint) {
  QelDisplayDll& display = DefaultQelDisplayDll();
  TextRecorder device(480, 600);
  {
    QPainter p(&device);
    for (int code : Codes()) {
      for (int celsius : {0, 1}) {
        display.dmmDrawMenuRange(&p, 25, 15, code, celsius);
        display.dmmDrawUnits(&p, 355, 95, code, celsius, 1, 0xFFFF00);
        display.dmmDrawBar(&p, 25, 145, code, 12.75f, celsius, 0xFFFF00);
        display.dmmDrawGrid(&p, 25, 435, 405, 555, 2.5f, 1, code, celsius);
      }
    }
  }
  ASSERT_GT(device.Texts().size(), 100);
  ExpectNoComma(device.Texts());
  EXPECT_TRUE(device.Texts().contains(QStringLiteral("22.5")));  // a 0..30 V scale
}

}  // namespace
}  // namespace vorenx::testing
