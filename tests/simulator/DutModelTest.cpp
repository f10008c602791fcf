// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The transmitter the simulator offers as an instrument under test: its
// description's parser, its transfer, lag and noise, and how the simulated
// calibrator's displays see it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "DutModel.h"
#include "InstrumentModel.h"
#include "link/StatusFrame.h"

using namespace vorenx;
using namespace vorenx::sim;

namespace {

DutSpec Parsed(const std::string& text) {
  const DutParse p = ParseDutSpec(text);
  EXPECT_TRUE(p.dutSpec.has_value()) << text << ": " << p.error;
  return p.dutSpec.value_or(DutSpec{});
}

constexpr std::uint8_t kOnInCelsius = 2 | lower_mode::kOutputOn | lower_mode::kCelsius;

}  // namespace

TEST(DutSpecParse, ReadsEveryKeyAndFillsTheDefaults) {
  const DutSpec full = Parsed("input=7,output=2,span=4:20,gain=1.002,offset=0.03,noise=0.002,lag=2");
  EXPECT_EQ(full.input, fc::kCurrent);
  EXPECT_EQ(full.output, fc::kUpperCurrent);
  EXPECT_DOUBLE_EQ(full.gain, 1.002);
  EXPECT_DOUBLE_EQ(full.offset, 0.03);
  EXPECT_DOUBLE_EQ(full.noise, 0.002);
  EXPECT_DOUBLE_EQ(full.lag, 2.0);
  EXPECT_FALSE(full.squareRoot);

  const DutSpec rest = Parsed(" input = 19 , output=1, in=-50:150, sqrt=1, seed=42, offset=-0.5 ");
  EXPECT_EQ(rest.input, 19);
  EXPECT_DOUBLE_EQ(rest.inLow, -50.0);
  EXPECT_DOUBLE_EQ(rest.inHigh, 150.0);
  EXPECT_TRUE(rest.squareRoot);
  EXPECT_EQ(rest.seed, 42u);
  EXPECT_DOUBLE_EQ(rest.offset, -0.5);
  EXPECT_DOUBLE_EQ(rest.outLow, 0.0);  // a voltage output: 0..10 V
  EXPECT_DOUBLE_EQ(rest.outHigh, 10.0);

  struct Default {
    const char* text;
    double inLow, inHigh, outLow, outHigh;
  };
  for (const Default& d : {Default{"input=7,output=3", 4, 20, 4, 20}, Default{"input=8,output=2", 4, 20, 4, 20},
                           Default{"input=5,output=1", 0, 10, 0, 10}, Default{"input=6,output=2", 0, 100, 4, 20},
                           Default{"input=9,output=2", 0, 50, 4, 20}, Default{"input=18,output=2", 0, 400, 4, 20},
                           Default{"input=13,output=2", 0, 100, 4, 20}, Default{"input=26,output=2", 0, 100, 4, 20},
                           Default{"input=7,output=1,span=1:5", 4, 20, 1, 5}}) {
    const DutSpec s = Parsed(d.text);
    EXPECT_EQ(s.inLow, d.inLow) << d.text;
    EXPECT_EQ(s.inHigh, d.inHigh) << d.text;
    EXPECT_EQ(s.outLow, d.outLow) << d.text;
    EXPECT_EQ(s.outHigh, d.outHigh) << d.text;
  }
}

