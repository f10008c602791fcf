// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Ranges, decimal counts and wave settings of the drawing library.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

#include "qeldisplay/FunctionTable.h"
#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {

struct Bounds {
  float low, high;
};

Bounds Get(int code, int celsius) {
  Bounds b{-999.0f, -999.0f};
  SFGetRange(code, &b.high, &b.low, celsius);
  return b;
}

double ToF(double c) { return c * 9.0 / 5.0 + 32.0; }
bool IsTemperatureCode(int code) { return (code >= 10 && code <= 17) || (code >= 19 && code <= 26); }

TEST(Ranges, EveryLowerFunctionHasARangeInBothUnits) {
  for (int code = 5; code <= 26; ++code) {
    const Bounds c = Get(code, 1), f = Get(code, 0);
    EXPECT_LT(c.low, c.high) << code;
    EXPECT_LT(f.low, f.high) << code;
    if (!IsTemperatureCode(code)) {
      EXPECT_EQ(c.low, f.low) << code;
      EXPECT_EQ(c.high, f.high) << code;
      continue;
    }
    // ℉ is the ℃ span converted and rounded inward to whole degrees.
    EXPECT_EQ(f.low, std::round(f.low)) << code;
    EXPECT_EQ(f.high, std::round(f.high)) << code;
    EXPECT_GE(f.low, ToF(c.low) - 1e-3) << code;
    EXPECT_LT(f.low, ToF(c.low) + 1) << code;
    EXPECT_LE(f.high, ToF(c.high) + 1e-3) << code;
    EXPECT_GT(f.high, ToF(c.high) - 1) << code;
  }
}

TEST(Ranges, ThermocouplesLieInsideTheStandardTables) {
  // IEC 60584-1 table limits for S, R, B, K, N, E, J, T (℃).
  const Bounds tables[8] = {{-50, 1768.1f}, {-50, 1768.1f}, {0, 1820},    {-270, 1372},
                            {-270, 1300},   {-270, 1000},   {-210, 1200}, {-270, 400}};
  for (int i = 0; i < 8; ++i) {
    const Bounds c = Get(10 + i, 1);
    EXPECT_GE(c.low, tables[i].low) << "type " << i;
    EXPECT_LE(c.high, tables[i].high) << "type " << i;
    EXPECT_GT(c.high - c.low, 300) << "type " << i;
  }
  EXPECT_FLOAT_EQ(Get(13, 1).high, 1372.0f);  // K
  EXPECT_FLOAT_EQ(Get(13, 0).high, 2501.0f);  // 2501.6 ℉ rounded inward
  EXPECT_FLOAT_EQ(Get(12, 1).high, 1820.0f);  // B
  EXPECT_FLOAT_EQ(Get(17, 1).high, 400.0f);   // T
}

TEST(Ranges, RtdsAndOtherFunctions) {
  EXPECT_FLOAT_EQ(Get(19, 1).low, -200.0f);  // PT100/385 per IEC 60751
  EXPECT_FLOAT_EQ(Get(19, 1).high, 850.0f);
  EXPECT_FLOAT_EQ(Get(19, 0).low, -328.0f);
  EXPECT_FLOAT_EQ(Get(19, 0).high, 1562.0f);
  for (int code = 19; code <= 24; ++code) {  // platinum
    EXPECT_GE(Get(code, 1).low, -200.0f) << code;
    EXPECT_LE(Get(code, 1).high, 850.0f) << code;
  }
  EXPECT_FLOAT_EQ(Get(26, 1).low, -50.0f);  // Cu50
  EXPECT_FLOAT_EQ(Get(26, 1).high, 150.0f);
  EXPECT_FLOAT_EQ(Get(5, 1).high, 30.0f);   // V
  EXPECT_FLOAT_EQ(Get(7, 1).high, 24.0f);   // mA
  EXPECT_FLOAT_EQ(Get(8, 1).high, 24.0f);   // simulated mA
  EXPECT_LT(Get(6, 1).low, 0.0f);           // mV reaches below zero
  EXPECT_FLOAT_EQ(Get(18, 1).high, 4000.0f);  // Ω
  // The upper display's spans match its span texts.
  EXPECT_FLOAT_EQ(Get(1, 1).high, 30.0f);
  EXPECT_FLOAT_EQ(Get(3, 0).high, 24.0f);
}

