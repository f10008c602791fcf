// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Acceptance of a reply that passed the frame reader (lead, kind pattern,
// CRC-32): it must be the answer to the request just sent (kind, sequence)
// and every field must lie in the domain the instrument sends. A CRC lets a
// few noisy frames through; a frame whose digits, codes, flags or reserved
// bytes break their domains is refused even when its CRC matches.
// Pure code, no I/O.

#include <cstdint>

#include "Protocol.h"
#include "instrument/StatusFrameLayout.h"

namespace qelhard {

enum class ReplyVerdict {
  Accepted,     // the answer to this request, every field in its domain
  OtherRequest, // a well-formed reply of another kind or sequence (a late answer)
  OutOfDomain,  // kind and sequence right, but a field the instrument never sends
};

ReplyVerdict CheckReply(const Reply& reply, Command command, std::uint16_t sequence);

// Field domains of each reply body (kind and sequence not looked at).
bool StatusBodyInDomain(const Reply& reply);
bool IdentifyBodyInDomain(const Reply& reply);
bool AckBodyInDomain(const Reply& reply);

}  // namespace qelhard
