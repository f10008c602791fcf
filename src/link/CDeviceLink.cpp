// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/CDeviceLink.h"

#include "link/StatusFrame.h"

namespace vorenx {

CDeviceLink::CDeviceLink(QelHardDll& hard, TickSource ticks, LocalTimeSource clock)
    : m_request(m_state), m_hard(hard), m_ticks(std::move(ticks)), m_clock(std::move(clock)) {}

CDeviceLink::~CDeviceLink() { m_hard.QelCloseCOM(m_port.load()); }

int CDeviceLink::IntervalIndex() const {
  const int index = m_intervalIndex.load(std::memory_order_relaxed);
  // Only "1S" to "10S" can be chosen; anything else falls back to the default.
  return index >= 0 && index < static_cast<int>(kPollIntervalMs.size()) ? index : 1;
}

std::uint32_t CDeviceLink::IntervalMs() const {
  return kPollIntervalMs[static_cast<std::size_t>(IntervalIndex())];
}

namespace {

bool ShowsAnotherFunction(const InstrumentState& before, const InstrumentState& now) {
  return before.upperFunction != now.upperFunction || before.lowerFunction != now.lowerFunction ||
         (IsTemperature(now.lowerFunction) && before.celsius != now.celsius);
}

}  // namespace

std::uint16_t CDeviceLink::Poll() {
  m_functionChanged = false;
  if (m_connected.load() == 0) return 0;

  const std::uint32_t now = m_ticks();
  // Unsigned subtraction keeps the throttle right across the tick count's wrap.
  if (now - m_lastPollTick < IntervalMs()) return 0;
  m_lastPollTick = now;
  StatusFrame frame;

  if (m_running.load() == 0 && !m_readOnce.load()) return 0;

  const std::uint16_t result = m_hard.QelGetData(m_port.load(), frame.bytes.data(), StatusFrame::kSize);
  m_readOnce.store(false);
  if (result != 1) return result;

  InstrumentState decoded = m_state;
  DecodeStatusFrame(frame, decoded);
  // One table holds one function's readings: rows of another function (or
  // another temperature unit) start it over, as a change by the user does.
  m_functionChanged = m_history.SampleCount() > 0 && ShowsAnotherFunction(m_state, decoded);
  if (m_functionChanged) m_history.ClearHistory();
  {
    std::lock_guard lock(m_stateLock);
    m_state = decoded;
  }
  AppendSample();
  return 1;
}

std::uint8_t CDeviceLink::LowerModeByte(const InstrumentState& r) {
  std::uint8_t mode = 0;
  if (r.hart) mode |= lower_mode::kHart;
  if (r.celsius) mode |= lower_mode::kCelsius;
  if (r.cjc) mode |= lower_mode::kCjc;
  if (!r.outputOff) mode |= lower_mode::kOutputOn;
  if (r.wiring == fc::kThreeWire)
    mode |= 3;
  else if (r.wiring == fc::kFourWire)
    mode |= 4;
  else
    mode |= 2;  // two-wire, and also when no wiring applies
  return mode;
}

std::uint16_t CDeviceLink::SendLower() {
  if (m_connected.load() == 0) return 0;
  const InstrumentState request = Request();
  return m_hard.QelSetLower(m_port.load(), request.lowerFunction, LowerModeByte(request),
                            request.lowerValue);
}

void CDeviceLink::AppendSample() {
  // m_state is written only on this thread, so it is read here without the lock.
  const InstrumentState& s = m_state;
  const QString upperText = FormatValueText(s.upperFunction, s.upperValue, false);
  const QString lowerText = FormatValueText(s.lowerFunction, s.lowerValue, s.celsius);
  const QString timeText = FormatTimeText(m_clock());
  m_history.Append(timeText, upperText, lowerText, static_cast<double>(s.upperValue),
                   static_cast<double>(s.lowerValue));
}

InstrumentState CDeviceLink::State() const {
  std::lock_guard lock(m_stateLock);
  return m_state;
}

InstrumentState CDeviceLink::Request() const {
  std::lock_guard lock(m_requestLock);
  return m_request;
}

void CDeviceLink::ChangeRequest(Side side, const std::function<void(InstrumentState&)>& edit) {
  std::lock_guard lock(m_requestLock);
  ChangeRequestLocked(side, edit);
}

void CDeviceLink::ChangeRequestLocked(Side side, const std::function<void(InstrumentState&)>& edit) {
  edit(m_request);
  (side == Side::Upper ? m_upperPending : m_lowerPending).store(1);
  (side == Side::Upper ? m_upperChanges : m_lowerChanges).fetch_add(1);
}

void CDeviceLink::ChangeRequest(Side side, const std::function<void(InstrumentState&)>& edit,
                                CommandQueue& queue, const SettingCommand& command) {
  std::lock_guard lock(m_requestLock);
  ChangeRequestLocked(side, edit);
  queue.PostCommand(command);
}

SettingCommand CDeviceLink::TakeCommand(CommandQueue& queue) {
  std::lock_guard lock(m_requestLock);
  const SettingCommand c = queue.TakeCommand();
  if (c.type == CmdSetUpper) m_upperPending.store(0);
  if (c.type == CmdSetLower || c.type == CmdSetSource) m_lowerPending.store(0);
  return c;
}

void CDeviceLink::EditRequest(const std::function<void(InstrumentState&)>& edit) {
  std::lock_guard lock(m_requestLock);
  edit(m_request);
}

void CDeviceLink::SyncRequestFromState() {
  const InstrumentState decoded = State();
  std::lock_guard lock(m_requestLock);
  if (m_upperPending.load() == 0) m_request.upperFunction = decoded.upperFunction;
  if (m_lowerPending.load() == 0) {
    const FunctionCode upper = m_request.upperFunction;
    m_request = decoded;
    m_request.upperFunction = upper;
  }
}

}  // namespace vorenx
