// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "ReplyCheck.h"

#include <cstring>

namespace qelhard {
namespace {

// Bytes 11 and 12 of every reply are zero.
bool ReservedZero(const Reply& r) { return r[11] == 0 && r[12] == 0; }

// Every body byte outside [first, last] and the sequence is zero.
bool ZeroOutside(const Reply& r, std::size_t first, std::size_t last) {
  for (std::size_t i = 2; i < kStatusFrameSize; ++i) {
    if (i == kReplySequenceOffset || i == kReplySequenceHighOffset || (i >= first && i <= last)) continue;
    if (r[i] != 0) return false;
  }
  return true;
}

using Layout = vorenx::StatusFrameLayout;

bool IsUpperCode(std::uint8_t c) {
  vorenx::FunctionCode function = 0;
  return vorenx::UpperFunctionFromFrame(c, function);
}
bool IsLowerCode(std::uint8_t c) {
  vorenx::FunctionCode function = 0;
  return vorenx::LowerFunctionFromFrame(c, function);
}
// Resistance and the RTDs report their wiring; every other function 0x55.
bool TakesWiring(std::uint8_t lowerCode) {
  vorenx::FunctionCode function = 0;
  return vorenx::LowerFunctionFromFrame(lowerCode, function) && vorenx::TakesWiring(function);
}

// Sign, five digits and exponent as the instrument encodes a reading: digits
// 0..9, exponent 0..4, the largest exponent that keeps five digits (so below 4
// the first digit is never 0), and no negative zero.
bool ValueInDomain(const Reply& r, std::size_t signAt, std::size_t digitsAt, std::size_t exponentAt) {
  const std::uint8_t sign = r[signAt];
  const std::uint8_t exponent = r[exponentAt];
  if (sign > 1 || exponent > Layout::kMaxExponent) return false;
  bool allZero = true;
  for (std::size_t i = 0; i < 5; ++i) {
    if (r[digitsAt + i] > 9) return false;
    allZero = allZero && r[digitsAt + i] == 0;
  }
  if (exponent < Layout::kMaxExponent && r[digitsAt] == 0) return false;
  return !(sign == 1 && allZero);
}

}  // namespace

bool StatusBodyInDomain(const Reply& r) {
  using L = Layout;
  if (!ReservedZero(r) || !IsUpperCode(r[L::kUpperFunction]) || !IsLowerCode(r[L::kLowerFunction])) return false;
  if ((r[L::kFlags] & ~L::kDefinedFlags) != 0) return false;
  const std::uint8_t wiring = r[L::kWiring];
  if (TakesWiring(r[L::kLowerFunction]) ? (wiring < 2 || wiring > 4) : wiring != L::kNoWiringByte) return false;
  return ValueInDomain(r, L::kUpperSign, L::kUpperDigits, L::kUpperExponent) &&
         ValueInDomain(r, L::kLowerSign, L::kLowerDigits, L::kLowerExponent);
}

bool IdentifyBodyInDomain(const Reply& r) {
  return std::memcmp(r.data() + kIdentNameOffset, kIdentName, kIdentNameSize) == 0 &&
         r[kIdentVersionOffset] == kProtocolVersion && ZeroOutside(r, kIdentNameOffset, kIdentVersionOffset) &&
         ReservedZero(r);
}

bool AckBodyInDomain(const Reply& r) {
  return (r[kAckResultOffset] == kAckAccepted || r[kAckResultOffset] == kAckRefused) &&
         ZeroOutside(r, kAckResultOffset, kAckResultOffset) && ReservedZero(r);
}

ReplyVerdict CheckReply(const Reply& reply, Command command, std::uint16_t sequence) {
  if (reply[1] != ReplyKind(command) || ReplySequence(reply) != sequence) return ReplyVerdict::OtherRequest;
  bool inDomain = false;
  switch (command) {
    case Command::Identify: inDomain = IdentifyBodyInDomain(reply); break;
    case Command::ReadStatus: inDomain = StatusBodyInDomain(reply); break;
    case Command::SetUpper:
    case Command::SetLower: inDomain = AckBodyInDomain(reply); break;
  }
  return inDomain ? ReplyVerdict::Accepted : ReplyVerdict::OutOfDomain;
}

}  // namespace qelhard
