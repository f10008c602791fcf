// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The simulated instrument's value encoding, settings and status frames,
// checked through the program's own frame decoder.
#include <gtest/gtest.h>

#include <cmath>

#include "InstrumentModel.h"
#include "ValueEncoding.h"
#include "link/StatusFrame.h"

using namespace vorenx;
using namespace vorenx::sim;

namespace {

double Decode(const EncodedValue& v) { return DecodeFrameValue(v.sign, v.digits.data(), v.exponent); }

InstrumentState Decoded(InstrumentModel& model, double seconds) {
  const qelhard::Reply frame = model.StatusReply(seconds, 1);
  EXPECT_TRUE(qelhard::ChecksumMatches(qelhard::kReplyFormat, frame.data()));
  InstrumentState state;
  state.lowerFunction = 0;  // so that a missing frame code shows
  state.wiring = 0;
  DecodeStatusFrame(frame.data(), state);
  return state;
}

}  // namespace

TEST(ValueEncoding, UsesAllFiveDigitsAndTheLargestExponent) {
  const EncodedValue v = EncodeValue(1.234);
  EXPECT_EQ(v.sign, 0);
  EXPECT_EQ(v.digits, (std::array<std::uint8_t, 5>{1, 2, 3, 4, 0}));
  EXPECT_EQ(v.exponent, 4);

  const EncodedValue big = EncodeValue(-1234.567);
  EXPECT_EQ(big.sign, 1);
  EXPECT_EQ(big.digits, (std::array<std::uint8_t, 5>{1, 2, 3, 4, 6}));
  EXPECT_EQ(big.exponent, 1);
  EXPECT_EQ(EncodeValue(99999.4).exponent, 0);
}

TEST(ValueEncoding, DecodesBackWithinHalfTheLastDigit) {
  for (double value : {0.0, 0.00004, 0.5, -0.5, 9.99995, 12.3456, -273.15, 850.0, 1372.5, 4999.95, 99999.0}) {
    const EncodedValue v = EncodeValue(value);
    for (std::uint8_t d : v.digits) EXPECT_LE(d, 9);
    const double step = std::pow(10.0, -v.exponent);
    EXPECT_NEAR(Decode(v), value, step / 2 + 1e-6 * std::fabs(value)) << value;
  }
}

TEST(ValueEncoding, OutOfReachValuesAreClampedOrZero) {
  EXPECT_DOUBLE_EQ(Decode(EncodeValue(250000.0)), 99999.0);
  EXPECT_DOUBLE_EQ(Decode(EncodeValue(-250000.0)), -99999.0);
  const EncodedValue nan = EncodeValue(std::nan(""));
  EXPECT_EQ(Decode(nan), 0.0);
  EXPECT_EQ(EncodeValue(-0.000001).sign, 0);  // rounds to zero: no negative zero
}

TEST(InstrumentModel, ReportsEveryFunctionByItsFrameCode) {
  InstrumentModel model;
  for (int upper = 1; upper <= 3; ++upper) {
    ASSERT_TRUE(model.SetUpper(static_cast<std::uint8_t>(upper)));
    EXPECT_EQ(Decoded(model, 0).upperFunction, upper);
  }
  for (int lower = fc::kLowerFirst; lower <= fc::kLowerLast; ++lower) {
    ASSERT_TRUE(model.SetLower(static_cast<std::uint8_t>(lower), 0x03, 0.0f));
    const InstrumentState s = Decoded(model, 0);
    EXPECT_EQ(s.lowerFunction, lower);
    const bool takesWiring = lower == fc::kResistance || IsRtd(lower);
    EXPECT_EQ(s.wiring, takesWiring ? fc::kThreeWire : fc::kNoWiring) << lower;
  }
}

TEST(InstrumentModel, TheModeByteSetsFlagsWiringAndOutput) {
  InstrumentModel model;
  ASSERT_TRUE(model.SetLower(fc::kRtdFirst, 0x04 | 0x08 | 0x10 | 0x20 | 0x40, 100.25f));
  InstrumentState s = Decoded(model, 3.0);
  EXPECT_TRUE(s.cjc && s.celsius && s.hart);
  EXPECT_FALSE(s.outputOff);
  EXPECT_EQ(s.wiring, fc::kFourWire);
  EXPECT_FLOAT_EQ(s.lowerValue, 100.25f);  // a source gives exactly its set value

  ASSERT_TRUE(model.SetLower(fc::kRtdFirst, 0x02, 100.25f));
  s = Decoded(model, 3.0);
  EXPECT_FALSE(s.cjc || s.celsius || s.hart);
  EXPECT_TRUE(s.outputOff);
  EXPECT_EQ(s.wiring, fc::kTwoWire);
  EXPECT_NE(s.lowerValue, 100.25f);  // output off: it measures instead
}

