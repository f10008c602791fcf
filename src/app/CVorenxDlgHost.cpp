// The window's side of the bridge to the worker (WorkerHost). Every control
// change is handed to the window's thread and the worker waits for it; the
// worker holds no lock while it waits.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringList>
#include <algorithm>

#include "app/CEditEx.h"
#include "app/CVorenxDlg.h"
#include "app/FunctionTexts.h"
#include "display/CStaticLCD.h"
#include "grid/GridCtrl.h"
#include "log/CReadingsLog.h"

namespace vorenx {

void CVorenxDlg::SetStatusText(const QString& text) {
  JournalStatus(text);
  OnWindowThread([this, &text] {
    m_status->setText(text);
    // While disconnected the tooltip says why the port could not be used.
    const bool connected = text == QLatin1String("Connected");
    m_portToolTip = !connected && m_portProblem ? m_portProblem(m_link.Port()) : QString();
    UpdateStatusToolTip();
    // A lost link shows on the panel at once, not only with the next paint.
    if (!connected) m_panel->Redraw();
    FeedCalibrationConnection(connected);
  });
}

void CVorenxDlg::UpdateStatusToolTip() {
  // Both problems the user may need to know of: the port's and the journal's.
  QStringList lines;
  if (!m_portToolTip.isEmpty()) lines << m_portToolTip;
  if (!m_journalToolTip.isEmpty()) lines << m_journalToolTip;
  m_status->setToolTip(lines.join(QLatin1Char('\n')));
}

void CVorenxDlg::SetRunText(const QString& text) {
  OnWindowThread([this, &text] { m_runButton->setText(text); });
}

void CVorenxDlg::SelectPort(int port) {
  OnWindowThread([this, port] {
    // Only "COM0" to "COM9" are listed; any other port leaves no selection.
    const int index = port >= 0 && port <= 9 ? m_portList->findText(QStringLiteral("COM%1").arg(port)) : -1;
    m_portList->setCurrentIndex(index);  // raises no `activated`: queues nothing
  });
}

void CVorenxDlg::RedrawPanel() {
  // After a poll: composed on the calling thread, live again; the panel
  // queues its own repaint.
  m_panel->Redraw(/*newReading=*/true);
}

void CVorenxDlg::UpdateReadingsTable(int pollResult) {
  JournalReading(pollResult);
  // The table and the history's guard are touched together, on the window's thread.
  OnWindowThread([this, pollResult] {
    m_log->UpdateReadingsTable();
    FeedCalibrationReading(pollResult);
  });
}

void CVorenxDlg::ResetReadingsTable() {
  OnWindowThread([this] {
    m_readings->ClearAll();
    m_log->SetUpReadingsTable();
    m_readings->Repaint();
  });
}

void CVorenxDlg::RefreshFromInstrument(const InstrumentState& state) {
  OnWindowThread([this, &state] {
    // Controls set here may move the focus (a disabled field gives it up);
    // nothing that follows from that is the user's action.
    const QScopedValueRollback programChange(m_programChange, true);
    RefreshOnWindowThread(state);
  });
}

float CVorenxDlg::FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor) {
  float value = 0.0f;
  OnWindowThread([&] {
    const QScopedValueRollback programChange(m_programChange, true);
    m_sourceValue->SetLimits(low, high);
    const int decimals = decimalsFor(m_sourceValue->ClampedValue());
    m_sourceValue->SetDecimals(static_cast<std::uint16_t>(std::clamp(decimals, 0, kMaxFieldDecimals)));
    m_sourceValue->ValidateText();
    value = m_sourceValue->GetValue();
  });
  return value;
}

}  // namespace vorenx
