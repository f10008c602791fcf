// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Runs from the calibration dialog over a fake host: confirmation, verdicts,
// abort and close, a dropped link, the draft kept in the lab records, CSV
// and certificate.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "records/CalibrationCsv.h"
#include "records/CalibrationRecord.h"
#include "calib_dialog/CalibrationResultsTable.h"

namespace vorenx {
namespace {

using testing::FakeCalibrationDialogs;
using testing::FakeCalibrationHost;
using testing::FakeTransmitter;

class CalibrationDialogRun : public ::testing::Test {
 protected:
  CalibrationDialogRun()
      : folder(dir.filePath("calibrations")),
        store(folder, dir.filePath("calibration-setup.json")),
        keeper(testing::TestKeeper(dir.path())) {
    host.defaults = testing::DialogSetup();
    dlg = std::make_unique<CCalibrationDlg>(host, store, *keeper);
    dlg->SetDialogs(dialogs);
    testing::EnterEnvironment(*dlg);
  }
  // Runs until the run ends (or far longer than it may take).
  void RunToEnd(FakeTransmitter transmitter) {
    for (int i = 0; i < 400 && dlg->ActiveRun() && !dlg->ActiveRun()->Ended(); ++i) host.Feed(1, transmitter);
    QCoreApplication::processEvents();
  }
  LabRecords& Records() {
    QString error;
    return *keeper->Records(&error);
  }
  // Every calibration in the records, with its runs.
  std::vector<StoredCalibration> Stored() {
    std::vector<StoredCalibration> all;
    for (const CalibrationSummary& s : Records().Calibrations().value) all.push_back(Records().FindCalibration(s.id).value);
    return all;
  }
  QStringList Column(int column) const {
    QStringList cells;
    const auto* table = dlg->ResultsTable();
    for (int r = 0; r < table->rowCount(); ++r)
      if (table->KindOfRow(r) == CalibrationResultsTable::RowKind::Point) cells << table->item(r, column)->text();
    return cells;
  }
  QString Verdicts() const {
    QStringList lines;
    const auto* table = dlg->ResultsTable();
    for (int r = 0; r < table->rowCount(); ++r)
      if (table->KindOfRow(r) == CalibrationResultsTable::RowKind::Verdict) lines << table->item(r, 0)->text();
    return lines.join(QLatin1Char('|'));
  }
  // The record as the lab's records give it back (their format may not carry
  // every field the dialog fills).
  static CalibrationRecord ThroughRecordFormat(const CalibrationRecord& record) {
    return RecordFromJson(RecordToJson(record)).value_or(CalibrationRecord{});
  }
  bool Enabled(const char* name) const { return dlg->findChild<QPushButton*>(QLatin1String(name))->isEnabled(); }

  QTemporaryDir dir;
  QString folder;
  CalibrationStore store;
  std::unique_ptr<RecordsKeeper> keeper;
  FakeCalibrationHost host;
  FakeCalibrationDialogs dialogs;
  std::unique_ptr<CCalibrationDlg> dlg;
};

TEST_F(CalibrationDialogRun, AGoodTransmitterPassesEveryPointAndIsRecorded) {
  ASSERT_TRUE(dlg->StartAsFound());
  EXPECT_FALSE(Enabled("startAsFound"));
  EXPECT_TRUE(Enabled("abort"));
  RunToEnd({1.002, 0.0});
  ASSERT_EQ(dialogs.questions.size(), 1);
  EXPECT_TRUE(dialogs.questions.front().contains(QStringLiteral("output on")));
  EXPECT_TRUE(dialogs.questions.front().contains(QStringLiteral("TT-101")));
  EXPECT_EQ(Column(9), QStringList(5, QStringLiteral("Pass")));
  EXPECT_EQ(Column(0), (QStringList{"0", "25", "50", "75", "100"}));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: PASS.")));
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("+0.200 % of span at 100 % up"))) << Verdicts().toStdString();
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_TRUE(Enabled("startAsLeft"));
  EXPECT_TRUE(Enabled("saveCertificate"));
  // Output off at the end.
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_FALSE(host.link.fastPolling.back());
}

