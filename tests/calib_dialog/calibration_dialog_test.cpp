// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog's setup: defaults, and bad input refused at its field.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationResultsTable.h"
#include "records/CalibrationRecord.h"

namespace vorenx {
namespace {

using testing::FakeCalibrationDialogs;
using testing::FakeCalibrationHost;

class CalibrationDialogSetup : public ::testing::Test {
 protected:
  CalibrationDialogSetup()
      : store(dir.filePath("calibrations"), dir.filePath("calibration-setup.json")), keeper(testing::TestKeeper(dir.path())) {
    host.defaults = testing::DialogSetup();
  }
  std::unique_ptr<CCalibrationDlg> Open() {
    auto dlg = std::make_unique<CCalibrationDlg>(host, store, *keeper);
    dlg->SetDialogs(dialogs);
    testing::EnterEnvironment(*dlg);
    return dlg;
  }
  static QLineEdit* Edit(CCalibrationDlg& dlg, SetupField f) { return qobject_cast<QLineEdit*>(dlg.Field(f)); }

  QTemporaryDir dir;
  CalibrationStore store;
  std::unique_ptr<RecordsKeeper> keeper;
  FakeCalibrationHost host;
  FakeCalibrationDialogs dialogs;
};

TEST_F(CalibrationDialogSetup, OffersTheHostsDefaultsWithoutAStoredSetup) {
  auto dlg = Open();
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Calibration"));
  EXPECT_FALSE(dlg->isModal());
  std::vector<SetupProblem> problems;
  EXPECT_EQ(dlg->FormSetup(&problems), host.defaults);
  EXPECT_TRUE(problems.empty()) << problems.front().message.toStdString();
}

TEST_F(CalibrationDialogSetup, OffersTheLastSetupAgainOverTheHostsDefaults) {
  CalibrationSetup last = testing::DialogSetup();
  last.tag = QStringLiteral("PT-7 ä/β");
  last.outputFunction = fc::kUpperVoltage;
  last.outputLow = 0.0;
  last.outputHigh = 10.0;
  last.transfer = OutputTransfer::SquareRoot;
  last.pointsPercent = {0, 12.5, 100};
  last.runDown = true;
  last.tolerance = 0.02;
  last.toleranceUnit = ToleranceUnit::OutputUnits;
  last.settle = {5, 0.25, 90};
  last.resolution = 0.0005;
  last.rule = DecisionRule::GuardBand;
  ASSERT_TRUE(store.SaveSetup(last));
  auto dlg = Open();
  // As the setup file gives it back (a file from before the resolution was
  // kept has none, and the field is left empty to be entered).
  const CalibrationSetup kept = SetupFromJson(SetupToJson(last)).value();
  EXPECT_EQ(dlg->FormSetup(nullptr), kept);
  EXPECT_EQ(Edit(*dlg, SetupField::Resolution)->text().isEmpty(), kept.resolution == 0.0);
  // The empty results table is already titled in the setup's units.
  const auto* table = dlg->ResultsTable();
  EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QString::fromUtf8("Applied (℃)"));
  EXPECT_EQ(table->horizontalHeaderItem(4)->text(), QStringLiteral("Measured (V)"));
  auto* output = qobject_cast<QComboBox*>(dlg->Field(SetupField::OutputFunction));
  ASSERT_NE(output, nullptr);
  output->setCurrentIndex(output->findData(fc::kUpperCurrent));
  emit output->activated(output->currentIndex());
  EXPECT_EQ(table->horizontalHeaderItem(4)->text(), QStringLiteral("Measured (mA)"));
}

TEST_F(CalibrationDialogSetup, ResolutionAndDecisionRuleAreReadInTheOutputsUnit) {
  host.defaults.resolution = 0.0;  // the window's settings know no resolution
  auto dlg = Open();
  // A new setup starts from the last digit of a 4-20 mA transmitter.
  EXPECT_EQ(dlg->FormSetup(nullptr).resolution, 0.001);
  auto* unit = dlg->findChild<QLabel*>(QStringLiteral("resolutionUnit"));
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->text(), QStringLiteral("mA"));
  Edit(*dlg, SetupField::Resolution)->setText(QStringLiteral("0.01"));
  // Another output function: the resolution in its unit, not the old number.
  auto* output = qobject_cast<QComboBox*>(dlg->Field(SetupField::OutputFunction));
  output->setCurrentIndex(output->findData(fc::kUpperVoltage));
  emit output->activated(output->currentIndex());
  EXPECT_EQ(unit->text(), QStringLiteral("V"));
  EXPECT_EQ(dlg->FormSetup(nullptr).resolution, 0.001);