TEST(DutSpecParse, RefusesBadInputNamingWhatIsWrong) {
  struct Bad {
    const char* text;
    const char* named;  // the message must contain this
  };
  const Bad bad[] = {
      {"", "empty"},
      {"   ", "empty"},
      {"output=2", "input"},
      {"input=7", "output"},
      {"input=7,output=2,colour=red", "colour"},
      {"input=7,output=2,gain", "gain"},
      {"input=7,output=2,gain=", "gain"},
      {"input=7,output=2,gain=abc", "abc"},
      {"input=7,output=2,gain=1.0x", "1.0x"},
      {"input=7,output=2,gain=nan", "nan"},
      {"input=7,output=2,offset=inf", "inf"},
      {"input=7,output=2,gain=1e9", "1e9"},
      {"input=7,output=2,span=20:4", "20:4"},
      {"input=7,output=2,span=4:4", "4:4"},
      {"input=7,output=2,span=4", "span"},
      {"input=7,output=2,in=a:b", "a:b"},
      {"input=7,output=2,in=1:1e6", "1:1e6"},
      {"input=7,output=2,span=4:30", "24 mA"},
      {"input=7,output=1,span=-1:10", "30 V"},
      {"input=7,output=2,noise=-0.1", "-0.1"},
      {"input=7,output=2,lag=-1", "-1"},
      {"input=4,output=2", "\"4\""},
      {"input=27,output=2", "27"},
      {"input=7.5,output=2", "7.5"},
      {"input=7,output=0", "\"0\""},
      {"input=7,output=4", "\"4\""},
      {"input=7,output=2,sqrt=2", "sqrt"},
      {"input=7,output=2,seed=-1", "seed"},
      {"input=7,input=8,output=2", "twice"},
      {"input=7,,output=2", "empty"},
      {"input=7,output=2,", "empty"},
      {"=7,output=2", "\"\""},
  };
  for (const Bad& b : bad) {
    const DutParse p = ParseDutSpec(b.text);
    EXPECT_FALSE(p.dutSpec.has_value()) << b.text;
    EXPECT_NE(p.error.find(b.named), std::string::npos) << b.text << " -> " << p.error;
  }
}

TEST(DutSpecParse, AnyStringGetsASpecOrAShortPrintableMessage) {
  const std::string alphabet = "inputoagsfeqrdl=,:.-+e0123456789 \t\xff\x01";
  std::mt19937 random(7);
  std::string text;
  for (int round = 0; round < 20000; ++round) {
    text.clear();
    const int length = static_cast<int>(random() % 60);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    if (round % 3 == 0) text = "input=7,output=2," + text;
    const DutParse p = ParseDutSpec(text);
    ASSERT_NE(p.dutSpec.has_value(), !p.error.empty()) << text;
    ASSERT_LT(p.error.size(), 200u) << text;
    for (char c : p.error) ASSERT_TRUE(c >= 0x20 && c < 0x7F) << p.error;
    if (p.dutSpec) {
      ASSERT_LT(p.dutSpec->inLow, p.dutSpec->inHigh);
      ASSERT_LT(p.dutSpec->outLow, p.dutSpec->outHigh);
      ASSERT_TRUE(std::isfinite(DutTransfer(*p.dutSpec, 1e30)));
    }
  }
}

TEST(DutTransfer, GainOffsetAndSquareRootWorkedExamples) {
  // A 4-20 mA transmitter on a 0-100 ℃ RTD: 50 ℃ is 12 mA.
  DutSpec rtd = Parsed("input=19,output=2");
  EXPECT_NEAR(DutTransfer(rtd, 0.0), 4.0, 1e-12);
  EXPECT_NEAR(DutTransfer(rtd, 50.0), 12.0, 1e-12);
  EXPECT_NEAR(DutTransfer(rtd, 100.0), 20.0, 1e-12);
  // gain on the share of span, offset on top: 4 + 1.002 * 8 + 0.03.
  rtd.gain = 1.002;
  rtd.offset = 0.03;
  EXPECT_NEAR(DutTransfer(rtd, 50.0), 12.046, 1e-12);
  EXPECT_NEAR(DutTransfer(rtd, 100.0), 20.062, 1e-12);
  EXPECT_NEAR(DutTransfer(rtd, 0.0), 4.03, 1e-12);

  // Square root: 25 % of the input is half the output span; below 0 % stays at the low end.
  const DutSpec flow = Parsed("input=7,output=2,sqrt=1");  // 4-20 mA in, 4-20 mA out
  EXPECT_NEAR(DutTransfer(flow, 8.0), 12.0, 1e-12);
  EXPECT_NEAR(DutTransfer(flow, 4.16), 5.6, 1e-12);  // 1 % in: 10 % out
  EXPECT_NEAR(DutTransfer(flow, 20.0), 20.0, 1e-12);
  EXPECT_NEAR(DutTransfer(flow, 3.0), 4.0, 1e-12);

  const DutSpec volts = Parsed("input=18,output=1,span=1:5,in=100:200");
  EXPECT_NEAR(DutTransfer(volts, 175.0), 4.0, 1e-12);
}

