// Runs from the calibration dialog over a fake host: confirmation, verdicts,
// abort and close, a dropped link, the record files, CSV and certificate.
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
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CalibDialogFakes.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "records/CalibrationCsv.h"
#include "calib_dialog/CalibrationResultsTable.h"

namespace vorenx {
namespace {

using testing::FakeCalibrationDialogs;
using testing::FakeCalibrationHost;
using testing::FakeTransmitter;

// Names that left a folder (deleted, or renamed away) while it was watched.
class DepartureWatch {
 public:
  explicit DepartureWatch(const QString& folder) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (m_fd >= 0) ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_DELETE | IN_MOVED_FROM);
  }
  ~DepartureWatch() {
    if (m_fd >= 0) ::close(m_fd);
  }
  bool Valid() const { return m_fd >= 0; }
  QStringList Departed() {
    QStringList names;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;)
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        if (e->len > 0) names << QFile::decodeName(e->name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    return names;
  }

 private:
  int m_fd;
};

class CalibrationDialogRun : public ::testing::Test {
 protected:
  CalibrationDialogRun()
      : folder(dir.filePath("calibrations")), store(folder, dir.filePath("calibration-setup.json")) {
    host.defaults = testing::DialogSetup();
    dlg = std::make_unique<CCalibrationDlg>(host, store);
    dlg->SetDialogs(dialogs);
  }
  // Runs until the run ends (or far longer than it may take).
  void RunToEnd(FakeTransmitter transmitter) {
    for (int i = 0; i < 400 && dlg->ActiveRun() && !dlg->ActiveRun()->Ended(); ++i) host.Feed(1, transmitter);
    QCoreApplication::processEvents();
  }
  QStringList RecordFiles() const { return QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files); }
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
  bool Enabled(const char* name) const { return dlg->findChild<QPushButton*>(QLatin1String(name))->isEnabled(); }

  QTemporaryDir dir;
  QString folder;
  CalibrationStore store;
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
  EXPECT_EQ(Column(7), QStringList(5, QStringLiteral("Pass")));
  EXPECT_EQ(Column(0), (QStringList{"0", "25", "50", "75", "100"}));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: PASS.")));
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("+0.200 % of span at 100 % up"))) << Verdicts().toStdString();
  ASSERT_EQ(RecordFiles().size(), 1);
  EXPECT_TRUE(Enabled("startAsLeft"));
  EXPECT_TRUE(Enabled("saveCertificate"));
  // Output off at the end.
  EXPECT_FALSE(host.link.lowers.back().outputOn);
  EXPECT_FALSE(host.link.fastPolling.back());
}

TEST_F(CalibrationDialogRun, AOnePercentGainErrorFailsTheTopPointThenTheAsLeftPasses) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.01, 0.0});
  const QStringList found = Column(7);
  ASSERT_EQ(found.size(), 5);
  EXPECT_EQ(found.first(), QStringLiteral("Pass"));
  EXPECT_EQ(found.last(), QStringLiteral("Fail"));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: FAIL.")));
  ASSERT_EQ(RecordFiles().size(), 1);
  const QString foundFile = RecordFiles().front();

  DepartureWatch watch(folder);
  ASSERT_TRUE(watch.Valid());
  ASSERT_TRUE(dlg->StartAsLeft());
  RunToEnd({1.0, 0.001});
  // The record with both runs went over the first file in one step: at no
  // moment was the calibration missing under its name.
  EXPECT_FALSE(watch.Departed().contains(foundFile));
  EXPECT_EQ(dialogs.questions.size(), 2);
  EXPECT_EQ(Column(7).mid(5), QStringList(5, QStringLiteral("Pass")));
  EXPECT_TRUE(Verdicts().contains(QStringLiteral("As-left: PASS.")));
  ASSERT_TRUE(dlg->Record().asLeft && dlg->Record().asFound);
  // One file for the calibration, holding both runs, under its first name.
  const QStringList files = RecordFiles();
  ASSERT_EQ(files, QStringList{foundFile});
  EXPECT_EQ(dlg->RecordPath(), QDir(folder).filePath(foundFile));
  QFile file(QDir(folder).filePath(files.front()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const auto record = RecordFromJson(file.readAll());
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(*record, dlg->Record());
  EXPECT_EQ(store.LastAsLeft(QStringLiteral("TT-101")), dlg->Record().asLeft);
}

TEST_F(CalibrationDialogRun, TheNextAsFoundShowsItsDriftAgainstTheLastAsLeft) {
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  ASSERT_TRUE(dlg->StartAsLeft());
  RunToEnd({1.0, 0.0});
  const QString completeFile = QFileInfo(dlg->RecordPath()).fileName();
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
  EXPECT_EQ(Column(7), QStringList(5, QStringLiteral("Fail (not settled)")));
  EXPECT_TRUE(Verdicts().startsWith(QStringLiteral("As-found: FAIL.")));
  // Noise within the band settles.
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0, 0.003});
  EXPECT_EQ(Column(7), QStringList(5, QStringLiteral("Pass")));
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
  EXPECT_EQ(RecordFiles().size(), 1);
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
  ASSERT_EQ(RecordFiles().size(), 1);
  QFile file(QDir(folder).filePath(RecordFiles().first()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::optional<CalibrationRecord> record = RecordFromJson(file.readAll());
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

  CCalibrationDlg again(host, store);
  again.SetDialogs(dialogs);
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
  QFile blocker(folder);  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  ASSERT_TRUE(dlg->StartAsFound());
  RunToEnd({1.0, 0.0});
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("The calibration could not be saved")));
  EXPECT_TRUE(dlg->RecordPath().isEmpty());
}

// Also writes the pictures of the user guide: the dialog and the certificate
// after an as-found that fails and an as-left that passes.
TEST_F(CalibrationDialogRun, AFailedAsFoundAndAPassingAsLeftOnTheCertificate) {
  CalibrationSetup setup = testing::DialogSetup();
  setup.runDown = true;
  ASSERT_TRUE(store.SaveSetup(setup));
  dlg = std::make_unique<CCalibrationDlg>(host, store);
  dlg->SetDialogs(dialogs);
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
