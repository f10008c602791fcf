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

}  // namespace qelhard
