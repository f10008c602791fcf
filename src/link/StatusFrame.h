#pragma once
// The 24-byte status frame and its decoder: a pure function from the frame's
// bytes to the fields of InstrumentState. Bytes 0, 1, 10, 11, 12 and 23 carry
// nothing the decoder reads (the serial layer uses them for framing).

#include <array>
#include <cstdint>

#include "link/InstrumentState.h"

namespace vorenx {

struct StatusFrame {
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

  // Flag bits of byte 13.
  static constexpr std::uint8_t kFlagCjc = 0x01;
  static constexpr std::uint8_t kFlagCelsius = 0x02;
  static constexpr std::uint8_t kFlagHart = 0x04;
  static constexpr std::uint8_t kFlagOutputOn = 0x10;

  std::array<std::uint8_t, kSize> bytes{};
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
