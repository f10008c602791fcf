// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A program's command line on QCommandLineParser, the same for every program:
// GNU style ("--opt VALUE" and "--opt=VALUE"), -h/--help and --version added
// and answered with texts made here, and one wording for one fault:
//   unknown option --foo            --x needs a value
//   --x takes no value              --x is given more than once
//   unexpected argument "stray"
// The program decides what to do with the outcome; a refusal is one line
// (UsageErrorLine) and the program's documented exit status for bad usage.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

namespace vorenx {

// One option: its names ("port", or {"h", "help"}), the name of its value
// (empty: a switch), what it does (one paragraph; the help wraps it).
struct OptionSpec {
  QStringList names;
  QString valueName;
  QString description;
  bool repeatable = false;  // a value option that may be given more than once
  bool hidden = false;      // understood but not shown in the help (a program's own use)
};

class CommandLine {
 public:
  enum class Outcome { Run, Help, Version, Refuse };

  // `synopsis`: the usage lines after "Usage: " (program name included);
  // `description` comes before the options and `epilogue` after them, as they are.
  CommandLine(QString program, QString synopsis, QString description, QString epilogue = {});

  void Add(const OptionSpec& option);
  void Add(std::initializer_list<OptionSpec> options);
  // Words that are no option (a command and its argument); refused by default.
  void AllowPositional() { m_positional = true; }

  // `arguments` with the program's name first (QCoreApplication::arguments()).
  Outcome Parse(const QStringList& arguments);
  // The help, "<program> <version>\n", or the problem (one line, no program name).
  const QString& Text() const { return m_text; }

  bool IsSet(const QString& name) const { return m_parser.isSet(name); }
  QString Value(const QString& name) const { return m_parser.value(name); }
  QStringList Values(const QString& name) const { return m_parser.values(name); }
  QStringList Positional() const { return m_parser.positionalArguments(); }

  // Every option the help lists, as typed: "-h", "--help", "--port", ...
  QStringList ShownOptionNames() const;
  QString HelpText() const;
  const QString& Program() const { return m_program; }

 private:
  QString Problem(const QStringList& arguments) const;
  const OptionSpec* Find(const QString& name) const;

  QString m_program;
  QString m_synopsis;
  QString m_description;
  QString m_epilogue;
  std::vector<OptionSpec> m_options;
  bool m_positional = false;
  QCommandLineParser m_parser;
  QString m_text;
};

// "--port" for "port", "-h" for "h".
QString OptionName(const QString& name);
// "--x wants WHAT, not \"GIVEN\"": the one form of a value that is not understood.
QString WantsText(const QString& option, const QString& what, const QString& given);
// "--x needs a value".
QString NeedsValueText(const QString& option);
// "unexpected argument \"stray\"".
QString UnexpectedArgumentText(const QString& argument);
// The one line a program writes to standard error on bad usage:
// "<program>: <problem> (try <program> --help)".
QString UsageErrorLine(const QString& program, const QString& problem);

}  // namespace vorenx
