// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "ReplyReceiver.h"

#include <algorithm>

#include "Results.h"

namespace qelhard {

ReplyReceiver::ReplyReceiver() = default;

void ReplyReceiver::Begin(const Request& request) {
  m_reader.Clear();
  m_command = RequestCommand(request);
  m_sequence = RequestSequence(request);
  m_state = State::Waiting;
  m_received = 0;
  m_otherReplies = 0;
  m_outOfDomain = 0;
}

ReplyReceiver::State ReplyReceiver::Feed(const std::uint8_t* data, std::size_t size) {
  if (m_state != State::Waiting) return m_state;
  m_received += size;
  m_reader.Feed(data, size);
  Reply frame{};
  while (m_reader.Next(frame.data())) {
    switch (CheckReply(frame, m_command, m_sequence)) {
      case ReplyVerdict::Accepted:
        m_reply = frame;
        m_reader.Clear();
        return m_state = State::Accepted;
      case ReplyVerdict::OtherRequest:
        ++m_otherReplies;  // a late answer to an earlier request: skip it
        break;
      case ReplyVerdict::OutOfDomain:
        ++m_outOfDomain;
        break;
    }
  }
  // The instrument sends one reply per request. Once a reply's worth of bytes
  // beyond the late answers has come and nothing buffered can still become a
  // frame, the answer is not coming whole.
  const std::size_t ownBytes = m_received - m_otherReplies * kReplySize;
  const bool sawBadBytes = m_outOfDomain > 0 || m_reader.ChecksumFailures() > 0 || m_reader.SkippedBytes() > 0;
  if (m_received >= m_otherReplies * kReplySize && ownBytes >= kReplySize && sawBadBytes &&
      !m_reader.HoldsPartialFrame())
    m_state = State::Failed;
  return m_state;
}

std::uint16_t ReplyReceiver::FailureResult() const {
  if (m_received == m_otherReplies * kReplySize) return kNoReply;  // nothing but late answers
  if (m_outOfDomain > 0) return kMalformed;
  return m_reader.ChecksumFailures() > 0 ? kBadChecksum : kMalformed;
}

std::uint16_t AwaitReply(ReplyReceiver& receiver, ReplyLine& line, int gapMs) {
  std::vector<std::uint8_t> bytes;
  for (;;) {
    const int remaining = std::max(line.RemainingMs(), 0);
    const int wait = receiver.Received() == 0 ? remaining : std::min(remaining, gapMs);
    bytes.clear();
    const ReplyLine::Read read = line.Take(wait, bytes);
    if (read == ReplyLine::Read::Error) return kIoError;
    if (read == ReplyLine::Read::Nothing || bytes.empty()) return receiver.FailureResult();
    const ReplyReceiver::State state = receiver.Feed(bytes.data(), bytes.size());
    if (state == ReplyReceiver::State::Accepted) return kOk;
    if (state == ReplyReceiver::State::Failed || remaining == 0) return receiver.FailureResult();
  }
}

}  // namespace qelhard
