// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "instrument/StatusFrameLayout.h"

#include <cstddef>

namespace vorenx {
namespace {

struct CodePair {
  FunctionCode code;
  std::uint8_t frame;
};

constexpr CodePair kUpperCodes[] = {{1, 0x10}, {2, 0x11}, {3, 0x12}};

constexpr CodePair kLowerCodes[] = {
    {5, 0x10},  {6, 0x11},  {7, 0x12},  {8, 0x13},  {9, 0x30},  {10, 0x31}, {11, 0x32}, {12, 0x33},
    {13, 0x34}, {14, 0x35}, {15, 0x36}, {16, 0x37}, {17, 0x38}, {18, 0x40}, {19, 0x41}, {20, 0x42},
    {21, 0x43}, {22, 0x44}, {23, 0x45}, {24, 0x46}, {25, 0x47}, {26, 0x48}};

constexpr CodePair kWiringCodes[] = {{28, 2}, {29, 3}, {30, 4}, {31, StatusFrameLayout::kNoWiringByte}};

template <std::size_t N>
std::uint8_t FrameOf(const CodePair (&table)[N], FunctionCode code) {
  for (const auto& p : table)
    if (p.code == code) return p.frame;
  return 0;
}

template <std::size_t N>
bool CodeOf(const CodePair (&table)[N], std::uint8_t frame, FunctionCode& code) {
  for (const auto& p : table) {
    if (p.frame == frame) {
      code = p.code;
      return true;
    }
  }
  return false;
}

}  // namespace

std::uint8_t UpperFrameCode(FunctionCode function) { return FrameOf(kUpperCodes, function); }
bool UpperFunctionFromFrame(std::uint8_t frameCode, FunctionCode& function) {
  return CodeOf(kUpperCodes, frameCode, function);
}
std::uint8_t LowerFrameCode(FunctionCode function) { return FrameOf(kLowerCodes, function); }
bool LowerFunctionFromFrame(std::uint8_t frameCode, FunctionCode& function) {
  return CodeOf(kLowerCodes, frameCode, function);
}
std::uint8_t WiringFrameCode(FunctionCode wiring) { return FrameOf(kWiringCodes, wiring); }
bool WiringFromFrame(std::uint8_t frameByte, FunctionCode& wiring) {
  return CodeOf(kWiringCodes, frameByte, wiring);
}

}  // namespace vorenx
