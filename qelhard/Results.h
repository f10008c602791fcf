// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Result codes of the library's exports (16-bit) and its time limits. Pure
// constants, shared by the serial code and the pure reply receiver. The port
// count is the instrument's (vorenx::kPortCount, instrument/Ports.h).

#include <cstdint>

#include "instrument/Ports.h"

namespace qelhard {

inline constexpr std::uint16_t kNoReply = 0;      // nothing answered within the timeout
inline constexpr std::uint16_t kOk = 1;           // a whole, checked reply
inline constexpr std::uint16_t kBadChecksum = 2;  // a reply came whose CRC was wrong
inline constexpr std::uint16_t kMalformed = 3;    // bytes came, but no acceptable reply (garbage,
                                                  // cut short, or fields outside their domains)
inline constexpr std::uint16_t kNotOpen = 4;      // port not opened by QelOpenCOM, or reopening failed
inline constexpr std::uint16_t kIoError = 5;      // the device went away mid-exchange (port closed)
inline constexpr std::uint16_t kBadArgument = 6;  // port outside 0..19, buffer too small, code > 255
inline constexpr std::uint16_t kRefused = 7;      // the instrument refused a setting

// Time limits in milliseconds.
inline constexpr int kReplyTimeoutMs = 250;  // one request/reply exchange on an open port
inline constexpr int kPingTimeoutMs = 60;    // one identify exchange of QelIsDevConnect
// Once bytes of a reply have come, a pause this long without more ends the
// wait: the instrument sends a reply in one go, so the rest is not coming.
inline constexpr int kReplyGapMs = 30;
// Identify exchanges QelIsDevConnect makes at most when replies come corrupted.
inline constexpr int kPingAttempts = 3;

}  // namespace qelhard
