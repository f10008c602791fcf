// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One request's wait for its reply, without I/O: the bytes that arrive go
// through a FrameReader, each whole frame through CheckReply, and the
// receiver says when the wait is over. It is over at once when the answer is
// accepted, and also when a complete reply's worth of bytes has come, none of
// it was acceptable and nothing buffered can still become a frame: a
// corrupted reply is reported without waiting for the time limit.
// Pure code, shared by the serial channel, the fuzz target and the tests.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FrameReader.h"
#include "Protocol.h"
#include "ReplyCheck.h"

namespace qelhard {

class ReplyReceiver {
 public:
  enum class State { Waiting, Accepted, Failed };

  ReplyReceiver();

  // Starts waiting for the answer to `request`; forgets everything before.
  void Begin(const Request& request);
  State Feed(const std::uint8_t* data, std::size_t size);
  State Current() const { return m_state; }
  // The accepted reply (valid once Feed returned Accepted).
  const Reply& Accepted() const { return m_reply; }
  // The result for a wait that ended without an accepted reply: kNoReply when
  // no byte came, kMalformed for a reply with fields outside their domains or
  // bytes that held no frame, kBadChecksum for a reply with a wrong CRC.
  std::uint16_t FailureResult() const;
  // Bytes received since Begin.
  std::size_t Received() const { return m_received; }
  // Well-formed replies to earlier requests seen since Begin.
  std::size_t OtherReplies() const { return m_otherReplies; }

 private:
  FrameReader m_reader{kReplyFormat};
  Reply m_reply{};
  Command m_command = Command::Identify;
  std::uint16_t m_sequence = 0;
  State m_state = State::Waiting;
  std::size_t m_received = 0;
  std::size_t m_otherReplies = 0;
  std::size_t m_outOfDomain = 0;
};

// What the wait for a reply needs of a port and its time limit: the serial
// channel's is a QSerialPort, the tests' a scripted line.
class ReplyLine {
 public:
  enum class Read { Bytes, Nothing, Error };
  virtual ~ReplyLine() = default;
  // Milliseconds left of the time limit; 0 once it has passed.
  virtual int RemainingMs() = 0;
  // Puts into `bytes` what has come, waiting up to `ms` for the first of it
  // when nothing is there yet (0: only looks). Nothing when none came, Error
  // when the device went away.
  virtual Read Take(int ms, std::vector<std::uint8_t>& bytes) = 0;
};

// Waits for the reply `receiver` has begun: kOk (the reply in
// receiver.Accepted()), receiver.FailureResult(), or kIoError. Before the first
// byte the whole time limit applies; after it a pause of `gapMs` ends the wait
// (the rest of a cut reply is not coming). Once the limit has passed it still
// looks once at what has come: a reply that arrived in time counts even when
// the calling thread was held up past the limit (a busy machine).
std::uint16_t AwaitReply(ReplyReceiver& receiver, ReplyLine& line, int gapMs);

}  // namespace qelhard
