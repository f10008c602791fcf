// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The settings panel and the wave settings: user actions become the request
// and one queued command; the instrument's state flows back without queuing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabBar>

#include "WindowFixture.h"
#include "app/CEditEx.h"
#include "app/CUpDown.h"

namespace vorenx::testing {
namespace {

class SettingsPanelTest : public WindowFixture {
 protected:
  void SetUp() override {
    Create({4}, /*hold=*/true);  // the worker never gets past its probe here
    DrainQueue();
  }
  void ClickTab(int index) {
    auto* tabs = Get<QTabBar>(1050);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }
  void Choose(int id, int index) {
    auto* list = Get<QComboBox>(id);
    list->setFocus();
    while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
  }
  void Click(int id) {
    auto* box = Get<QAbstractButton>(id);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
  }
  bool Hidden(int id) { return dlg->Control(id)->isHidden(); }
  int LowerCommands() { return static_cast<int>(Queued(CmdSetLower).size()); }
};

TEST_F(SettingsPanelTest, StartShowsTheVolTabWithOutputOff) {
  EXPECT_FALSE(Hidden(1052));
  EXPECT_FALSE(Hidden(1051));
  for (int id : {1053, 1054, 1012, 1007, 1055, 1010, 1060, 1063, 1056}) EXPECT_TRUE(Hidden(id)) << id;
  EXPECT_FALSE(Hidden(1013));
  EXPECT_FALSE(dlg->Control(1061)->isEnabled());
  EXPECT_EQ(Get<QLabel>(1058)->text(), "0V-30V");
  EXPECT_EQ(Get<QLabel>(1056)->text(), "Static");  // written first by a lower command
}

TEST_F(SettingsPanelTest, TabsSendTheirFunctionAtOnce) {
  ClickTab(2);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 18);
  EXPECT_EQ(dlg->Link().m_lowerPending.load(), 1);
  EXPECT_EQ(LowerCommands(), 1);
  EXPECT_FALSE(Hidden(1012));  // wiring shows on RESIS while Out is clear

  Choose(1051, 1);  // "V" (the list is hidden on RESIS, but its choice is read)
  ClickTab(0);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 5);
  ClickTab(3);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 19);
  Choose(1010, 7);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 26);
  ClickTab(4);
  Choose(1007, 4);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 13);
  EXPECT_EQ(LowerCommands(), 1);  // merged into one
  EXPECT_EQ(Get<QLabel>(1056)->text(), "(0-30)");
  EXPECT_TRUE(display.Calls().contains("GetRange(13,0)"));
}

TEST_F(SettingsPanelTest, HiddenSimulationStillCountsOnTheCurrentTab) {
  ClickTab(1);
  EXPECT_TRUE(Hidden(1053));
  EXPECT_TRUE(Hidden(1054));
  Get<QCheckBox>(1054)->setChecked(true);  // checked, but hidden while Out is clear
  ClickTab(0);
  ClickTab(1);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 8);
}

TEST_F(SettingsPanelTest, OutShowsTheFieldAndLabelsAndSetsTheFlags) {
  ClickTab(2);
  Click(1013);
  EXPECT_TRUE(Get<QCheckBox>(1013)->isChecked());
  EXPECT_TRUE(dlg->Control(1061)->isEnabled());
  EXPECT_FALSE(Hidden(1063));
  EXPECT_FALSE(Hidden(1056));
  EXPECT_TRUE(Hidden(1012));
  EXPECT_EQ(Get<QLabel>(1063)->text(), QStringLiteral("\u03A9"));
  EXPECT_FALSE(dlg->Link().Request().outputOff);

  Click(1013);
  EXPECT_TRUE(dlg->Link().Request().outputOff);
  EXPECT_FALSE(dlg->Control(1061)->isEnabled());
  EXPECT_TRUE(Hidden(1063));
  EXPECT_FALSE(Hidden(1012));
}

TEST_F(SettingsPanelTest, CelsiusBoxDecidesTheUnitAndTheFlag) {
  ClickTab(4);
  Choose(1007, 4);
  Click(1013);  // Out on, so the unit label is written
  EXPECT_EQ(Get<QLabel>(1063)->text(), QStringLiteral("\u2109"));
  Click(1060);
  EXPECT_TRUE(dlg->Link().Request().celsius);
  EXPECT_EQ(Get<QLabel>(1063)->text(), QStringLiteral("\u2103"));
  Click(1055);
  EXPECT_TRUE(dlg->Link().Request().cjc);
}

