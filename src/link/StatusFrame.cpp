// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/StatusFrame.h"

#include <cmath>

namespace vorenx {

float DecodeFrameValue(std::uint8_t sign, const std::uint8_t* digits, std::uint8_t exponent) {
  const double n = digits[0] * 10000.0 + digits[1] * 1000.0 + digits[2] * 100.0 +
                   digits[3] * 10.0 + digits[4];
  const double s = sign != 0 ? -1.0 : 1.0;
  return static_cast<float>(std::pow(10.0, -static_cast<double>(exponent)) * n * s);
}

void DecodeStatusFrame(const std::uint8_t* f, InstrumentState& state) {
  using F = StatusFrame;
  UpperFunctionFromFrame(f[F::kUpperFunction], state.upperFunction);
  state.upperValue = DecodeFrameValue(f[F::kUpperSign], f + F::kUpperDigits, f[F::kUpperExponent]);

  const std::uint8_t flags = f[F::kFlags];
  state.cjc = (flags & F::kFlagCjc) != 0;
  state.celsius = (flags & F::kFlagCelsius) != 0;
  state.hart = (flags & F::kFlagHart) != 0;
  state.outputOff = (flags & F::kFlagOutputOn) == 0;

  LowerFunctionFromFrame(f[F::kLowerFunction], state.lowerFunction);
  state.lowerValue = DecodeFrameValue(f[F::kLowerSign], f + F::kLowerDigits, f[F::kLowerExponent]);
  WiringFromFrame(f[F::kWiring], state.wiring);
}

}  // namespace vorenx
