// Ranges and resolutions per function code. Temperature ranges are the source
// and simulation spans a handheld calibrator offers, inside the reference
// tables of IEC 60584-1 (thermocouples) and IEC 60751 (platinum RTDs); ℉
// bounds are converted from ℃ and rounded inward so they never leave the ℃
// span. docs/ranges.md lists the whole table.
#include "qeldisplay/FunctionTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "qeldisplay/QelDisplay.h"
#include "link/FunctionCode.h"

namespace qeldisplay {
namespace {

constexpr char16_t kVolt[] = u"V";
constexpr char16_t kMilliVolt[] = u"mV";
constexpr char16_t kMilliAmp[] = u"mA";
constexpr char16_t kOhm[] = u"\u03A9";
constexpr int kDisplayDigits = 5;

constexpr std::array kFunctions = {
    FunctionInfo{1, "MEAS V", kVolt, 0, 30, 3},
    FunctionInfo{2, "MEAS mA", kMilliAmp, 0, 24, 3},
    FunctionInfo{3, "MEAS LOOP", kMilliAmp, 0, 24, 3},
    FunctionInfo{5, "VOLT V", kVolt, 0, 30, 3},
    FunctionInfo{6, "VOLT mV", kMilliVolt, -10, 100, 3},
    FunctionInfo{7, "CURRENT", kMilliAmp, 0, 24, 3},
    FunctionInfo{8, "CURRENT SIM", kMilliAmp, 0, 24, 3},
    FunctionInfo{9, "TC mV", kMilliVolt, -10, 75, 3},
    FunctionInfo{10, "TC S", nullptr, -20, 1767, 1},
    FunctionInfo{11, "TC R", nullptr, -20, 1767, 1},
    FunctionInfo{12, "TC B", nullptr, 600, 1820, 1},
    FunctionInfo{13, "TC K", nullptr, -200, 1372, 1},
    FunctionInfo{14, "TC N", nullptr, -200, 1300, 1},
    FunctionInfo{15, "TC E", nullptr, -200, 1000, 1},
    FunctionInfo{16, "TC J", nullptr, -200, 1200, 1},
    FunctionInfo{17, "TC T", nullptr, -250, 400, 1},
    FunctionInfo{18, "OHMS", kOhm, 0, 4000, 2},
    FunctionInfo{19, "RTD PT100/385", nullptr, -200, 850, 2},
    FunctionInfo{20, "RTD PT100/3926", nullptr, -200, 630, 2},
    FunctionInfo{21, "RTD PT100/3916", nullptr, -200, 630, 2},
    FunctionInfo{22, "RTD PT200/385", nullptr, -200, 850, 2},
    FunctionInfo{23, "RTD PT500/385", nullptr, -200, 850, 2},
    FunctionInfo{24, "RTD PT1000/385", nullptr, -200, 850, 2},
    FunctionInfo{25, "RTD Cu100/ITS", nullptr, -50, 150, 2},
    FunctionInfo{26, "RTD Cu50/ITS", nullptr, -50, 150, 2},
};

// Unknown codes show three decimals, like the upper display.
constexpr int kFallbackDecimals = 3;

double ToFahrenheit(double c) { return c * 9.0 / 5.0 + 32.0; }

}  // namespace

const FunctionInfo* FindFunction(int code) {
  for (const FunctionInfo& f : kFunctions)
    if (f.code == code) return &f;
  return nullptr;
}

bool IsLowerCode(int code) { return vorenx::IsLowerFunction(code); }

Range RangeOf(int code, bool celsius) {
  const FunctionInfo* f = FindFunction(code);
  if (!f) return {};
  if (f->unit || celsius) return {f->low, f->high};
  // Inward rounding keeps the ℉ span inside the ℃ span (1372 ℃ = 2501.6 ℉ -> 2501).
  // The small tolerance keeps exact conversions (-200 ℃ = -328 ℉) exact.
  return {std::ceil(ToFahrenheit(f->low) - 1e-9), std::floor(ToFahrenheit(f->high) + 1e-9)};
}

QString UnitOf(int code, bool celsius) {
  const FunctionInfo* f = FindFunction(code);
  if (!f) return {};
  if (f->unit) return QString::fromUtf16(f->unit);
  return celsius ? QStringLiteral("\u2103") : QStringLiteral("\u2109");
}

int DecimalsFor(int code, double value) {
  const FunctionInfo* f = FindFunction(code);
  int decimals = f ? f->maxDecimals : kFallbackDecimals;
  if (!std::isfinite(value)) {
    // No number to fit: size for the largest bound of the range instead.
    const Range r = RangeOf(code, true);
    value = std::max(std::fabs(r.low), std::fabs(r.high));
  }
  const double magnitude = std::fabs(value);
  const double limit = std::pow(10.0, kDisplayDigits);
  while (decimals > 0 && std::round(magnitude * std::pow(10.0, decimals)) >= limit) --decimals;
  return decimals;
}

void SFGetRange(std::int32_t function, float* high, float* low, std::int32_t celsius) {
  const Range r = RangeOf(function, celsius != 0);
  if (high) *high = static_cast<float>(r.high);
  if (low) *low = static_cast<float>(r.low);
}

std::uint16_t SFGetDecimalLen(std::int32_t function, float value) {
  return static_cast<std::uint16_t>(DecimalsFor(function, value));
}

}  // namespace qeldisplay
