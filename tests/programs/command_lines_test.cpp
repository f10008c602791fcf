// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Every program's command line as a user and a script meet it: --help and
// --version answer with exit 0, a bad option is refused with the documented
// exit status and one line naming it, and each man page describes exactly the
// options its program shows.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ProgramPaths.h"

namespace {

constexpr int kWaitMs = 60000;  // a generous bound for a hang, not a timing

struct Program {
  const char* name;
  const char* path;
  int usageExit;  // the man page's status for wrong arguments
};

// vorenx-records keeps 64 (EX_USAGE) for wrong arguments: its 2 means "records
// cannot be opened" to the scripts that use it (docs/decisions.md).
std::vector<Program> Programs() {
  return {{"vorenx", kApp, 2},           {"vorenx-sim", kSim, 2},           {"vorenx-probe", kProbe, 2},
          {"vorenx-records", kRecords, 64}, {"vorenx-calibrate", kCalibrate, 2}, {"vorenx-logger", kLogger, 2}};
}

struct Ran {
  int exit = -1;
  QString out;
  QStringList errLines;
};

Ran Start(const Program& program, const QStringList& arguments) {
  static QTemporaryDir runtime;  // Qt's GUI wants a private runtime folder, else it warns
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  process.setProcessEnvironment(env);
  process.start(QString::fromUtf8(program.path), arguments);
  Ran ran;
  if (!process.waitForFinished(kWaitMs)) {
    process.kill();
    process.waitForFinished(kWaitMs);
    return ran;
  }
  ran.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  ran.out = QString::fromUtf8(process.readAllStandardOutput());
  ran.errLines = QString::fromUtf8(process.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  return ran;
}

TEST(CommandLines, EveryProgramAnswersHelpAndVersionAndRefusesWhatItDoesNotKnow) {
  SKIP_WITHOUT_PROGRAMS();
  for (const Program& program : Programs()) {
    SCOPED_TRACE(program.name);
    const QString name = QString::fromLatin1(program.name);
    for (const char* help : {"--help", "-h"}) {
      const Ran ran = Start(program, {QString::fromLatin1(help)});
      EXPECT_EQ(ran.exit, 0) << help;
      EXPECT_TRUE(ran.out.startsWith(QStringLiteral("Usage: ") + name + QLatin1Char(' '))) << ran.out.toStdString();
      EXPECT_TRUE(ran.out.contains(QLatin1String("--version"))) << help;
      EXPECT_TRUE(ran.errLines.isEmpty()) << ran.errLines.join('\n').toStdString();
    }
    const Ran version = Start(program, {"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, name + QStringLiteral(" " VORENX_EXPECTED_VERSION "\n"));

    // Each fault is one line on standard error naming the argument, and nothing runs.
    struct Bad {
      QStringList arguments;
      const char* named;
    };
    std::vector<Bad> bad{{{"--no-such-option"}, "unknown option --no-such-option"},
                         {{"--version=2"}, "--version takes no value"},
                         {{"-platform", "offscreen"}, "unknown option -platform"}};
    // The records take a command as a word; the others take no words at all.
    if (name != QLatin1String("vorenx-records")) bad.push_back({{"stray"}, "unexpected argument \"stray\""});
    for (const Bad& b : bad) {
      const Ran ran = Start(program, b.arguments);
      EXPECT_EQ(ran.exit, program.usageExit) << b.arguments.join(' ').toStdString();
      ASSERT_EQ(ran.errLines.size(), 1) << ran.errLines.join('\n').toStdString();
      EXPECT_TRUE(ran.errLines.first().startsWith(name + QStringLiteral(": ")));
      EXPECT_TRUE(ran.errLines.first().contains(QLatin1String(b.named))) << ran.errLines.first().toStdString();
      EXPECT_TRUE(ran.out.isEmpty()) << ran.out.toStdString();
    }
  }
}

// The options a help text lists: those at the start of its option lines.
QSet<QString> ShownOptions(const QString& help) {
  static const QRegularExpression kLine(QStringLiteral("^  (-{1,2}[a-z][a-z-]*)(?:, (-{1,2}[a-z][a-z-]*))?"),
                                        QRegularExpression::MultilineOption);
  QSet<QString> options;
  for (auto it = kLine.globalMatch(help); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    options.insert(m.captured(1));
    if (m.hasCaptured(2)) options.insert(m.captured(2));
  }
  return options;
}

// The options a man page names in its synopsis, and those it describes: the
// tag lines (after .TP) of its OPTIONS and COMMANDS sections.
struct ManOptions {
  QSet<QString> synopsis;
  QSet<QString> described;
};

ManOptions ReadManPage(const QString& path) {
  QFile file(path);
  ManOptions page;
  if (!file.open(QIODevice::ReadOnly)) return page;
  static const QRegularExpression kOption(QStringLiteral(R"((?<![A-Za-z0-9])(\\-\\-|\\-)([a-z](?:[a-z]|\\-)*))"));
  const auto options = [](const QString& line) {
    QSet<QString> found;
    for (auto it = kOption.globalMatch(line); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      found.insert(QString(m.captured(1)).remove(QLatin1Char('\\')) + QString(m.captured(2)).remove(QLatin1Char('\\')));
    }
    return found;
  };
  QString section;
  bool tag = false;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1String(".SH "))) {
      section = line.mid(4).trimmed();
      continue;
    }
    if (section == QLatin1String("SYNOPSIS")) page.synopsis += options(line);
    if (tag && (section == QLatin1String("OPTIONS") || section == QLatin1String("COMMANDS"))) page.described += options(line);
    tag = line.startsWith(QLatin1String(".TP"));
  }
  return page;
}

QString Listed(const QSet<QString>& options) {
  QStringList sorted(options.begin(), options.end());
  sorted.sort();
  return sorted.join(QLatin1Char(' '));
}

TEST(CommandLines, EachManPageDescribesExactlyTheOptionsItsProgramShows) {
  SKIP_WITHOUT_PROGRAMS();
  for (const Program& program : Programs()) {
    SCOPED_TRACE(program.name);
    const Ran help = Start(program, {"--help"});
    ASSERT_EQ(help.exit, 0);
    const QSet<QString> shown = ShownOptions(help.out);
    ASSERT_TRUE(shown.contains(QStringLiteral("--help")) && shown.contains(QStringLiteral("--version")))
        << help.out.toStdString();
    const ManOptions page =
        ReadManPage(QStringLiteral(VORENX_SOURCE_DIR "/data/man/%1.1.in").arg(QString::fromLatin1(program.name)));
    EXPECT_EQ(Listed(page.described).toStdString(), Listed(shown).toStdString());
    EXPECT_TRUE((page.synopsis - shown).isEmpty()) << "the synopsis names " << Listed(page.synopsis - shown).toStdString();
    EXPECT_TRUE((shown - page.synopsis).isEmpty()) << "the synopsis lacks " << Listed(shown - page.synopsis).toStdString();
  }
}

}  // namespace
