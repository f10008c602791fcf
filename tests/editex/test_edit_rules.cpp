// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The number field's rules without a widget: reading the leading number,
// validation's rounding at the limits, and selections out of order.
#include <gtest/gtest.h>

#include <QString>
#include <cfloat>
#include <limits>

#include "app/EditRules.h"

namespace vorenx::editrules {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingDecimalNumber) {
  struct Case {
    const char* text;
    float expected;
  };
  const Case cases[] = {
      {"12.5abc", 12.5F}, {"  -3", -3.0F}, {"+7", 7.0F},   {"-.5", -0.5F},  {"5.", 5.0F},
      {"1..5", 1.0F},     {"1,5", 1.0F},   {"1e3", 1000.0F}, {"2E-1", 0.2F}, {"1e", 1.0F},
      {"1e+", 1.0F},      {"3e-x", 3.0F},  {"5-3", 5.0F},  {".", 0.0F},     {"-", 0.0F},
      {"--1", 0.0F},      {"+-1", 0.0F},   {"abc", 0.0F},  {"", 0.0F},      {"inf", 0.0F},
      {"nan", 0.0F},      {"0x10", 0.0F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_FLOAT_EQ(LeadingNumber(QString::fromLatin1(c.text)), c.expected);
  }
}

TEST(LeadingNumber, NumbersBeyondTheFloatRangeSaturateOrVanish) {
  EXPECT_EQ(LeadingNumber(u"1e39"), FLT_MAX);
  EXPECT_EQ(LeadingNumber(u"1e999"), FLT_MAX);
  EXPECT_EQ(LeadingNumber(u"-1e99999999999999999999"), -FLT_MAX);
  EXPECT_EQ(LeadingNumber(QString(400, u'9')), FLT_MAX);
  EXPECT_EQ(LeadingNumber(u"1e-999"), 0.0F);
  // Too small without an exponent: many zeros after the point.
  EXPECT_EQ(LeadingNumber(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0F);
  // Too large although the digits start after the point.
  EXPECT_EQ(LeadingNumber(u"0.001e400"), FLT_MAX);
}

NumberFormat Format(float lo, float hi, std::uint16_t decimals, bool allowNegative = true) {
  return NumberFormat{lo, hi, decimals, allowNegative};
}

TEST(ValidatedText, RoundingNeverCarriesTheNumberOutOfTheLimits) {
  // Rounded to nearest these would show 20, 11 and 0.000: outside the limits.
  EXPECT_EQ(ValidatedText(u"5", Format(20.5F, 30.0F, 0)), "21");
  EXPECT_EQ(ValidatedText(u"11", Format(0.0F, 10.6F, 0)), "10");
  EXPECT_EQ(ValidatedText(u"0", Format(0.0004F, 1.0F, 3)), "0.001");
  EXPECT_EQ(ValidatedText(u"5", Format(-9.99F, -0.0004F, 3)), "-0.001");
  EXPECT_EQ(ValidatedText(u"99.9999", Format(-1.0F, 99.9999F, 2)), "99.99");
  // No number with three decimals lies in [0.0004, 0.0006]: the rounded one stays.
  EXPECT_EQ(ValidatedText(u"1", Format(0.0004F, 0.0006F, 3)), "0.001");
  EXPECT_EQ(ValidatedText(u"0", Format(0.0004F, 0.0006F, 3)), "0.000");
}

TEST(ValidatedText, LimitsInTheWrongOrderGiveTheNearerRuleLimit) {
  const NumberFormat swapped = Format(10.0F, 5.0F, 3);
  EXPECT_EQ(ValidatedText(u"7", swapped), "10.000");  // below the lower limit
  EXPECT_EQ(ValidatedText(u"10", swapped), "5.000");  // not below it, above the upper
  EXPECT_EQ(ValidatedText(u"20", swapped), "5.000");
}

TEST(ValidatedText, ShowsOnlyFiniteNumbersWithTheDecimalsAsked) {
  const float inf = std::numeric_limits<float>::infinity();
  const QString huge = ValidatedText(u"1e999", Format(-inf, inf, 1));
  EXPECT_FALSE(huge.contains(u"inf"));
  EXPECT_EQ(LeadingNumber(huge), FLT_MAX);
  EXPECT_TRUE(huge.endsWith(u".0"));
  EXPECT_EQ(ValidatedText(u"-1", Format(0.0F, inf, 2)), "0.00");

  EXPECT_EQ(ValidatedText(u"1.5", Format(0.0F, 2.0F, 20)), "1.50000000000000000000");
  EXPECT_EQ(ValidatedText(u"-0.0001", Format(-1.0F, 1.0F, 3)), "0.000");  // no "-0.000"
}

TEST(AcceptsChar, ReversedAndOutOfRangeSelectionsArePutInOrder) {
  // "12.5" with the "." inside the selection, given end first.
  EXPECT_TRUE(AcceptsChar(u"12.5", 3, 2, U'.', true));
  EXPECT_TRUE(AcceptsChar(u"-5", 99, -7, U'+', true));  // [0, 2): the "-" is replaced
  EXPECT_FALSE(AcceptsChar(u"", 1, 1, U'.', true));
}

}  // namespace
}  // namespace vorenx::editrules
