// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-calibrate's command line in-process: which runs it asks for, both
// spellings of a value, and the arguments it cannot understand.
#include <gtest/gtest.h>

#include "calibrate_cli/CalibrateOptions.h"

namespace vorenx::calibrate_cli {
namespace {

ParsedCalibrateOptions Parse(QStringList extra, const QString& environment = "23.1,45",
                             const QString& resolution = "0.001") {
  QStringList arguments{"vorenx-calibrate", "--setup", "/tmp/setup.json", "--simulate", "--environment", environment,
                        "--resolution=" + resolution};
  return ParseCalibrateOptions(arguments + extra);
}

TEST(CalibrateOptions, RunsAsFoundUnlessOnlyTheAsLeftIsNamedAndBothInOrder) {
  const ParsedCalibrateOptions plain = Parse({});
  ASSERT_EQ(plain.action, ParsedCalibrateOptions::Action::Run) << plain.text.toStdString();
  EXPECT_EQ(plain.options.runs, std::vector<RunKind>{RunKind::AsFound});
  EXPECT_EQ(plain.options.Port(), kSimulatedPort);
  EXPECT_EQ(plain.options.environment.temperatureC, 23.1);
  EXPECT_EQ(plain.options.environment.humidityPercent, 45.0);
  EXPECT_EQ(plain.options.resolution, 0.001);
  EXPECT_FALSE(plain.options.rule);
  EXPECT_EQ(Parse({"--as-left"}).options.runs, std::vector<RunKind>{RunKind::AsLeft});
  EXPECT_EQ(Parse({"--as-left", "--as-found"}).options.runs, (std::vector<RunKind>{RunKind::AsFound, RunKind::AsLeft}));
  EXPECT_EQ(Parse({"--rule", "guard-band"}).options.rule, DecisionRule::GuardBand);
}

TEST(CalibrateOptions, ArgumentsItCannotUnderstandAreRefusedWithTheReason) {
  const struct {
    QStringList extra;
    const char* said;
  } cases[] = {
      {{"--port", "4=/dev/ttyUSB0"}, "either --port"},
      {{"--rule", "lenient"}, "simple or guard-band"},
      {{"--dut", "input=7"}, "--dut:"},
      {{"--accept-overdue-standard", "  "}, "the reason"},
      {{"--standard", "A", "--standard", "B"}, "more than once"},
      {{"--pdf", "/nonexistent-folder/c.pdf"}, "does not exist"},
      {{"--records", "relative.sqlite"}, "--records"},
      {{"--frobnicate"}, "frobnicate"},
      {{"stray"}, "unexpected argument"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extra.join(' ').toStdString());
    const ParsedCalibrateOptions parsed = Parse(c.extra);
    EXPECT_EQ(parsed.action, ParsedCalibrateOptions::Action::Refuse);
    EXPECT_TRUE(parsed.text.contains(QString::fromUtf8(c.said))) << parsed.text.toStdString();
  }
  EXPECT_TRUE(Parse({}, "23,5,45").text.contains("\".\" decimals"));
  EXPECT_TRUE(Parse({}, "23.1,45", "0,001").text.contains("--resolution wants a number"));
  const ParsedCalibrateOptions withoutPort =
      ParseCalibrateOptions({"vorenx-calibrate", "--setup", "s.json", "--dut", "input=7,output=2", "--port", "4=/dev/x",
                             "--environment", "20,40", "--resolution", "0.01"});
  EXPECT_TRUE(withoutPort.text.contains("give --simulate too")) << withoutPort.text.toStdString();
}

}  // namespace
}  // namespace vorenx::calibrate_cli