TEST_F(SettingsPanelTest, VoltUnitRule) {
  ASSERT_EQ(dlg->Link().Request().lowerFunction, 5);  // the request starts on volts
  Choose(1051, 1);  // "V" while on volts: nothing
  EXPECT_EQ(LowerCommands(), 0);
  EXPECT_FALSE(dlg->Link().m_lowerPending.load());
  Choose(1051, 0);  // "mV"
  EXPECT_EQ(LowerCommands(), 1);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 6);
  DrainQueue();
  dlg->OnVoltUnitChanged();  // "mV" again while on millivolts still sends
  EXPECT_EQ(LowerCommands(), 1);
  DrainQueue();
  Choose(1051, 1);  // "V" from millivolts sends
  EXPECT_EQ(LowerCommands(), 1);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, 5);
}

TEST_F(SettingsPanelTest, UpperListAndIntervalList) {
  Choose(1057, 2);
  EXPECT_EQ(Get<QLabel>(1058)->text(), "0mA-24mA");
  EXPECT_EQ(dlg->Link().Request().upperFunction, 3);
  EXPECT_EQ(dlg->Link().m_upperPending.load(), 1);
  EXPECT_EQ(Queued(CmdSetUpper).size(), 1u);

  Choose(1016, 3);
  EXPECT_EQ(dlg->Link().m_intervalIndex.load(), 3);
  EXPECT_EQ(Queued(CmdSetDisplayWave).size() + Queued(CmdSetLower).size(), 0u);
}

TEST_F(SettingsPanelTest, FittingTheFieldClampsAndLeavingItSends) {
  Click(1013);
  DrainQueue();
  auto* field = Get<CEditEx>(1061);
  field->setText("50");
  EXPECT_FLOAT_EQ(dlg->FitSourceField(-10.0f, 30.0f, Fixed(2)), 30.0f);
  EXPECT_EQ(field->text(), "30.00");
  field->clear();
  EXPECT_FLOAT_EQ(dlg->FitSourceField(4.0f, 20.0f, Fixed(3)), 4.0f);
  EXPECT_EQ(field->text(), "4.000");
  field->setText("1");
  EXPECT_FLOAT_EQ(dlg->FitSourceField(0.0f, 10.0f, Fixed(60000)), 1.0f);  // decimals held to a sane count
  EXPECT_LE(field->text().size(), 12);

  field->setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(LowerCommands(), 1);
}

TEST_F(SettingsPanelTest, RefreshFollowsTheInstrumentButNeverQueues) {
  InstrumentState s;
  s.upperFunction = 3;
  s.lowerFunction = 21;
  s.outputOff = false;
  s.celsius = true;
  s.hart = true;
  s.wiring = 30;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QComboBox>(1057)->currentIndex(), 2);
  EXPECT_EQ(Get<QLabel>(1058)->text(), "0mA-24mA");
  EXPECT_TRUE(Get<QCheckBox>(1013)->isChecked());
  EXPECT_TRUE(Get<QCheckBox>(1060)->isChecked());
  EXPECT_TRUE(Get<QCheckBox>(1053)->isChecked());
  EXPECT_EQ(Get<QComboBox>(1012)->currentIndex(), 2);
  EXPECT_EQ(Get<QTabBar>(1050)->currentIndex(), 3);
  EXPECT_EQ(Get<QComboBox>(1010)->currentIndex(), 2);
  EXPECT_FALSE(Hidden(1010));
  EXPECT_TRUE(dlg->Commands().Snapshot().empty());

  // Wiring 31 and functions outside 5..26 change nothing.
  s.wiring = 31;
  s.lowerFunction = 27;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QComboBox>(1012)->currentIndex(), 2);
  EXPECT_EQ(Get<QTabBar>(1050)->currentIndex(), 3);
  EXPECT_TRUE(dlg->Commands().Snapshot().empty());
}

