// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The status frame decoder: a pure function from the frame's 24 bytes to the
// fields of InstrumentState.

#include <array>
#include <cstdint>

#include "instrument/StatusFrameLayout.h"
#include "instrument/InstrumentState.h"

namespace vorenx {

// The frame as the decoder takes it; offsets and flag bits are the
// instrument's layout (instrument/StatusFrameLayout.h).
struct StatusFrame : StatusFrameLayout {
  std::array<std::uint8_t, kSize> bytes{};
};

// value = 10^-exponent * N * sign, N = d0*10000 + d1*1000 + d2*100 + d3*10 + d4,
// computed in double and stored as float. Digit bytes are taken as they come.
float DecodeFrameValue(std::uint8_t sign, const std::uint8_t* digits, std::uint8_t exponent);

// Decodes `frame` into `state` field by field: a code outside its table
// leaves that field unchanged. Fields the frame does not carry are untouched.
void DecodeStatusFrame(const std::uint8_t* frame, InstrumentState& state);
inline void DecodeStatusFrame(const StatusFrame& frame, InstrumentState& state) {
  DecodeStatusFrame(frame.bytes.data(), state);
}

}  // namespace vorenx
