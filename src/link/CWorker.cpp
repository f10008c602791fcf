// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/CWorker.h"

namespace vorenx {

CWorker::CWorker(CDeviceLink& link, CommandQueue& commands, QelDisplayDll& display,
                 WorkerHost& host, const std::atomic<std::int32_t>& displayLength)
    : m_link(link), m_commands(commands), m_display(display), m_host(host),
      m_displayLength(displayLength) {}

CWorker::~CWorker() {
  RequestStop();
  Join();
}

void CWorker::Start() {
  if (m_hWorker.joinable()) return;
  m_stop.store(false);
  m_finished.store(false);
  m_hWorker = std::thread([this] { WorkerThreadProc(); });
}

void CWorker::RequestStop() {
  m_stop.store(true);
  m_wake.Set();
}

void CWorker::Join() {
  if (m_hWorker.joinable()) m_hWorker.join();
}

bool CWorker::Probe() {
  QelHardDll& hard = m_link.Library();
  bool found = false;
  for (int port = 0; port < kPortCount && !m_stop.load(); ++port) {
    m_link.SetPort(port);
    if (hard.QelIsDevConnect(port) != 0) {
      found = true;
      break;
    }
  }
  m_link.SetRunning(found);
  // The found port replaces the one the window queued for its initial selection
  // (commands merge by type), so the link opens where the instrument answered and
  // the Port list shows the port in use.
  if (found) m_commands.PostCommand({CmdOpenPort, m_link.Port()});
  if (!m_stop.load()) m_host.SelectPort(m_link.Port());
  return found;
}

int CWorker::WorkerThreadProc() {
  Probe();
  while (!m_stop.load()) {
    WorkerCycle();
    // The pause ends early when a stop is requested.
    m_wake.WaitFor(m_pauseMs.load());
  }
  SendQueuedSource();
  m_finished.store(true);
  if (m_onFinished) m_onFinished();
  return 1;
}

void CWorker::SendQueuedSource() {
  // Closing the window during a calibration run queues the output off just
  // before the stop: send it rather than leave the calibrator sourcing. Every
  // other queued command stays unsent, as before.
  for (const SettingCommand& c : m_commands.Snapshot()) {
    if (c.type != CmdSetSource) continue;
    m_link.SendLower();
    break;
  }
}

void CWorker::WorkerCycle() {
  CheckConnection();

  bool executed = false;
  // Every queued command runs before the poll below, so the copy of the decoded
  // state after it never meets a change whose command was taken but not yet sent.
  for (SettingCommand c = m_link.TakeCommand(m_commands); c.type != CmdNone;
       c = m_link.TakeCommand(m_commands)) {
    ExecuteCommand(c);
    executed = true;
  }
  if (executed) m_link.RequestReadOnce();

  if (!m_link.Connected()) return;

  const std::uint16_t r = m_link.Poll();
  // A good frame shows the instrument is there; a failed read counts towards
  // silence only once no answer has come for a while.
  NoteAnswer(r == 1);
  m_host.SetRunText(m_link.Running() ? QStringLiteral("Stop") : QStringLiteral("Run"));
  if (r == 0) return;

  m_host.RedrawPanel();
  if (m_link.FunctionChangedOnLastPoll()) m_host.ResetReadingsTable();
  m_host.UpdateReadingsTable(r);
  m_host.RefreshFromInstrument(m_link.State());
  m_link.SyncRequestFromState();
}

bool CWorker::CheckConnection() {
  const bool answers = m_link.Library().QelIsDevConnect(m_link.Port()) != 0;
  NoteAnswer(answers);
  return answers;
}

void CWorker::NoteAnswer(bool answered) {
  const bool connected = m_link.Connected();
  const bool now = m_watch.Update(answered, connected, m_link.Ticks());
  if (now == connected) return;
  m_host.SetStatusText(now ? QStringLiteral("Connected") : QStringLiteral("DisConnected"));
  SetConnected(now);
}

void CWorker::SetConnected(bool connected) {
  m_link.SetConnected(connected);
  // An instrument plugged in after start-up (or missed by the probe) is
  // polled without a press of Run, unless the user has stopped polling.
  if (connected && !m_link.Running() && !m_userStopped) m_link.SetRunning(true);
}

bool CWorker::OpenPort(int port) {
  const bool samePort = port == m_link.Port();
  m_link.SetPort(port);
  const bool opened = m_link.Library().QelOpenCOM(port) != 0;
  if (!opened) {
    m_watch.Forget();
    SetConnected(false);
  } else if (!samePort) {
    // An open port is not yet an answering instrument: ask it once, so that
    // the status line is true and queued settings reach an instrument that is there.
    m_watch.Forget();
    const bool answers = m_link.Library().QelIsDevConnect(port) != 0;
    SetConnected(m_watch.Update(answers, false, m_link.Ticks()));
  }
  m_host.SetStatusText(m_link.Connected() ? QStringLiteral("Connected")
                                                      : QStringLiteral("DisConnected"));
  return opened;
}

void CWorker::ClearReadings() {
  m_link.ClearHistory();
  m_host.ResetReadingsTable();
}

void CWorker::ExecuteCommand(const SettingCommand& c) {
  switch (c.type) {
    case CmdToggleRun:
      if (m_link.Running()) {
        m_link.SetRunning(false);
        m_userStopped = true;
      } else {
        m_link.SetRunning(true);
      }
      // Without a link no poll redraws the panel: show the new run state now.
      if (!m_link.Connected()) m_host.RedrawPanel();
      break;
    case CmdOpenPort:
      OpenPort(c.argument);
      break;
    case CmdSetUpper: {
      ClearReadings();
      if (m_link.Connected())
        m_link.Library().QelSetUpper(m_link.Port(), m_link.Request().upperFunction);
      break;
    }
    case CmdSetLower: {
      ClearReadings();
      const InstrumentState request = m_link.Request();
      float high = 0.0f;
      float low = 0.0f;
      m_display.SFGetRange(request.lowerFunction, &high, &low, request.celsius ? 1 : 0);
      // The decimals follow the number being sent, not the one sent before.
      const FunctionCode function = request.lowerFunction;
      const std::optional<float> value = m_host.FitSourceField(
          low, high, [this, function](float v) { return m_display.SFGetDecimalLen(function, v); });
      if (!value) break;  // closing before the field was read: nothing unasked is sent
      m_link.EditRequest([v = *value](InstrumentState& r) { r.lowerValue = v; });
      m_link.SendLower();
      break;
    }
    case CmdSetSource:
      // A new function starts the table over, as every function change does;
      // a new value or output state goes on in the same table.
      if (c.argument == 1) ClearReadings();
      m_link.SendLower();
      break;
    case CmdSetDisplayLength:
      m_display.dmmSetDisPlayLen(m_displayLength.load());
      break;
    case CmdSetDisplayWave:
      m_display.dmmSetDisPlayWave(c.argument);
      break;
    default:
      break;  // unknown types are accepted and do nothing
  }
}

}  // namespace vorenx
