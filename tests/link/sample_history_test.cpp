// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The sample history: rolling at capacity, copies, newest texts, clearing,
// and the value and time texts.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "link/SampleHistory.h"

using namespace vorenx;

namespace {

void AppendNumbered(SampleHistory& h, int n) {
  h.Append(QString::number(n), QStringLiteral("u%1").arg(n), QStringLiteral("l%1").arg(n), n, -n);
}

TEST(SampleHistory, RollsAtCapacityDroppingTheOldest) {
  SampleHistory h;
  for (int i = 0; i < kHistoryCapacity; ++i) AppendNumbered(h, i);
  std::vector<double> upper(kHistoryCapacity), lower(kHistoryCapacity);
  ASSERT_EQ(h.CopyUpperValues(upper.data()), kHistoryCapacity);
  EXPECT_EQ(upper.front(), 0.0);
  EXPECT_EQ(upper.back(), kHistoryCapacity - 1.0);

  AppendNumbered(h, kHistoryCapacity);
  ASSERT_EQ(h.SampleCount(), kHistoryCapacity);
  ASSERT_EQ(h.CopyUpperValues(upper.data()), kHistoryCapacity);
  ASSERT_EQ(h.CopyLowerValues(lower.data()), kHistoryCapacity);
  EXPECT_EQ(upper.front(), 1.0);
  EXPECT_EQ(upper.back(), double(kHistoryCapacity));
  EXPECT_EQ(lower.front(), -1.0);
  for (int i = 1; i < kHistoryCapacity; ++i) ASSERT_EQ(upper[i], upper[i - 1] + 1) << i;

  // Many more turns of the ring keep the order.
  for (int i = 1; i <= 2 * kHistoryCapacity + 7; ++i) AppendNumbered(h, kHistoryCapacity + i);
  ASSERT_EQ(h.CopyUpperValues(upper.data()), kHistoryCapacity);
  for (int i = 1; i < kHistoryCapacity; ++i) ASSERT_EQ(upper[i], upper[i - 1] + 1) << i;
  QString t, u, l;
  ASSERT_TRUE(h.NewestTexts(t, u, l));
  EXPECT_EQ(t, QString::number(3 * kHistoryCapacity + 7));
  EXPECT_EQ(upper.back(), 3.0 * kHistoryCapacity + 7);
}

TEST(SampleHistory, EmptyHistoryCopiesNothing) {
  SampleHistory h;
  std::vector<double> out(4, 42.0);
  EXPECT_EQ(h.CopyUpperValues(out.data()), 0);
  EXPECT_EQ(out[0], 42.0);
  QString t = "keep", u = "keep", l = "keep";
  EXPECT_FALSE(h.NewestTexts(t, u, l));
  EXPECT_EQ(t + u + l, "keepkeepkeep");
}

TEST(SampleHistory, ClearThenAppendLeavesOneSample) {
  SampleHistory h;
  for (int i = 0; i < kHistoryCapacity + 5; ++i) AppendNumbered(h, i);
  h.ClearHistory();
  EXPECT_EQ(h.SampleCount(), 0);
  AppendNumbered(h, 99);
  std::vector<double> out(kHistoryCapacity);
  ASSERT_EQ(h.CopyUpperValues(out.data()), 1);
  EXPECT_EQ(out[0], 99.0);
  QString t, u, l;
  ASSERT_TRUE(h.NewestTexts(t, u, l));
  EXPECT_EQ(u, "u99");
}

TEST(SampleHistory, ConcurrentAppendAndCopyStayConsistent) {
  SampleHistory h;
  std::thread writer([&] {
    for (int i = 0; i < 30000; ++i) {
      AppendNumbered(h, i);
      if (i % 9000 == 8999) h.ClearHistory();
    }
  });
  std::vector<double> out(kHistoryCapacity);
  for (int round = 0; round < 200; ++round) {
    const int n = h.CopyUpperValues(out.data());
    ASSERT_LE(n, kHistoryCapacity);
    for (int i = 1; i < n; ++i) ASSERT_EQ(out[i], out[i - 1] + 1);
  }
  writer.join();
}

TEST(ValueText, UnitsFollowTheFunctionCode) {
  EXPECT_EQ(FormatValueText(1, 1.5f, false), "1.500V");
  EXPECT_EQ(FormatValueText(5, -0.25f, true), "-0.250V");
  EXPECT_EQ(FormatValueText(2, 4.0f, false), "4.000mA");
  EXPECT_EQ(FormatValueText(3, 20.0f, false), "20.000mA");
  EXPECT_EQ(FormatValueText(7, 1.0f, false), "1.000mA");
  EXPECT_EQ(FormatValueText(8, 1.0f, false), "1.000mA");
  EXPECT_EQ(FormatValueText(6, 12.3456f, false), "12.346mV");
  EXPECT_EQ(FormatValueText(9, 0.0f, false), "0.000mV");
  EXPECT_EQ(FormatValueText(12, 25.0f, true), QString::fromUtf8("25.000℃"));
  EXPECT_EQ(FormatValueText(12, 25.0f, false), QString::fromUtf8("25.000℉"));
  EXPECT_EQ(FormatValueText(26, 1.0f, true), QString::fromUtf8("1.000℃"));
  EXPECT_EQ(FormatValueText(10, 1.0f, false), QString::fromUtf8("1.000℉"));
  EXPECT_EQ(FormatValueText(18, 100.0f, true), QString::fromUtf8("100.000Ω"));
  for (int code : {0, 4, 27, 28, 31, 255}) EXPECT_TRUE(FormatValueText(code, 1.0f, true).isEmpty()) << code;
}

TEST(ValueText, SignsAreSingleCharacters) {
  EXPECT_EQ(FormatValueText(18, 0.0f, true).back(), QChar(0x03A9));
  EXPECT_EQ(FormatValueText(19, 0.0f, true).back(), QChar(0x2103));
  EXPECT_EQ(FormatValueText(19, 0.0f, false).back(), QChar(0x2109));
}

TEST(ValueText, ExtremeValuesStayReadable) {
  EXPECT_EQ(FormatValueText(5, -0.0f, false), "-0.000V");
  EXPECT_EQ(FormatValueText(5, std::numeric_limits<float>::infinity(), false), "infV");
  EXPECT_EQ(FormatValueText(5, std::numeric_limits<float>::max(), false).size(), 44);
}

TEST(TimeText, DayMonthTwoSpacesAndTime) {
  EXPECT_EQ(FormatTimeText(LocalTime{2026, 1, 5, 9, 3, 7, 999}), "05/01  09:03:07");
  EXPECT_EQ(FormatTimeText(LocalTime{2026, 12, 31, 23, 59, 59, 0}), "31/12  23:59:59");
}

}  // namespace
