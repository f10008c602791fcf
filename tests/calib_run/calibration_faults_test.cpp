// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Calibration runs from the dialog under the faults a lab meets, end to end
// over the simulator: the cable pulled during a run, a termination signal,
// the main window closed.
#include <QDir>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

#include "WindowBench.h"
#include "app/AppOptions.h"
#include "app/CVorenxApp.h"
#include "platform/SignalCloser.h"
#include "records/CalibrationRecord.h"
#include "records/SqlLabRecords.h"

namespace vorenx {
namespace {

using testing::CalibrationWindowTest;
using testing::Transmitter;
using testing::YesDialogs;

class CalibrationFaultsTest : public CalibrationWindowTest {
 protected:
  // The window's calibration dialog, answered by `answers`, with an as-found
  // started and sourcing.
  void StartFromTheDialog(CVorenxDlg& window, const CalibrationSetup& setup) {
    window.SetCalibrationStore(std::make_unique<CalibrationStore>(Records(), folder.filePath("setup.json")));
    window.SetRecordsKeeper(testing::TestKeeper(folder.path()));
    window.OnCalibration();
    calibration = window.CalibrationDialog();
    ASSERT_NE(calibration, nullptr);
    calibration->SetDialogs(answers);
    testing::ShowSetupReadyToRun(*calibration, setup);
    ASSERT_TRUE(calibration->StartAsFound()) << calibration->StatusLine().toStdString();
  }
  QString Records() const { return folder.filePath("calibrations"); }
  // The one calibration kept in the lab records, read back.
  std::optional<CalibrationRecord> WrittenRecord() const {
    RecordsLocation location;
    location.path = folder.filePath("records.sqlite");
    RecordsResult<std::unique_ptr<LabRecords>> records = OpenLabRecords(location);
    if (!records.ok()) return std::nullopt;
    const std::vector<CalibrationSummary> all = records.value->Calibrations().value;
    if (all.size() != 1) return std::nullopt;
    return records.value->FindCalibration(all.front().id).value.record;
  }

  YesDialogs answers;
  CCalibrationDlg* calibration = nullptr;
};

TEST_F(CalibrationFaultsTest, APulledCableAsksToGoOnOnlyOnceTheCalibratorAnswersAndTheRecordSaysSo) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0};
  Open(Transmitter(1.0));
  bool pulled = false;
  int askedWhilePulled = 0;
  answers.onQuestion = [&] { askedWhilePulled += pulled ? 1 : 0; };
  StartFromTheDialog(*dlg, setup);
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; })) << calibration->StatusLine().toStdString();

  pulled = true;
  simulator.Stop();
  ASSERT_TRUE(QFile::remove(device));
  ASSERT_TRUE(Until([&] { return !dlg->CalibrationSide().Connected(); }));
  ASSERT_NE(calibration->ActiveRun(), nullptr);
  // The link knows at once; the run pauses when the station delivers the worker's report.
  ASSERT_TRUE(Until([&] { return calibration->ActiveRun()->CurrentState() == CalibrationRun::State::Paused; }));
  PlugIn();
  pulled = false;

  // Asked again once it answers; yes goes on from the paused point to the end.
  ASSERT_TRUE(Until([&] { return calibration->Record().asFound.has_value(); }, 120))
      << calibration->StatusLine().toStdString();
  EXPECT_EQ(askedWhilePulled, 0);
  EXPECT_EQ(answers.confirmed, 2);
  const RunResult& found = *calibration->Record().asFound;
  EXPECT_TRUE(found.complete) << found.endReason.toStdString();
  ASSERT_EQ(found.interruptions.size(), 1u);
  EXPECT_GT(found.interruptions[0].to, found.interruptions[0].from);
  EXPECT_LE(found.interruptions[0].to, found.finished);
  const std::optional<CalibrationRecord> written = WrittenRecord();
  ASSERT_TRUE(written && written->asFound);
  EXPECT_EQ(written->asFound->interruptions, found.interruptions);
}

TEST_F(CalibrationFaultsTest, ClosingTheMainWindowDuringARunAsksAsTheDialogDoes) {
  Open(Transmitter(1.0));
  StartFromTheDialog(*dlg, testing::RtdTransmitterSetup());
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; })) << calibration->StatusLine().toStdString();
  ASSERT_EQ(answers.confirmed, 1);

  answers.answer = false;  // keep the run
  EXPECT_FALSE(dlg->close());
  EXPECT_TRUE(dlg->isVisible());
  ASSERT_EQ(answers.confirmed, 2);
  EXPECT_TRUE(answers.questions.back().startsWith(QStringLiteral("A calibration run is in progress")));
  ASSERT_NE(calibration->ActiveRun(), nullptr);
  EXPECT_FALSE(calibration->ActiveRun()->Ended());

  answers.answer = true;
  EXPECT_TRUE(dlg->close());
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->WorkerFinished());
  EXPECT_EQ(answers.confirmed, 3);
  EXPECT_FALSE(simulator.Settings().outputOn);
  const std::optional<CalibrationRecord> written = WrittenRecord();
  ASSERT_TRUE(written && written->asFound);
  EXPECT_FALSE(written->asFound->complete);
  EXPECT_EQ(written->asFound->endReason, QStringLiteral("The main window was closed"));
}

// The program as main() runs it: a signal during a run, twice, asks nothing.
TEST_F(CalibrationFaultsTest, ASignalDuringARunEndsItWithoutAskingAndKeepsTheRecord) {
  ASSERT_TRUE(folder.isValid());
  device = folder.filePath("ttyUSB0");
  simulator.SetDut(Transmitter(1.0));
  PlugIn();
  ASSERT_TRUE(QelSetPortPath(testing::kPort, device));
  ASSERT_TRUE(InstallSignalPipe());

  AppOptions options;
  options.noJournal = true;
  bool started = false;
  bool signalled = false;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    CVorenxDlg* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* w = qobject_cast<CVorenxDlg*>(top)) window = w;
    if (!window || signalled) return;
    if (!started) {
      started = true;
      StartFromTheDialog(*window, testing::RtdTransmitterSetup());
      // A hang is a failure, not a test that never ends.
      QTimer::singleShot(120000, window, [window] { window->done(0); });
    } else if (simulator.Settings().outputOn) {
      signalled = true;
      std::raise(SIGTERM);
      std::raise(SIGTERM);
    }
  });
  driver.start(20);
  EXPECT_EQ(CVorenxApp().InitInstance(hard, DefaultQelDisplayDll(), options), 0);
  driver.stop();

  ASSERT_TRUE(signalled);
  EXPECT_EQ(answers.confirmed, 1);  // the output's question only
  EXPECT_TRUE(answers.messages.isEmpty());
  EXPECT_FALSE(simulator.Settings().outputOn);
  const std::optional<CalibrationRecord> written = WrittenRecord();
  ASSERT_TRUE(written && written->asFound);
  EXPECT_FALSE(written->asFound->complete);
  EXPECT_EQ(written->asFound->endReason, QStringLiteral("The program was told to end (SIGTERM)"));
}

}  // namespace
}  // namespace vorenx