TEST(Ranges, UnknownCodesGiveAnEmptySpanAndNullOutputsAreSafe) {
  for (int code : {0, 4, 27, 28, 31, -1, 255, std::numeric_limits<int>::min()}) {
    const Bounds b = Get(code, 1);
    EXPECT_EQ(b.low, 0.0f) << code;
    EXPECT_EQ(b.high, 0.0f) << code;
  }
  float high = 1;
  SFGetRange(13, &high, nullptr, 1);
  SFGetRange(13, nullptr, nullptr, 1);
  EXPECT_FLOAT_EQ(high, 1372.0f);
}

// Number of digits the value shows with `decimals`.
int DigitsShown(double value, int decimals) {
  const double scaled = std::round(std::fabs(value) * std::pow(10.0, decimals));
  return scaled < 1 ? 1 : static_cast<int>(std::floor(std::log10(scaled))) + 1;
}

TEST(Decimals, FitAFiveDigitDisplayAndUseItsResolution) {
  for (int code = 1; code <= 26; ++code) {
    const FunctionInfo* info = FindFunction(code);
    if (!info) continue;
    for (int celsius : {0, 1}) {
      const Bounds b = Get(code, celsius);
      for (int i = 0; i <= 100; ++i) {
        const float v = b.low + (b.high - b.low) * static_cast<float>(i) / 100.0f;
        const int d = SFGetDecimalLen(code, v);
        EXPECT_LE(DigitsShown(v, d), 5) << code << " " << v;
        EXPECT_LE(d, info->maxDecimals) << code;
        // One more decimal would be finer than the function resolves or need six digits.
        if (d < info->maxDecimals) {
          EXPECT_GT(DigitsShown(v, d + 1), 5) << code << " " << v;
        }
      }
    }
  }
}

TEST(Decimals, KnownValues) {
  EXPECT_EQ(SFGetDecimalLen(13, 1000.0f), 1);   // 1000.0 ℃
  EXPECT_EQ(SFGetDecimalLen(13, 25.0f), 1);
  EXPECT_EQ(SFGetDecimalLen(19, -200.0f), 2);   // -200.00
  EXPECT_EQ(SFGetDecimalLen(19, 1562.0f), 1);   // ℉ upper end
  EXPECT_EQ(SFGetDecimalLen(5, 30.0f), 3);      // 30.000 V
  EXPECT_EQ(SFGetDecimalLen(6, 99.9996f), 2);   // would round to 100.000
  EXPECT_EQ(SFGetDecimalLen(18, 4000.0f), 1);
  EXPECT_EQ(SFGetDecimalLen(18, 100.0f), 2);
  EXPECT_EQ(SFGetDecimalLen(4, 1.0f), 3);       // unknown code: fallback
  EXPECT_EQ(SFGetDecimalLen(13, 1e30f), 0);
  // Not a number: sized for the range's largest bound.
  EXPECT_EQ(SFGetDecimalLen(13, std::nanf("")), 1);
  EXPECT_EQ(SFGetDecimalLen(5, std::numeric_limits<float>::infinity()), 3);
}

TEST(WaveSettings, PersistAndClamp) {
  dmmSetDisPlayLen(1000);
  dmmSetDisPlayWave(2);
  EXPECT_EQ(DisplayLength(), 1000);
  EXPECT_EQ(DisplayWave(), 2);
  dmmSetDisPlayLen(5);
  EXPECT_EQ(DisplayLength(), 20);
  dmmSetDisPlayLen(120000);
  EXPECT_EQ(DisplayLength(), 12000);
  dmmSetDisPlayLen(-7);
  EXPECT_EQ(DisplayLength(), 20);
  dmmSetDisPlayWave(7);  // not a mode: ignored
  EXPECT_EQ(DisplayWave(), 2);
  dmmSetDisPlayWave(0);
  EXPECT_EQ(DisplayWave(), 0);
  dmmSetDisPlayLen(240);
  dmmSetDisPlayWave(3);
}

TEST(WaveSettings, SetAndReadFromTwoThreads) {
  std::thread other([] {
    for (int i = 0; i < 5000; ++i) {
      dmmSetDisPlayLen(20 + i);
      dmmSetDisPlayWave(i % 4);
    }
  });
  for (int i = 0; i < 5000; ++i) {
    const int length = DisplayLength();
    const int mode = DisplayWave();
    ASSERT_GE(length, 20);
    ASSERT_LE(length, 12000);
    ASSERT_GE(mode, 0);
    ASSERT_LE(mode, 3);
  }
  other.join();
  EXPECT_EQ(DisplayLength(), 20 + 4999);
  EXPECT_EQ(DisplayWave(), 4999 % 4);
  dmmSetDisPlayLen(240);
  dmmSetDisPlayWave(3);
}

}  // namespace
}  // namespace qeldisplay
