// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog and the register window on the lab records (a SQLite
// file per test): an overdue reference standard needs a reason, which the
// audit trail keeps; the register's order, filters and overdue mark; an edit
// that meets someone else's change.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "../lab_records/LabRecordsTestSupport.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CInstrumentsDlg.h"

namespace vorenx {
namespace {

using testing::FakeCalibrationDialogs;
using testing::FakeCalibrationHost;

class RecordsDialogs : public ::testing::Test {
 protected:
  RecordsDialogs()
      : store(dir.filePath("calibrations"), dir.filePath("calibration-setup.json")),
        keeper(testing::TestKeeper(dir.path())) {
    host.defaults = testing::DialogSetup();
    location.path = dir.filePath("records.sqlite");
  }
  LabRecords& Records() {
    QString error;
    return *keeper->Records(&error);
  }
  // The reasons of the audit entries of `action`, oldest first.
  QStringList AuditReasons(const QString& action) {
    QStringList reasons;
    testing::RawSql raw(location);
    const QString n = raw.Run(QStringLiteral("SELECT COUNT(*) FROM audit_log WHERE action = ?"), {action});
    for (int i = 0; i < n.toInt(); ++i)
      reasons << raw.Run(QStringLiteral("SELECT reason FROM audit_log WHERE action = ? ORDER BY id LIMIT 1 OFFSET ?"),
                         {action, i});
    return reasons;
  }
  // A calibration of `tag` that ended on `day`.
  void Calibrated(const QString& tag, const QDate& day, bool pass = true) {
    CalibrationRecord r = testing::RecordOf(tag, QDateTime(day, QTime(9, 0), QTimeZone::utc()), pass);
    // An as-left after it, a little off at the top.
    r.asLeft = r.asFound;
    r.asLeft->kind = RunKind::AsLeft;
    r.asLeft->points.back().errorPercent = 0.04;
    r.asLeft->points.back().pass = true;
    ASSERT_TRUE(Records().SaveCalibration(r, Records().Standards().value.front().id, {}).ok());
  }
  QStringList Column(QTableWidget* table, int column) {
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r) cells << table->item(r, column)->text();
    return cells;
  }

