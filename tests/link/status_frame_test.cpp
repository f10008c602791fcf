// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The frame decoder, driven by captured frames with their expected fields.
#include <gtest/gtest.h>

#include <cmath>

#include "HexFixture.h"
#include "link/StatusFrame.h"

using namespace vorenx;

namespace {

struct FrameCase {
  QString line;
  StatusFrame frame;
  InstrumentState expected;
};

std::vector<FrameCase> LoadCases() {
  std::vector<FrameCase> cases;
  for (const auto& fixture : vorenx::testing::ReadHexFixture("status_frames.txt", 24)) {
    const QString& line = fixture.line;
    FrameCase c{line, {}, {}};
    const QByteArray& bytes = fixture.bytes;
    EXPECT_EQ(bytes.size(), 24) << line.toStdString();
    if (bytes.size() != 24) continue;
    std::copy(bytes.begin(), bytes.end(), c.frame.bytes.begin());
    const QStringList& f = fixture.columns;
    EXPECT_EQ(f.size(), 9) << line.toStdString();
    if (f.size() != 9) continue;
    c.expected.upperFunction = static_cast<FunctionCode>(f[0].toInt());
    c.expected.upperValue = f[1].toFloat();
    c.expected.lowerFunction = static_cast<FunctionCode>(f[2].toInt());
    c.expected.lowerValue = f[3].toFloat();
    c.expected.outputOff = f[4].toInt() != 0;
    c.expected.cjc = f[5].toInt() != 0;
    c.expected.celsius = f[6].toInt() != 0;
    c.expected.hart = f[7].toInt() != 0;
    c.expected.wiring = static_cast<FunctionCode>(f[8].toInt());
    cases.push_back(c);
  }
  return cases;
}

StatusFrame FrameWith(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
  StatusFrame f;
  for (auto [offset, value] : bytes) f.bytes[static_cast<std::size_t>(offset)] = value;
  return f;
}

}  // namespace

TEST(StatusFrame, CapturedFramesDecodeToTheirFields) {
  const auto cases = LoadCases();
  ASSERT_GE(cases.size(), 8u);
  for (const FrameCase& c : cases) {
    InstrumentState s;
    DecodeStatusFrame(c.frame, s);
    EXPECT_EQ(s.upperFunction, c.expected.upperFunction) << c.line.toStdString();
    EXPECT_FLOAT_EQ(s.upperValue, c.expected.upperValue) << c.line.toStdString();
    EXPECT_EQ(s.lowerFunction, c.expected.lowerFunction) << c.line.toStdString();
    EXPECT_FLOAT_EQ(s.lowerValue, c.expected.lowerValue) << c.line.toStdString();
    EXPECT_EQ(s.outputOff, c.expected.outputOff) << c.line.toStdString();
    EXPECT_EQ(s.cjc, c.expected.cjc) << c.line.toStdString();
    EXPECT_EQ(s.celsius, c.expected.celsius) << c.line.toStdString();
    EXPECT_EQ(s.hart, c.expected.hart) << c.line.toStdString();
    EXPECT_EQ(s.wiring, c.expected.wiring) << c.line.toStdString();
  }
}

TEST(StatusFrame, NegativeSignWithZeroDigitsGivesNegativeZero) {
  InstrumentState s;
  DecodeStatusFrame(FrameWith({{StatusFrame::kUpperSign, 1}, {StatusFrame::kLowerSign, 7}}), s);
  EXPECT_EQ(s.upperValue, 0.0f);
  EXPECT_TRUE(std::signbit(s.upperValue));
  EXPECT_TRUE(std::signbit(s.lowerValue));
}

TEST(StatusFrame, CodesOutsideTheTablesLeaveTheirFieldAlone) {
  InstrumentState s;
  s.upperFunction = 3;
  s.lowerFunction = 19;
  s.wiring = 30;
  for (std::uint8_t bad : {0x00, 0x14, 0x39, 0x49, 0xFF}) {
    DecodeStatusFrame(FrameWith({{StatusFrame::kUpperFunction, bad},
                                 {StatusFrame::kLowerFunction, bad},
                                 {StatusFrame::kLowerDigits + 4, 5},
                                 {StatusFrame::kWiring, bad}}),
                      s);
    EXPECT_EQ(s.upperFunction, 3);
    EXPECT_EQ(s.lowerFunction, 19) << int(bad);
    EXPECT_EQ(s.wiring, 30);
    EXPECT_FLOAT_EQ(s.lowerValue, 5.0f);  // the value is still taken
  }
}

TEST(StatusFrame, FlagBytes) {
  struct {
    std::uint8_t flags;
    bool cjc, celsius, hart, outputOff;
  } cases[] = {{0x10, false, false, false, false},
               {0x00, false, false, false, true},
               {0xEF, true, true, true, true},
               {0xFF, true, true, true, false},
               {0xE8, false, false, false, true}};
  for (const auto& c : cases) {
    InstrumentState s;
    DecodeStatusFrame(FrameWith({{StatusFrame::kFlags, c.flags}}), s);
    EXPECT_EQ(s.cjc, c.cjc) << int(c.flags);
    EXPECT_EQ(s.celsius, c.celsius) << int(c.flags);
    EXPECT_EQ(s.hart, c.hart) << int(c.flags);
    EXPECT_EQ(s.outputOff, c.outputOff) << int(c.flags);
  }
}

TEST(StatusFrame, HugeExponentsUnderflowToZeroWithoutFault) {
  InstrumentState s;
  DecodeStatusFrame(FrameWith({{StatusFrame::kUpperDigits, 9}, {StatusFrame::kUpperExponent, 255}}), s);
  EXPECT_EQ(s.upperValue, 0.0f);
}
