// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The window as a view of its station: the station's reports, delivered on
// this thread in the order the worker made them, become control changes; the
// panel is composed where the worker asks for it, and the source field's value
// is the one question the worker waits on.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringList>
#include <algorithm>

#include "app/CEditEx.h"
#include "app/CStatisticsWnd.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"
#include "app/FunctionTexts.h"
#include "display/CStaticLCD.h"
#include "grid/GridCtrl.h"
#include "log/CReadingsLog.h"

namespace vorenx {

void CVorenxDlg::ConnectStation() {
  connect(&m_station, &InstrumentStation::StatusTextChanged, this, &CVorenxDlg::SetStatusText);
  connect(&m_station, &InstrumentStation::RunTextChanged, this, &CVorenxDlg::SetRunText);
  connect(&m_station, &InstrumentStation::PortSelected, this, &CVorenxDlg::SelectPort);
  connect(&m_station, &InstrumentStation::ReadingsReset, this, &CVorenxDlg::ResetReadingsTable);
  connect(&m_station, &InstrumentStation::ReadingAdded, this,
          [this](int, const ReadingRow& row) { UpdateReadingsTable(row); });
  connect(&m_station, &InstrumentStation::InstrumentRefreshed, this, &CVorenxDlg::RefreshFromInstrument);
  connect(&m_station, &InstrumentStation::JournalProblemChanged, this, [this](const QString& problem) {
    m_journalToolTip = problem;
    UpdateStatusToolTip();
  });
  connect(&m_station, &InstrumentStation::ReadingAdded, this, [this] {
    if (m_statisticsWnd && m_statisticsWnd->isVisible()) m_statisticsWnd->Refresh();
  });
  connect(&m_station, &InstrumentStation::AlarmChanged, this, &CVorenxDlg::OnAlarmChanged);
  connect(&m_station, &InstrumentStation::AlarmProgramFailed, this, [this](const QString& why) {
    m_alarmProgramProblem = why;
    ShowStatusMessage();
  });
  // After a poll, on the worker: the panel composes its image, a display in
  // alarm in the alarm's colour, and queues its own repaint.
  m_station.SetPanelComposer([this] {
    const ReadingWatch& watch = m_station.Watch();
    m_panel->SetAlarms(watch.Alarmed(WatchedDisplay::Upper), watch.Alarmed(WatchedDisplay::Lower));
    m_panel->Redraw(/*newReading=*/true);
  });
  m_station.SetSourceFieldFitter(
      [this](float low, float high, const std::function<int(float)>& decimalsFor) {
        return FitSourceField(low, high, decimalsFor);
      });
}

void CVorenxDlg::SetStatusText(const QString& text) {
  m_status->setText(ShownControlText(text));
  // While disconnected the tooltip says why the port could not be used.
  const bool connected = text == QLatin1String("Connected");
  m_portToolTip = !connected && m_portProblem ? m_portProblem(m_link.Port()) : QString();
  UpdateStatusToolTip();
  ShowStatusMessage();
  // Every open reports the status line: the title follows the port it opened.
  UpdateTitle(m_link.Port());
  // A lost link shows on the panel at once, not only with the next paint.
  if (!connected) m_panel->Redraw();
}

void CVorenxDlg::UpdateStatusToolTip() {
  // Both problems the user may need to know of: the port's and the journal's.
  QStringList lines;
  if (!m_portToolTip.isEmpty()) lines << m_portToolTip;
  if (!m_journalToolTip.isEmpty()) lines << m_journalToolTip;
  m_status->setToolTip(lines.join(QLatin1Char('\n')));
}

void CVorenxDlg::SetRunText(const QString& text) { m_runButton->setText(ShownControlText(text)); }

void CVorenxDlg::SelectPort(int port) {
  // Only "COM0" to "COM9" are listed; any other port leaves no selection.
  const int index = port >= 0 && port <= 9 ? m_portList->findText(QStringLiteral("COM%1").arg(port)) : -1;
  m_portList->setCurrentIndex(index);  // raises no `activated`: queues nothing
}

void CVorenxDlg::UpdateReadingsTable(const ReadingRow& row) {
  if (row.hasSample)
    m_log->UpdateReadingsTable(row.time, row.upper, row.lower);
  else
    m_log->InsertReadingRow();
}

void CVorenxDlg::ResetReadingsTable() {
  m_readings->ClearAll();
  m_log->SetUpReadingsTable();
  m_readings->Repaint();
}

void CVorenxDlg::RefreshFromInstrument(const InstrumentState& state, bool upperCurrent, bool lowerCurrent) {
  // Controls set here may move the focus (a disabled field gives it up);
  // nothing that follows from that is the user's action.
  const QScopedValueRollback programChange(m_programChange, true);
  RefreshOnWindowThread(state, upperCurrent, lowerCurrent);
}

float CVorenxDlg::FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor) {
  const QScopedValueRollback programChange(m_programChange, true);
  m_sourceValue->SetLimits(low, high);
  const int decimals = decimalsFor(m_sourceValue->ClampedValue());
  m_sourceValue->SetDecimals(static_cast<std::uint16_t>(std::clamp(decimals, 0, kMaxFieldDecimals)));
  m_sourceValue->ValidateText();
  return m_sourceValue->GetValue();
}

}  // namespace vorenx
