// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The main window and the dialogs in German and in Chinese: the texts are
// the translated ones, none is cut by its control, the readings file keeps
// its English header, and the calibration dialog's pictures for the user
// guide are written (run at the scale factors 1 and 1.5, see CMakeLists.txt).
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "FakeQelDisplayDll.h"
#include "FakeQelHardDll.h"
#include "app/CAboutDlg.h"
#include "app/CAlarmDlg.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CInstrumentsDlg.h"
#include "calib_dialog/CStandardsDlg.h"
#include "calib_dialog/CalibrationResultsTable.h"
#include "calib_dialog/LabSettingsDlg.h"
#include "calib_dialog/RecordsForms.h"
#include "grid/GridCtrl.h"
#include "platform/Translations.h"

namespace vorenx {
namespace {

// A visible text of `w` that its control cuts, described; empty when it fits.
// Texts are measured as drawn: the text's advance, plus the check box's
// indicator or the button's frame.
QString CutText(QWidget& w) {
  const QFontMetrics fm = w.fontMetrics();
  QString text;
  int needed = 0;
  if (auto* label = qobject_cast<QLabel*>(&w)) {
    if (label->wordWrap() || label->text().contains(QLatin1Char('<'))) return {};
    text = label->text();
    for (const QString& line : text.split(QLatin1Char('\n'))) needed = std::max(needed, fm.horizontalAdvance(line));
  } else if (qobject_cast<QCheckBox*>(&w) || qobject_cast<QRadioButton*>(&w)) {
    text = qobject_cast<QAbstractButton*>(&w)->text();
    needed = fm.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) +
             w.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &w) +
             w.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &w);
  } else if (auto* button = qobject_cast<QPushButton*>(&w)) {
    text = button->text();
    needed = fm.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 2 * 2;
  } else if (auto* box = qobject_cast<QGroupBox*>(&w)) {
    text = box->title();
    needed = fm.horizontalAdvance(text);
  } else if (auto* tabs = qobject_cast<QTabBar*>(&w)) {
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabRect(i).right() >= tabs->width()) return QStringLiteral("tab \"%1\"").arg(tabs->tabText(i));
    return {};
  } else if (auto* combo = qobject_cast<QComboBox*>(&w)) {
    // An editable box, or one made to elide entries of any length (a list of the lab's own data).
    if (combo->isEditable() || combo->sizeAdjustPolicy() != QComboBox::AdjustToContentsOnFirstShow) return {};
    // The closed box shows its entry beside the arrow.
    const int arrow = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &w);
    for (int i = 0; i < combo->count(); ++i)
      if (fm.horizontalAdvance(combo->itemText(i)) + arrow > combo->width())
        return QStringLiteral("entry \"%1\" in %2 px").arg(combo->itemText(i)).arg(combo->width());
    return {};
  } else {
    return {};
  }
  if (text.isEmpty() || needed <= w.width()) return {};
  return QStringLiteral("\"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(w.width());
}

void ExpectNothingCut(QWidget& top, const char* language) {
  for (QWidget* w : top.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&top)) continue;
    const QString cut = CutText(*w);
    EXPECT_TRUE(cut.isEmpty()) << language << ", " << w->metaObject()->className() << ": " << cut.toStdString();
  }
}

// The picture's file, only in the runs on the 1920x1080 screen (which set
// the scale), so that two runs never write one file.
void SavePicture(QWidget& w, const char* name, const char* language) {
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
  if (scale.isEmpty()) return;
  QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR));
  EXPECT_TRUE(w.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/%1-%2-%3x.png")
                                .arg(QLatin1String(name), QLatin1String(language), scale)));
}

class LanguagesLayout : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    m_translator = LoadVorenxTranslator(QString::fromLatin1(GetParam()));
    ASSERT_TRUE(m_translator) << "no translation for " << GetParam();
    QCoreApplication::installTranslator(m_translator.get());
  }
  void TearDown() override {
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
  }

 private:
  std::unique_ptr<QTranslator> m_translator;
};

