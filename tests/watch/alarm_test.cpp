// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Alarm limits with hysteresis, and the alarm program started without a shell.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

#include "watch/AlarmProgram.h"
#include "watch/AlarmWatch.h"

namespace vorenx {
namespace {

struct Counted {
  int raised = 0;
  int cleared = 0;
  std::vector<AlarmEvent> events;
};

Counted FeedAll(AlarmWatch& watch, const std::vector<double>& values) {
  Counted c;
  for (const double v : values) {
    const AlarmEvent e = watch.Feed(v);
    if (e.change == AlarmChange::Raised) ++c.raised;
    if (e.change == AlarmChange::Cleared) ++c.cleared;
    if (e.change != AlarmChange::None) c.events.push_back(e);
  }
  return c;
}

AlarmLimits Limits(std::optional<double> low, std::optional<double> high, double hysteresis) {
  AlarmLimits l;
  l.low = low;
  l.high = high;
  l.hysteresis = hysteresis;
  return l;
}

// From `from` to `to` and back in steps of 0.1.
std::vector<double> OutAndBack(double from, double to) {
  std::vector<double> v;
  const int n = static_cast<int>(std::round(std::abs(to - from) / 0.1));
  const double step = to > from ? 0.1 : -0.1;
  for (int i = 0; i <= n; ++i) v.push_back(from + step * i);
  for (int i = n; i >= 0; --i) v.push_back(from + step * i);
  return v;
}

TEST(AlarmWatch, OutAndBackInGivesOneRaiseAndOneClearPastTheHysteresis) {
  AlarmWatch watch(Limits(2.0, 10.0, 0.5));
  // Up through the high limit and back down to the middle.
  const Counted high = FeedAll(watch, OutAndBack(5.0, 12.0));
  ASSERT_EQ(high.raised, 1);
  ASSERT_EQ(high.cleared, 1);
  EXPECT_EQ(high.events[0].side, AlarmSide::High);
  EXPECT_GT(high.events[0].value, 10.0);
  EXPECT_LT(high.events[0].value, 10.15);  // the first reading above, not a later one
  EXPECT_EQ(high.events[0].limit, 10.0);
  EXPECT_EQ(high.events[1].change, AlarmChange::Cleared);
  EXPECT_LE(high.events[1].value, 9.5);
  EXPECT_GT(high.events[1].value, 9.35);  // the first reading inside by the hysteresis
  EXPECT_FALSE(watch.Raised());

  // The same below the low limit.
  const Counted low = FeedAll(watch, OutAndBack(5.0, 0.0));
  ASSERT_EQ(low.raised, 1);
  ASSERT_EQ(low.cleared, 1);
  EXPECT_EQ(low.events[0].side, AlarmSide::Low);
  EXPECT_EQ(low.events[1].side, AlarmSide::Low);
  EXPECT_GE(low.events[1].value, 2.5);
}

TEST(AlarmWatch, ANoisyValueAtTheLimitDoesNotChatter) {
  AlarmWatch watch(Limits(std::nullopt, 20.0, 0.05));
  std::mt19937 random(3);
  std::uniform_real_distribution<double> noise(-0.02, 0.02);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i) values.push_back(20.0 + noise(random));
  const Counted c = FeedAll(watch, values);
  EXPECT_EQ(c.raised, 1);
  EXPECT_EQ(c.cleared, 0);
  EXPECT_TRUE(watch.Raised());
  // Not finite readings (an open input) change nothing.
  EXPECT_EQ(watch.Feed(std::numeric_limits<double>::quiet_NaN()).change, AlarmChange::None);
  EXPECT_TRUE(watch.Raised());
  EXPECT_EQ(watch.Feed(19.9).change, AlarmChange::Cleared);
}

TEST(AlarmWatch, JumpsAcrossTheBandAndChangedLimits) {
  AlarmLimits limits = Limits(0.0, 10.0, 1.0);
  AlarmWatch watch(limits);
  EXPECT_EQ(watch.Feed(11.0).change, AlarmChange::Raised);
  // Straight from above the band to below it: still raised, for the low limit.
  const AlarmEvent jump = watch.Feed(-1.0);
  EXPECT_EQ(jump.change, AlarmChange::Raised);
  EXPECT_EQ(jump.side, AlarmSide::Low);
  EXPECT_EQ(jump.limit, 0.0);
  EXPECT_EQ(watch.Feed(0.5).change, AlarmChange::None);  // inside, not yet by the hysteresis
  // The low limit taken away: the alarm clears with the next reading.
  limits.low.reset();
  watch.SetLimits(limits);
  const AlarmEvent gone = watch.Feed(0.5);
  EXPECT_EQ(gone.change, AlarmChange::Cleared);
  EXPECT_EQ(gone.limit, 0.0);
  // A limit at the value: only beyond it raises.
  EXPECT_EQ(watch.Feed(10.0).change, AlarmChange::None);
}

TEST(AlarmLimits, UnusableLimitsAreRefusedWithAReason) {
  const auto problem = [](std::optional<double> low, std::optional<double> high, double hysteresis) {
    return AlarmLimitsProblem(Limits(low, high, hysteresis));
  };
  EXPECT_TRUE(problem(4.0, 20.0, 0.1).isEmpty());
  EXPECT_TRUE(problem(std::nullopt, 20.0, 0.0).isEmpty());
  EXPECT_TRUE(problem(std::nullopt, std::nullopt, 0.0).isEmpty());
  EXPECT_TRUE(problem(20.0, 4.0, 0.1).contains("below the high"));
  EXPECT_TRUE(problem(4.0, 4.0, 0.0).contains("below the high"));
  EXPECT_TRUE(problem(4.0, 5.0, 0.5).contains("twice the hysteresis"));
  EXPECT_TRUE(problem(4.0, 20.0, -0.1).contains("hysteresis"));
  EXPECT_TRUE(problem(std::numeric_limits<double>::quiet_NaN(), 20.0, 0.1).contains("low limit"));
  EXPECT_TRUE(problem(4.0, std::numeric_limits<double>::infinity(), 0.1).contains("high limit"));
}

// A program that writes its arguments, one a line, into `out` (whole, by a rename).
QString WriteArgumentsProgram(const QString& path, const QString& out) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  file.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + out.toUtf8() + ".part'\nmv '" + out.toUtf8() + ".part' '" +
             out.toUtf8() + "'\n");
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return {};
}