TEST_F(CalibrationDialogRun, AOnePercentGainErrorFailsTheTopPointThenTheAsLeftPasses) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.01, 0.0});
  const QStringList found = Column(9);
  ASSERT_EQ(found.size(), 5);
  EXPECT_EQ(found.first(), QStringLiteral("Pass"));
  EXPECT_EQ(found.last(), QStringLiteral("Fail"));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: FAIL.")));
  ASSERT_EQ(Stored().size(), 1u);
  const CalibrationSummary draft = Stored().front().summary;
  EXPECT_EQ(draft.certificateNumber, dlg->Kept().certificateNumber);
  EXPECT_EQ(draft.asFoundVerdict, QStringLiteral("fail"));
  const QString status = dlg->findChild<QLabel*>(QStringLiteral("status"))->text();
  EXPECT_TRUE(status.contains(QStringLiteral("Saved as %1 (draft).").arg(draft.certificateNumber))) << status.toStdString();

  ASSERT_TRUE(dlg->StartAsLeft());
  RunToEnd({1.0, 0.001});
  EXPECT_EQ(dialogs.questions.size(), 2);
  EXPECT_EQ(Column(9).mid(5), QStringList(5, QStringLiteral("Pass")));
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("As-left: PASS.")));
  ASSERT_TRUE(dlg->Record().asLeft && dlg->Record().asFound);
  // One draft for the calibration, changed in place to hold both runs, under
  // its first certificate number; the tag went into the register at the first keep.
  const std::vector<StoredCalibration> stored = Stored();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].summary.id, draft.id);
  EXPECT_EQ(stored[0].summary.certificateNumber, draft.certificateNumber);
  EXPECT_EQ(stored[0].summary.revision, 1);
  EXPECT_EQ(stored[0].summary.state, CalibrationState::Draft);
  EXPECT_EQ(stored[0].summary.asLeftVerdict, QStringLiteral("pass"));
  EXPECT_EQ(stored[0].record, ThroughRecordFormat(dlg->Record()));
  const RecordsResult<Instrument> registered = Records().FindInstrument(QStringLiteral("TT-101"));
  ASSERT_TRUE(registered.ok());
  EXPECT_EQ(registered.value.description, QStringLiteral("Reactor inlet temperature"));
  EXPECT_EQ(registered.value.intervalDays, 365);
  EXPECT_TRUE(dlg->findChild<QLabel*>(QStringLiteral("status"))->text().contains(draft.certificateNumber));
}

// The record names the standard as it stood and the table its runs took, with
// the ambient conditions of each run's start; the as-left's are asked for again
// once the calibration has ended.
TEST_F(CalibrationDialogRun, TheRecordKeepsTheStandardWithItsTableAndTheAmbientConditions) {
  testing::EnterEnvironment(*dlg, QStringLiteral("21,5"), QStringLiteral(" 45 "));
  ASSERT_TRUE(dlg->StartAsFound());
  EXPECT_EQ(host.Run()->AccuracyTable(), DefaultAccuracySpecs());
  RunToEnd({1.0, 0.0});
  const ReferenceStandard rs1 = Records().Standards().value.front();
  ASSERT_TRUE(dlg->Record().standard.has_value());
  const StandardUsed used = *dlg->Record().standard;
  EXPECT_EQ(used, (StandardUsed{rs1.serial, rs1.description, rs1.certificateNumber, rs1.calibratedOn, rs1.dueOn,
                                DefaultAccuracySpecs(), true, QString()}));
  EXPECT_EQ(dlg->Record().environment, (Environment{21.5, 45.0}));

  // The as-left with the conditions of its own start, and the same table.
  testing::EnterEnvironment(*dlg, QStringLiteral("23"), QStringLiteral("51.5"));
  ASSERT_TRUE(dlg->StartAsLeft());
  EXPECT_EQ(host.Run()->AccuracyTable(), used.accuracy);
  RunToEnd({1.0, 0.0});
  EXPECT_EQ(dlg->Record().environment, (Environment{23.0, 51.5}));
  EXPECT_EQ(dlg->Record().standard, used);
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored().front().record, ThroughRecordFormat(dlg->Record()));
  // The calibration has ended: a further run waits for the conditions of its own time.
  const int created = host.created;
  EXPECT_FALSE(dlg->StartAsLeft());
  EXPECT_FALSE(dlg->StartAsFound());
  EXPECT_EQ(host.created, created);
  EXPECT_FALSE(dlg->ProblemLabel(SetupField::AmbientTemperature)->isHidden());
  EXPECT_FALSE(dlg->ProblemLabel(SetupField::Humidity)->isHidden());
  // Nor does the next dialog offer them.
  std::vector<SetupProblem> problems;
  EXPECT_EQ(CCalibrationDlg(host, store, *keeper).FormEnvironment(&problems), Environment{});
  EXPECT_EQ(problems.size(), 2u);
}