TEST_P(LanguagesLayout, MainWindowSpeaksTheLanguageAndTheReadingsFileStaysEnglish) {
  testing::FakeQelHardDll hard;
  testing::FakeQelDisplayDll display;
  hard.SetAnswering({});
  CVorenxDlg dlg(hard, display);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  const auto* out = qobject_cast<QCheckBox*>(dlg.Control(idc::kOut));
  ASSERT_NE(out, nullptr);
  EXPECT_NE(out->text(), QStringLiteral("Out"));
  EXPECT_EQ(out->text(), ShownControlText(QStringLiteral("Out")));
  const auto* tabs = qobject_cast<QTabBar*>(dlg.Control(idc::kTabs));
  EXPECT_NE(tabs->tabText(0), QStringLiteral("VOL"));
  EXPECT_NE(qobject_cast<QPushButton*>(dlg.Control(idc::kSaveData))->text(), QStringLiteral("SaveData"));

  // Every tab's controls in turn, each of them whole.
  auto* outBox = qobject_cast<QCheckBox*>(dlg.Control(idc::kOut));
  for (int tab = 0; tab < tabs->count(); ++tab) {
    for (const bool on : {false, true}) {
      outBox->setChecked(on);
      const_cast<QTabBar*>(tabs)->setCurrentIndex(tab);
      QCoreApplication::processEvents();
      ExpectNothingCut(dlg, GetParam());
    }
  }
  const_cast<QTabBar*>(tabs)->setCurrentIndex(0);

  // The table's header is shown translated; the file keeps the English one.
  auto* grid = qobject_cast<CGridCtrl*>(dlg.Control(idc::kReadings));
  ASSERT_NE(grid, nullptr);
  EXPECT_NE(grid->CellText(0, 1), QStringLiteral("Time"));
  grid->ChangeCellText(1, 1, QStringLiteral("05/03  07:08:01"));
  grid->ChangeCellText(1, 2, QStringLiteral("1.500V"));
  QTemporaryDir dir;
  const QString csv = dir.filePath(QStringLiteral("readings.csv"));
  ASSERT_TRUE(grid->SaveToFile(csv));
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("\xEF\xBB\xBFIndex,Time,Upper,Lower\r\n1,05/03  07:08:01,1.500V,"));
}

TEST_P(LanguagesLayout, CalibrationDialogAfterARunSpeaksTheLanguage) {
  QTemporaryDir dir;
  CalibrationStore store(dir.filePath("calibrations"), dir.filePath("calibration-setup.json"));
  testing::FakeCalibrationHost host;
  testing::FakeCalibrationDialogs dialogs;
  CalibrationSetup setup = testing::DialogSetup();
  setup.runDown = true;
  host.defaults = setup;
  const std::unique_ptr<RecordsKeeper> keeper = testing::TestKeeper(dir.path());
  CCalibrationDlg dlg(host, store, *keeper);
  dlg.SetDialogs(dialogs);
  testing::EnterEnvironment(dlg);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  ExpectNothingCut(dlg, GetParam());

  ASSERT_TRUE(dlg.StartAsFound());
  for (int i = 0; i < 400 && dlg.ActiveRun() && !dlg.ActiveRun()->Ended(); ++i)
    host.Feed(1, testing::FakeTransmitter{1.0075, 0.012, 0.002});
  QCoreApplication::processEvents();
  ASSERT_TRUE(dlg.Record().asFound);
  // The records layer's words in the results: the run's title and its verdict line.
  const CalibrationResultsTable* table = dlg.ResultsTable();
  QStringList spanning;
  for (int r = 0; r < table->rowCount(); ++r)
    if (table->KindOfRow(r) != CalibrationResultsTable::RowKind::Point) spanning << table->item(r, 0)->text();
  ASSERT_FALSE(spanning.isEmpty());
  const QString lines = spanning.join(QLatin1Char('|'));
  EXPECT_FALSE(lines.contains(QLatin1String("As-found"))) << lines.toStdString();
  ExpectNothingCut(dlg, GetParam());
  SavePicture(dlg, "calibration-dialog", GetParam());
}

TEST_P(LanguagesLayout, TheOtherDialogsCutNothing) {
  QTemporaryDir dir;
  const std::unique_ptr<RecordsKeeper> keeper = testing::TestKeeper(dir.path());
  std::vector<std::unique_ptr<QWidget>> dialogs;
  dialogs.push_back(std::make_unique<CAlarmDlg>(AlarmSettings{}, QStringLiteral("V"), QStringLiteral("mA")));
  dialogs.push_back(std::make_unique<CLabSettingsDlg>(dir.filePath(QStringLiteral("vorenx.ini"))));
  dialogs.push_back(std::make_unique<CStandardDlg>());
  dialogs.push_back(std::make_unique<CInstrumentEditDlg>());
  dialogs.push_back(std::make_unique<CStandardsDlg>(*keeper));
  dialogs.push_back(
      std::make_unique<CInstrumentsDlg>(*keeper, [](const Instrument&, const std::optional<CalibrationSetup>&) {}));
  dialogs.push_back(std::make_unique<CAboutDlg>());
  for (const auto& dialog : dialogs) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get())) << dialog->metaObject()->className();
    ExpectNothingCut(*dialog, GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Translated, LanguagesLayout, ::testing::Values("de", "zh_CN"));

}  // namespace
}  // namespace vorenx
