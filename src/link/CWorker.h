// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The worker thread: probes ports 0..19 for the instrument, then runs a cycle
// every 200 ms until stopped: check the connection, carry out queued setting
// commands, poll a status frame, and pass a new reading on to the panel, the
// readings table and the settings panel through the WorkerHost.
//
// The status line says "Connected" once the instrument has answered on the
// current port and "DisConnected" once it has been silent for
// ConnectionWatch::kSilenceMs; a reply lost now and then changes nothing.
// Polling starts by itself when an instrument first answers, unless the user
// has pressed Stop.

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "link/QelDisplayDll.h"
#include "instrument/Ports.h"
#include "link/CDeviceLink.h"
#include "link/CommandQueue.h"
#include "link/ConnectionWatch.h"
#include "link/WorkerHost.h"
#include "platform/AutoResetEvent.h"

namespace vorenx {

inline constexpr unsigned kCyclePauseMs = 200;

class CWorker {
 public:
  CWorker(CDeviceLink& link, CommandQueue& commands, QelDisplayDll& display, WorkerHost& host,
          const std::atomic<std::int32_t>& displayLength);
  // Stops and joins the thread if it still runs.
  ~CWorker();
  CWorker(const CWorker&) = delete;
  CWorker& operator=(const CWorker&) = delete;

  // Starts WorkerThreadProc on a new thread.
  void Start();
  // Sets the stop flag and wakes the pause; the thread ends within one cycle.
  void RequestStop();
  // True once WorkerThreadProc has returned (or was never started).
  bool Finished() const { return m_finished.load(); }
  // Joins the thread; call after Finished() or when no host call can block.
  void Join();
  // Called on the worker thread just before it ends.
  void SetOnFinished(std::function<void()> onFinished) { m_onFinished = std::move(onFinished); }

  // The thread's body; returns 1.
  int WorkerThreadProc();
  // The start-up probe of ports 0..19: sets the port and m_running, queues the
  // found port's opening and selects it in the Port list. True when one answered.
  bool Probe();
  // One iteration of the cycle.
  void WorkerCycle();
  void ExecuteCommand(const SettingCommand& c);
  bool OpenPort(int port);
  bool CheckConnection();
  void ClearReadings();
  // Notes whether the instrument answered just now and updates the status line
  // and polling on a change.
  void NoteAnswer(bool answered);

  bool StopRequested() const { return m_stop.load(); }
  // The pause after each cycle: kCyclePauseMs unless changed (long runs in
  // tests shorten it to go through many readings quickly).
  void SetCyclePause(unsigned ms) { m_pauseMs.store(ms); }

 private:
  // On the way out: carries out a CmdSetSource still queued (SendLower only).
  void SendQueuedSource();
  // Sets m_connected; on connecting, starts polling unless the user stopped it.
  void SetConnected(bool connected);

  CDeviceLink& m_link;
  CommandQueue& m_commands;
  QelDisplayDll& m_display;
  WorkerHost& m_host;
  const std::atomic<std::int32_t>& m_displayLength;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_finished{true};
  std::atomic<unsigned> m_pauseMs{kCyclePauseMs};
  ConnectionWatch m_watch;     // worker thread only
  bool m_userStopped = false;  // the user pressed Stop since start-up; worker thread only
  AutoResetEvent m_wake{false};
  std::function<void()> m_onFinished;
  std::thread m_hWorker;
};

}  // namespace vorenx