// While the lab's server is away the bench's remembered standard is used,
// with the accuracy table of its own certificate, not the defaults.
TEST_F(CalibrationDialogRun, AwayFromTheServerTheBenchsStandardBringsItsOwnTable) {
  ReferenceStandard bench{7, QStringLiteral("RS-9"), QStringLiteral("Bench calibrator"), QStringLiteral("RC-90"),
                          QDate::currentDate().addMonths(-1), QDate::currentDate().addMonths(11), {}};
  bench.accuracy = {{fc::kUpperCurrent, 0.0, 24.0, 0.01, 0.002}, {fc::kRtdFirst, -200.0, 850.0, 0.0, 0.07}};
  CalibrationDialogSettings(store.SettingsFile()).SetStandard(bench);
  RecordsLocation away;
  away.engine = RecordsLocation::Engine::Postgres;
  away.host = QStringLiteral("127.0.0.1");
  away.port = 1;  // nothing listens there
  away.database = QStringLiteral("lab");
  RecordsKeeper spooling(away, dir.filePath("away-spool.sqlite"));
  CCalibrationDlg offline(host, store, spooling);
  offline.SetDialogs(dialogs);
  testing::EnterEnvironment(offline);
  ASSERT_TRUE(offline.StartAsFound()) << offline.StatusLine().toStdString();
  EXPECT_EQ(host.Run()->AccuracyTable(), bench.accuracy);
  ASSERT_TRUE(offline.Record().standard.has_value());
  EXPECT_EQ(offline.Record().standard->accuracy, bench.accuracy);
  EXPECT_FALSE(offline.Record().standard->defaultAccuracy);
  EXPECT_EQ(offline.Record().standard->certificateNumber, QStringLiteral("RC-90"));
  offline.AbortRun();
}

TEST_F(CalibrationDialogRun, TheNextAsFoundShowsItsDriftAgainstTheLastAsLeft) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  ASSERT_TRUE(dlg->StartAsLeft());
  RunToEnd({1.0, 0.0});
  const QString completeFile = dlg->Kept().certificateNumber;
  testing::EnterEnvironment(*dlg);
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.016});  // 0.1 % of span higher everywhere
  const QStringList drift = Column(6).mid(0, 5);
  EXPECT_EQ(drift, QStringList(5, QStringLiteral("+0.100")));

  // An as-left aborted after two points is no basis for a drift: the next
  // as-found compares with the last complete one, and says which it is.
  ASSERT_TRUE(dlg->StartAsLeft());
  for (int i = 0; i < 60 && Column(0).size() < 7; ++i) host.Feed(1, {1.0, 0.032});
  dlg->findChild<QPushButton*>(QStringLiteral("abort"))->click();
  ASSERT_FALSE(dlg->Record().asLeft->complete);
  testing::EnterEnvironment(*dlg);
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.016});
  EXPECT_EQ(Column(6).mid(0, 5), QStringList(5, QStringLiteral("+0.100")));
  const QString title = dlg->ResultsTable()->item(0, 0)->text();
  EXPECT_TRUE(title.contains(QStringLiteral("the last complete as-left"))) << title.toStdString();
  EXPECT_TRUE(title.contains(completeFile)) << title.toStdString();
}

TEST_F(CalibrationDialogRun, ATooNoisyTransmitterTimesOutAtEveryPointAndFails) {
  qobject_cast<QLineEdit*>(dlg->Field(SetupField::SettleTimeout))->setText(QStringLiteral("5"));
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0, 0.05});  // a spread of 0.1 mA against a band of 0.008 mA
  EXPECT_EQ(Column(9), QStringList(5, QStringLiteral("Fail (not settled)")));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: FAIL.")));
  // Noise within the band settles.
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0, 0.003});
  EXPECT_EQ(Column(9), QStringList(5, QStringLiteral("Pass")));
}