  QTemporaryDir dir;
  RecordsLocation location;
  CalibrationStore store;
  std::unique_ptr<RecordsKeeper> keeper;
  FakeCalibrationHost host;
  FakeCalibrationDialogs dialogs;
};

TEST_F(RecordsDialogs, AnOverdueStandardStartsARunOnlyWithAReasonKeptInTheTrail) {
  const QDate today = QDate::currentDate();
  ReferenceStandard late = testing::Calibrator(QStringLiteral("RS-OLD"));
  late.calibratedOn = today.addYears(-2);
  late.dueOn = today.addDays(-3);
  ASSERT_TRUE(Records().AddStandard(late, {}).ok());
  CCalibrationDlg dlg(host, store, *keeper);
  dlg.SetDialogs(dialogs);
  testing::EnterEnvironment(dlg);
  auto* standard = dlg.findChild<QComboBox*>(QStringLiteral("standard"));
  ASSERT_EQ(standard->count(), 2);
  const int lateRow = standard->findText(QStringLiteral("RS-OLD"), Qt::MatchStartsWith);
  ASSERT_GE(lateRow, 0);
  EXPECT_TRUE(standard->itemText(lateRow).endsWith(QStringLiteral("(overdue)")));
  EXPECT_FALSE(standard->itemText(1 - lateRow).contains(QStringLiteral("overdue")));
  standard->setCurrentIndex(lateRow);

  // Cancelled, or OK with nothing typed: no run.
  EXPECT_FALSE(dlg.StartAsFound());
  dialogs.textAnswered = true;
  dialogs.textAnswer = QStringLiteral("   ");
  EXPECT_FALSE(dlg.StartAsFound());
  EXPECT_EQ(host.created, 0);
  ASSERT_EQ(dialogs.textQuestions.size(), 2);
  EXPECT_TRUE(dialogs.textQuestions[0].contains(QStringLiteral("RS-OLD")));
  EXPECT_TRUE(AuditReasons(QStringLiteral("use-overdue")).isEmpty());

  dialogs.textAnswer = QStringLiteral("the only 4-wire standard on site");
  ASSERT_TRUE(dlg.StartAsFound());
  EXPECT_EQ(host.created, 1);
  // The record keeps the standard as it was used, with the reason.
  ASSERT_TRUE(dlg.Record().standard.has_value());
  EXPECT_EQ(dlg.Record().standard->serial, QStringLiteral("RS-OLD"));
  EXPECT_EQ(dlg.Record().standard->overdueReason, QStringLiteral("the only 4-wire standard on site"));
  EXPECT_EQ(AuditReasons(QStringLiteral("use-overdue")),
            QStringList{QStringLiteral("used while overdue for TT-101: the only 4-wire standard on site")});
  for (int i = 0; i < 400 && dlg.ActiveRun() && !dlg.ActiveRun()->Ended(); ++i) host.Feed(1);
  // The calibration names the standard, and the bench remembers it by serial.
  const std::vector<CalibrationSummary> kept = Records().Calibrations().value;
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(Records().Standards().value[static_cast<size_t>(lateRow)].id, kept[0].standardId);
  EXPECT_EQ(CalibrationDialogSettings(store.SettingsFile()).Standard().serial, QStringLiteral("RS-OLD"));
}

TEST_F(RecordsDialogs, WithoutAStandardNoRunStartsUntilOneIsAdded) {
  QTemporaryDir empty;
  RecordsLocation bare;
  bare.path = empty.filePath("records.sqlite");
  RecordsKeeper none(bare, empty.filePath("spool.sqlite"));
  CCalibrationDlg dlg(host, store, none);
  dlg.SetDialogs(dialogs);
  testing::EnterEnvironment(dlg);
  auto* standard = dlg.findChild<QComboBox*>(QStringLiteral("standard"));
  ASSERT_EQ(standard->count(), 1);
  EXPECT_TRUE(standard->currentText().contains(QStringLiteral("No reference standard")));
  EXPECT_FALSE(dlg.StartAsFound());
  EXPECT_EQ(host.created, 0);
  ASSERT_TRUE(dlg.StoreStandard(testing::Calibrator()));
  EXPECT_TRUE(standard->currentText().startsWith(QStringLiteral("CAL-1 \u2014 Process calibrator, certificate DKD-4711")));
  EXPECT_TRUE(dlg.StartAsFound());
}

TEST_F(RecordsDialogs, TheRegisterIsByDueDateFilteredAndMarksTheOverdue) {
  const QDate today = QDate::currentDate();
  for (const char* tag : {"PT-1", "TT-2", "FT-3", "LT-4"}) ASSERT_TRUE(Records().AddInstrument(testing::Transmitter(tag), {}).ok());
  Calibrated(QStringLiteral("TT-2"), today.addDays(-400), false);  // due 35 days ago
  Calibrated(QStringLiteral("FT-3"), today.addDays(-350));         // due in 15 days
  Calibrated(QStringLiteral("LT-4"), today.addDays(-100));         // due in 265 days
  Calibrated(QStringLiteral("LT-4"), today.addDays(-200));         // an older one, not the last

  std::optional<CalibrationSetup> handed;
  QString handedTag;
  CInstrumentsDlg window(*keeper, [&](const Instrument& i, const std::optional<CalibrationSetup>& s) {
    handedTag = i.tag;
    handed = s;
  });
  window.SetDialogs(dialogs);
  window.Reload();
  QTableWidget* table = window.Table();
  EXPECT_EQ(Column(table, 0), (QStringList{"PT-1", "TT-2", "FT-3", "LT-4"}));
  EXPECT_EQ(table->item(1, 4)->text(), QStringLiteral("fail"));
  EXPECT_EQ(table->item(1, 6)->text(), today.addDays(-35).toString(Qt::ISODate) + QStringLiteral(" overdue"));
  EXPECT_EQ(table->item(1, 6)->foreground().color(), QColor(0xc0, 0, 0));
  EXPECT_EQ(table->item(2, 6)->text(), today.addDays(15).toString(Qt::ISODate));
  EXPECT_NE(table->item(2, 6)->foreground().color(), QColor(0xc0, 0, 0));
  EXPECT_EQ(table->item(3, 3)->text(), today.addDays(-100).toString(Qt::ISODate));

  window.SetFilter(CInstrumentsDlg::Filter::Overdue);
  EXPECT_EQ(Column(table, 0), (QStringList{"PT-1", "TT-2"}));
  window.SetFilter(CInstrumentsDlg::Filter::DueWithin30Days);
  EXPECT_EQ(Column(table, 0), (QStringList{"PT-1", "TT-2", "FT-3"}));
  window.SetFilter(CInstrumentsDlg::Filter::All);

  // The history, newest first, each as-found against the as-left before it.
  window.ShowHistory(3);
  // The picture of the user guide (docs/register-window.png).
  window.show();
  window.resize(1000, 560);
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(window.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/register-window.png")));
  EXPECT_EQ(window.HistoryTable()->rowCount(), 2);
  EXPECT_EQ(Column(window.HistoryTable(), 2), (QStringList{"draft", "draft"}));
  EXPECT_FALSE(window.HistoryTable()->item(0, 6)->text().isEmpty());
  EXPECT_TRUE(window.HistoryTable()->item(0, 7)->text().startsWith(QStringLiteral("+0.040 % at 100 %")))
      << window.HistoryTable()->item(0, 7)->text().toStdString();
  EXPECT_TRUE(window.HistoryTable()->item(1, 7)->text().isEmpty());

  window.CalibrateRow(3);
  EXPECT_EQ(handedTag, QStringLiteral("LT-4"));
  ASSERT_TRUE(handed.has_value());
  EXPECT_EQ(handed->tag, QStringLiteral("LT-4"));
  window.CalibrateRow(0);
  EXPECT_EQ(handedTag, QStringLiteral("PT-1"));
  EXPECT_FALSE(handed.has_value());
}

TEST_F(RecordsDialogs, AnEditOverSomeoneElsesChangeShowsWhoAndTheCurrentValues) {
  ASSERT_TRUE(Records().AddInstrument(testing::Transmitter(QStringLiteral("TT-7")), {}).ok());
  CInstrumentsDlg window(*keeper, {});
  window.SetDialogs(dialogs);
  window.Reload();
  Instrument mine = Records().FindInstrument(window.Entries().front().instrument.tag).value;

  Instrument theirs = Records().FindInstrument(QStringLiteral("TT-7")).value;
  theirs.location = QStringLiteral("Hall 5");
  ASSERT_TRUE(Records().UpdateInstrument(theirs, {QStringLiteral("B. Other"), {}}).ok());

  mine.description = QStringLiteral("Reactor outlet temperature");
  EXPECT_FALSE(window.ApplyEdit(mine));
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("B. Other changed instrument TT-7 at ")))
      << dialogs.messages[0].toStdString();
  EXPECT_EQ(window.EditingInstrument().location, QStringLiteral("Hall 5"));
  EXPECT_EQ(window.EditingInstrument().description, QStringLiteral("Reactor inlet temperature"));
  EXPECT_EQ(window.Table()->item(0, 2)->text(), QStringLiteral("Hall 5"));

  // Made again on the current values, it is written.
  Instrument again = window.EditingInstrument();
  again.description = mine.description;
  EXPECT_TRUE(window.ApplyEdit(again));
  EXPECT_EQ(Records().FindInstrument(QStringLiteral("TT-7")).value.description, mine.description);
  EXPECT_EQ(Records().FindInstrument(QStringLiteral("TT-7")).value.location, QStringLiteral("Hall 5"));
}

}  // namespace
}  // namespace vorenx
