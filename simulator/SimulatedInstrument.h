// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A simulated calibrator behind a pseudo-terminal: the library opens the
// terminal's slave side like any serial device, and a thread of this object
// answers on the master side. Tests can make it misbehave to exercise the
// library's error paths over the real serial code.

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "InstrumentModel.h"
#include "LineNoise.h"

namespace vorenx::sim {

enum class Fault {
  None,
  Garbage,      // bytes that hold no frame instead of the reply
  BadChecksum,  // the reply with a wrong CRC
  Truncated,    // the first half of the reply only
  Silent,       // no reply at all
  Late,         // the reply, held back until the next request has come: the caller gave up
                // on it, and it arrives while the next request waits
};

// How late a stalled reply of the line noise comes by default (past the library's time limit).
inline constexpr int kLateReplyMs = 400;

// One reply as the instrument meant it, and what the line made of it.
struct SentReply {
  qelhard::Reply clean{};
  bool corrupted = false;
  NoisePattern pattern = NoisePattern::OneBit;  // when corrupted
};

class SimulatedInstrument {
 public:
  explicit SimulatedInstrument(std::uint32_t noiseSeed = 1);
  ~SimulatedInstrument();
  SimulatedInstrument(const SimulatedInstrument&) = delete;
  SimulatedInstrument& operator=(const SimulatedInstrument&) = delete;

  // Opens a pseudo-terminal in raw mode and starts answering; returns once the
  // answering thread runs. Returns the slave's device path; empty (with `error`
  // set) when no terminal could be had.
  QString Start(QString* error = nullptr);
  // Stops answering and closes the terminal: its device path disappears, as
  // when an adapter is unplugged.
  void Stop();
  QString Path() const;
  bool Running() const { return m_running.load(); }

  // The next `count` replies misbehave as `fault` (count < 0: until set back to None).
  void InjectFault(Fault fault, int count = 1);
  // Corrupts a share (0..1) of the replies with line noise; the same seed gives
  // the same noise. A stalled reply is sent `stallMs` late while the instrument
  // goes on answering the next requests.
  void SetNoise(double share, std::uint32_t seed = 1, int stallMs = kLateReplyMs);
  // Wires a transmitter to the displays as the instrument under test (nullopt:
  // none); see InstrumentModel::SetDut.
  void SetDut(const std::optional<DutSpec>& dutSpec);
  // The time the instrument and its transmitter under test run on, in seconds
  // (empty: real seconds since Start). Tests that run the window on a clock of
  // their own give the simulator the same one.
  void SetClock(std::function<double()> seconds);
  // Keeps a record of every reply sent (at most the newest 65536), for tests.
  void RecordReplies(bool on);
  // Takes the replies recorded since the last call, oldest first.
  std::vector<SentReply> TakeSentReplies();
  InstrumentSettings Settings() const;
  // Changes the lower settings as the instrument's own keys would, without a
  // request on the line (also what a program sees when another calibrator
  // with other settings answers after a replug). False for settings the
  // instrument refuses.
  bool SetLowerOnInstrument(std::uint8_t function, std::uint8_t mode, float value);
  // Requests answered (or deliberately mis-answered) so far.
  std::uint64_t RequestCount() const { return m_requests.load(); }

 private:
  void Serve();
  void Respond(const qelhard::Request& request);
  void WriteAll(const std::uint8_t* data, std::size_t size);
  Fault TakeFault();
  // Line noise on `reply`; false when it is stalled (queued for later instead).
  bool AddNoise(std::vector<std::uint8_t>& bytes);
  void Record(const qelhard::Reply& clean, bool corrupted, NoisePattern pattern);
  // Writes stalled replies whose time has come; the poll timeout until the next one.
  int SendDueLateReplies();

  struct LateReply {
    std::chrono::steady_clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };

  mutable std::mutex m_lock;  // guards everything up to m_path
  InstrumentModel m_model;
  Fault m_fault = Fault::None;
  int m_faultCount = 0;
  LineNoise m_noise;
  int m_stallMs = kLateReplyMs;
  bool m_recording = false;
  std::deque<SentReply> m_sent;
  QString m_path;
  int m_master = -1;
  int m_slave = -1;  // kept open so the master never sees a hang-up between clients
  std::atomic<bool> m_running{false};
  std::atomic<std::uint64_t> m_requests{0};
  std::chrono::steady_clock::time_point m_start;
  std::function<double()> m_clock;  // guarded by m_lock
  std::deque<LateReply> m_late;        // serving thread only
  std::vector<std::uint8_t> m_held;    // a Late reply waiting for the next request; serving thread only
  std::thread m_thread;
};

// Starts a simulated instrument and maps `port` to it (QelSetPortPath).
// Null when no pseudo-terminal could be opened.
std::unique_ptr<SimulatedInstrument> AttachSimulator(int port, QString* error = nullptr);

}  // namespace vorenx::sim
