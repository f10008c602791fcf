// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The alarm dialog, New Window and the status line's message, on recording
// fakes of both libraries.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "app/CAlarmDlg.h"
#include "app/NewWindow.h"
#include "platform/UserDialogs.h"

namespace vorenx::testing {
namespace {

struct Messages : UserDialogs {
  bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(QWidget*, const QString& text) override { shown << text; }
  QStringList shown;
};

using WatchDialogsTest = WindowFixture;

TEST_F(WatchDialogsTest, TheAlarmDialogSaysWhatIsWrongAndKeepsTheGoodSettings) {
  Create({}, true);
  // Each answer is typed into a fresh dialog; the runner presses OK as a user would.
  std::function<void(CAlarmDlg&)> fill;
  QString problem;
  dlg->SetAlarmDialogRunner([&](CAlarmDlg& dialog) {
    fill(dialog);
    dialog.OkButton()->click();
    problem = dialog.ProblemLabel()->text();
    return dialog.result();
  });
  const struct {
    const char* high;
    const char* low;
    const char* hysteresis;
    const char* program;
    const char* why;  // empty: taken
  } cases[] = {
      {"abc", "", "0", "", "upper high limit: \"abc\" is not a number"},
      {"20", "21", "0", "", "upper: the low limit must be below the high limit"},
      {"20", "4", "-1", "", "upper: the hysteresis must be a number, 0 or more"},
      {"20", "4", "0.1", "/no/such/program", "the alarm program /no/such/program does not exist"},
      {"20,5", "", "0,25", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.high);
    fill = [&c](CAlarmDlg& d) {
      d.HighField(0)->setText(c.high);
      d.LowField(0)->setText(c.low);
      d.HysteresisField(0)->setText(c.hysteresis);
      d.ProgramField()->setText(c.program);
      d.BeepBox()->setChecked(true);
    };
    const AlarmSettings before = dlg->Alarms();
    dlg->OnAlarms();
    EXPECT_EQ(problem, QString(c.why));
    if (*c.why) {
      EXPECT_EQ(dlg->Alarms(), before);  // a refused dialog changes nothing
    }
  }
  ASSERT_TRUE(dlg->Alarms().upper.high);
  EXPECT_DOUBLE_EQ(*dlg->Alarms().upper.high, 20.5);
  EXPECT_FALSE(dlg->Alarms().upper.low);
  EXPECT_DOUBLE_EQ(dlg->Alarms().upper.hysteresis, 0.25);
  EXPECT_TRUE(dlg->Alarms().beep);
  EXPECT_EQ(dlg->Station().Watch().State(WatchedDisplay::Upper).limits, dlg->Alarms().upper);

  // The dialog opens again with what was taken, "." in its numbers.
  fill = [](CAlarmDlg& d) {
    EXPECT_EQ(d.HighField(0)->text(), "20.5");
    EXPECT_EQ(d.LowField(0)->text(), "");
    EXPECT_EQ(d.HysteresisField(0)->text(), "0.25");
    EXPECT_TRUE(d.BeepBox()->isChecked());
  };
  dlg->OnAlarms();
}

TEST_F(WatchDialogsTest, NewWindowStartsAnotherProgramFromTheKeyAndTheMenuAndSaysWhenItCannot) {
  Create({}, true);
  auto messages = std::make_unique<Messages>();
  Messages* seen = messages.get();
  dlg->SetUserDialogs(std::move(messages));
  int started = 0;
  bool fail = false;
  dlg->SetNewWindowStarter([&](QString* why) {
    ++started;
    if (fail) *why = "Cannot start another window (vorenx): No such file";
    return !fail;
  });
  dlg->show();
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  QTest::keyClick(dlg.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(started, 1);
  QAction* entry = nullptr;
  for (QAction* a : dlg->SystemMenu()->actions())
    if (a->text().startsWith("New Window")) entry = a;
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), "New Window\tCtrl+N");
  fail = true;
  entry->trigger();
  EXPECT_EQ(started, 2);
  EXPECT_EQ(seen->shown, QStringList{"Cannot start another window (vorenx): No such file"});
}

TEST(NewWindowArguments, TheNewProgramMeansTheSameDevicesAndJournalButNotThisOnesOwnStart) {
  const auto path = [](int port) { return QStringLiteral("/dev/pts/%1").arg(port + 10); };
  ParsedOptions p = ParseAppOptions({"--simulate", "--port", "7=/dev/ttyUSB0", "--journal", "/srv/j", "--verbose",
                                     "--screenshot", "a.png", "--records", "/srv/r.sqlite", "--dut",
                                     "input=7,output=2"});
  ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
  // The ports as the library maps them now (the simulated one with its terminal).
  EXPECT_EQ(NewWindowArguments(p.options, path),
            QStringList({"--port", "4=/dev/pts/14", "--port", "7=/dev/pts/17", "--journal", "/srv/j", "--records",
                         "/srv/r.sqlite", "--verbose"}));
  p = ParseAppOptions({"--no-journal"});
  EXPECT_EQ(NewWindowArguments(p.options, path), QStringList{"--no-journal"});
  EXPECT_EQ(NewWindowArguments(ParseAppOptions({}).options, path), QStringList{});
}

}  // namespace
}  // namespace vorenx::testing