// A calibrator already sourcing when the program starts: the unit and range
// beside the (still empty) source field are the decoded function's from the
// first frame on, and follow a change made on the instrument.
TEST_F(SettingsPanelTest, TheFirstFrameOfASourcingInstrumentWritesItsUnitAndRange) {
  display.rangeLow = -200.0f;
  display.rangeHigh = 850.0f;
  InstrumentState s;
  s.lowerFunction = 19;  // PT100/385
  s.outputOff = false;
  s.celsius = true;
  dlg->RefreshFromInstrument(s);
  EXPECT_FALSE(Hidden(1063));
  EXPECT_EQ(Get<QLabel>(1063)->text(), QString::fromUtf8("℃"));
  EXPECT_EQ(Get<QLabel>(1056)->text(), "(-200-850)");
  EXPECT_TRUE(Get<CEditEx>(1061)->text().isEmpty());

  s.lowerFunction = 18;  // resistance, chosen on the instrument
  display.rangeLow = 0.0f;
  display.rangeHigh = 400.0f;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QLabel>(1063)->text(), QString::fromUtf8("Ω"));
  EXPECT_EQ(Get<QLabel>(1056)->text(), "(0-400)");
  EXPECT_TRUE(dlg->Commands().Snapshot().empty());
}

TEST_F(SettingsPanelTest, PendingLowerChangeKeepsTheLowerSideButNotTheUpper) {
  ClickTab(2);  // pending lower change
  InstrumentState s;
  s.upperFunction = 2;
  s.lowerFunction = 7;
  s.outputOff = false;
  s.cjc = true;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QTabBar>(1050)->currentIndex(), 2);
  EXPECT_FALSE(Get<QCheckBox>(1013)->isChecked());
  EXPECT_FALSE(Get<QCheckBox>(1055)->isChecked());
  EXPECT_EQ(Get<QComboBox>(1057)->currentIndex(), 1);

  Choose(1057, 0);  // pending upper change too
  s.upperFunction = 3;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QComboBox>(1057)->currentIndex(), 0);
}

TEST_F(SettingsPanelTest, LengthArrowsStepAQuarterAndClamp) {
  auto* spin = Get<CUpDown>(1067);
  auto* field = Get<CEditEx>(1068);
  spin->ClickUp();
  EXPECT_EQ(field->text(), "300");
  EXPECT_EQ(dlg->DisplayLength(), 300);
  field->SetValue(240);
  spin->ClickDown();
  EXPECT_EQ(field->text(), "180");
  field->SetValue(20);
  spin->ClickDown();
  EXPECT_EQ(field->text(), "20");
  field->SetValue(12000);
  spin->ClickUp();
  EXPECT_EQ(field->text(), "12000");
  field->SetValue(79);
  spin->ClickDown();
  EXPECT_EQ(field->text(), "59");  // arrows do not snap to a multiple of 20
  field->clear();
  spin->ClickUp();  // an empty field starts from the current length (59)
  EXPECT_EQ(field->text(), "79");
  EXPECT_EQ(Queued(CmdSetDisplayLength).size(), 1u);

  // The arrow keys in the field act like the arrows.
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->text(), "99");
}

TEST_F(SettingsPanelTest, LeavingTheLengthFieldCutsToTwenties) {
  auto* field = Get<CEditEx>(1068);
  const QList<QPair<QString, QString>> cases = {
      {"255", "240"}, {"5", "20"}, {"0", "20"}, {"", "20"}, {"abc", "20"}, {"50000", "12000"}};
  for (const auto& [typed, shown] : cases) {
    field->setText(typed);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), shown) << typed.toStdString();
    EXPECT_EQ(dlg->DisplayLength(), shown.toInt());
  }
}

TEST_F(SettingsPanelTest, WaveShowQueuesItsChannelCode) {
  Choose(1038, 2);
  EXPECT_EQ(Queued(CmdSetDisplayWave), std::vector<SettingCommand>({{CmdSetDisplayWave, 2}}));
  Choose(1038, 1);
  EXPECT_EQ(Queued(CmdSetDisplayWave), std::vector<SettingCommand>({{CmdSetDisplayWave, 1}}));
  Choose(1038, 0);
  EXPECT_EQ(Queued(CmdSetDisplayWave), std::vector<SettingCommand>({{CmdSetDisplayWave, 3}}));
}

TEST_F(SettingsPanelTest, LowerCommandReachesTheInstrumentClampedEndToEnd) {
  display.rangeLow = 0.0f;
  display.rangeHigh = 30.0f;
  display.decimals = 3;
  ClickTab(2);
  Click(1013);
  Get<CEditEx>(1061)->setText("50");
  Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Count("SetLower(") > 0; }, 30000));
  EXPECT_TRUE(hard.Calls().contains("SetLower(4,18,0x0a,30)")) << hard.Calls().join(' ').toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Get<CEditEx>(1061)->text() == QString("30.000"); }, 30000));
}

}  // namespace
}  // namespace vorenx::testing
