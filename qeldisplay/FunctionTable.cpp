// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
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
#include "instrument/FunctionTable.h"

namespace qeldisplay {
namespace {

constexpr int kDisplayDigits = 5;

constexpr std::array kFunctions = {
    FunctionInfo{1, 0, 30, 3},
    FunctionInfo{2, 0, 24, 3},
    FunctionInfo{3, 0, 24, 3},
    FunctionInfo{5, 0, 30, 3},
    FunctionInfo{6, -10, 100, 3},
    FunctionInfo{7, 0, 24, 3},
    FunctionInfo{8, 0, 24, 3},
    FunctionInfo{9, -10, 75, 3},
    FunctionInfo{10, -20, 1767, 1},
    FunctionInfo{11, -20, 1767, 1},
    FunctionInfo{12, 600, 1820, 1},
    FunctionInfo{13, -200, 1372, 1},
    FunctionInfo{14, -200, 1300, 1},
    FunctionInfo{15, -200, 1000, 1},
    FunctionInfo{16, -200, 1200, 1},
    FunctionInfo{17, -250, 400, 1},
    FunctionInfo{18, 0, 4000, 2},
    FunctionInfo{19, -200, 850, 2},
    FunctionInfo{20, -200, 630, 2},
    FunctionInfo{21, -200, 630, 2},
    FunctionInfo{22, -200, 850, 2},
    FunctionInfo{23, -200, 850, 2},
    FunctionInfo{24, -200, 850, 2},
    FunctionInfo{25, -50, 150, 2},
    FunctionInfo{26, -50, 150, 2},
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

QString LabelOf(int code) {
  const vorenx::FunctionInfo* f = vorenx::FindFunctionInfo(code);
  return f ? QString::fromUtf8(f->lcdLabel) : QStringLiteral("----");
}

Range RangeOf(int code, bool celsius) {
  const FunctionInfo* f = FindFunction(code);
  if (!f) return {};
  if (!vorenx::IsTemperature(code) || celsius) return {f->low, f->high};
  // Inward rounding keeps the ℉ span inside the ℃ span (1372 ℃ = 2501.6 ℉ -> 2501).
  // The small tolerance keeps exact conversions (-200 ℃ = -328 ℉) exact.
  return {std::ceil(ToFahrenheit(f->low) - 1e-9), std::floor(ToFahrenheit(f->high) + 1e-9)};
}

QString UnitOf(int code, bool celsius) { return FindFunction(code) ? vorenx::FunctionUnit(code, celsius) : QString(); }

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
