// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The window's part in several windows, statistics and alarms: the menu
// entries, the statistics tool window, the alarm dialog and what an alarm
// does here (the panel's colour, the status line's message, the beep; the
// journal note and the program are the station's), the title with the port,
// and "New Window".
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include "app/CAlarmDlg.h"
#include "app/CStatisticsWnd.h"
#include "app/CVorenxDlg.h"
#include "app/NewWindow.h"
#include "display/CStaticLCD.h"
#include "platform/FileText.h"
#include "platform/UserDialogs.h"

namespace vorenx {

namespace {

QString ClockText(const LocalTime& t) {
  const auto two = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
  return two(t.hour) + QLatin1Char(':') + two(t.minute) + QLatin1Char(':') + two(t.second);
}

std::size_t Index(WatchedDisplay d) { return static_cast<std::size_t>(d); }

}  // namespace

void CVorenxDlg::CreateStatusMessage() {
  // Beside the status text, in the free strip of the status line left of the
  // Settings group; the template's controls keep their places.
  m_statusMessage = new QLabel(this);
  m_statusMessage->setObjectName(QStringLiteral("statusMessage"));
  m_statusMessage->setGeometry(MapDialogRect(m_units, 52, 388, 232, 10));
  m_statusMessage->setTextFormat(Qt::PlainText);
  m_beep = [] { QApplication::beep(); };
  m_startNewWindow = [](QString* why) {
    return StartNewWindow(QCoreApplication::applicationFilePath(), {}, why);
  };
  m_runAlarmDialog = [](CAlarmDlg& dialog) { return dialog.exec(); };
}

void CVorenxDlg::AddWatchMenuEntries() {
  // The key is the window's; the entry shows it in its text, as Calibration's does.
  connect(m_systemMenu->addAction(tr("New Window\tCtrl+N")), &QAction::triggered, this, [this] { OnNewWindow(); });
  auto* newWindowKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
  connect(newWindowKey, &QShortcut::activated, this, [this] { OnNewWindow(); });
  connect(m_systemMenu->addAction(tr("Statistics...")), &QAction::triggered, this, [this] { OnStatistics(); });
  connect(m_systemMenu->addAction(tr("Alarms...")), &QAction::triggered, this, [this] { OnAlarms(); });
}

void CVorenxDlg::OnNewWindow() {
  QString why;
  if (m_startNewWindow && !m_startNewWindow(&why))
    m_userDialogs->ShowMessage(this, why.isEmpty() ? tr("Cannot start another window.") : why);
}

void CVorenxDlg::OnStatistics() {
  if (!m_statisticsWnd) {
    m_statisticsWnd = new CStatisticsWnd(m_station.Watch(), [this] { m_station.ResetStatistics(); }, this);
    // Beside the main window, not over its panel.
    m_statisticsWnd->move(frameGeometry().topRight() + QPoint(8, 0));
  }
  m_statisticsWnd->Refresh();
  m_statisticsWnd->show();
  m_statisticsWnd->raise();
}

CStatisticsWnd* CVorenxDlg::StatisticsWindow() const { return m_statisticsWnd.data(); }

void CVorenxDlg::OnAlarms() {
  const QString upperUnit = m_station.Watch().State(WatchedDisplay::Upper).unit;
  const QString lowerUnit = m_station.Watch().State(WatchedDisplay::Lower).unit;
  CAlarmDlg dialog(m_alarmSettings, upperUnit, lowerUnit, this);
  if (m_runAlarmDialog(dialog) != QDialog::Accepted) return;
  ApplyAlarmSettings(dialog.Settings());
}

void CVorenxDlg::ApplyAlarmSettings(const AlarmSettings& settings) {
  m_alarmSettings = settings;
  m_station.SetAlarmLimits(WatchedDisplay::Upper, settings.upper);
  m_station.SetAlarmLimits(WatchedDisplay::Lower, settings.lower);
  m_station.SetAlarmProgram(settings.program);
  m_alarmProgramProblem.clear();
  ShowStatusMessage();
}

void CVorenxDlg::OnAlarmChanged(const WatchAlarm& alarm) {
  const QString text = ClockText(alarm.time) + QLatin1Char(' ') + AlarmText(alarm);
  if (alarm.event.change == AlarmChange::Raised) {
    m_alarmMessages[Index(alarm.display)] = text;
    if (m_alarmSettings.beep && m_beep) m_beep();
  } else {
    m_alarmMessages[Index(alarm.display)].clear();
    m_lastAlarmEnd = text;
  }
  ShowStatusMessage();
}

void CVorenxDlg::ShowStatusMessage() {
  if (!m_statusMessage) return;
  QStringList on;
  for (const QString& message : m_alarmMessages)
    if (!message.isEmpty()) on << message;
  QString text;
  QString colour;
  if (!on.isEmpty()) {
    text = on.join(QStringLiteral("; "));
    if (!m_alarmProgramProblem.isEmpty()) text += QStringLiteral("; ") + m_alarmProgramProblem;
    colour = QStringLiteral("#d00000");
  } else if (!m_portToolTip.isEmpty()) {
    text = m_portToolTip;
  } else {
    text = m_lastAlarmEnd;
    colour = QStringLiteral("#606060");
  }
  m_statusMessage->setText(text);
  m_statusMessage->setToolTip(text);
  m_statusMessage->setStyleSheet(colour.isEmpty() ? QString() : QStringLiteral("color: %1").arg(colour));
}

void CVorenxDlg::UpdateTitle(int port) {
  const QString base = QStringLiteral("Vorenx Ver ") + VersionText();
  setWindowTitle(IsPortNumber(port) ? base + QStringLiteral(" - COM%1").arg(port) : base);
}

}  // namespace vorenx
