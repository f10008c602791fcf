// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A run paused for a lost link: the interruption is kept in the record, and
// the run goes on only after the calibrator answers again with its output off
// and the user confirms.
#include <QDateTime>

#include "calib/CalibrationRun.h"

namespace vorenx {

void CalibrationRun::OnConnection(bool connected) {
  const bool was = m_connected;
  m_connected = connected;
  if (!m_started || Ended() || was == connected) return;
  const std::uint32_t now = m_link.NowMs();
  if (!connected) {
    if (m_state == State::Preparing) return;  // output still off; asked again on reconnecting
    // The instrument may go on sourcing by itself: ask for the output off now
    // (sent as soon as it answers), and repeat the point from scratch later.
    RequestOutputOff();
    m_answersAgain = false;
    SetPauseText(tr(
        "The calibrator stopped answering; the run is paused and the output was switched off. "
        "Check the connection; once it answers again, confirm to repeat the point at %1 %."));
    if (m_state == State::Paused) {
      emit stateChanged(m_state);  // lost again before it went on: no longer resumable
      return;
    }
    m_result.interruptions.push_back({QDateTime::currentDateTime(), {}});
    SetState(State::Paused);
    return;
  }
  if (m_state == State::Preparing) {
    RequestFunctions(now);
    return;
  }
  if (m_state == State::Paused) {
    // It may have kept sourcing while it was away. The run goes on only once
    // a reading shows it answering with the output off.
    RequestOutputOff();
    m_requestMs = now;
    SetPauseText(tr(
        "The calibrator is connected again; waiting for it to show its output off "
        "before the point at %1 % is repeated."));
    emit stateChanged(m_state);
  }
}

void CalibrationRun::OnPausedReading(const InstrumentState& decoded, std::uint32_t now) {
  if (!m_connected || m_answersAgain) return;
  if (!decoded.outputOff) {
    // Back after a drop and still sourcing: ask again until the output is off.
    if (now - m_requestMs >= kApplyRetryMs) {
      m_requestMs = now;
      RequestOutputOff();
    }
    return;
  }
  m_answersAgain = true;
  SetPauseText(tr(
      "The calibrator answers again; its output was switched off. "
      "Confirm to switch it on and repeat the point at %1 %."));
  emit stateChanged(m_state);
}

bool CalibrationRun::CanResume() const { return m_state == State::Paused && m_connected && m_answersAgain; }

void CalibrationRun::CloseInterruption(const QDateTime& when) {
  if (!m_result.interruptions.empty() && !m_result.interruptions.back().to.isValid())
    m_result.interruptions.back().to = when;
}

}  // namespace vorenx
