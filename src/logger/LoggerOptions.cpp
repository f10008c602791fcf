// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "logger/LoggerOptions.h"

#include <QSet>
#include <algorithm>
#include <cmath>

#include "instrument/SharedOptions.h"

namespace vorenx::logger {

namespace {

using Action = ParsedLoggerOptions::Action;

ParsedLoggerOptions Refuse(const QString& why) {
  ParsedLoggerOptions refused;
  refused.action = Action::Refuse;
  refused.text = why;
  return refused;
}

// "upper=20.5" into the display's limit; false with `why` set.
bool ParseLimit(const QString& option, const QString& text, LoggerOptions& o, QString& why) {
  const qsizetype eq = text.indexOf(QLatin1Char('='));
  const QString display = text.left(eq).trimmed();
  bool ok = false;
  const double value = eq < 0 ? 0.0 : text.mid(eq + 1).trimmed().toDouble(&ok);
  if (eq < 0 || (display != QLatin1String("upper") && display != QLatin1String("lower")) || !ok ||
      !std::isfinite(value)) {
    why = QStringLiteral("%1 wants upper=VALUE or lower=VALUE with a number written with \".\", not \"%2\"")
              .arg(option, text);
    return false;
  }
  DisplayLimitOptions& limits = display == QLatin1String("upper") ? o.upper : o.lower;
  const bool high = option == QLatin1String("--high");
  const bool low = option == QLatin1String("--low");
  if ((high && limits.high) || (low && limits.low) || (!high && !low && limits.hysteresisGiven)) {
    why = QStringLiteral("%1 is given twice for the %2 display").arg(option, display);
    return false;
  }
  if (high) limits.high = value;
  if (low) limits.low = value;
  if (!high && !low) {
    if (value < 0.0) {
      why = QStringLiteral("--hysteresis wants a value of 0 or more, not \"%1\"").arg(text);
      return false;
    }
    limits.hysteresis = value;
    limits.hysteresisGiven = true;
  }
  return true;
}

// The checks that need no arithmetic of the limits; the band itself is
// checked by the alarm core (LimitsProblem in LoggerWatch).
bool CheckLimits(const char* display, const DisplayLimitOptions& limits, QString& why) {
  if (!limits.hysteresisGiven || limits.Any()) return true;
  why = QStringLiteral("--hysteresis %1=... needs a --high or --low limit for the %1 display").arg(QLatin1String(display));
  return false;
}

}  // namespace

std::optional<qint64> ParseDuration(const QString& text, QString* why) {
  const QString t = text.trimmed();
  const auto refuse = [&](const QString& reason) -> std::optional<qint64> {
    if (why) *why = reason;
    return std::nullopt;
  };
  const QString expected = QStringLiteral("--duration wants a number above 0 with s, m, h or d (e.g. 90s, 8h, 1.5d), not \"%1\"");
  if (t.size() < 2) return refuse(expected.arg(text));
  static const QString kUnits = QStringLiteral("smhd");
  static const double kUnitMs[] = {1000.0, 60000.0, 3600000.0, 86400000.0};
  const qsizetype unit = kUnits.indexOf(t.back());
  bool ok = false;
  const QString number = t.chopped(1);
  // Digits and one "." only: no sign, no exponent, no spaces inside.
  const bool plain = !number.isEmpty() && std::all_of(number.begin(), number.end(), [](QChar c) {
    return c.isDigit() || c == QLatin1Char('.');
  });
  const double value = plain ? number.toDouble(&ok) : 0.0;
  if (unit < 0 || !ok || !std::isfinite(value)) return refuse(expected.arg(text));
  const double ms = value * kUnitMs[unit];
  if (!(ms >= 1000.0))
    return refuse(QStringLiteral("--duration must be at least a second, not \"%1\"").arg(text));
  if (ms > static_cast<double>(kMaxDurationMs))
    return refuse(QStringLiteral("--duration may be a year (366d) at the most, not \"%1\"").arg(text));
  return static_cast<qint64>(std::llround(ms));
}

ParsedLoggerOptions ParseLoggerOptions(const QStringList& arguments) {
  CommandLine line = MakeLoggerCommandLine();
  DefineLoggerOptions(line);
  ParsedLoggerOptions parsed;
  switch (line.Parse(arguments)) {
    case CommandLine::Outcome::Refuse: return Refuse(line.Text());
    case CommandLine::Outcome::Help: parsed.action = Action::ShowHelp; parsed.text = line.Text(); return parsed;
    case CommandLine::Outcome::Version: parsed.action = Action::ShowVersion; parsed.text = line.Text(); return parsed;
    case CommandLine::Outcome::Run: break;
  }
  const auto isSet = [&line](const char* name) { return line.IsSet(QString::fromLatin1(name)); };
  const auto value = [&line](const char* name) { return line.Value(QString::fromLatin1(name)); };

  LoggerOptions& o = parsed.options;
  QString why;
  QSet<int> numbers;
  QSet<QString> paths;
  for (const QString& text : line.Values(QStringLiteral("port"))) {
    const std::optional<PortAssignment> assignment = options::ReadPort(text, &why);
    if (!assignment) return Refuse(why);
    if (numbers.contains(assignment->port))
      return Refuse(QStringLiteral("--port names %1 twice").arg(PortName(assignment->port)));
    if (paths.contains(assignment->path))
      return Refuse(QStringLiteral("--port gives %1 to two ports: one device is one instrument").arg(assignment->path));
    numbers.insert(assignment->port);
    paths.insert(assignment->path);
    o.ports.push_back(*assignment);
  }
  o.all = isSet("all");
  if (o.all && !o.ports.empty())
    return Refuse(QStringLiteral("--all searches every port itself: give either --all or --port"));

  if (isSet("child")) {
    bool ok = false;
    o.childPort = value("child").toInt(&ok);
    if (!ok || !IsPortNumber(o.childPort) || o.ports.size() != 1 || o.ports.front().port != o.childPort || o.all)
      return Refuse(QStringLiteral("--child N is the logger's own: it wants N=PATH of the same port in --port"));
  } else if (!o.all && o.ports.empty()) {
    return Refuse(QStringLiteral("no instrument named: give --port N=PATH (once per instrument) or --all"));
  }

  if (isSet("interval")) {
    const QString text = value("interval");
    o.intervalIndex = -1;
    for (int i = 0; i < 4; ++i)
      if (text.trimmed() == QString::number(kIntervalSeconds[i])) o.intervalIndex = i;
    if (o.intervalIndex < 0) return Refuse(QStringLiteral("--interval wants 1, 2, 5 or 10 (seconds), not \"%1\"").arg(text));
  }
  if (isSet("duration") && isSet("count"))
    return Refuse(QStringLiteral("--duration and --count exclude each other: give one"));
  if (isSet("duration")) {
    o.durationMs = ParseDuration(value("duration"), &why);
    if (!o.durationMs) return Refuse(why);
  }
  if (isSet("count")) {
    bool ok = false;
    const qint64 n = value("count").toLongLong(&ok);
    if (!ok || n < 1 || n > 1000000000LL)
      return Refuse(QStringLiteral("--count wants a number of readings from 1 to 1000000000, not \"%1\"")
                        .arg(value("count")));
    o.count = n;
  }

  if (!options::ReadJournal(line, &o.journalFolder, &o.noJournal, &why)) return Refuse(why);

  if (isSet("format")) {
    const QString text = value("format");
    if (text == QLatin1String("text")) o.format = OutputFormat::Text;
    else if (text == QLatin1String("csv")) o.format = OutputFormat::Csv;
    else if (text == QLatin1String("jsonl")) o.format = OutputFormat::Jsonl;
    else return Refuse(QStringLiteral("--format wants text, csv or jsonl, not \"%1\"").arg(text));
  }
  o.quiet = isSet("quiet");

  if (isSet("give-up")) {
    bool ok = false;
    o.giveUpSeconds = value("give-up").toInt(&ok);
    if (!ok || o.giveUpSeconds < 1 || o.giveUpSeconds > kMaxGiveUpSeconds)
      return Refuse(QStringLiteral("--give-up wants seconds from 1 to %1, not \"%2\"")
                        .arg(kMaxGiveUpSeconds)
                        .arg(value("give-up")));
  }

  for (const char* option : {"high", "low", "hysteresis"})
    for (const QString& text : line.Values(QString::fromLatin1(option)))
      if (!ParseLimit(QStringLiteral("--") + QLatin1String(option), text, o, why)) return Refuse(why);
  if (!CheckLimits("upper", o.upper, why) || !CheckLimits("lower", o.lower, why)) return Refuse(why);
  return parsed;
}

QStringList ChildArguments(const LoggerOptions& options, const PortAssignment& port, const QString& journalFolder) {
  QStringList args{QStringLiteral("--child"), QString::number(port.port), QStringLiteral("--port"),
                   QStringLiteral("%1=%2").arg(port.port).arg(port.path), QStringLiteral("--interval"),
                   QString::number(kIntervalSeconds[options.intervalIndex]), QStringLiteral("--give-up"),
                   QString::number(options.giveUpSeconds)};
  if (options.count) args << QStringLiteral("--count") << QString::number(*options.count);
  if (journalFolder.isEmpty()) args << QStringLiteral("--no-journal");
  else args << QStringLiteral("--journal") << journalFolder;
  // The limits, each with every digit it was read with.
  const auto limit = [&args](const char* option, const char* display, double value) {
    args << QLatin1String(option) << QStringLiteral("%1=%2").arg(QLatin1String(display), QString::number(value, 'g', 17));
  };
  for (const auto& [display, limits] : {std::pair{"upper", &options.upper}, std::pair{"lower", &options.lower}}) {
    if (limits->high) limit("--high", display, *limits->high);
    if (limits->low) limit("--low", display, *limits->low);
    if (limits->hysteresisGiven) limit("--hysteresis", display, limits->hysteresis);
  }
  return args;
}

QString PortName(int port) { return QStringLiteral("COM%1").arg(port); }

}  // namespace vorenx::logger
