// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The program's command line.
#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "platform/FileText.h"

namespace vorenx {
namespace {

TEST(AppOptions, EmptyMeansTheWindowOnTheDefaults) {
  const ParsedOptions p = ParseAppOptions({});
  EXPECT_TRUE(p.error.isEmpty());
  EXPECT_FALSE(p.options.help);
  EXPECT_FALSE(p.options.simulate);
  EXPECT_TRUE(p.options.ports.empty());
  EXPECT_LT(p.options.quitAfterSeconds, 0.0);
  EXPECT_FALSE(p.options.verbose);
}

TEST(AppOptions, EveryOptionInBothSpellings) {
  const ParsedOptions p = ParseAppOptions({"--simulate", "--port", "4=/dev/ttyUSB0", "--port=7=/dev/pts/3",
                                           "--screenshot", "/tmp/a.png", "--quit-after=2.5", "--verbose"});
  ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
  EXPECT_TRUE(p.options.simulate);
  EXPECT_TRUE(p.options.verbose);
  ASSERT_EQ(p.options.ports.size(), 2u);
  EXPECT_EQ(p.options.ports[0], std::make_pair(4, QString("/dev/ttyUSB0")));
  EXPECT_EQ(p.options.ports[1], std::make_pair(7, QString("/dev/pts/3")));
  EXPECT_EQ(p.options.screenshot, "/tmp/a.png");
  EXPECT_DOUBLE_EQ(p.options.quitAfterSeconds, 2.5);
}

TEST(AppOptions, ScreenshotAloneGetsADefaultDelay) {
  const ParsedOptions p = ParseAppOptions({"--screenshot", "x.png"});
  ASSERT_TRUE(p.error.isEmpty());
  EXPECT_DOUBLE_EQ(p.options.quitAfterSeconds, kDefaultScreenshotSeconds);
}

TEST(AppOptions, BadArgumentsAreRefusedWithAReason) {
  const QList<QStringList> bad = {
      {"--port"},              {"--port", "4"},        {"--port", "20=/dev/x"}, {"--port", "-1=/dev/x"},
      {"--port", "a=/dev/x"},  {"--port", "4="},       {"--quit-after", "x"},   {"--quit-after", "-1"},
      {"--quit-after", "inf"}, {"--quit-after", "nan"}, {"--quit-after", "1e9"}, {"--screenshot="},
      {"--simulate=1"},        {"--bogus"},            {"-platform"},           {"COM4"},
  };
  for (const QStringList& args : bad) {
    const ParsedOptions p = ParseAppOptions(args);
    EXPECT_FALSE(p.error.isEmpty()) << args.join(' ').toStdString();
  }
}

TEST(AppOptions, DutComesWithTheSimulatorAndIsCheckedBeforeTheWindow) {
  const ParsedOptions both = ParseAppOptions({"--simulate", "--dut", "input=7,output=2,span=4:20,gain=1.002"});
  ASSERT_TRUE(both.error.isEmpty()) << both.error.toStdString();
  EXPECT_EQ(both.options.dut, "input=7,output=2,span=4:20,gain=1.002");
  const ParsedOptions joined = ParseAppOptions({"--dut=input=19,output=1", "--simulate"});
  ASSERT_TRUE(joined.error.isEmpty()) << joined.error.toStdString();
  EXPECT_EQ(joined.options.dut, "input=19,output=1");
  EXPECT_TRUE(ParseAppOptions({"--simulate"}).options.dut.isEmpty());

  struct Bad {
    QStringList args;
    const char* named;
  };
  for (const Bad& b : {Bad{{"--dut", "input=7,output=2"}, "--simulate"},
                       Bad{{"--simulate", "--dut"}, "--dut"},
                       Bad{{"--simulate", "--dut="}, "empty"},
                       Bad{{"--simulate", "--dut", "input=7,output=2,lag=-2"}, "lag"},
                       Bad{{"--simulate", "--dut", "input=7,output=2,wobble=1"}, "wobble"},
                       Bad{{"--simulate", "--dut", "input=7"}, "output"}}) {
    const ParsedOptions p = ParseAppOptions(b.args);
    EXPECT_TRUE(p.error.contains(QLatin1String(b.named))) << b.args.join(' ').toStdString() << " -> "
                                                          << p.error.toStdString();
  }
}

TEST(AppOptions, HelpListsEveryOption) {
  EXPECT_TRUE(ParseAppOptions({"--help"}).options.help);
  EXPECT_TRUE(ParseAppOptions({"-h"}).options.help);
  const QString usage = UsageText();
  for (const char* option : {"--simulate", "--port N=PATH", "--screenshot FILE", "--quit-after SECONDS", "--dut DESCRIPTION", "--help"})
    EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
}

TEST(AppOptions, LangTakesALocaleNameAndVersionAnswersBeforeTheWindow) {
  EXPECT_TRUE(ParseAppOptions({}).options.lang.isEmpty());  // the system's locale
  for (const char* name : {"de", "zh_CN", "de-DE", "C"}) {
    const ParsedOptions p = ParseAppOptions({"--lang", name});
    ASSERT_TRUE(p.error.isEmpty()) << name << ": " << p.error.toStdString();
    EXPECT_EQ(p.options.lang, QString::fromLatin1(name));
  }
  EXPECT_EQ(ParseAppOptions({"--lang=zh_CN"}).options.lang, "zh_CN");
  for (const char* bad : {"", "klingon", "de/../x", "xx"})
    EXPECT_TRUE(ParseAppOptions({"--lang", bad}).error.startsWith("--lang wants a locale name")) << bad;

  const ParsedOptions version = ParseAppOptions({"--version"});
  EXPECT_TRUE(version.options.version && version.error.isEmpty());
  EXPECT_EQ(version.text, "vorenx " + VersionText() + "\n");
  EXPECT_TRUE(UsageText().contains("--lang LANG"));
}

TEST(AppOptions, FaultsAreWordedAsInEveryOtherProgram) {
  EXPECT_EQ(ParseAppOptions({"--bogus"}).error, "unknown option --bogus");
  EXPECT_EQ(ParseAppOptions({"--port"}).error, "--port needs a value");
  EXPECT_EQ(ParseAppOptions({"--simulate=1"}).error, "--simulate takes no value");
  EXPECT_EQ(ParseAppOptions({"COM4"}).error, "unexpected argument \"COM4\"");
  EXPECT_EQ(ParseAppOptions({"--journal", "/a", "--journal", "/b"}).error, "--journal is given more than once");
  EXPECT_TRUE(ParseAppOptions({"--port", "4"}).error.startsWith("--port wants N=PATH"));
  EXPECT_TRUE(ParseAppOptions({"--records", "relative.sqlite"}).error.startsWith("--records: "));
}

}  // namespace
}  // namespace vorenx
