// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CStatisticsWnd.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace vorenx {

namespace {

QString TimeText(const LocalTime& t) {
  const auto two = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
  return QStringLiteral("%1-%2-%3 %4:%5:%6")
      .arg(t.year)
      .arg(two(t.month), two(t.day), two(t.hour), two(t.minute), two(t.second));
}

const char* const kRowNames[CStatisticsWnd::kRowCount] = {"Count",     "Minimum",        "Maximum",
                                                          "Mean",      "Std. deviation", "Left out (not a number)"};

}  // namespace

QString StatisticsValueText(double value, const QString& unit) {
  if (!std::isfinite(value)) return QStringLiteral("-");
  // Seven significant digits: a 5-digit reading's mean keeps two more.
  const QString number = QString::number(value, 'g', 7);
  return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

CStatisticsWnd::CStatisticsWnd(const ReadingWatch& watch, std::function<void()> reset, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_watch(watch), m_resetStatistics(std::move(reset)) {
  setWindowTitle(tr("Statistics"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateHalf(m_sinceTitle, m_since));
  layout->addWidget(CreateHalf(m_waveTitle, m_wave));
  auto* buttons = new QDialogButtonBox(this);
  m_reset = buttons->addButton(tr("Reset"), QDialogButtonBox::ResetRole);
  m_reset->setAutoDefault(false);
  m_reset->setToolTip(tr("Start the figures since a reset over (the wave's window follows the wave)"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setAutoDefault(false);
  connect(m_reset, &QPushButton::clicked, this, [this] {
    if (m_resetStatistics) m_resetStatistics();
    Refresh();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  layout->addWidget(buttons);
  Refresh();
}

QWidget* CStatisticsWnd::CreateHalf(QLabel*& title, Cells& cells) {
  auto* half = new QWidget(this);
  auto* grid = new QGridLayout(half);
  grid->setContentsMargins(0, 0, 0, 6);
  title = new QLabel(half);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  grid->addWidget(title, 0, 0, 1, 3);
  grid->addWidget(new QLabel(tr("Upper"), half), 1, 1, Qt::AlignRight);
  grid->addWidget(new QLabel(tr("Lower"), half), 1, 2, Qt::AlignRight);
  for (int row = 0; row < kRowCount; ++row) {
    grid->addWidget(new QLabel(tr(kRowNames[row]), half), row + 2, 0);
    for (int d = 0; d < 2; ++d) {
      auto* cell = new QLabel(half);
      cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
      cell->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.0000000 mA ")));
      cells[static_cast<std::size_t>(d)][static_cast<std::size_t>(row)] = cell;
      grid->addWidget(cell, row + 2, d + 1);
    }
  }
  return half;
}

void CStatisticsWnd::Fill(Cells& cells, int display, const StatisticsFigures& f, const QString& unit) {
  auto& c = cells[static_cast<std::size_t>(display)];
  c[kCount]->setText(QString::number(f.count));
  c[kMin]->setText(StatisticsValueText(f.min, unit));
  c[kMax]->setText(StatisticsValueText(f.max, unit));
  c[kMean]->setText(StatisticsValueText(f.mean, unit));
  c[kStdDev]->setText(StatisticsValueText(f.stdDev, unit));
  c[kSkipped]->setText(QString::number(f.skipped));
}

void CStatisticsWnd::Refresh() {
  const DisplayWatchState upper = m_watch.State(WatchedDisplay::Upper);
  const DisplayWatchState lower = m_watch.State(WatchedDisplay::Lower);
  // A display whose function changed started over on its own.
  const QString upperSince = TimeText(upper.since);
  const QString lowerSince = TimeText(lower.since);
  if (!upper.sinceSet)
    m_sinceTitle->setText(tr("Since the start"));
  else if (upperSince == lowerSince)
    m_sinceTitle->setText(tr("Since %1").arg(upperSince));
  else
    m_sinceTitle->setText(tr("Since %1 (upper), %2 (lower)").arg(upperSince, lowerSince));
  m_waveTitle->setText(tr("Over the wave's window (the newest %1 readings at most)").arg(m_watch.WaveLength()));
  Fill(m_since, 0, upper.sinceReset, upper.unit);
  Fill(m_since, 1, lower.sinceReset, lower.unit);
  Fill(m_wave, 0, upper.wave, upper.unit);
  Fill(m_wave, 1, lower.wave, lower.unit);
}

QString CStatisticsWnd::Cell(bool wave, int display, Row row) const {
  return (wave ? m_wave : m_since)[static_cast<std::size_t>(display)][static_cast<std::size_t>(row)]->text();
}

QString CStatisticsWnd::SinceText() const { return m_sinceTitle->text(); }
QString CStatisticsWnd::WaveText() const { return m_waveTitle->text(); }

}  // namespace vorenx
