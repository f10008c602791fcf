// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The instrument's vocabulary: the frame codes, the function table as each
// view names its entries, the wiring rule, and the N=PATH form.
#include <gtest/gtest.h>

#include <set>

#include "instrument/FunctionTable.h"
#include "instrument/PortOption.h"
#include "instrument/StatusFrameLayout.h"

using namespace vorenx;

namespace {

TEST(FrameCodes, EveryFunctionAndWiringRoundTrips) {
  for (int code = 0; code < 256; ++code) {
    const auto fc = static_cast<FunctionCode>(code);
    FunctionCode back = 0;
    if (IsLowerFunction(code)) {
      ASSERT_NE(LowerFrameCode(fc), 0) << code;
      ASSERT_TRUE(LowerFunctionFromFrame(LowerFrameCode(fc), back));
      EXPECT_EQ(back, fc);
    } else {
      EXPECT_EQ(LowerFrameCode(fc), 0) << code;
    }
    if (IsUpperFunction(code)) {
      ASSERT_TRUE(UpperFunctionFromFrame(UpperFrameCode(fc), back));
      EXPECT_EQ(back, fc);
    }
  }
  FunctionCode wiring = 0;
  EXPECT_TRUE(WiringFromFrame(0x55, wiring));
  EXPECT_EQ(wiring, 31);
  EXPECT_EQ(WiringFrameCode(29), 3);
}

TEST(FunctionTable, EveryFunctionCodeHasOneEntryOnItsSide) {
  std::set<int> seen;
  for (const FunctionInfo& f : Functions()) {
    EXPECT_TRUE(seen.insert(f.code).second) << int(f.code);
    EXPECT_EQ(f.side == DisplaySide::Upper, IsUpperFunction(f.code)) << int(f.code);
    EXPECT_EQ(f.side == DisplaySide::Lower, IsLowerFunction(f.code)) << int(f.code);
    // A unit of its own exactly when the value is not a temperature.
    EXPECT_EQ(f.unit == nullptr, IsTemperature(f.code)) << int(f.code);
  }
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(FindFunctionInfo(code) != nullptr, IsUpperFunction(code) || IsLowerFunction(code)) << code;
}

TEST(FunctionTable, NamesAndUnitsAsTheViewsShowThem) {
  EXPECT_EQ(FunctionName(fc::kUpperLoop), "Loop");
  EXPECT_EQ(FunctionName(fc::kCurrentSimulate), "Current simulation");
  EXPECT_EQ(FunctionName(13), "TC K");
  EXPECT_EQ(FunctionName(fc::kRtdLast), "Cu50/ITS");
  EXPECT_EQ(FunctionName(4), "Code 4");
  EXPECT_STREQ(FindFunctionInfo(fc::kResistance)->probeName, "RESIS");
  EXPECT_STREQ(FindFunctionInfo(fc::kRtdFirst)->probeName, "RTD PT100/385");
  EXPECT_STREQ(FindFunctionInfo(fc::kTcVolt)->lcdLabel, "TC mV");
  EXPECT_STREQ(FindFunctionInfo(fc::kTcVolt)->choice, "Volt");
  EXPECT_EQ(FunctionUnit(fc::kUpperLoop, true), "mA");
  EXPECT_EQ(FunctionUnit(fc::kTcVolt, true), "mV");
  EXPECT_EQ(FunctionUnit(fc::kResistance, true), QStringLiteral("\u03A9"));
  EXPECT_EQ(FunctionUnit(fc::kRtdFirst, false), QStringLiteral("\u2109"));
  EXPECT_EQ(FunctionUnit(fc::kTcFirst, true), QStringLiteral("\u2103"));
  EXPECT_EQ(FunctionUnit(4, true), "");
}

TEST(FunctionTable, OnlyResistanceAndRtdsTakeWiring) {
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(TakesWiring(code), code == fc::kResistance || (code >= fc::kRtdFirst && code <= fc::kRtdLast)) << code;
  EXPECT_EQ(WiringName(fc::kThreeWire), "3-wire");
  EXPECT_EQ(WiringName(fc::kNoWiring), "no wiring");
  EXPECT_EQ(WiringName(27), "");
  EXPECT_EQ(WiringLongName(fc::kFourWire), "Four-wire");
  EXPECT_EQ(WiringLongName(fc::kNoWiring), "");
}

TEST(PortOption, ReadsAPortAndItsPath) {
  EXPECT_EQ(ParsePortAssignment("4=/dev/ttyUSB0"), (PortAssignment{4, "/dev/ttyUSB0"}));
  EXPECT_EQ(ParsePortAssignment(" 19 = /dev/pts/3 "), (PortAssignment{19, "/dev/pts/3"}));
  EXPECT_EQ(ParsePortAssignment("0=/dev/a=b"), (PortAssignment{0, "/dev/a=b"}));  // the first '=' splits
}

TEST(PortOption, BadInputIsRefusedWithItsReason) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"", "nothing given"},          {"  ", "nothing given"},
      {"4", "no '='"},                {"=/dev/x", "no port number"},
      {"20=/dev/x", "outside 0..19"}, {"-1=/dev/x", "outside 0..19"},
      {"a=/dev/x", "not a number"},   {"4.5=/dev/x", "not a number"},
      {"4=", "no path"},              {"4=  ", "no path"},
  };
  for (const auto& c : cases) {
    QString error;
    EXPECT_FALSE(ParsePortAssignment(c.text, &error)) << c.text;
    EXPECT_TRUE(error.contains(c.reason)) << c.text << ": " << error.toStdString();
    EXPECT_TRUE(error.startsWith("N=PATH with N from 0 to 19, not \"" + QString(c.text) + "\"")) << error.toStdString();
  }
  EXPECT_FALSE(ParsePortAssignment("4"));  // no error text asked for
}

}  // namespace