TEST(InstrumentModel, RefusedSettingsLeaveEverythingAsItWas) {
  InstrumentModel model;
  const InstrumentSettings before = model.Settings();
  EXPECT_FALSE(model.SetUpper(0));
  EXPECT_FALSE(model.SetUpper(4));
  EXPECT_FALSE(model.SetLower(4, 0x02, 1.0f));
  EXPECT_FALSE(model.SetLower(27, 0x02, 1.0f));
  EXPECT_FALSE(model.SetLower(5, 0x80 | 0x02, 1.0f));
  EXPECT_FALSE(model.SetLower(5, 0x00, 1.0f));
  EXPECT_FALSE(model.SetLower(5, 0x05, 1.0f));
  EXPECT_FALSE(model.SetLower(5, 0x02, std::nanf("")));
  EXPECT_FALSE(model.SetLower(5, 0x02, 1e6f));
  EXPECT_EQ(model.Settings(), before);
}

TEST(InstrumentModel, MeasuredValuesDriftSlowlyWithinRealRanges) {
  InstrumentModel model;
  struct Case {
    std::uint8_t function;
    bool celsius;
    double low, high;
  } cases[] = {{fc::kVolt, true, 4.0, 6.0},        {fc::kMilliVolt, true, 20.0, 30.0},
               {fc::kCurrent, true, 4.0, 20.0},    {fc::kTcVolt, true, 0.0, 10.0},
               {fc::kTcFirst + 3, true, 100.0, 200.0}, {fc::kTcFirst + 3, false, 212.0, 392.0},
               {fc::kResistance, true, 100.0, 120.0},  {fc::kRtdFirst, true, 15.0, 30.0},
               {fc::kRtdFirst, false, 59.0, 86.0}};
  for (const Case& c : cases) {
    ASSERT_TRUE(model.SetLower(c.function, c.celsius ? 0x22 : 0x02, 0.0f));
    double previous = Decoded(model, 0).lowerValue;
    for (double t = 1; t < 300; t += 1) {
      const double v = Decoded(model, t).lowerValue;
      EXPECT_GE(v, c.low) << int(c.function) << " at " << t;
      EXPECT_LE(v, c.high) << int(c.function) << " at " << t;
      EXPECT_LT(std::fabs(v - previous), (c.high - c.low) / 10) << int(c.function) << " at " << t;
      previous = v;
    }
  }
  for (double t = 0; t < 120; t += 7) EXPECT_NEAR(Decoded(model, t).upperValue, 12.0, 0.3);
}

TEST(InstrumentModel, AnswersEveryRequestWithItsSequence) {
  InstrumentModel model;
  qelhard::Reply reply{};
  ASSERT_TRUE(model.Answer(qelhard::BuildIdentify(11), 0, reply));
  EXPECT_TRUE(qelhard::IsIdentifyReply(reply));
  EXPECT_EQ(qelhard::ReplySequence(reply), 11);

  ASSERT_TRUE(model.Answer(qelhard::BuildSetUpper(12, 2), 0, reply));
  EXPECT_EQ(reply[qelhard::kAckResultOffset], qelhard::kAckAccepted);
  EXPECT_EQ(model.Settings().upperFunction, 2);

  ASSERT_TRUE(model.Answer(qelhard::BuildSetLower(13, 99, 0x02, 1.0f), 0, reply));
  EXPECT_EQ(reply[qelhard::kAckResultOffset], qelhard::kAckRefused);
  EXPECT_EQ(qelhard::ReplySequence(reply), 13);

  ASSERT_TRUE(model.Answer(qelhard::BuildReadStatus(14), 0, reply));
  EXPECT_EQ(reply[1], qelhard::ReplyKind(qelhard::Command::ReadStatus));
  EXPECT_EQ(qelhard::ReplySequence(reply), 14);

  qelhard::Request unknown = qelhard::BuildReadStatus(15);
  unknown[1] = 0x07;
  qelhard::Seal(qelhard::kRequestFormat, unknown.data());
  EXPECT_FALSE(model.Answer(unknown, 0, reply));
}
