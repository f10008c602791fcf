// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The one-byte vocabulary that names a display's function and the wiring:
// 1..3 upper functions, 5..26 lower functions, 28..30 two/three/four-wire,
// 31 "no wiring applies" (decoded only). 4 and 27 are unused.

#include <cstdint>

namespace vorenx {

using FunctionCode = std::uint8_t;

namespace fc {
inline constexpr FunctionCode kUpperVoltage = 1;
inline constexpr FunctionCode kUpperCurrent = 2;
inline constexpr FunctionCode kUpperLoop = 3;

inline constexpr FunctionCode kVolt = 5;             // VOL tab, "V"
inline constexpr FunctionCode kMilliVolt = 6;        // VOL tab, "mV"
inline constexpr FunctionCode kCurrent = 7;          // CURR tab
inline constexpr FunctionCode kCurrentSimulate = 8;  // CURR tab, "Simulation"
inline constexpr FunctionCode kTcVolt = 9;           // TC tab, "Volt"
inline constexpr FunctionCode kTcFirst = 10;         // S, R, B, K, N, E, J, T
inline constexpr FunctionCode kTcLast = 17;
inline constexpr FunctionCode kResistance = 18;      // RESIS tab
inline constexpr FunctionCode kRtdFirst = 19;        // PT100/385 ... Cu50/ITS
inline constexpr FunctionCode kRtdLast = 26;

inline constexpr FunctionCode kTwoWire = 28;
inline constexpr FunctionCode kThreeWire = 29;
inline constexpr FunctionCode kFourWire = 30;
inline constexpr FunctionCode kNoWiring = 31;

inline constexpr FunctionCode kLowerFirst = kVolt;
inline constexpr FunctionCode kLowerLast = kRtdLast;
}  // namespace fc

constexpr bool IsUpperFunction(int code) { return code >= fc::kUpperVoltage && code <= fc::kUpperLoop; }
constexpr bool IsLowerFunction(int code) { return code >= fc::kLowerFirst && code <= fc::kLowerLast; }
constexpr bool IsThermocouple(int code) { return code >= fc::kTcFirst && code <= fc::kTcLast; }
constexpr bool IsRtd(int code) { return code >= fc::kRtdFirst && code <= fc::kRtdLast; }
// Functions whose value is a temperature (shown in ℃ or ℉).
constexpr bool IsTemperature(int code) { return IsThermocouple(code) || IsRtd(code); }
// Functions whose lower display reports its wiring (two-, three- or
// four-wire): resistance and the RTDs. Every other function reports none.
constexpr bool TakesWiring(int code) { return code == fc::kResistance || IsRtd(code); }
// The wirings a function that takes wiring can have: two, three or four wires.
constexpr bool IsWiringChoice(int code) { return code >= fc::kTwoWire && code <= fc::kFourWire; }

}  // namespace vorenx
