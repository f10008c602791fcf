// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The program's model of the instrument: the serial connection's flags, the
// decoded state of both displays, the requested settings, the poll throttle and
// the sample history. One instance is owned by the main window.
//
// Threads: Poll, SendLower and AppendSample run on the worker. Flags that both
// threads touch are atomics. m_state is written only by Poll and read from the
// window's thread through State(); m_request, the two pending flags and the
// setting commands that carry a change to the worker change together under
// m_requestLock: a handler's change, its pending flag and its queued command are
// one step, and the worker takes a command and clears its side's flag as one
// step. So a side stays pending while a change of it waits in the queue, and the
// worker's copy of the decoded state (SyncRequestFromState) never overwrites it.

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "link/SampleHistory.h"
#include "link/CommandQueue.h"
#include "instrument/InstrumentState.h"
#include "link/QelHardDll.h"
#include "platform/Clock.h"

namespace vorenx {

// Milliseconds between two reads for interval indexes 0..3 ("1S", "2S", "5S", "10S").
inline constexpr std::array<std::uint32_t, 4> kPollIntervalMs = {1000, 2000, 5000, 10000};
inline constexpr int kStatusFrameSize = 24;

class CDeviceLink {
 public:
  enum class Side { Upper, Lower };

  explicit CDeviceLink(QelHardDll& hard, TickSource ticks = SystemTicks(),
                       LocalTimeSource clock = SystemClock());
  // Closes the port last used (QelCloseCOM(m_port)).
  ~CDeviceLink();
  CDeviceLink(const CDeviceLink&) = delete;
  CDeviceLink& operator=(const CDeviceLink&) = delete;

  // Reads and decodes one status frame when the interval has passed.
  // 0: no read made; otherwise QelGetData's result (1 = a frame was decoded).
  // A frame whose function differs from the one before starts the history over.
  std::uint16_t Poll();
  // True when the last decoded frame started the history over because the
  // instrument shows another function (an instrument with other settings
  // answering after a replug, or a change made on the instrument itself); the
  // worker then starts the readings table over too. Worker thread only.
  // False after a poll that decoded no frame.
  bool FunctionChangedOnLastPoll() const { return m_functionChanged; }
  // Sends m_request's lower settings. 0 when not connected, else QelSetLower's
  // result. The pending flag is the queue's business (TakeCommand), not this one's.
  std::uint16_t SendLower();
  // The lower mode byte built from a requested state.
  static std::uint8_t LowerModeByte(const InstrumentState& request);

  // Adds one sample of the current m_state to the history (called by Poll).
  void AppendSample();
  int CopyUpperValues(double* out) { return m_history.CopyUpperValues(out); }
  int CopyLowerValues(double* out) { return m_history.CopyLowerValues(out); }
  bool NewestTexts(QString& time, QString& upper, QString& lower) {
    return m_history.NewestTexts(time, upper, lower);
  }
  void ClearHistory() { m_history.ClearHistory(); }
  SampleHistory& History() { return m_history; }

  // A copy of the decoded state; safe from any thread.
  InstrumentState State() const;
  // A copy of the requested state; safe from any thread.
  InstrumentState Request() const;
  // Window's thread: change the request and mark that side pending, as one step.
  void ChangeRequest(Side side, const std::function<void(InstrumentState&)>& edit);
  // Window's thread: the same, and queue `command` (which carries the change to
  // the instrument) in that one step.
  void ChangeRequest(Side side, const std::function<void(InstrumentState&)>& edit,
                     CommandQueue& queue, const SettingCommand& command);
  // Worker: remove and return the oldest queued command; taking a command that
  // carries a side's change clears that side's pending flag in the same step, so
  // a change made after the take stays pending until its own command is taken.
  SettingCommand TakeCommand(CommandQueue& queue);
  // Worker: change the request without touching the pending flags.
  void EditRequest(const std::function<void(InstrumentState&)>& edit);
  // Worker, after a poll: copy the decoded upper function into the request
  // unless an upper change is pending, and every other field unless a lower
  // change is pending.
  void SyncRequestFromState();

  QelHardDll& Library() { return m_hard; }
  // The current millisecond tick (the injected source).
  std::uint32_t Ticks() const { return m_ticks(); }
  // Milliseconds of the chosen poll interval.
  std::uint32_t IntervalMs() const;
  float IntervalSeconds() const { return m_intervalSeconds[static_cast<std::size_t>(IntervalIndex())]; }
  int IntervalIndex() const;

  // The shared flags, for other classes: each is one atomic value (the worker
  // writes port, running and connected; the window writes the interval index).
  std::int32_t Port() const { return m_port.load(); }
  void SetPort(std::int32_t port) { m_port.store(port); }
  bool Running() const { return m_running.load() != 0; }
  void SetRunning(bool running) { m_running.store(running ? 1 : 0); }
  bool Connected() const { return m_connected.load() != 0; }
  void SetConnected(bool connected) { m_connected.store(connected ? 1 : 0); }
  void SetIntervalIndex(int index) { m_intervalIndex.store(index); }
  bool UpperPending() const { return m_upperPending.load() != 0; }
  bool LowerPending() const { return m_lowerPending.load() != 0; }
  // How many changes of a side the request has had: a view that shows a
  // decoded state later than its poll leaves a side alone that changed since.
  std::uint32_t Changes(Side side) const { return (side == Side::Upper ? m_upperChanges : m_lowerChanges).load(); }
  // The next Poll reads even while polling is stopped (after a command ran).
  void RequestReadOnce() { m_readOnce.store(true); }

  // The fields keep the names the program's documents give them; tests read and
  // set them directly, the program's other classes go through the functions above.
  std::atomic<bool> m_readOnce{false};
  std::atomic<std::int32_t> m_upperPending{0};
  std::atomic<std::int32_t> m_lowerPending{0};
  std::atomic<std::uint32_t> m_upperChanges{0};
  std::atomic<std::uint32_t> m_lowerChanges{0};
  std::atomic<std::int32_t> m_connected{0};
  std::atomic<std::int32_t> m_running{1};
  std::atomic<std::int32_t> m_port{5};
  InstrumentState m_state;    // written by Poll only; read it elsewhere through State()
  InstrumentState m_request;  // guarded by m_requestLock; read through Request()
  std::uint32_t m_lastPollTick = 0;
  const std::array<float, 6> m_intervalSeconds{1.0f, 2.0f, 5.0f, 10.0f, 20.0f, 50.0f};
  std::atomic<std::int32_t> m_intervalIndex{1};
  std::atomic<bool> m_saveImagePending{false};
  QString m_saveImagePath;  // written before m_saveImagePending is set, read after it is seen

 private:
  QelHardDll& m_hard;
  TickSource m_ticks;
  LocalTimeSource m_clock;
  SampleHistory m_history;
  bool m_functionChanged = false;  // worker thread only
  // The request edit and the side's pending flag; m_requestLock held.
  void ChangeRequestLocked(Side side, const std::function<void(InstrumentState&)>& edit);
  mutable std::mutex m_stateLock;
  mutable std::mutex m_requestLock;
};

}  // namespace vorenx
