// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Every dialog we own opens within the available area of its screen; run at
// the scale factors 1, 1.5 and 2 on a 1920x1080 screen (see CMakeLists.txt)
// and on the offscreen platform's default 800x600 one.
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "app/CAboutDlg.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CStandardsDlg.h"
#include "calib_dialog/RecordsForms.h"
#include "platform/ScreenFit.h"

namespace vorenx {
namespace {

TEST(ScreenFit, ARectangleIsShrunkAndMovedIntoTheArea) {
  const QRect area(0, 30, 1280, 690);  // a panel at the top
  EXPECT_EQ(FitRectWithin(QRect(100, 100, 400, 300), area), QRect(100, 100, 400, 300));
  EXPECT_EQ(FitRectWithin(QRect(100, 100, 1320, 660), area), QRect(0, 60, 1280, 660));
  EXPECT_EQ(FitRectWithin(QRect(-50, 0, 300, 200), area), QRect(0, 30, 300, 200));
  EXPECT_EQ(FitRectWithin(QRect(1200, 600, 300, 200), area), QRect(980, 520, 300, 200));
  // The frame counts: the title bar and borders stay on the screen too.
  EXPECT_EQ(FitRectWithin(QRect(0, 0, 2000, 2000), area, QMargins(4, 24, 4, 4)), QRect(4, 54, 1272, 662));
}

void ExpectWithinScreen(QWidget& dialog) {
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const QRect available = dialog.screen()->availableGeometry();
  EXPECT_TRUE(available.contains(dialog.frameGeometry()))
      << dialog.metaObject()->className() << ": " << dialog.frameGeometry().width() << "x"
      << dialog.frameGeometry().height() << "+" << dialog.frameGeometry().x() << "+" << dialog.frameGeometry().y()
      << " on " << available.width() << "x" << available.height() << " at scale "
      << qgetenv("QT_SCALE_FACTOR").constData();
}

TEST(DialogsOnTheScreen, OpenWithinItsAvailableArea) {
  QTemporaryDir dir;
  CalibrationStore store(dir.filePath("calibrations"), dir.filePath("calibration-setup.json"));
  testing::FakeCalibrationHost host;
  host.defaults = testing::DialogSetup();
  const std::unique_ptr<RecordsKeeper> keeper = testing::TestKeeper(dir.path());
  CCalibrationDlg calibration(host, store, *keeper);
  ExpectWithinScreen(calibration);
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
  QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR));
  calibration.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/calibration-dialog-%1x-%2x%3.png")
                              .arg(scale)
                              .arg(calibration.screen()->geometry().width())
                              .arg(calibration.screen()->geometry().height()));
  CAboutDlg about;
  ExpectWithinScreen(about);
  CStandardDlg standard;
  ExpectWithinScreen(standard);
  CStandardsDlg standards(*keeper);
  ExpectWithinScreen(standards);
}

}  // namespace
}  // namespace vorenx
