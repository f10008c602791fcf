// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The 24-byte status frame as the instrument sends it: where each field lies,
// its flag bits, the frame codes of the functions and the wiring, and the
// bits of the lower mode byte that a lower setting sends. The link's decoder,
// the serial library's reply check and the simulator all read this one
// layout. Bytes 0, 1, 10, 11, 12 and 23 carry nothing the decoder reads (the
// serial layer uses them for framing). Standard library only.

#include <cstdint>

#include "instrument/FunctionCode.h"

namespace vorenx {

struct StatusFrameLayout {
  static constexpr int kSize = 24;
  static constexpr int kUpperFunction = 2;
  static constexpr int kUpperSign = 3;
  static constexpr int kUpperDigits = 4;  // five bytes
  static constexpr int kUpperExponent = 9;
  static constexpr int kFlags = 13;
  static constexpr int kLowerFunction = 14;
  static constexpr int kLowerSign = 15;
  static constexpr int kLowerDigits = 16;  // five bytes
  static constexpr int kLowerExponent = 21;
  static constexpr int kWiring = 22;
  static constexpr int kDigitCount = 5;

  // Flag bits of byte 13.
  static constexpr std::uint8_t kFlagCjc = 0x01;
  static constexpr std::uint8_t kFlagCelsius = 0x02;
  static constexpr std::uint8_t kFlagHart = 0x04;
  static constexpr std::uint8_t kFlagOutputOn = 0x10;
  static constexpr std::uint8_t kDefinedFlags = kFlagCjc | kFlagCelsius | kFlagHart | kFlagOutputOn;

  // A reading is sign, five digits and a decimal exponent 0..kMaxExponent.
  static constexpr std::uint8_t kMaxExponent = 4;
  // The wiring byte of a function that takes no wiring.
  static constexpr std::uint8_t kNoWiringByte = 0x55;
};

// Bits of the lower mode byte that QelSetLower sends: wiring in bits 0-2
// (2 two-wire, also when no wiring applies; 3 three-wire; 4 four-wire).
namespace lower_mode {
inline constexpr std::uint8_t kWiringMask = 0x07;
inline constexpr std::uint8_t kOutputOn = 0x08;
inline constexpr std::uint8_t kCjc = 0x10;
inline constexpr std::uint8_t kCelsius = 0x20;
inline constexpr std::uint8_t kHart = 0x40;
inline constexpr std::uint8_t kReserved = 0x80;  // always zero
}  // namespace lower_mode

// Frame code of an upper function (1..3) and back; 0 / false when not in the table.
std::uint8_t UpperFrameCode(FunctionCode function);
bool UpperFunctionFromFrame(std::uint8_t frameCode, FunctionCode& function);
// Frame code of a lower function (5..26) and back.
std::uint8_t LowerFrameCode(FunctionCode function);
bool LowerFunctionFromFrame(std::uint8_t frameCode, FunctionCode& function);
// Wiring byte (2, 3, 4, 0x55) to code 28..31 and back.
std::uint8_t WiringFrameCode(FunctionCode wiring);
bool WiringFromFrame(std::uint8_t frameByte, FunctionCode& wiring);

}  // namespace vorenx
