// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The probe program's texts: names of every function code and port problems.
#include <gtest/gtest.h>

#include <QSet>

#include "ProbeText.h"

using namespace vorenx;
using namespace vorenx::probe;

TEST(ProbeText, EveryLowerFunctionHasItsOwnName) {
  QSet<QString> names;
  for (int code = fc::kLowerFirst; code <= fc::kLowerLast; ++code) {
    const QString name = LowerFunctionName(static_cast<FunctionCode>(code));
    EXPECT_FALSE(name.startsWith(QStringLiteral("function"))) << code;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), fc::kLowerLast - fc::kLowerFirst + 1);
  EXPECT_EQ(LowerFunctionName(13), QStringLiteral("TC K"));
  EXPECT_EQ(LowerFunctionName(26), QStringLiteral("RTD Cu50/ITS"));
  EXPECT_EQ(LowerFunctionName(27), QStringLiteral("function 27"));
  EXPECT_EQ(UpperFunctionName(3), QStringLiteral("Loop"));
  EXPECT_EQ(UpperFunctionName(0), QStringLiteral("function 0"));
  EXPECT_EQ(WiringName(fc::kNoWiring), QStringLiteral("no wiring"));
}

TEST(ProbeText, AStateShowsBothDisplaysWithUnitsFlagsAndWiring) {
  InstrumentState s;
  s.upperFunction = fc::kUpperLoop;
  s.upperValue = 12.5f;
  s.lowerFunction = fc::kRtdFirst;
  s.lowerValue = -10.25f;
  s.celsius = true;
  s.hart = true;
  s.outputOff = true;
  s.wiring = fc::kFourWire;
  EXPECT_EQ(FormatState(s), QStringLiteral("upper Loop 12.500mA | lower RTD PT100/385 -10.250℃ | "
                                           "output off, CJC off, unit ℃, HART on, 4-wire"));
}

TEST(ProbeText, PortProblemsAreNamedWithThePortAndItsPath) {
  using qelhard::PortProblem;
  const QString path = QStringLiteral("/dev/ttyUSB4");
  EXPECT_EQ(DescribeProblem(4, {PortProblem::NoDevice, path, {}, {}}),
            QStringLiteral("COM4 (/dev/ttyUSB4): no such device"));
  EXPECT_EQ(DescribeProblem(4, {PortProblem::Busy, path, {}, {}}),
            QStringLiteral("COM4 (/dev/ttyUSB4): in use by another program"));
  EXPECT_EQ(DescribeProblem(4, {PortProblem::Other, path, QStringLiteral("Input/output error"), {}}),
            QStringLiteral("COM4 (/dev/ttyUSB4): Input/output error"));
}
