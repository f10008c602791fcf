// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// How the instrument puts a reading into a status frame: a sign byte, five
// digit bytes (most significant first) and a decimal exponent e, so that
// value = (d0*10000 + d1*1000 + d2*100 + d3*10 + d4) * 10^-e.

#include <array>
#include <cstdint>

#include "instrument/StatusFrameLayout.h"

namespace vorenx::sim {

struct EncodedValue {
  std::uint8_t sign = 0;  // 1 when negative
  std::array<std::uint8_t, 5> digits{};
  std::uint8_t exponent = 0;
};

inline constexpr int kMaxMantissa = 99999;

// Picks the largest exponent 0..4 whose mantissa still fits five digits.
// Magnitudes above 99999 are clamped to 99999; NaN encodes as 0 (exponent 4).
// Below exponent 4 the first digit is therefore never 0, and zero is never negative.
EncodedValue EncodeValue(double value);

}  // namespace vorenx::sim