TEST_F(CalibrationDialogRun, EnterInAFieldStartsNothing) {
  dlg->show();
  QTest::keyClick(dlg->Field(SetupField::Tag), Qt::Key_Return);
  QTest::keyClick(dlg->Field(SetupField::Points), Qt::Key_Enter);
  EXPECT_EQ(host.created, 0);
  EXPECT_TRUE(dlg->isVisible());
}

TEST_F(CalibrationDialogRun, RefusingTheOutputNeverSwitchesItOn) {
  dialogs.answer = false;
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  EXPECT_EQ(dialogs.questions.size(), 1);
  EXPECT_FALSE((host.link.OutputOnRequests() > 0));
  EXPECT_EQ(dlg->ActiveRun(), nullptr);
  ASSERT_TRUE(dlg->Record().asFound.has_value());
  EXPECT_FALSE(dlg->Record().asFound->complete);
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("not confirmed")));
}

TEST_F(CalibrationDialogRun, AbortSwitchesTheOutputOffAndKeepsThePointsSoFar) {
  ASSERT_TRUE(dlg->StartAsFound());
  // While the run goes on its line says so, with no verdict and not in red.
  EXPECT_EQ(Verdicts(), QStringLiteral("As-found: in progress, 0 points recorded."));
  for (int i = 0; i < 60 && Column(0).size() < 2; ++i) host.Feed(1);
  EXPECT_EQ(Verdicts(), QStringLiteral("As-found: in progress, 2 points recorded."));
  const auto* table = dlg->ResultsTable();
  EXPECT_EQ(table->item(table->rowCount() - 1, 0)->foreground().color(), table->item(1, 0)->foreground().color());
  ASSERT_TRUE((host.link.OutputOnRequests() > 0));
  dlg->findChild<QPushButton*>(QStringLiteral("abort"))->click();
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_EQ(dlg->ActiveRun(), nullptr);
  EXPECT_EQ(Column(0).size(), 2);
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("Aborted by the user")));
  const QString status = dlg->findChild<QLabel*>(QStringLiteral("status"))->text();
  EXPECT_EQ(status.count(QStringLiteral("Ended early")), 1) << status.toStdString();
  EXPECT_EQ(Stored().size(), 1u);
  EXPECT_TRUE(Enabled("startAsFound"));
}

TEST_F(CalibrationDialogRun, ClosingDuringARunAsksThenAbortsWithTheOutputOff) {
  dlg->show();
  ASSERT_TRUE(dlg->StartAsFound());
  host.Feed(4);
  ASSERT_TRUE(host.link.lowers.back().outputOn);
  dialogs.answer = false;
  dlg->reject();
  EXPECT_TRUE(dlg->isVisible());
  ASSERT_NE(dlg->ActiveRun(), nullptr);
  EXPECT_FALSE(dlg->ActiveRun()->Ended());
  dialogs.answer = true;
  EXPECT_TRUE(dlg->close());
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_EQ(dialogs.questions.size(), 3);
}

TEST_F(CalibrationDialogRun, DestroyedDuringARunTheDialogSwitchesTheOutputOffAndKeepsThePoints) {
  ASSERT_TRUE(dlg->StartAsFound());
  for (int i = 0; i < 60 && Column(0).size() < 2; ++i) host.Feed(1);
  ASSERT_TRUE(host.link.lowers.back().outputOn);
  dlg.reset();  // no question, no message: nobody is left to answer
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_TRUE(dialogs.messages.isEmpty());
  ASSERT_EQ(Stored().size(), 1u);
  const std::optional<CalibrationRecord> record = Stored().front().record;
  ASSERT_TRUE(record && record->asFound);
  EXPECT_EQ(record->asFound->points.size(), 2u);
  EXPECT_FALSE(record->asFound->complete);
  EXPECT_EQ(record->asFound->endReason, QStringLiteral("The calibration dialog was closed"));
}