TEST(DutModel, FirstOrderLagReachesAboutSixtyThreePercentInOneTimeConstant) {
  DutModel dut(Parsed("input=7,output=2,lag=2"));
  dut.Drive(4.0, 10.0);  // starts settled at 4 mA
  EXPECT_NEAR(dut.Output(10.0), 4.0, 1e-12);
  dut.Drive(20.0, 10.0);
  EXPECT_NEAR(dut.Output(10.0), 4.0, 1e-12);
  const double oneTau = 4.0 + 16.0 * (1.0 - std::exp(-1.0));
  EXPECT_NEAR(dut.Output(12.0), oneTau, 1e-9);
  EXPECT_NEAR(dut.Output(12.0 + 18.0), 20.0 - 16.0 * std::exp(-10.0), 1e-9);

  // Many small steps end where one long step does; time running back changes nothing.
  DutModel stepped(Parsed("input=7,output=2,lag=2"));
  stepped.Drive(4.0, 0.0);
  stepped.Drive(20.0, 0.0);
  for (int i = 1; i <= 20; ++i) stepped.Output(0.1 * i);
  EXPECT_NEAR(stepped.Output(2.0), oneTau, 1e-9);
  EXPECT_NEAR(stepped.Output(1.0), oneTau, 1e-9);

  // The input held until a change counts up to the change: half-way back down.
  stepped.Drive(4.0, 2.0);
  EXPECT_NEAR(stepped.Output(4.0), 4.0 + (oneTau - 4.0) * std::exp(-1.0), 1e-9);

  DutModel instant(Parsed("input=7,output=2"));
  instant.Drive(4.0, 0.0);
  instant.Drive(16.0, 0.0);
  EXPECT_DOUBLE_EQ(instant.Output(0.0), 16.0);
}

TEST(DutModel, SeededGaussianNoiseOfTheAskedDeviation) {
  const DutSpec dutSpec = Parsed("input=7,output=2,noise=0.01,seed=5");
  DutModel dut(dutSpec);
  dut.Drive(12.0, 0.0);
  constexpr int kSamples = 4000;
  double sum = 0.0, squares = 0.0;
  std::vector<double> first;
  for (int i = 0; i < kSamples; ++i) {
    const double v = dut.Output(i * 0.1);
    if (i < 10) first.push_back(v);
    sum += v;
    squares += v * v;
  }
  const double mean = sum / kSamples;
  const double sd = std::sqrt(squares / kSamples - mean * mean);
  // The mean's deviation is 0.01/sqrt(4000) = 0.00016; the bounds are many times wider.
  EXPECT_NEAR(mean, 12.0, 0.002);
  EXPECT_GT(sd, 0.008);
  EXPECT_LT(sd, 0.012);

  DutModel again(dutSpec);
  again.Drive(12.0, 0.0);
  for (int i = 0; i < 10; ++i) EXPECT_DOUBLE_EQ(again.Output(i * 0.1), first[i]);
  DutSpec other = dutSpec;
  other.seed = 6;
  DutModel differs(other);
  differs.Drive(12.0, 0.0);
  EXPECT_NE(differs.Output(0.0), first[0]);
}

