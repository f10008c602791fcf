// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Arbitrary bytes, cut into arbitrary chunks, through the reply reader and the
// library's reply acceptance. Every frame the reader yields must be whole and
// checksummed and must decode without harm; a reply the receiver accepts must
// be the answer to its request (kind, sequence) with every field in its domain.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FrameReader.h"
#include "ReplyCheck.h"
#include "ReplyReceiver.h"
#include "Results.h"
#include "link/StatusFrame.h"

namespace {

void CheckAccepted(const qelhard::Reply& reply, qelhard::Command command, std::uint16_t sequence) {
  using namespace qelhard;
  if (!HeaderMatches(kReplyFormat, reply.data()) || !ChecksumMatches(kReplyFormat, reply.data())) std::abort();
  if (reply[1] != ReplyKind(command) || ReplySequence(reply) != sequence) std::abort();
  if (command != Command::ReadStatus) return;
  if (!StatusBodyInDomain(reply)) std::abort();
  // An accepted status frame decodes to codes of the tables and readings of five digits.
  vorenx::InstrumentState state;
  state.upperFunction = 0;
  state.lowerFunction = 0;
  state.wiring = 0;
  vorenx::DecodeStatusFrame(reply.data(), state);
  if (state.upperFunction == 0 || state.lowerFunction == 0 || state.wiring == 0) std::abort();
  if (!(state.upperValue <= 99999.0f && state.upperValue >= -99999.0f)) std::abort();
  if (!(state.lowerValue <= 99999.0f && state.lowerValue >= -99999.0f)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t inputSize) {
  if (inputSize < 3) return 0;
  // The first byte chooses the chunk size (1..32) and the reader's capacity;
  // the second the request the receiver waits for; the third, when odd, seals
  // every 28-byte block with a good CRC, so that arbitrary bodies reach the
  // field-domain checks (a random CRC-32 would almost never match).
  const std::size_t chunk = (input[0] & 0x1F) + 1u;
  const std::size_t capacity = 64u + (input[0] >> 5) * 64u;
  const auto command = static_cast<qelhard::Command>(1 + (input[1] & 0x03));
  const std::uint16_t sequence = static_cast<std::uint16_t>(input[1] >> 2);
  std::vector<std::uint8_t> bytes(input + 3, input + inputSize);
  if (input[2] & 1) {
    for (std::size_t at = 0; at + qelhard::kReplySize <= bytes.size(); at += qelhard::kReplySize)
      qelhard::Seal(qelhard::kReplyFormat, bytes.data() + at);
  }
  const std::uint8_t* data = bytes.data();
  const std::size_t size = bytes.size();

  qelhard::FrameReader reader(qelhard::kReplyFormat, capacity);
  qelhard::ReplyReceiver receiver;
  qelhard::Request request{};
  request[1] = static_cast<std::uint8_t>(command);
  request[2] = static_cast<std::uint8_t>(sequence);
  receiver.Begin(request);

  qelhard::Reply frame{};
  vorenx::InstrumentState state;
  for (std::size_t offset = 0; offset < size; offset += chunk) {
    const std::size_t n = size - offset < chunk ? size - offset : chunk;
    reader.Feed(data + offset, n);
    if (reader.Buffered() > capacity) std::abort();
    while (reader.Next(frame.data())) {
      if (!qelhard::HeaderMatches(qelhard::kReplyFormat, frame.data()) ||
          !qelhard::ChecksumMatches(qelhard::kReplyFormat, frame.data()))
        std::abort();
      vorenx::DecodeStatusFrame(frame.data(), state);
    }
    const auto verdict = receiver.Feed(data + offset, n);
    if (verdict == qelhard::ReplyReceiver::State::Accepted) CheckAccepted(receiver.Accepted(), command, sequence);
    if (verdict != qelhard::ReplyReceiver::State::Accepted && receiver.FailureResult() == qelhard::kOk) std::abort();
  }
  return 0;
}
