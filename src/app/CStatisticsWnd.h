// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// "Statistics...": a small tool window beside the main window with count,
// minimum, maximum, mean and sample standard deviation (n - 1) of each
// display, since the last reset and over the wave's window, and how many
// readings were left out (not numbers). It shows what the station's watch
// has computed as the readings came (never re-reading the log), refreshed
// with each reading; "Reset" starts the figures since a reset over.

#include <QDialog>
#include <array>
#include <functional>

#include "station/ReadingWatch.h"

class QLabel;
class QPushButton;

namespace vorenx {

// One figure as the window writes it: seven significant digits with "."
// and the unit; "-" where there is none.
QString StatisticsValueText(double value, const QString& unit);

class CStatisticsWnd : public QDialog {
  Q_OBJECT

 public:
  // The rows, top to bottom, in each half of the window.
  enum Row { kCount, kMin, kMax, kMean, kStdDev, kSkipped, kRowCount };

  CStatisticsWnd(const ReadingWatch& watch, std::function<void()> reset, QWidget* parent = nullptr);

  // Shows the watch's figures now.
  void Refresh();
  // The text shown for `row` of `display` (0 upper, 1 lower), since a reset
  // (`wave` false) or over the wave's window.
  QString Cell(bool wave, int display, Row row) const;
  QString SinceText() const;
  QString WaveText() const;
  QPushButton* ResetButton() const { return m_reset; }

 private:
  using Cells = std::array<std::array<QLabel*, kRowCount>, 2>;
  QWidget* CreateHalf(QLabel*& title, Cells& cells);
  static void Fill(Cells& cells, int display, const StatisticsFigures& figures, const QString& unit);

  const ReadingWatch& m_watch;
  std::function<void()> m_resetStatistics;
  QLabel* m_sinceTitle = nullptr;
  QLabel* m_waveTitle = nullptr;
  Cells m_since{};
  Cells m_wave{};
  QPushButton* m_reset = nullptr;
};

}  // namespace vorenx
