// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The window's statistics and alarms against the simulated instrument over
// the real serial library: a reading outside its limits turns red on the
// panel, shows in the status line, beeps once and is marked in the journal;
// the statistics window shows the figures as they come and resets them.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>

#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "SimulatedWait.h"
#include "app/CStatisticsWnd.h"
#include "app/CVorenxDlg.h"
#include "display/CStaticLCD.h"

namespace vorenx {
namespace {

using testing::Until;

// Pixels of the panel in the alarm's colour.
int AlarmPixels(CStaticLCD& panel) {
  const QImage image = panel.CurrentImage();
  const QRgb alarm = qRgb(kAlarmColour & 0xFF, (kAlarmColour >> 8) & 0xFF, (kAlarmColour >> 16) & 0xFF);
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (alarm & 0xFFFFFF) ? 1 : 0;
  return n;
}

// The window with its statistics window beside it, as the user sees them.
void SaveDesktopPicture(QWidget& window, QWidget& tool, const QString& name) {
  const QPixmap main = window.grab();
  const QPixmap side = tool.grab();
  QImage picture(main.width() + side.width() + 24, std::max(main.height(), side.height()) + 16,
                 QImage::Format_RGB32);
  picture.fill(QColor(64, 70, 80));
  {
    QPainter painter(&picture);
    painter.drawPixmap(8, 8, main);
    painter.drawPixmap(main.width() + 16, 8, side);
  }
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(picture.save(QStringLiteral(VORENX_PICTURE_DIR "/") + name));
}

QString FileText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(WatchWindow, AnAlarmShowsOnThePanelAndTheStatusLineBeepsOnceAndIsMarkedInTheJournal) {
  sim::SimulatedInstrument simulator;
  ASSERT_FALSE(simulator.Start().isEmpty());
  ASSERT_TRUE(QelSetPortPath(4, simulator.Path()));
  QTemporaryDir journal;
  ASSERT_TRUE(journal.isValid());

  std::uint32_t tick = 100000;
  int second = 0;
  CVorenxDlg dlg(DefaultQelHardDll(), DefaultQelDisplayDll(), [&tick] { return tick += 5000; },
                 [&second] { ++second; return LocalTime{2026, 12, 9, 7, second / 60 % 60, second % 60, 0}; },
                 journal.path());
  int beeps = 0;
  dlg.SetBeeper([&beeps] { ++beeps; });
  dlg.Worker()->SetCyclePause(5);
  dlg.show();
  ASSERT_TRUE(Until([&] { return dlg.Station().Watch().State(WatchedDisplay::Upper).sinceReset.count >= 3; }));
  EXPECT_EQ(dlg.windowTitle(), "Vorenx Ver 1.0.0.2 - COM4");
  EXPECT_EQ(AlarmPixels(*dlg.Panel()), 0);

  // The supply reads about 12 V: a high limit of 11 V is crossed at once.
  AlarmSettings settings;
  settings.upper.high = 11.0;
  settings.upper.hysteresis = 0.1;
  settings.beep = true;
  dlg.ApplyAlarmSettings(settings);
  QLabel* message = dlg.StatusMessage();
  ASSERT_TRUE(Until([&] { return message->text().contains("alarm: upper"); })) << message->text().toStdString();
  EXPECT_TRUE(message->text().contains("above the high limit 11 V")) << message->text().toStdString();
  EXPECT_TRUE(message->styleSheet().contains("#d00000"));
  ASSERT_TRUE(Until([&] { return AlarmPixels(*dlg.Panel()) > 50; }));

  dlg.OnStatistics();
  CStatisticsWnd* stats = dlg.StatisticsWindow();
  ASSERT_NE(stats, nullptr);
  EXPECT_TRUE(stats->isVisible());
  // The figures follow the readings: wait for a few more, then look.
  const std::uint64_t before = dlg.Station().Watch().State(WatchedDisplay::Upper).sinceReset.count;
  // (Enough of them for the wave to show in the picture.)
  ASSERT_TRUE(Until([&] { return stats->Cell(false, 0, CStatisticsWnd::kCount).toULongLong() >= before + 40; }));
  const double mean = stats->Cell(false, 0, CStatisticsWnd::kMean).section(' ', 0, 0).toDouble();
  EXPECT_NEAR(mean, 12.0, 0.3);
  EXPECT_TRUE(stats->Cell(false, 0, CStatisticsWnd::kStdDev).endsWith(" V"));
  EXPECT_EQ(stats->Cell(true, 0, CStatisticsWnd::kSkipped), "0");
  SaveDesktopPicture(dlg, *stats, QStringLiteral("statistics-and-alarm.png"));

  // Reset starts the figures since a reset over; the wave's window goes on.
  stats->ResetButton()->click();
  EXPECT_LT(stats->Cell(false, 0, CStatisticsWnd::kCount).toULongLong(), 3u);
  EXPECT_GE(stats->Cell(true, 0, CStatisticsWnd::kCount).toULongLong(), before + 40);

  // Limits the supply keeps within: the alarm clears, once, and the red goes.
  settings.upper.high = 20.0;
  dlg.ApplyAlarmSettings(settings);
  ASSERT_TRUE(Until([&] { return message->text().contains("alarm cleared: upper"); })) << message->text().toStdString();
  EXPECT_FALSE(message->styleSheet().contains("#d00000"));
  ASSERT_TRUE(Until([&] { return AlarmPixels(*dlg.Panel()) == 0; }));
  EXPECT_EQ(beeps, 1);

  const QString path = dlg.Journal()->FilePath();
  dlg.done(0);
  const QString text = FileText(path);
  EXPECT_EQ(text.count("alarm: upper"), 1) << text.toStdString();
  EXPECT_EQ(text.count("alarm cleared: upper"), 1) << text.toStdString();
}

}  // namespace
}  // namespace vorenx