TEST_F(CalibrationDialogRun, ADroppedLinkPausesAndTheRunResumesOnlyWhenConfirmedAgain) {
  ASSERT_TRUE(dlg->StartAsFound());
  host.Feed(4);
  ASSERT_EQ(dialogs.questions.size(), 1);
  // The window tells the run of a change of the status line a moment before
  // its own link flag follows: the run's view decides, not the flag.
  host.Run()->OnConnection(false);
  QCoreApplication::processEvents();
  host.connected = false;
  EXPECT_EQ(dlg->ActiveRun()->CurrentState(), CalibrationRun::State::Paused);
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_TRUE(dlg->StatusLine().contains(QStringLiteral("stopped answering")));
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.questions.size(), 1);  // nothing to confirm while it is away

  host.Run()->OnConnection(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.questions.size(), 1);  // connected, but no answer yet
  host.connected = true;
  host.Feed(1);  // the first reading, output off
  ASSERT_EQ(dialogs.questions.size(), 2);
  EXPECT_TRUE(dialogs.questions.back().contains(QStringLiteral("where it paused")));
  EXPECT_EQ(dlg->ActiveRun()->CurrentState(), CalibrationRun::State::Running);
  RunToEnd({1.0, 0.0});
  ASSERT_TRUE(dlg->Record().asFound.has_value());
  EXPECT_TRUE(dlg->Record().asFound->complete);
  ASSERT_EQ(dlg->Record().asFound->interruptions.size(), 1u);
}

// Answers yes, but the link drops again while the question is open.
class DropWhileAsked : public FakeCalibrationDialogs {
 public:
  bool Confirm(QWidget* parent, const QString& text) override {
    if (host && questions.size() == 1) host->SetConnected(false);
    return FakeCalibrationDialogs::Confirm(parent, text);
  }
  FakeCalibrationHost* host = nullptr;
};

TEST_F(CalibrationDialogRun, AYesGivenAfterTheLinkDroppedAgainIsNotTakenAndTheQuestionComesAgain) {
  DropWhileAsked asked;
  dlg->SetDialogs(asked);
  ASSERT_TRUE(dlg->StartAsFound());
  host.Feed(4);
  host.SetConnected(false);
  host.SetConnected(true);
  asked.host = &host;
  host.Feed(1);  // asked; the link drops while the question is open
  ASSERT_EQ(asked.questions.size(), 2);
  EXPECT_EQ(dlg->ActiveRun()->CurrentState(), CalibrationRun::State::Paused);
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_TRUE(dlg->StatusLine().contains(QStringLiteral("stopped answering")));
  host.SetConnected(true);
  host.Feed(1);
  ASSERT_EQ(asked.questions.size(), 3);
  EXPECT_EQ(dlg->ActiveRun()->CurrentState(), CalibrationRun::State::Running);
  EXPECT_TRUE(host.link.lowers.back().outputOn);
}

TEST_F(CalibrationDialogRun, SavesTheCsvAndReportsAPathItCannotWrite) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  dialogs.savePath = dir.filePath("results.csv");
  dlg->SaveCsv();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_TRUE(dialogs.requests[0].initialName.startsWith(QStringLiteral("TT-101_")));
  EXPECT_TRUE(dialogs.messages.isEmpty());
  QFile csv(dialogs.savePath);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readAll(), CalibrationCsv(dlg->Record()));
  dialogs.savePath = dir.filePath("results-sheet.csv");
  dlg->findChild<QPushButton*>(QStringLiteral("saveSpreadsheet"))->click();
  QFile sheet(dialogs.savePath);
  ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
  EXPECT_EQ(sheet.readAll(), CalibrationSpreadsheetCsv(dlg->Record(), SpreadsheetDialectFor()));

  dialogs.savePath = dir.filePath("no-such-folder/results.csv");
  dlg->SaveCsv();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].contains(dialogs.savePath));
  EXPECT_FALSE(dlg->StatusLine().contains(QStringLiteral("saved")));
}

TEST_F(CalibrationDialogRun, SavesTheCertificateAndReportsAPathItCannotWrite) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.01, 0.0});
  dialogs.savePath = dir.filePath("certificate.pdf");
  dlg->SaveCertificate();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  QFile pdf(dialogs.savePath);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*certificate*")}, QDir::Files | QDir::Hidden).size(), 1);

  // Both files the user saves get the mode the umask gives, as any program's do.
  const mode_t umaskBefore = ::umask(027);
  dialogs.savePath = dir.filePath("umask.pdf");
  dlg->SaveCertificate();
  dialogs.savePath = dir.filePath("umask.csv");
  dlg->SaveCsv();
  ::umask(umaskBefore);
  for (const char* name : {"umask.pdf", "umask.csv"}) {
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(QLatin1String(name))).constData(), &st), 0) << name;
    EXPECT_EQ(st.st_mode & 0777, 0640u) << name;
  }

  dialogs.savePath = dir.filePath("no-such-folder/certificate.pdf");
  dlg->SaveCertificate();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("could not be written")));
}

