// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The serial protocol between the program and the instrument: fixed-size
// frames with a lead byte, a kind byte, a sequence number and a CRC-32.
// Pure code (no I/O, no Qt), shared by the library and the simulator.
//
// Request (host -> instrument), 14 bytes:
//   0 0xA5  1 command  2 sequence (low byte)  3..8 payload  9 sequence (high byte)
//   10..13 CRC-32 of bytes 0..9
// Reply (instrument -> host), 28 bytes on the wire:
//   0 0x5A  1 kind (0x80 | command)  2..22 body  10 and 23 the request's
//   sequence (low, high byte)  11, 12 zero  24..27 CRC-32 of bytes 0..23
// The sequence has 16 bits so that a reply that comes very late is never
// taken for the answer to a request that happens to carry the same number.
// Bytes 0..23 of a status reply are the status frame the decoder reads
// (bytes 2..9, 13..22) and what QelGetData hands to its caller.
// The CRC-32 is stored little-endian. docs/protocol.md has the whole story.

#include <array>
#include <cstddef>
#include <cstdint>

#include "instrument/StatusFrameLayout.h"

namespace qelhard {

inline constexpr std::size_t kCrcSize = 4;
inline constexpr std::size_t kRequestSize = 14;
inline constexpr std::size_t kReplySize = 28;        // on the wire
inline constexpr std::size_t kStatusFrameSize = vorenx::StatusFrameLayout::kSize;  // handed to QelGetData's caller
inline constexpr std::uint8_t kRequestLead = 0xA5;
inline constexpr std::uint8_t kReplyLead = 0x5A;
inline constexpr std::uint8_t kReplyKindBit = 0x80;
inline constexpr std::size_t kRequestSequenceHighOffset = 9;
inline constexpr std::size_t kReplySequenceOffset = 10;      // low byte
inline constexpr std::size_t kReplySequenceHighOffset = 23;  // high byte
inline constexpr std::size_t kAckResultOffset = 2;
inline constexpr std::uint8_t kProtocolVersion = 2;

enum class Command : std::uint8_t {
  Identify = 0x01,   // no payload; reply carries "VORENX" and the protocol version
  ReadStatus = 0x02, // no payload; reply carries the status frame
  SetUpper = 0x03,   // payload[0] = upper function 1..3
  SetLower = 0x04,   // payload[0] = function 5..26, [1] = mode byte, [2..5] = float, little-endian
};

// Acknowledgement results in byte 2 of a set reply.
inline constexpr std::uint8_t kAckAccepted = 1;
inline constexpr std::uint8_t kAckRefused = 0;

// Identify reply body: ASCII name at bytes 2..7, version at byte 8.
inline constexpr std::size_t kIdentNameOffset = 2;
inline constexpr char kIdentName[] = "VORENX";
inline constexpr std::size_t kIdentNameSize = sizeof kIdentName - 1;
inline constexpr std::size_t kIdentVersionOffset = 8;

using Request = std::array<std::uint8_t, kRequestSize>;
using Reply = std::array<std::uint8_t, kReplySize>;

// CRC-32 (IEEE 802.3: reflected polynomial 0xEDB88320, initial value and final
// XOR 0xFFFFFFFF; check value of "123456789" 0xCBF43926). It detects every
// burst of up to 32 bits and every error of up to 5 bits in a frame this short.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);

constexpr std::uint8_t ReplyKind(Command c) { return static_cast<std::uint8_t>(c) | kReplyKindBit; }

// Frame layouts the FrameReader looks for. The CRC-32 is in the last four bytes.
struct FrameFormat {
  std::size_t size;
  std::uint8_t lead;
  // A frame's byte 1 must satisfy (byte1 & kindMask) == kindValue.
  std::uint8_t kindMask;
  std::uint8_t kindValue;
};
inline constexpr FrameFormat kRequestFormat{kRequestSize, kRequestLead, 0xF8, 0x00};
inline constexpr FrameFormat kReplyFormat{kReplySize, kReplyLead, 0xF8, kReplyKindBit};

// True when `frame` (format.size bytes) has the lead and a matching kind / a good CRC.
bool HeaderMatches(const FrameFormat& format, const std::uint8_t* frame);
bool ChecksumMatches(const FrameFormat& format, const std::uint8_t* frame);
// Writes the CRC into the last four bytes.
void Seal(const FrameFormat& format, std::uint8_t* frame);

// Request builders.
Request BuildIdentify(std::uint16_t sequence);
Request BuildReadStatus(std::uint16_t sequence);
Request BuildSetUpper(std::uint16_t sequence, std::int32_t function);
Request BuildSetLower(std::uint16_t sequence, std::int32_t function, std::int32_t mode, float value);

// A request's decoded fields. Function and mode travel as one byte each; the
// library refuses arguments outside 0..255 before building a request.
struct SetLowerArgs {
  std::uint8_t function = 0;
  std::uint8_t mode = 0;
  float value = 0.0f;
};
Command RequestCommand(const Request& request);
std::uint16_t RequestSequence(const Request& request);
std::uint8_t SetUpperFunction(const Request& request);
SetLowerArgs ParseSetLower(const Request& request);

// Reply builders: kind and sequence set, body zero, sealed.
Reply BuildReply(Command command, std::uint16_t sequence);
Reply BuildIdentifyReply(std::uint16_t sequence);
Reply BuildAck(Command command, std::uint16_t sequence, bool accepted);
// Puts kind and sequence into a status reply whose body the caller filled,
// zeroes the reserved bytes and seals it.
void SealStatusReply(Reply& reply, std::uint16_t sequence);

bool IsIdentifyReply(const Reply& reply);
std::uint16_t ReplySequence(const Reply& reply);
// Writes `sequence` into a reply (not sealed).
void SetReplySequence(Reply& reply, std::uint16_t sequence);

}  // namespace qelhard
