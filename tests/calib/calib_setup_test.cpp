// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// ValidateSetup: every problem the dialog must show at its field, table-driven,
// and tags of any content.
#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "CalibTestSupport.h"
#include "calib/CalibrationSetup.h"

namespace vorenx::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<SetupProblem> Check(const CalibrationSetup& s) { return ValidateSetup(s, &TestRange); }

std::string Messages(const std::vector<SetupProblem>& problems) {
  std::string text;
  for (const SetupProblem& p : problems) text += p.message.toStdString() + " | ";
  return text;
}

struct BadCase {
  const char* name;
  std::function<void(CalibrationSetup&)> change;
  SetupField field;
  const char* messagePart;  // a piece of the message the user must see
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class SetupProblems : public ::testing::TestWithParam<BadCase> {};

TEST_P(SetupProblems, OneClearMessageAtTheField) {
  CalibrationSetup s = RtdTransmitter();
  ASSERT_TRUE(Check(s).empty());
  GetParam().change(s);
  const std::vector<SetupProblem> problems = Check(s);
  ASSERT_EQ(problems.size(), 1u) << Messages(problems);
  EXPECT_EQ(problems[0].field, GetParam().field);
  EXPECT_TRUE(problems[0].message.contains(QString::fromUtf8(GetParam().messagePart)))
      << problems[0].message.toStdString();
  EXPECT_TRUE(problems[0].message.endsWith(QLatin1Char('.'))) << problems[0].message.toStdString();
}

using F = SetupField;
using S = CalibrationSetup;

INSTANTIATE_TEST_SUITE_P(
    Texts, SetupProblems,
    ::testing::Values(
        BadCase{"EmptyTag", [](S& s) { s.tag.clear(); }, F::Tag, "Enter the tag"},
        BadCase{"OnlySpaces", [](S& s) { s.tag = QStringLiteral("    "); }, F::Tag, "Enter the tag"},
        BadCase{"EmbeddedNewline", [](S& s) { s.tag = QStringLiteral("TT\n101"); }, F::Tag, "control characters"},
        BadCase{"Tab", [](S& s) { s.tag = QStringLiteral("TT\t101"); }, F::Tag, "control characters"},
        BadCase{"TrailingCarriageReturn", [](S& s) { s.tag = QStringLiteral("TT-101\r"); }, F::Tag,
                "control characters"},
        BadCase{"NulCharacter", [](S& s) { s.tag = QString(QChar(0)) + QStringLiteral("x"); }, F::Tag,
                "control characters"},
        BadCase{"LoneSurrogate", [](S& s) { s.tag = QStringLiteral("TT") + QChar(0xD83D); }, F::Tag,
                "not valid text"},
        BadCase{"TenThousandCharacters", [](S& s) { s.tag = QString(10000, QLatin1Char('x')); }, F::Tag,
                "at most 64 characters"},
        BadCase{"SixtyFiveEmoji", [](S& s) { s.tag = QString::fromUtf8("🌡").repeated(65); }, F::Tag,
                "at most 64 characters"},
        BadCase{"LongDescription", [](S& s) { s.description = QString(201, QLatin1Char('d')); }, F::Description,
                "at most 200 characters"},
        BadCase{"DescriptionLineBreak", [](S& s) { s.description = QStringLiteral("a\r\nb"); }, F::Description,
                "control characters"},
        BadCase{"LongTechnician", [](S& s) { s.technician = QString(101, QLatin1Char('t')); }, F::Technician,
                "at most 100 characters"},
        BadCase{"TechnicianEscape", [](S& s) { s.technician = QStringLiteral("\x1b[31mred"); }, F::Technician,
                "control characters"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Spans, SetupProblems,
    ::testing::Values(
        BadCase{"UpperFunctionAsInput", [](S& s) { s.inputFunction = fc::kUpperCurrent; }, F::InputFunction,
                "source functions"},
        BadCase{"UnusedCode27", [](S& s) { s.inputFunction = 27; }, F::InputFunction, "source functions"},
        BadCase{"RtdWithoutWiring", [](S& s) { s.wiring = fc::kNoWiring; }, F::InputFunction, "four-wire"},
        BadCase{"InputLowEqualsHigh", [](S& s) { s.inputLow = s.inputHigh = 50.0; }, F::InputHigh,
                "greater than its lower range value (50)"},
        BadCase{"InputLowAboveHigh", [](S& s) { s.inputLow = 100.0, s.inputHigh = 0.0; }, F::InputHigh,
                "greater than"},
        BadCase{"InputLowNaN", [](S& s) { s.inputLow = kNaN; }, F::InputLow, "Enter a number"},
        BadCase{"InputHighInfinite", [](S& s) { s.inputHigh = kInf; }, F::InputHigh, "Enter a number"},
        BadCase{"InputBelowRange", [](S& s) { s.inputLow = -250.0; }, F::InputLow, "-200 to 850 \u2103"},
        BadCase{"InputAboveRange", [](S& s) { s.inputHigh = 900.0; }, F::InputHigh, "-200 to 850 \u2103"},
        BadCase{"InputAboveFahrenheitRange", [](S& s) { s.celsius = false, s.inputHigh = 1600.0; }, F::InputHigh,
                "-328 to 1562 \u2109"},
        BadCase{"InputRangeWithDecimals", [](S& s) { s.inputFunction = fc::kVolt, s.inputLow = 0.0, s.inputHigh = 10.0; },
                F::InputLow, "0.5 to 20.5 V"},
        BadCase{"LowerFunctionAsOutput", [](S& s) { s.outputFunction = fc::kCurrent; }, F::OutputFunction,
                "Voltage, Current or Loop"},
        BadCase{"OutputLowEqualsHigh", [](S& s) { s.outputLow = 20.0; }, F::OutputHigh, "greater than"},
        BadCase{"OutputAbove24mA", [](S& s) { s.outputHigh = 25.0; }, F::OutputHigh, "0 to 24 mA"},
        BadCase{"NegativeOutput", [](S& s) { s.outputLow = -1.0; }, F::OutputLow, "0 to 24 mA"},
        BadCase{"VoltsAbove30", [](S& s) { s.outputFunction = fc::kUpperVoltage, s.outputLow = 0, s.outputHigh = 31; },
                F::OutputHigh, "0 to 30 V"},
        BadCase{"OutputNaN", [](S& s) { s.outputHigh = kNaN; }, F::OutputHigh, "Enter a number"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    PointsToleranceSettling, SetupProblems,
    ::testing::Values(
        BadCase{"OnePoint", [](S& s) { s.pointsPercent = {50}; }, F::Points, "at least two"},
        BadCase{"NoPoints", [](S& s) { s.pointsPercent.clear(); }, F::Points, "at least two"},
        BadCase{"PointAbove100", [](S& s) { s.pointsPercent = {0, 50, 100.5}; }, F::Points,
                "Test point 3 (100.5 %) lies outside 0 to 100 %"},
        BadCase{"NegativePoint", [](S& s) { s.pointsPercent = {-5, 50}; }, F::Points, "Test point 1 (-5 %)"},
        BadCase{"NaNPoint", [](S& s) { s.pointsPercent = {0, kNaN}; }, F::Points, "not a number"},
        BadCase{"DuplicatePoint", [](S& s) { s.pointsPercent = {0, 50, 25, 50}; }, F::Points,
                "Test point 4 (50 %) repeats test point 2"},
        BadCase{"ZeroTolerance", [](S& s) { s.tolerance = 0.0; }, F::Tolerance, "greater than 0"},
        BadCase{"NegativeTolerance", [](S& s) { s.tolerance = -0.5; }, F::Tolerance, "greater than 0"},
        BadCase{"NaNTolerance", [](S& s) { s.tolerance = kNaN; }, F::Tolerance, "greater than 0"},
        BadCase{"ZeroToleranceInUnits", [](S& s) { s.toleranceUnit = ToleranceUnit::OutputUnits, s.tolerance = 0; },
                F::Tolerance, "greater than 0"},
        BadCase{"ToleranceAbove100Percent", [](S& s) { s.tolerance = 100.5; }, F::Tolerance, "at most 100 %"},
        BadCase{"NoSettleReadings", [](S& s) { s.settle.readings = 0; }, F::SettleReadings, "1 to 100"},
        BadCase{"TooManySettleReadings", [](S& s) { s.settle.readings = 101; }, F::SettleReadings, "1 to 100"},
        BadCase{"ZeroBand", [](S& s) { s.settle.bandFraction = 0.0; }, F::SettleBand, "more than 0"},
        BadCase{"BandAboveOne", [](S& s) { s.settle.bandFraction = 1.5; }, F::SettleBand, "at most 1"},
        BadCase{"NaNBand", [](S& s) { s.settle.bandFraction = kNaN; }, F::SettleBand, "more than 0"},
        BadCase{"ShortTimeout", [](S& s) { s.settle.timeoutSeconds = 0.5; }, F::SettleTimeout, "1 to 3600 s"},
        BadCase{"LongTimeout", [](S& s) { s.settle.timeoutSeconds = 3601; }, F::SettleTimeout, "1 to 3600 s"},
        BadCase{"NaNTimeout", [](S& s) { s.settle.timeoutSeconds = kNaN; }, F::SettleTimeout, "1 to 3600 s"},
        // A setup saved before the resolution was kept reads back with 0.
        BadCase{"ResolutionNotEntered", [](S& s) { s.resolution = 0.0; }, F::Resolution,
                "Enter the resolution of the instrument under test (the value of its last digit in mA)"},
        BadCase{"NegativeResolution", [](S& s) { s.resolution = -0.001; }, F::Resolution, "greater than 0"},
        BadCase{"NaNResolution", [](S& s) { s.resolution = kNaN; }, F::Resolution, "greater than 0"},
        BadCase{"InfiniteResolution", [](S& s) { s.resolution = kInf; }, F::Resolution, "greater than 0"},
        BadCase{"ResolutionCoarserThanTheTolerance", [](S& s) { s.resolution = 0.1; }, F::Resolution,
                "(0.1 mA) is larger than the tolerance (0.08 mA)"},
        BadCase{"UnknownRule", [](S& s) { s.rule = static_cast<DecisionRule>(7); }, F::Rule, "guard band"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValidateSetup, TagsOfOddContentAreFine) {
  const QString tags[] = {
      QString::fromUtf8("🌡️ TT-101 🔥"),
      QString::fromUtf8("מדחום 7 حرارة"),           // right-to-left scripts
      QString::fromUtf8("\u200Fמדחום\u200E"),       // with direction marks
      QStringLiteral("TT \"101\" 'a'"),
      QStringLiteral("../../etc/passwd"),
      QStringLiteral("A\\B:C*D?E<F>G|H"),
      QStringLiteral("  TT-101  "),                 // trimmed
      QString::fromUtf8("🌡").repeated(64),          // 64 characters, 128 UTF-16 units
      QString(64, QLatin1Char('x')),
      QString::fromUtf8("Ströme ✓ 温度"),
  };
  for (const QString& tag : tags) {
    CalibrationSetup s = RtdTransmitter();
    s.tag = tag;
    EXPECT_TRUE(Check(s).empty()) << tag.toStdString() << ": " << Messages(Check(s));
  }
}

TEST(ValidateSetup, EdgesThatAreAllowed) {
  CalibrationSetup s = RtdTransmitter();
  s.inputLow = -200.0;
  s.inputHigh = 850.0;
  s.pointsPercent = {100, 0};
  s.tolerance = 100.0;
  s.settle = {1, 1.0, 3600.0};
  EXPECT_TRUE(Check(s).empty());
  s.settle = {100, 1e-6, 1.0};
  s.toleranceUnit = ToleranceUnit::OutputUnits;
  s.tolerance = 500.0;  // in mA: no upper limit of its own
  s.outputFunction = fc::kUpperLoop;
  s.outputLow = 0.0;
  s.outputHigh = 24.0;
  s.inputFunction = fc::kVolt;
  s.wiring = fc::kNoWiring;  // wiring only matters for resistance and RTDs
  s.inputLow = 0.5;
  s.inputHigh = 20.5;
  EXPECT_TRUE(Check(s).empty());
  // A resolution as coarse as the tolerance itself is still allowed.
  s.resolution = 500.0;
  s.rule = DecisionRule::GuardBand;
  EXPECT_TRUE(Check(s).empty()) << Messages(Check(s));
  // Without a range lookup the span is only checked for order.
  s.inputHigh = 1e6;
  EXPECT_TRUE(ValidateSetup(s, RangeLookup()).empty());
}

TEST(ValidateSetup, EveryProblemInFieldOrder) {
  CalibrationSetup s = RtdTransmitter();
  s.tag.clear();
  s.inputLow = 900.0;
  s.inputHigh = 950.0;
  s.outputFunction = 0;
  s.pointsPercent = {0};
  s.settle.timeoutSeconds = 0;
  std::vector<SetupField> fields;
  for (const SetupProblem& p : Check(s)) fields.push_back(p.field);
  EXPECT_EQ(fields, (std::vector<SetupField>{F::Tag, F::InputLow, F::InputHigh, F::OutputFunction, F::Points,
                                             F::SettleTimeout}));
}

TEST_F(CommaLocale, SetupMessagesKeepThePoint) {
  CalibrationSetup s = RtdTransmitter();
  s.inputFunction = fc::kVolt;
  s.inputLow = 0.25;
  s.inputHigh = 10.0;
  s.pointsPercent = {0, 12.5, 12.5};
  const std::vector<SetupProblem> problems = Check(s);
  ASSERT_EQ(problems.size(), 2u) << Messages(problems);
  EXPECT_TRUE(problems[0].message.contains(QStringLiteral("0.5 to 20.5 V"))) << problems[0].message.toStdString();
  EXPECT_TRUE(problems[1].message.contains(QStringLiteral("(12.5 %)"))) << problems[1].message.toStdString();
}

}  // namespace
}  // namespace vorenx::testing
