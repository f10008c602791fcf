// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/CommandLine.h"

#include <QCommandLineOption>

#include "platform/FileText.h"

namespace vorenx {

namespace {

constexpr qsizetype kHelpWidth = 79;    // columns of a help line
constexpr qsizetype kTextColumn = 24;   // where an option's description starts

// `text` in lines of at most `width` - `indent` characters, each indented.
QString Wrapped(const QString& text, qsizetype indent, qsizetype width) {
  QString out;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
      out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
      line.clear();
    }
    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  if (!line.isEmpty()) out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
  return out;
}

// The option an argument names: "port" for "--port=4=/dev/x", "platform" for
// "-platform"; empty for a word that is no option.
QString NameIn(const QString& argument) {
  if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) return {};
  QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
  return name.left(name.indexOf(QLatin1Char('=')));
}

}  // namespace

QString OptionName(const QString& name) {
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString WantsText(const QString& option, const QString& what, const QString& given) {
  return QStringLiteral("%1 wants %2, not \"%3\"").arg(option, what, given);
}

QString NeedsValueText(const QString& option) { return option + QStringLiteral(" needs a value"); }

QString UnexpectedArgumentText(const QString& argument) {
  return QStringLiteral("unexpected argument \"%1\"").arg(argument);
}

QString UsageErrorLine(const QString& program, const QString& problem) {
  return QStringLiteral("%1: %2 (try %1 --help)").arg(program, problem);
}

CommandLine::CommandLine(QString program, QString synopsis, QString description, QString epilogue)
    : m_program(std::move(program)),
      m_synopsis(std::move(synopsis)),
      m_description(std::move(description)),
      m_epilogue(std::move(epilogue)) {
  // "-platform" is one unknown option, not -p -l -a ...; -h is still -h.
  m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  Add({{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("Show this help and exit.")});
  Add({{QStringLiteral("version")}, {}, QStringLiteral("Show the version and exit.")});
}

void CommandLine::Add(const OptionSpec& option) {
  m_options.push_back(option);
  QCommandLineOption made(option.names, option.description, option.valueName);
  if (option.hidden) made.setFlags(QCommandLineOption::HiddenFromHelp);
  m_parser.addOption(made);
}

void CommandLine::Add(std::initializer_list<OptionSpec> options) {
  for (const OptionSpec& option : options) Add(option);
}

const OptionSpec* CommandLine::Find(const QString& name) const {
  for (const OptionSpec& option : m_options)
    if (option.names.contains(name)) return &option;
  return nullptr;
}

// What is wrong when the parser refused `arguments`, in this program's words.
QString CommandLine::Problem(const QStringList& arguments) const {
  const QStringList unknown = m_parser.unknownOptionNames();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) break;
    const QString name = NameIn(argument);
    if (name.isEmpty()) continue;
    const OptionSpec* option = Find(name);
    if (!option || unknown.contains(name)) return QStringLiteral("unknown option ") + argument.left(argument.indexOf('='));
    const bool joined = argument.contains(QLatin1Char('='));
    if (option->valueName.isEmpty() && joined) return OptionName(name) + QStringLiteral(" takes no value");
    if (!option->valueName.isEmpty() && !joined) {
      if (i + 1 >= arguments.size()) return NeedsValueText(OptionName(name));
      ++i;  // its value, whatever it looks like
    }
  }
  return m_parser.errorText();
}

CommandLine::Outcome CommandLine::Parse(const QStringList& arguments) {
  const QStringList args = arguments.isEmpty() ? QStringList{m_program} : arguments;
  m_text.clear();
  if (!m_parser.parse(args)) {
    m_text = Problem(args);
    return Outcome::Refuse;
  }
  if (m_parser.isSet(QStringLiteral("help"))) {
    m_text = HelpText();
    return Outcome::Help;
  }
  if (m_parser.isSet(QStringLiteral("version"))) {
    m_text = QStringLiteral("%1 %2\n").arg(m_program, VersionText());
    return Outcome::Version;
  }
  if (!m_positional && !m_parser.positionalArguments().isEmpty()) {
    m_text = UnexpectedArgumentText(m_parser.positionalArguments().first());
    return Outcome::Refuse;
  }
  // A value given twice would leave one of the two unused without a word.
  for (const OptionSpec& option : m_options) {
    if (option.valueName.isEmpty() || option.repeatable || m_parser.values(option.names.first()).size() < 2) continue;
    m_text = OptionName(option.names.last()) + QStringLiteral(" is given more than once");
    return Outcome::Refuse;
  }
  return Outcome::Run;
}

QStringList CommandLine::ShownOptionNames() const {
  QStringList names;
  for (const OptionSpec& option : m_options)
    if (!option.hidden)
      for (const QString& name : option.names) names << OptionName(name);
  return names;
}

QString CommandLine::HelpText() const {
  QString text = QStringLiteral("Usage: ") + m_synopsis + QLatin1Char('\n');
  if (!m_description.isEmpty()) text += m_description + QLatin1Char('\n');
  text += QStringLiteral("\nOptions:\n");
  for (const OptionSpec& option : m_options) {
    if (option.hidden) continue;
    QStringList names;
    for (const QString& name : option.names) names << OptionName(name);
    QString head = QStringLiteral("  ") + names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty()) head += QLatin1Char(' ') + option.valueName;
    const QString body = Wrapped(option.description, kTextColumn, kHelpWidth);
    if (body.isEmpty())
      text += head + QLatin1Char('\n');
    else if (head.size() < kTextColumn - 1)
      text += head.leftJustified(kTextColumn) + body.mid(kTextColumn);
    else
      text += head + QLatin1Char('\n') + body;
  }
  if (!m_epilogue.isEmpty()) text += QLatin1Char('\n') + m_epilogue + QLatin1Char('\n');
  return text;
}

}  // namespace vorenx