TEST(InstrumentModelDut, SourcedCurrentReachesTheUpperDisplay) {
  InstrumentModel model;
  model.SetDut(Parsed("input=7,output=2,span=4:20"));
  ASSERT_TRUE(model.SetUpper(fc::kUpperCurrent));
  ASSERT_TRUE(model.SetLower(fc::kCurrent, kOnInCelsius, 12.0f));
  EXPECT_NEAR(model.UpperReading(1.0), 12.0, 1e-6);
  // Through the status frame, as the program decodes it.
  InstrumentState state;
  DecodeStatusFrame(model.StatusReply(2.0, 1).data(), state);
  EXPECT_NEAR(state.upperValue, 12.0, 0.0005);
  ASSERT_TRUE(model.SetUpper(fc::kUpperLoop));
  EXPECT_NEAR(model.UpperReading(3.0), 12.0, 1e-6);

  // Output off, or another lower function: the DUT sees 0 % of its input.
  ASSERT_TRUE(model.SetLower(fc::kCurrent, 2 | lower_mode::kCelsius, 12.0f));
  EXPECT_NEAR(model.UpperReading(4.0), 4.0, 1e-6);
  ASSERT_TRUE(model.SetLower(fc::kVolt, kOnInCelsius, 12.0f));
  EXPECT_NEAR(model.UpperReading(5.0), 4.0, 1e-6);

  // An upper function the DUT does not drive keeps the drifting 12 V supply.
  ASSERT_TRUE(model.SetUpper(fc::kUpperVoltage));
  const double supply = model.UpperReading(6.0);
  EXPECT_GT(supply, 11.7);
  EXPECT_LT(supply, 12.3);
}

TEST(InstrumentModelDut, TemperaturesInFahrenheitAreTakenBackToCelsius) {
  InstrumentModel model;
  model.SetDut(Parsed("input=19,output=2,in=0:100"));
  ASSERT_TRUE(model.SetUpper(fc::kUpperCurrent));
  ASSERT_TRUE(model.SetLower(19, 3 | lower_mode::kOutputOn, 122.0f));  // ℉: 50 ℃
  EXPECT_NEAR(model.UpperReading(1.0), 12.0, 1e-5);
  ASSERT_TRUE(model.SetLower(19, 3 | lower_mode::kOutputOn | lower_mode::kCelsius, 75.0f));
  EXPECT_NEAR(model.UpperReading(2.0), 16.0, 1e-5);
}

TEST(InstrumentModelDut, OutputIsHeldWithinTheUpperDisplaysRange) {
  InstrumentModel model;
  model.SetDut(Parsed("input=7,output=2,gain=2"));
  ASSERT_TRUE(model.SetUpper(fc::kUpperCurrent));
  ASSERT_TRUE(model.SetLower(fc::kCurrent, kOnInCelsius, 20.0f));  // 36 mA asked
  EXPECT_DOUBLE_EQ(model.UpperReading(1.0), 24.0);
  model.SetDut(Parsed("input=5,output=1,span=0:10,offset=-3"));
  ASSERT_TRUE(model.SetUpper(fc::kUpperVoltage));
  ASSERT_TRUE(model.SetLower(fc::kVolt, kOnInCelsius, 0.0f));  // -3 V asked
  EXPECT_DOUBLE_EQ(model.UpperReading(2.0), 0.0);
  model.SetDut(std::nullopt);
  EXPECT_GT(model.UpperReading(3.0), 11.0);  // back to the supply
}

TEST(InstrumentModelDut, TheLagRunsFromTheSetRequestsTime) {
  InstrumentModel model;
  model.SetDut(Parsed("input=7,output=2,lag=2"));
  qelhard::Reply reply{};
  ASSERT_TRUE(model.Answer(qelhard::BuildSetUpper(1, fc::kUpperCurrent), 0.0, reply));
  ASSERT_TRUE(model.Answer(qelhard::BuildSetLower(2, fc::kCurrent, kOnInCelsius, 4.0f), 1.0, reply));
  EXPECT_NEAR(model.UpperReading(5.0), 4.0, 1e-9);
  ASSERT_TRUE(model.Answer(qelhard::BuildSetLower(3, fc::kCurrent, kOnInCelsius, 20.0f), 10.0, reply));
  EXPECT_NEAR(model.UpperReading(12.0), 4.0 + 16.0 * (1.0 - std::exp(-1.0)), 1e-6);
}
