// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "Protocol.h"

#include <cstring>

namespace qelhard {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t StoredCrc(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

bool HeaderMatches(const FrameFormat& format, const std::uint8_t* frame) {
  return frame[0] == format.lead && (frame[1] & format.kindMask) == format.kindValue;
}

bool ChecksumMatches(const FrameFormat& format, const std::uint8_t* frame) {
  const std::size_t body = format.size - kCrcSize;
  return Crc32(frame, body) == StoredCrc(frame + body);
}

void Seal(const FrameFormat& format, std::uint8_t* frame) {
  const std::size_t body = format.size - kCrcSize;
  const std::uint32_t crc = Crc32(frame, body);
  for (std::size_t i = 0; i < kCrcSize; ++i) frame[body + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

namespace {

Request NewRequest(Command command, std::uint16_t sequence) {
  Request r{};
  r[0] = kRequestLead;
  r[1] = static_cast<std::uint8_t>(command);
  r[2] = static_cast<std::uint8_t>(sequence);
  r[kRequestSequenceHighOffset] = static_cast<std::uint8_t>(sequence >> 8);
  return r;
}

Request Sealed(Request r) {
  Seal(kRequestFormat, r.data());
  return r;
}

}  // namespace

Request BuildIdentify(std::uint16_t sequence) { return Sealed(NewRequest(Command::Identify, sequence)); }

Request BuildReadStatus(std::uint16_t sequence) {
  return Sealed(NewRequest(Command::ReadStatus, sequence));
}

Request BuildSetUpper(std::uint16_t sequence, std::int32_t function) {
  Request r = NewRequest(Command::SetUpper, sequence);
  r[3] = static_cast<std::uint8_t>(function);
  return Sealed(r);
}

Request BuildSetLower(std::uint16_t sequence, std::int32_t function, std::int32_t mode, float value) {
  Request r = NewRequest(Command::SetLower, sequence);
  r[3] = static_cast<std::uint8_t>(function);
  r[4] = static_cast<std::uint8_t>(mode);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 4; ++i) r[5 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
  return Sealed(r);
}

Command RequestCommand(const Request& request) { return static_cast<Command>(request[1]); }
std::uint16_t RequestSequence(const Request& request) {
  return static_cast<std::uint16_t>(request[2] | request[kRequestSequenceHighOffset] << 8);
}
std::uint8_t SetUpperFunction(const Request& request) { return request[3]; }

SetLowerArgs ParseSetLower(const Request& request) {
  SetLowerArgs args;
  args.function = request[3];
  args.mode = request[4];
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(request[5 + i]) << (8 * i);
  std::memcpy(&args.value, &bits, sizeof bits);
  return args;
}

Reply BuildReply(Command command, std::uint16_t sequence) {
  Reply r{};
  r[0] = kReplyLead;
  r[1] = ReplyKind(command);
  SetReplySequence(r, sequence);
  Seal(kReplyFormat, r.data());
  return r;
}

Reply BuildIdentifyReply(std::uint16_t sequence) {
  Reply r = BuildReply(Command::Identify, sequence);
  std::memcpy(r.data() + kIdentNameOffset, kIdentName, kIdentNameSize);
  r[kIdentVersionOffset] = kProtocolVersion;
  Seal(kReplyFormat, r.data());
  return r;
}

Reply BuildAck(Command command, std::uint16_t sequence, bool accepted) {
  Reply r = BuildReply(command, sequence);
  r[kAckResultOffset] = accepted ? kAckAccepted : kAckRefused;
  Seal(kReplyFormat, r.data());
  return r;
}

void SealStatusReply(Reply& reply, std::uint16_t sequence) {
  reply[0] = kReplyLead;
  reply[1] = ReplyKind(Command::ReadStatus);
  SetReplySequence(reply, sequence);
  reply[11] = 0;
  reply[12] = 0;
  Seal(kReplyFormat, reply.data());
}

bool IsIdentifyReply(const Reply& reply) {
  return reply[1] == ReplyKind(Command::Identify) &&
         std::memcmp(reply.data() + kIdentNameOffset, kIdentName, kIdentNameSize) == 0;
}

std::uint16_t ReplySequence(const Reply& reply) {
  return static_cast<std::uint16_t>(reply[kReplySequenceOffset] | reply[kReplySequenceHighOffset] << 8);
}

void SetReplySequence(Reply& reply, std::uint16_t sequence) {
  reply[kReplySequenceOffset] = static_cast<std::uint8_t>(sequence);
  reply[kReplySequenceHighOffset] = static_cast<std::uint8_t>(sequence >> 8);
}

}  // namespace qelhard