TEST_F(CalibrationDialogRun, KeepsItsSizeAndTheLastFoldersForTheNextTime) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("csv")) && QDir(dir.path()).mkpath(QStringLiteral("pdf")));
  dialogs.savePath = dir.filePath("csv/results.csv");
  dlg->SaveCsv();
  dialogs.savePath = dir.filePath("pdf/certificate.pdf");
  dlg->SaveCertificate();
  dlg->show();
  dlg->resize(900, 560);
  dlg->hide();
  dlg.reset();

  CCalibrationDlg again(host, store, *keeper);
  again.SetDialogs(dialogs);
  testing::EnterEnvironment(again);
  qobject_cast<QLineEdit*>(again.Field(SetupField::Resolution))->setText(QStringLiteral("0.001"));
  EXPECT_EQ(again.size(), QSize(900, 560));
  ASSERT_TRUE(again.StartAsFound());
  for (int i = 0; i < 400 && again.ActiveRun() && !again.ActiveRun()->Ended(); ++i) host.Feed(1);
  dialogs.requests.clear();
  dialogs.savePath.clear();  // cancelled
  again.SaveCsv();
  again.SaveCertificate();
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_EQ(dialogs.requests[0].folder, dir.filePath("csv"));
  EXPECT_EQ(dialogs.requests[1].folder, dir.filePath("pdf"));
  // The file dialog starts there and asks before replacing a file.
  const auto shown = QtUserDialogs::CreateFileDialog(&again, dialogs.requests[1]);
  EXPECT_EQ(shown->directory().absolutePath(), dir.filePath("pdf"));
  EXPECT_FALSE(shown->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_FALSE(dialogs.requests[1].confirmCreate);
  // In an INI file beside the last setup, that is in the XDG config folder.
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("vorenx.ini")));
}

TEST_F(CalibrationDialogRun, ARecordThatCannotBeWrittenIsReported) {
  // The instrument is retired while its run goes on: the records refuse it.
  Instrument tt;
  tt.tag = QStringLiteral("TT-101");
  ASSERT_TRUE(Records().AddInstrument(tt, {}).ok());
  ASSERT_TRUE(dlg->StartAsFound());
  tt = Records().FindInstrument(tt.tag).value;
  tt.state = ServiceState::Retired;
  ASSERT_TRUE(Records().UpdateInstrument(tt, {}).ok());
  RunToEnd({1.0, 0.0});
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("The calibration could not be saved")));
  EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("retired"))) << dialogs.messages[0].toStdString();
  EXPECT_TRUE(dlg->Kept().certificateNumber.isEmpty());
  EXPECT_TRUE(Stored().empty());
}

// Also writes the pictures of the user guide: the dialog and the certificate
// after an as-found that fails and an as-left that passes.
TEST_F(CalibrationDialogRun, AFailedAsFoundAndAPassingAsLeftOnTheCertificate) {
  CalibrationSetup setup = testing::DialogSetup();
  setup.runDown = true;
  ASSERT_TRUE(store.SaveSetup(setup));
  dlg = std::make_unique<CCalibrationDlg>(host, store, *keeper);
  dlg->SetDialogs(dialogs);
  testing::EnterEnvironment(*dlg);
  qobject_cast<QLineEdit*>(dlg->Field(SetupField::Resolution))->setText(QStringLiteral("0.001"));
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0075, 0.012, 0.002});
  ASSERT_TRUE(dlg->StartAsLeft());
  RunToEnd({1.0005, 0.001, 0.001});
  ASSERT_TRUE(dlg->Record().asFound && dlg->Record().asLeft);
  EXPECT_FALSE(RunPasses(*dlg->Record().asFound));
  EXPECT_TRUE(RunPasses(*dlg->Record().asLeft));
  EXPECT_EQ(dlg->Record().asFound->points.size(), 9u);
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("Hysteresis")));

  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  dlg->show();
  EXPECT_TRUE(dlg->grab().save(QStringLiteral(VORENX_PICTURE_DIR "/calibration-dialog.png")));
  dialogs.savePath = QStringLiteral(VORENX_PICTURE_DIR "/calibration-certificate.pdf");
  dlg->SaveCertificate();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_TRUE(QFile::exists(dialogs.savePath));
}

}  // namespace
}  // namespace vorenx
