// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Calibration runs end to end over the simulator (see WindowBench.h).
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTemporaryDir>
#include <atomic>
#include <cmath>
#include <chrono>
#include <gtest/gtest.h>

#include "WindowBench.h"
#include "grid/GridCtrl.h"

namespace vorenx {
namespace {

using testing::CalibrationWindowTest;
using testing::Transmitter;
using testing::YesDialogs;

TEST_F(CalibrationWindowTest, ATransmitterWithinToleranceAtEveryPointPasses) {
  sim::DutSpec dut = Transmitter(1.002);
  dut.offset = 0.01;  // with the gain 0.26 % of span at the top
  Open(dut);
  StartRun(testing::RtdTransmitterSetup());
  EXPECT_EQ(dlg->Link().IntervalIndex(), 0);  // the fastest poll during the run
  const int rows = dlg->ReadingsGrid()->RowCount();
  ASSERT_TRUE(Ended()) << run->StatusText().toStdString();
  ASSERT_EQ(run->CurrentState(), CalibrationRun::State::Finished) << run->StatusText().toStdString();
  const RunResult& r = run->Result();
  ASSERT_EQ(r.points.size(), 5u);
  for (const PointResult& p : r.points) {
    SCOPED_TRACE(p.percent);
    EXPECT_TRUE(p.settled);
    EXPECT_TRUE(p.pass);
    EXPECT_NEAR(p.errorPercent, (0.002 * (p.expected - 4.0) + 0.01) / 16.0 * 100.0, 0.02);
  }
  EXPECT_TRUE(RunPasses(r));
  // Off at the end, and the user's interval again; the log went on.
  EXPECT_TRUE(Until([&] { return !simulator.Settings().outputOn; }));
  EXPECT_TRUE(dlg->Link().Request().outputOff);
  EXPECT_EQ(dlg->Link().IntervalIndex(), 1);
  EXPECT_GT(dlg->ReadingsGrid()->RowCount(), rows);
  EXPECT_GT(hard.Settings(), 5);
}

TEST_F(CalibrationWindowTest, AOnePercentGainErrorFailsTheTopPointAtHalfAPercent) {
  Open(Transmitter(1.01));
  StartRun(testing::RtdTransmitterSetup());
  ASSERT_TRUE(Ended());
  ASSERT_EQ(run->CurrentState(), CalibrationRun::State::Finished) << run->StatusText().toStdString();
  const auto& p = run->Result().points;
  ASSERT_EQ(p.size(), 5u);
  EXPECT_TRUE(p[0].pass);
  EXPECT_TRUE(p[1].pass);
  EXPECT_FALSE(p[4].pass);
  EXPECT_NEAR(p[4].errorPercent, 1.0, 0.02);
  EXPECT_FALSE(RunPasses(run->Result()));
}

TEST_F(CalibrationWindowTest, NoiseWithinTheBandSettlesAndNoiseBeyondItTimesOut) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 100.0};
  {
    SCOPED_TRACE("quiet enough");
    Open(Transmitter(1.0, 0.0005));  // a spread of 3 readings well inside 0.008 mA
    StartRun(setup);
    ASSERT_TRUE(Ended());
    ASSERT_EQ(run->Result().points.size(), 2u);
    for (const PointResult& p : run->Result().points) EXPECT_TRUE(p.settled);
    run.reset();
    dlg.reset();
    simulator.Stop();
    QFile::remove(device);
  }
  {
    SCOPED_TRACE("too noisy");
    // Three readings of 1 mA noise fall within 0.008 mA about once in 50000 tries.
    Open(Transmitter(1.0, 1.0));
    StartRun(setup);
    ASSERT_TRUE(Ended());
    ASSERT_EQ(run->CurrentState(), CalibrationRun::State::Finished) << run->StatusText().toStdString();
    ASSERT_EQ(run->Result().points.size(), 2u);
    for (const PointResult& p : run->Result().points) {
      EXPECT_FALSE(p.settled);
      EXPECT_FALSE(p.pass);
      EXPECT_GE(p.readings, 3);
    }
  }
}

TEST_F(CalibrationWindowTest, ALaggingTransmitterIsRecordedOnlyOnceItHasStoppedMoving) {
  // A lag of 2 s polled once a second (on the bench's clock, which the
  // simulated transmitter shares).
  // Readings still creeping up (or down) lie within the band long before
  // they reach their value; counted then, every point of a perfect
  // transmitter came out on the side it was approached from.
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0, 100.0};
  setup.runDown = true;
  {
    SCOPED_TRACE("a perfect transmitter");
    sim::DutSpec dut = Transmitter(1.0);
    dut.lag = 2.0;
    Open(dut);
    StartRun(setup);
    ASSERT_TRUE(Ended());
    ASSERT_EQ(run->CurrentState(), CalibrationRun::State::Finished) << run->StatusText().toStdString();
    ASSERT_EQ(run->Result().points.size(), 5u);
    for (const PointResult& p : run->Result().points) {
      SCOPED_TRACE(p.percent);
      EXPECT_TRUE(p.settled);
      EXPECT_LE(std::abs(p.errorPercent), 0.03);
      ASSERT_TRUE(p.spread.has_value());
      EXPECT_LE(*p.spread, 0.008 + 1e-6);
      EXPECT_EQ(p.spreadReadings, 3);
    }
    run.reset();
    dlg.reset();
    simulator.Stop();
    QFile::remove(device);
  }
  {
    SCOPED_TRACE("just beyond the limit at 50 %");
    sim::DutSpec dut = Transmitter(1.0107);  // +0.535 % of span at 50 %: fails
    dut.lag = 2.0;
    Open(dut);
    setup.runDown = false;
    StartRun(setup);
    ASSERT_TRUE(Ended());
    ASSERT_EQ(run->Result().points.size(), 3u);
    const PointResult& half = run->Result().points[1];
    EXPECT_TRUE(half.settled);
    EXPECT_GT(half.errorPercent, 0.5) << "recorded while still rising";
    EXPECT_FALSE(half.pass);
  }
}