  CalibrationSetup s = testing::DialogSetup();
  s.resolution = 0.0002;
  s.rule = DecisionRule::GuardBand;
  dlg->ShowSetup(s);
  std::vector<SetupProblem> problems;
  EXPECT_EQ(dlg->FormSetup(&problems), s);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(qobject_cast<QComboBox*>(dlg->Field(SetupField::Rule))->currentText(), QStringLiteral("Guard band (w = U)"));
  // A setup without a resolution shows none rather than one made up.
  s.resolution = 0.0;
  dlg->ShowSetup(s);
  EXPECT_TRUE(Edit(*dlg, SetupField::Resolution)->text().isEmpty());
  EXPECT_FALSE(dlg->StartAsFound());
  EXPECT_TRUE(dlg->ProblemLabel(SetupField::Resolution)->text().contains(QStringLiteral("resolution")));
}

TEST_F(CalibrationDialogSetup, ChoosingAnInputFunctionBringsItsRange) {
  auto dlg = Open();
  auto* list = dlg->findChild<QComboBox*>(QStringLiteral("inputFunctionList"));
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(list->findData(fc::kVolt));
  emit list->activated(list->currentIndex());
  const CalibrationSetup s = dlg->FormSetup(nullptr);
  EXPECT_EQ(s.inputFunction, fc::kVolt);
  EXPECT_EQ(s.inputLow, 0.0);
  EXPECT_EQ(s.inputHigh, 30.0);
}

TEST_F(CalibrationDialogSetup, NumbersReadTheSameUnderACommaLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto dlg = Open();
  Edit(*dlg, SetupField::Tolerance)->setText(QStringLiteral("0,25"));
  Edit(*dlg, SetupField::InputHigh)->setText(QStringLiteral("99.5"));
  const CalibrationSetup s = dlg->FormSetup(nullptr);
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(s.tolerance, 0.25);
  EXPECT_EQ(s.inputHigh, 99.5);
  EXPECT_EQ(Edit(*dlg, SetupField::InputLow)->text(), QStringLiteral("0"));
}

struct BadInput {
  const char* name;
  SetupField field;
  QString text;
};

TEST_F(CalibrationDialogSetup, BadInputIsShownAtItsFieldAndStartsNoRun) {
  const BadInput cases[] = {
      {"input low above high", SetupField::InputHigh, QString()},  // low set to 100 below
      {"output span reversed", SetupField::OutputHigh, QStringLiteral("4")},
      {"point above 100 %", SetupField::Points, QStringLiteral("0, 50, 120")},
      {"point below 0 %", SetupField::Points, QStringLiteral("-5; 50; 100")},
      {"decimal comma between points", SetupField::Points, QStringLiteral("0, 12,5, 100")},
      {"tolerance of zero", SetupField::Tolerance, QStringLiteral("0")},
      {"tolerance not a number", SetupField::Tolerance, QStringLiteral("half")},
      {"empty tag", SetupField::Tag, QStringLiteral("   ")},
      {"tag too long", SetupField::Tag, QString(kMaxTagLength + 1, QLatin1Char('T'))},
      {"tag with a tab", SetupField::Tag, QStringLiteral("TT\t101")},
      {"settling band of zero", SetupField::SettleBand, QStringLiteral("0")},
      {"resolution of zero", SetupField::Resolution, QStringLiteral("0")},
      {"negative resolution", SetupField::Resolution, QStringLiteral("-0.001")},
      {"no resolution", SetupField::Resolution, QString()},
      {"resolution not a number", SetupField::Resolution, QStringLiteral("1 digit")},
      {"no ambient temperature", SetupField::AmbientTemperature, QStringLiteral("  ")},
      {"ambient temperature too high", SetupField::AmbientTemperature, QStringLiteral("60")},
      {"ambient temperature not a number", SetupField::AmbientTemperature, QStringLiteral("warm")},
      {"no humidity", SetupField::Humidity, QString()},
      {"humidity over 100 %", SetupField::Humidity, QStringLiteral("101")},
      {"negative humidity", SetupField::Humidity, QStringLiteral("-1")},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.name);
    auto dlg = Open();
    dlg->show();
    if (c.field == SetupField::InputHigh) {
      Edit(*dlg, SetupField::InputLow)->setText(QStringLiteral("100"));
      Edit(*dlg, SetupField::InputHigh)->setText(QStringLiteral("100"));
    } else {
      Edit(*dlg, c.field)->setText(c.text);
    }
    EXPECT_FALSE(dlg->StartAsFound());
    EXPECT_EQ(host.created, 0);
    EXPECT_EQ(dlg->ActiveRun(), nullptr);
    QLabel* label = dlg->ProblemLabel(c.field);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_FALSE(label->text().isEmpty());
    EXPECT_EQ(dlg->focusWidget(), dlg->Field(c.field));
    // Every other field stays quiet.
    for (SetupField other : {SetupField::Tag, SetupField::InputLow, SetupField::OutputLow, SetupField::Points,
                             SetupField::Tolerance, SetupField::SettleTimeout, SetupField::Resolution,
                             SetupField::AmbientTemperature, SetupField::Humidity})
      if (other != c.field) {
        EXPECT_FALSE(dlg->ProblemLabel(other)->isVisible()) << static_cast<int>(other);
      }
  }
  EXPECT_TRUE(dialogs.questions.isEmpty());
  EXPECT_TRUE(host.link.lowers.empty());
}

