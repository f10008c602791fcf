// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "ValueEncoding.h"

#include <cmath>

namespace vorenx::sim {

EncodedValue EncodeValue(double value) {
  EncodedValue out;
  // Zero is sent with the largest exponent, like every other small value.
  out.exponent = StatusFrameLayout::kMaxExponent;
  if (std::isnan(value)) return out;
  const double magnitude = std::fabs(value);
  long mantissa = kMaxMantissa;
  int exponent = 0;
  for (int e = StatusFrameLayout::kMaxExponent; e >= 0; --e) {
    const double scaled = std::round(magnitude * std::pow(10.0, e));
    if (scaled <= kMaxMantissa) {
      mantissa = static_cast<long>(scaled);
      exponent = e;
      break;
    }
  }
  out.sign = value < 0 && mantissa > 0 ? 1 : 0;
  out.exponent = static_cast<std::uint8_t>(exponent);
  for (int i = 4; i >= 0; --i) {
    out.digits[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa % 10);
    mantissa /= 10;
  }
  return out;
}

}  // namespace vorenx::sim
