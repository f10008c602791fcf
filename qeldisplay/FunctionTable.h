// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the library knows about each function code: its range and the finest
// resolution it shows; its name on the LCD and its unit come from the
// instrument's function table (instrument/FunctionTable.h).

#include <QString>
#include <cstdint>

namespace qeldisplay {

struct Range {
  double low = 0.0;
  double high = 0.0;
  bool Valid() const { return high > low; }
};

struct FunctionInfo {
  int code;
  double low;             // range in the unit, ℃ for temperatures
  double high;
  int maxDecimals;        // finest resolution shown
};

// nullptr for codes the library does not know.
const FunctionInfo* FindFunction(int code);
// Range in the unit the flag selects; 0..0 for unknown codes.
Range RangeOf(int code, bool celsius);
// "V", "mA", "℃" ...; empty for unknown codes.
QString UnitOf(int code, bool celsius);
// The function's label on the LCD, e.g. "TC K"; "----" for unknown codes.
QString LabelOf(int code);
// Decimals for a five-digit display: as many as the function resolves, as long
// as the rounded number keeps at most five digits.
int DecimalsFor(int code, double value);
// True for lower-display codes (their output can be switched off).
bool IsLowerCode(int code);

}  // namespace qeldisplay
