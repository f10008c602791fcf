// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Settings reach the instrument only through a deliberate user action: wheels,
// refreshes and moved focus queue nothing; a new function starts with the
// output off; the unit toggle keeps the temperature; keys do what they show.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTabBar>
#include <QWheelEvent>

#include "WindowFixture.h"
#include "app/CEditEx.h"

namespace vorenx::testing {
namespace {

class UserActionsTest : public WindowFixture {
 protected:
  void SetUp() override {
    Create({4}, /*hold=*/true);  // the worker waits at its probe: the queue is the test's
    DrainQueue();
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  }
  // A wheel notch as the window system delivers it: to the window, at the
  // widget's place, spontaneous, so Qt's focus-on-wheel rules apply.
  void Wheel(QWidget* w, QPoint at, int notches) {
    const QPoint local = w->mapTo(dlg.get(), at);
    QWheelEvent event(local, dlg->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(dlg->windowHandle(), &event);
  }
  void Wheel(QWidget* w, int notches) { Wheel(w, w->rect().center(), notches); }
  // The instrument reports `s`; the refresh runs as the worker would ask for it.
  void Report(const InstrumentState& s) { dlg->RefreshFromInstrument(s); }
  InstrumentState Sourcing(FunctionCode function, bool celsius = true) {
    InstrumentState s;
    s.upperFunction = 1;
    s.lowerFunction = function;
    s.outputOff = false;
    s.celsius = celsius;
    return s;
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
  bool QueueEmpty() { return dlg->Commands().Snapshot().empty(); }
  CEditEx* Field() { return Get<CEditEx>(1061); }
};

TEST_F(UserActionsTest, WheelOverTheTabsOrAnUnfocusedListQueuesNothing) {
  auto* tabs = Get<QTabBar>(1050);
  for (int notches : {-1, 1, -3}) Wheel(tabs, tabs->tabRect(0).center(), notches);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(QueueEmpty());

  Report(Sourcing(fc::kTcFirst + 3));  // TC K: the thermocouple list shows
  ASSERT_TRUE(Get<QComboBox>(1007)->isVisible());
  Get<QPushButton>(1008)->setFocus();
  for (int id : {1007, 1057, 1016, 1001, 1038}) {
    SCOPED_TRACE(id);
    auto* list = Get<QComboBox>(id);
    const int before = list->currentIndex();
    Wheel(list, -1);
    Wheel(list, 1);
    Wheel(list, -1);
    EXPECT_EQ(list->currentIndex(), before);
    EXPECT_FALSE(list->hasFocus());  // a wheel does not take the focus either
  }
  EXPECT_TRUE(QueueEmpty());
  EXPECT_EQ(dlg->Link().m_lowerPending.load(), 0);

  // A list the user has given the focus still follows the wheel.
  auto* tc = Get<QComboBox>(1007);
  tc->setFocus();
  Wheel(tc, -1);
  EXPECT_EQ(tc->currentIndex(), 5);
  EXPECT_EQ(Queued(CmdSetLower).size(), 1u);
}

TEST_F(UserActionsTest, RefreshesQueueNothingWhereverTheFocusIs) {
  const InstrumentState on = Sourcing(fc::kCurrent);
  InstrumentState off = Sourcing(fc::kRtdFirst + 5, /*celsius=*/false);
  off.outputOff = true;
  Report(on);
  ASSERT_TRUE(Field()->isEnabled());
  for (int id : {1061, 1068, 1057, 1016, 1038, 1008, 1013}) {
    SCOPED_TRACE(id);
    Report(on);
    QWidget* target = dlg->Control(id);
    target->setFocus();
    ASSERT_TRUE(target->hasFocus());
    if (id == 1061) QTest::keyClicks(Field(), "7.5");  // typed, not yet committed
    DrainQueue();  // what moving the focus here committed was the test's own doing
    Report(off);  // output off: the value field is disabled and gives up the focus
    EXPECT_FALSE(Field()->isEnabled());
    Report(on);
    EXPECT_TRUE(QueueEmpty());
    EXPECT_EQ(dlg->Link().m_lowerPending.load(), 0);
  }
}

TEST_F(UserActionsTest, ANewFunctionSwitchesTheOutputOffInTheSameCommand) {
  Report(Sourcing(fc::kCurrent));
  dlg->Link().SyncRequestFromState();  // the worker copies the state after a refresh
  ASSERT_TRUE(Get<QCheckBox>(1013)->isChecked());
  auto* tabs = Get<QTabBar>(1050);
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());  // CURR -> VOL
  EXPECT_FALSE(Get<QCheckBox>(1013)->isChecked());
  EXPECT_FALSE(Field()->isEnabled());
  EXPECT_TRUE(dlg->Link().Request().outputOff);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, fc::kMilliVolt);
  EXPECT_EQ(Queued(CmdSetLower).size(), 1u);