TEST_F(CalibrationWindowTest, AbortSwitchesTheOutputOff) {
  Open(Transmitter(1.0));
  StartRun(testing::RtdTransmitterSetup());
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; }));
  run->Abort();
  EXPECT_TRUE(dlg->Link().Request().outputOff);
  EXPECT_TRUE(Until([&] { return !simulator.Settings().outputOn; }));
  EXPECT_EQ(dlg->Link().IntervalIndex(), 1);
}

TEST_F(CalibrationWindowTest, APulledLinkPausesTheRunWithTheOutputOffAndItGoesOnWhenConfirmedAgain) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0};
  Open(Transmitter(1.0));
  StartRun(setup);
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; }));
  simulator.Stop();
  ASSERT_TRUE(QFile::remove(device));
  ASSERT_TRUE(Until([&] { return run->CurrentState() == CalibrationRun::State::Paused; }));
  EXPECT_TRUE(dlg->Link().Request().outputOff);
  EXPECT_TRUE(run->StatusText().contains("stopped answering")) << run->StatusText().toStdString();

  // Plugged in again: the instrument kept its settings, so the run asks for
  // the output off again before anything else.
  PlugIn();
  ASSERT_TRUE(Until([&] { return dlg->CalibrationSide().Connected(); }));
  EXPECT_TRUE(Until([&] { return !simulator.Settings().outputOn; }));
  EXPECT_EQ(run->CurrentState(), CalibrationRun::State::Paused);
  ASSERT_TRUE(Until([&] { return run->CanResume(); }));  // a reading shows it answering
  run->ConfirmOutput();
  ASSERT_TRUE(Ended());
  EXPECT_EQ(run->CurrentState(), CalibrationRun::State::Finished) << run->StatusText().toStdString();
  EXPECT_EQ(run->Result().points.size(), 2u);
}

TEST_F(CalibrationWindowTest, ClosingTheWindowDuringARunSwitchesTheOutputOffFirst) {
  Open(Transmitter(1.0));
  StartRun(testing::RtdTransmitterSetup());
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; }));
  dlg->done(0);
  EXPECT_EQ(run->CurrentState(), CalibrationRun::State::Aborted);
  EXPECT_FALSE(simulator.Settings().outputOn);
}

TEST_F(CalibrationWindowTest, OneRunAtATime) {
  Open(Transmitter(1.0));
  StartRun(testing::RtdTransmitterSetup());
  QString why;
  EXPECT_EQ(dlg->CalibrationSide().CreateRun(testing::RtdTransmitterSetup(), RunKind::AsLeft, &why), nullptr);
  EXPECT_FALSE(why.isEmpty());
  run->Abort();
  EXPECT_NE(dlg->CalibrationSide().CreateRun(testing::RtdTransmitterSetup(), RunKind::AsLeft, &why), nullptr);
}

TEST_F(CalibrationWindowTest, CtrlKAndBothMenusOpenOneDialogWhoseRunEndsWithTheWindow) {
  Open(Transmitter(1.0));
  dlg->SetCalibrationStore(
      std::make_unique<CalibrationStore>(folder.filePath("calibrations"), folder.filePath("setup.json")));
  dlg->SetRecordsKeeper(testing::TestKeeper(folder.path()));
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  QTest::keyClick(dlg->Control(1061), Qt::Key_K, Qt::ControlModifier);
  CCalibrationDlg* calibration = dlg->CalibrationDialog();
  ASSERT_NE(calibration, nullptr);
  EXPECT_TRUE(calibration->isVisible());
  calibration->hide();

  // The window menu's first entry, and the readings table's last.
  QAction* fromWindowMenu = dlg->SystemMenu()->actions().first();
  EXPECT_EQ(fromWindowMenu->text(), QStringLiteral("Calibration...\tCtrl+K"));
  fromWindowMenu->trigger();
  EXPECT_TRUE(calibration->isVisible());
  calibration->hide();
  const std::unique_ptr<QMenu> menu = dlg->ReadingsContextMenu().CreateMenu();
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ(menu->actions().last()->text(), QStringLiteral("Calibration..."));
  menu->actions().last()->trigger();
  EXPECT_EQ(dlg->CalibrationDialog(), calibration);
  EXPECT_TRUE(calibration->isVisible());

  // A run started from the dialog; the window destroyed without closing
  // takes the dialog with it, and the output goes off first.
  YesDialogs answers;
  calibration->SetDialogs(answers);
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.tag = QStringLiteral("TT-1");
  testing::ShowSetupReadyToRun(*calibration, setup);
  ASSERT_TRUE(calibration->StartAsFound()) << calibration->StatusLine().toStdString();
  ASSERT_TRUE(Until([&] { return simulator.Settings().outputOn; })) << calibration->StatusLine().toStdString();
  EXPECT_EQ(answers.confirmed, 1);
  dlg.reset();
  EXPECT_FALSE(simulator.Settings().outputOn);
}

}  // namespace
}  // namespace vorenx
