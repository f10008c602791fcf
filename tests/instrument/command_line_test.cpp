// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The command line every program reads through: both GNU spellings, one
// wording per fault, repeats, and the help made from the same definitions.
#include <gtest/gtest.h>

#include "instrument/SharedOptions.h"
#include "platform/CommandLine.h"
#include "platform/FileText.h"

namespace vorenx {
namespace {

using Outcome = CommandLine::Outcome;

// A small program with a repeatable port, a value option and a hidden one.
struct Line {
  CommandLine line{QStringLiteral("prog"), QStringLiteral("prog [options]"), QStringLiteral("Does a thing.")};
  Line() {
    line.Add({options::Port(options::Repeat::Repeatable), options::Simulate(),
              {{QStringLiteral("count")}, QStringLiteral("N"), QStringLiteral("How many.")},
              {{QStringLiteral("secret")}, QStringLiteral("N"), QStringLiteral("Own use."), false, true}});
  }
  Outcome Parse(QStringList args) { return line.Parse(QStringList{QStringLiteral("prog")} + args); }
};

TEST(CommandLine, TakesBothSpellingsAndRepeatsOnlyWhereAllowed) {
  Line l;
  ASSERT_EQ(l.Parse({"--port", "4=/dev/ttyUSB0", "--port=7=/dev/pts/3", "--count=3", "--simulate", "--secret", "1"}),
            Outcome::Run)
      << l.line.Text().toStdString();
  EXPECT_EQ(l.line.Values("port"), (QStringList{"4=/dev/ttyUSB0", "7=/dev/pts/3"}));
  EXPECT_EQ(l.line.Value("count"), "3");
  EXPECT_TRUE(l.line.IsSet("simulate"));
  // A value that looks like an option is still the value.
  Line dashes;
  ASSERT_EQ(dashes.Parse({"--count", "--simulate"}), Outcome::Run);
  EXPECT_EQ(dashes.line.Value("count"), "--simulate");
  EXPECT_FALSE(dashes.line.IsSet("simulate"));
  Line help, shortHelp, version;
  EXPECT_EQ(help.Parse({"--count", "x", "--help"}), Outcome::Help);
  EXPECT_EQ(shortHelp.Parse({"-h"}), Outcome::Help);
  EXPECT_EQ(version.Parse({"--version"}), Outcome::Version);
  EXPECT_EQ(version.line.Text(), "prog " + VersionText() + "\n");
}

TEST(CommandLine, EachFaultHasOneWording) {
  const struct {
    QStringList args;
    const char* text;
  } cases[] = {
      {{"--frob"}, "unknown option --frob"},
      {{"--frob=1"}, "unknown option --frob"},
      {{"-platform", "xcb"}, "unknown option -platform"},
      {{"--count"}, "--count needs a value"},
      {{"--simulate=yes"}, "--simulate takes no value"},
      {{"--count", "1", "--count", "2"}, "--count is given more than once"},
      {{"stray"}, "unexpected argument \"stray\""},
      {{"--", "--simulate"}, "unexpected argument \"--simulate\""},
  };
  for (const auto& c : cases) {
    Line l;
    EXPECT_EQ(l.Parse(c.args), Outcome::Refuse) << c.args.join(' ').toStdString();
    EXPECT_EQ(l.line.Text(), QString::fromLatin1(c.text)) << c.args.join(' ').toStdString();
  }
  EXPECT_EQ(UsageErrorLine("prog", "unknown option --frob"), "prog: unknown option --frob (try prog --help)");
  QString why;
  EXPECT_FALSE(options::ReadPort("4", &why));
  EXPECT_TRUE(why.startsWith("--port wants N=PATH with N from 0 to 19")) << why.toStdString();
}

TEST(CommandLine, TheHelpListsWhatItParsesAndWrapsLongDescriptions) {
  Line l;
  const QString help = l.line.HelpText();
  EXPECT_TRUE(help.startsWith("Usage: prog [options]\nDoes a thing.\n\nOptions:\n  -h, --help  ")) << help.toStdString();
  EXPECT_TRUE(help.contains("\n  --count N             How many.\n")) << help.toStdString();
  EXPECT_FALSE(help.contains("secret"));
  EXPECT_EQ(l.line.ShownOptionNames(),
            (QStringList{"-h", "--help", "--version", "--port", "--simulate", "--count"}));
  for (const QString& row : help.split('\n')) EXPECT_LE(row.size(), 79) << row.toStdString();
}

}  // namespace
}  // namespace vorenx