  // The same through each function list.
  const struct {
    FunctionCode reported;
    int list;
    int index;
    FunctionCode chosen;
  } cases[] = {{fc::kVolt, 1051, 0, fc::kMilliVolt},
               {fc::kRtdFirst, 1010, 3, fc::kRtdFirst + 3},
               {fc::kTcFirst, 1007, 4, fc::kTcVolt + 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    DrainQueue();
    dlg->Link().m_lowerPending = 0;
    Report(Sourcing(c.reported));
    dlg->Link().SyncRequestFromState();
    ASSERT_TRUE(Get<QCheckBox>(1013)->isChecked());
    Choose(c.list, c.index);
    EXPECT_FALSE(Get<QCheckBox>(1013)->isChecked());
    EXPECT_TRUE(dlg->Link().Request().outputOff);
    EXPECT_EQ(dlg->Link().Request().lowerFunction, c.chosen);
    EXPECT_EQ(Queued(CmdSetLower).size(), 1u);
  }

  // An option of the same function keeps the output on.
  DrainQueue();
  dlg->Link().m_lowerPending = 0;
  Report(Sourcing(fc::kTcFirst));
  dlg->Link().SyncRequestFromState();
  Click(1055);  // CJC
  EXPECT_TRUE(Get<QCheckBox>(1013)->isChecked());
  EXPECT_FALSE(dlg->Link().Request().outputOff);
}

TEST_F(UserActionsTest, TheUnitBoxConvertsATemperatureAndLeavesMillivolts) {
  Report(Sourcing(fc::kTcFirst + 3, /*celsius=*/false));  // TC K in ℉
  dlg->Link().SyncRequestFromState();
  Field()->setText("75");
  dlg->FitSourceField(-328.0f, 2501.0f, Fixed(1));
  ASSERT_EQ(Field()->text(), "75.0");
  Click(1060);
  EXPECT_EQ(Field()->text(), "23.9");
  EXPECT_TRUE(dlg->Link().Request().celsius);
  EXPECT_EQ(Queued(CmdSetLower).size(), 1u);
  Click(1060);
  EXPECT_EQ(Field()->text(), "75.0");
  EXPECT_FALSE(dlg->Link().Request().celsius);

  Choose(1007, 0);  // "Volt": millivolts stay millivolts
  Field()->setText("12.5");
  Click(1060);
  EXPECT_EQ(Field()->text(), "12.5");
}

TEST_F(UserActionsTest, SimulationSendsTheLowerSettingsLikeHart) {
  Report(Sourcing(fc::kCurrent));
  ASSERT_TRUE(Get<QCheckBox>(1054)->isVisible());
  Click(1054);
  EXPECT_EQ(dlg->Link().Request().lowerFunction, fc::kCurrentSimulate);
  EXPECT_EQ(Queued(CmdSetLower).size(), 1u);
  // The next reading no longer finds a change the instrument was never sent.
  EXPECT_EQ(dlg->Link().m_lowerPending.load(), 1);
}

TEST_F(UserActionsTest, EnterPressesAFocusedButtonAndNothingElse) {
  auto* run = Get<QPushButton>(1008);
  run->setFocus();
  QTest::keyClick(run, Qt::Key_Return);
  EXPECT_EQ(Queued(CmdToggleRun).size(), 1u);

  for (int id : {1057, 1016, 1001}) {
    SCOPED_TRACE(id);
    dlg->Control(id)->setFocus();
    QTest::keyClick(dlg->Control(id), Qt::Key_Return);
    QTest::keyClick(dlg->Control(id), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isVisible());
  }
  auto* waveShow = Get<QComboBox>(1038);
  waveShow->setFocus();
  QTest::keyClicks(waveShow, "Up");
  QTest::keyClick(waveShow, Qt::Key_Return);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(dlg->WorkerFinished());
}

TEST_F(UserActionsTest, EscapeInTheValueFieldClosesTheWindow) {
  Release();  // closing waits for the worker
  Report(Sourcing(fc::kCurrent));
  Field()->setFocus();
  QTest::keyClicks(Field(), "4");
  QTest::keyClick(Field(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->WorkerFinished());
}

TEST_F(UserActionsTest, EscapeInTheLengthFieldClosesTheWindow) {
  Release();
  auto* length = Get<CEditEx>(1068);
  length->setFocus();
  QTest::keyClick(length, Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(UserActionsTest, F1OpensTheAboutBoxWhereverTheFocusIs) {
  for (int id : {1061, 1057, 1008}) {
    dlg->Control(id)->setFocus();
    QTest::keyClick(dlg->Control(id), Qt::Key_F1);
  }
  EXPECT_EQ(aboutShown, 3);
  EXPECT_EQ(aboutTitle, QStringLiteral("关于 Vorenx"));
}

TEST_F(UserActionsTest, OpenListsShowTheirWholeItems) {
  Report(Sourcing(fc::kRtdFirst));
  for (int id : {1010, 1007, 1012, 1057, 1051, 1016, 1001, 1038}) {
    SCOPED_TRACE(id);
    auto* list = Get<QComboBox>(id);
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible());
    // The popup window is as wide as each item needs: its text with the
    // style's margins and check column (the item's size hint).
    const int shown = view->window()->width();
    for (int i = 0; i < list->count(); ++i)
      EXPECT_GE(shown, view->sizeHintForIndex(view->model()->index(i, 0)).width()) << list->itemText(i).toStdString();
    list->hidePopup();
  }
}

}  // namespace
}  // namespace vorenx::testing