TEST_F(CalibrationDialogSetup, ATagOfAnyContentThatFitsIsTakenAsItIs) {
  auto dlg = Open();
  const QString tag = QStringLiteral("../TT 101/\"ß\" 🙂 *?");
  Edit(*dlg, SetupField::Tag)->setText(tag);
  ASSERT_TRUE(dlg->StartAsFound());
  EXPECT_EQ(dlg->Record().setup.tag, tag);
  EXPECT_FALSE(dlg->ProblemLabel(SetupField::Tag)->isVisible());
}

TEST_F(CalibrationDialogSetup, CorrectingTheFieldClearsItsMessage) {
  auto dlg = Open();
  Edit(*dlg, SetupField::Tolerance)->setText(QStringLiteral("0"));
  Edit(*dlg, SetupField::InputHigh)->setText(QStringLiteral("-5"));  // below the low end
  EXPECT_FALSE(dlg->StartAsFound());
  ASSERT_FALSE(dlg->ProblemLabel(SetupField::Tolerance)->isHidden());
  // Typing the right value takes its message away at once; the other stays.
  QLineEdit* tolerance = Edit(*dlg, SetupField::Tolerance);
  tolerance->selectAll();
  QTest::keyClicks(tolerance, QStringLiteral("0.25"));
  EXPECT_TRUE(dlg->ProblemLabel(SetupField::Tolerance)->isHidden());
  const bool inputShown = !dlg->ProblemLabel(SetupField::InputLow)->isHidden() ||
                          !dlg->ProblemLabel(SetupField::InputHigh)->isHidden();
  EXPECT_TRUE(inputShown);
  QLineEdit* high = Edit(*dlg, SetupField::InputHigh);
  high->selectAll();
  QTest::keyClicks(high, QStringLiteral("100"));
  EXPECT_TRUE(dlg->ProblemLabel(SetupField::InputLow)->isHidden());
  EXPECT_TRUE(dlg->ProblemLabel(SetupField::InputHigh)->isHidden());
  EXPECT_EQ(host.created, 0);
  Edit(*dlg, SetupField::Tolerance)->setText(QStringLiteral("0.25"));
  EXPECT_TRUE(dlg->StartAsFound());
  EXPECT_FALSE(dlg->ProblemLabel(SetupField::Tolerance)->isVisible());
  EXPECT_EQ(host.created, 1);
  // Kept for next time when the run starts.
  ASSERT_TRUE(store.LoadSetup().has_value());
  EXPECT_EQ(store.LoadSetup()->tolerance, 0.25);
}

TEST_F(CalibrationDialogSetup, ARunTheHostRefusesIsReportedAndLeavesTheDialogReady) {
  host.refuse = QStringLiteral("Another calibration run drives the instrument.");
  auto dlg = Open();
  EXPECT_FALSE(dlg->StartAsFound());
  EXPECT_EQ(dialogs.messages, QStringList{host.refuse});
  EXPECT_EQ(dlg->ActiveRun(), nullptr);
  EXPECT_TRUE(dlg->findChild<QWidget*>(QStringLiteral("startAsFound"))->isEnabled());
}

}  // namespace
}  // namespace vorenx