QStringList ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

TEST(AlarmProgram, GetsItsArgumentsAndNoShellReadsThePathOrThem) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A shell would make its files here, where the test looks for them.
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  const QString out = dir.filePath("args.txt");
  const QString marker = dir.filePath("ran-something-else");
  // The program's own name holds shell syntax; it is only a file name.
  const QString program = dir.filePath("alarm;touch ran-something-else|cat");
  ASSERT_EQ(WriteArgumentsProgram(program, out), QString());

  QStringList arguments = AlarmProgramArguments("lower", 20.125, 20.0);
  EXPECT_EQ(arguments, QStringList({"lower", "20.125", "20"}));
  arguments << "$(touch " + marker + ")" << "; touch " + marker << "`touch " + marker + "`";
  QString why;
  qint64 pid = 0;
  ASSERT_TRUE(RunAlarmProgram(program, arguments, &why, &pid)) << why.toStdString();
  EXPECT_GT(pid, 0);
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out), 30000);
  EXPECT_EQ(ReadLines(out), arguments);
  EXPECT_FALSE(QFileInfo::exists(marker));

  // A path that only a shell would split into a program and more is no program.
  for (const QString& path : {QString("/bin/echo; touch " + marker), QString("/bin/true|touch " + marker),
                              QString("$(touch " + marker + ")"), QString("sh -c 'touch " + marker + "'")}) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_FALSE(RunAlarmProgram(path, {}, &why));
    EXPECT_FALSE(why.isEmpty());
  }
  EXPECT_FALSE(QFileInfo::exists(marker));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);  // program and args.txt
  QDir::setCurrent(before);
}

TEST(AlarmProgram, WhatCannotBeRunIsSaidBeforeAnAlarmComes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString plain = dir.filePath("notes.txt");
  QFile file(plain);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_TRUE(AlarmProgramProblem("").contains("no alarm program"));
  EXPECT_TRUE(AlarmProgramProblem(dir.filePath("missing")).contains("does not exist"));
  EXPECT_TRUE(AlarmProgramProblem(dir.path()).contains("not a file"));
  EXPECT_TRUE(AlarmProgramProblem(plain).contains("not executable"));
  EXPECT_TRUE(AlarmProgramProblem("no-such-program-here").contains("$PATH"));
  EXPECT_TRUE(AlarmProgramProblem("sh").isEmpty());  // found in $PATH
}

}  // namespace
}  // namespace vorenx
