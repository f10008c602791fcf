// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The function-code vocabulary's texts.
#include <gtest/gtest.h>

#include "FakeQelDisplayDll.h"
#include "app/FunctionTexts.h"

namespace vorenx {
namespace {

const QString kCelsius = QStringLiteral("\u2103");
const QString kFahrenheit = QStringLiteral("\u2109");

// The expected unit of each code, written out from the vocabulary's table.
QString ExpectedUnit(int code, bool box) {
  if (code == 5) return "V";
  if (code == 6 || code == 9) return "mV";
  if (code == 7 || code == 8) return "mA";
  if (code == 18) return QStringLiteral("\u03A9");
  if ((code >= 10 && code <= 17) || (code >= 19 && code <= 26)) return box ? kCelsius : kFahrenheit;
  return QString();
}

TEST(UnitText, EveryCodeFollowsTheTableAndTheBoxNotTheFlag) {
  for (int code = 0; code <= 31; ++code) {
    for (bool box : {false, true}) {
      EXPECT_EQ(UnitText(code, box), ExpectedUnit(code, box)) << "code " << code << " box " << box;
    }
  }
}

TEST(UnitText, SpotChecksFromTheSettingsPanel) {
  EXPECT_EQ(UnitText(13, true), kCelsius);     // thermocouple K
  EXPECT_EQ(UnitText(13, false), kFahrenheit);
  EXPECT_EQ(UnitText(9, true), "mV");          // "Volt" on the TC tab
  EXPECT_EQ(UnitText(9, false), "mV");
  for (int code : {0, 1, 2, 3, 4, 27, 28, 31, 255, -1}) EXPECT_TRUE(UnitText(code, true).isEmpty()) << code;
  EXPECT_EQ(UnitText(18, false).size(), 1);    // one character, the ohm sign
}

TEST(UpperSpanText, ByListIndex) {
  EXPECT_EQ(UpperSpanText(0), "0V-30V");
  EXPECT_EQ(UpperSpanText(1), "0mA-24mA");
  EXPECT_EQ(UpperSpanText(2), "0mA-24mA");
  EXPECT_TRUE(UpperSpanText(-1).isEmpty());
  EXPECT_TRUE(UpperSpanText(3).isEmpty());
}

TEST(RangeText, AsksTheLibraryAndPrintsLowFirstWithoutDecimals) {
  testing::FakeQelDisplayDll display;
  display.rangeLow = 0.0f;
  display.rangeHigh = 30.0f;
  EXPECT_EQ(RangeText(display, 5, true), "(0-30)");
  display.rangeLow = -10.0f;
  display.rangeHigh = 50.0f;
  EXPECT_EQ(RangeText(display, 13, false), "(-10-50)");
  display.rangeLow = -200.4f;
  display.rangeHigh = 1767.6f;
  EXPECT_EQ(RangeText(display, 19, true), "(-200-1768)");
  EXPECT_EQ(display.Calls(), QStringList({"GetRange(5,1)", "GetRange(13,0)", "GetRange(19,1)"}));
}

}  // namespace
}  // namespace vorenx
