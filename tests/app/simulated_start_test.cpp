// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The window started against a calibrator that already sources (PT100 at
// 50 ℃, output on, as a previous session left it), over the real serial
// library and the simulated instrument: the lower settings show the
// instrument's function, unit and range from the first frame on, and the
// empty source field looks disabled once the output is off.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>

#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "SimulatedWait.h"
#include "app/CEditEx.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"
#include "grid/GridCtrl.h"
#include "link/StatusFrame.h"

namespace vorenx {
namespace {

using testing::Until;

void SavePicture(QWidget& window, const QString& name) {
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(window.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/") + name));
}

TEST(SimulatedStart, ASourcingCalibratorShowsItsLowerSettingsFromTheFirstFrame) {
  sim::SimulatedInstrument simulator;
  ASSERT_FALSE(simulator.Start().isEmpty());
  ASSERT_TRUE(QelSetPortPath(4, simulator.Path()));
  ASSERT_EQ(QelOpenCOM(4), 1);
  const int mode = 2 | lower_mode::kOutputOn | lower_mode::kCelsius;
  ASSERT_EQ(QelSetLower(4, fc::kRtdFirst, mode, 50.0f), 1);
  ASSERT_EQ(QelCloseCOM(4), 1);

  std::uint32_t tick = 100000;
  CVorenxDlg dlg(DefaultQelHardDll(), DefaultQelDisplayDll(), [&tick] { return tick += 5000; },
                 [] { return LocalTime{2026, 12, 9, 7, 0, 0, 0}; });
  dlg.Worker()->SetCyclePause(5);
  dlg.show();
  auto* out = qobject_cast<QCheckBox*>(dlg.Control(idc::kOut));
  auto* unit = qobject_cast<QLabel*>(dlg.Control(idc::kUnit));
  auto* range = qobject_cast<QLabel*>(dlg.Control(idc::kRange));
  auto* field = qobject_cast<CEditEx*>(dlg.Control(idc::kSourceValue));
  ASSERT_TRUE(Until([&] { return out->isChecked(); }));
  // The refresh that checked "Out" wrote the labels in the same hand-off.
  EXPECT_EQ(unit->text(), QString::fromUtf8("℃"));
  EXPECT_TRUE(range->text().startsWith(QLatin1Char('(')) && range->text().endsWith(QLatin1Char(')')))
      << range->text().toStdString();
  EXPECT_EQ(qobject_cast<QTabBar*>(dlg.Control(1050))->currentIndex(), 3);  // "RTD"
  EXPECT_TRUE(field->isEnabled());
  EXPECT_TRUE(field->text().isEmpty());
  SavePicture(dlg, QStringLiteral("source-field-at-start.png"));

  // The user turns the output off: the empty field is disabled and looks it.
  QTest::mouseClick(out, Qt::LeftButton, {}, QPoint(4, out->height() / 2));
  ASSERT_FALSE(field->isEnabled());
  ASSERT_TRUE(Until([&] { return !simulator.Settings().outputOn; }));
  const QImage inside = field->grab().toImage();
  EXPECT_NE(inside.pixelColor(inside.width() - 6, inside.height() / 2), QColor(50, 50, 50));
  SavePicture(dlg, QStringLiteral("source-field-disabled.png"));
}

// The calibrator shows another function without the user asking (its own keys,
// or another calibrator answering after a replug): the readings table starts
// over and never holds ℃ rows and mA rows together.
TEST(SimulatedStart, AnotherFunctionOnTheCalibratorStartsTheTableOver) {
  sim::SimulatedInstrument simulator;
  ASSERT_FALSE(simulator.Start().isEmpty());
  ASSERT_TRUE(QelSetPortPath(4, simulator.Path()));
  ASSERT_TRUE(simulator.SetLowerOnInstrument(fc::kRtdFirst, 2 | lower_mode::kCelsius, 50.0f));

  std::uint32_t tick = 100000;
  CVorenxDlg dlg(DefaultQelHardDll(), DefaultQelDisplayDll(), [&tick] { return tick += 5000; },
                 [] { return LocalTime{2026, 12, 9, 7, 0, 0, 0}; });
  dlg.Worker()->SetCyclePause(5);
  dlg.show();
  CGridCtrl* grid = dlg.ReadingsGrid();
  const auto lowerColumn = [grid] {
    QStringList texts;
    for (int row = 1; row < grid->RowCount() && !grid->CellText(row, 3).isEmpty(); ++row)
      texts << grid->CellText(row, 3);
    return texts;
  };
  ASSERT_TRUE(Until([&] { return lowerColumn().size() >= 3; }));
  EXPECT_TRUE(lowerColumn().front().endsWith(QString::fromUtf8("℃"))) << lowerColumn().front().toStdString();

  ASSERT_TRUE(simulator.SetLowerOnInstrument(fc::kCurrent, 2, 4.0f));
  ASSERT_TRUE(Until([&] {
    const QStringList texts = lowerColumn();
    return !texts.isEmpty() && texts.front().endsWith(QStringLiteral("mA"));
  }));
  const QStringList texts = lowerColumn();
  EXPECT_EQ(texts.filter(QString::fromUtf8("℃")), QStringList{}) << texts.join(" | ").toStdString();
}

}  // namespace
}  // namespace vorenx
