#pragma once
// What the library knows about each function code: its name on the LCD, its
// unit, its range and the finest resolution it shows.

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
  const char* name;       // label text, e.g. "TC K"
  const char16_t* unit;   // unit text; nullptr for temperatures (℃/℉)
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
// Decimals for a five-digit display: as many as the function resolves, as long
// as the rounded number keeps at most five digits.
int DecimalsFor(int code, double value);
// True for lower-display codes (their output can be switched off).
bool IsLowerCode(int code);

}  // namespace qeldisplay
