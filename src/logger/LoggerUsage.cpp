// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-logger's command line: its options and the --help text made from
// them. Every option shown is described in its man page too
// (data/man/vorenx-logger.1.in): the programs test compares them.
#include "instrument/SharedOptions.h"
#include "logger/LoggerOptions.h"

namespace vorenx::logger {

CommandLine MakeLoggerCommandLine() {
  return CommandLine(
      QStringLiteral("vorenx-logger"),
      QStringLiteral("vorenx-logger (--port N=PATH... | --all) [--interval 1|2|5|10]\n"
                     "                     [--duration TIME | --count N] [--journal DIR | --no-journal]\n"
                     "                     [--format text|csv|jsonl] [--quiet] [--give-up SECONDS]\n"
                     "                     [--high DISPLAY=VALUE] [--low DISPLAY=VALUE] [--hysteresis DISPLAY=VALUE]"),
      QStringLiteral("Logs the readings of one or more calibrators without a window: one line per\n"
                     "reading on standard output, one journal per instrument, a summary at the end."),
      QStringLiteral(
          "Without --duration or --count it logs until SIGTERM, SIGINT or SIGHUP, which\n"
          "end it in order with every journal synced. Numbers are written with \".\"\n"
          "whatever the locale. Exit status: 0 done, 1 the logger failed, 2 wrong\n"
          "arguments or a journal folder that cannot be written, 3 no instrument\n"
          "answered, 4 an instrument was lost for longer than --give-up."));
}

void DefineLoggerOptions(CommandLine& line) {
  const auto limit = [](const char* name, const char* description) {
    return OptionSpec{{QString::fromLatin1(name)}, QStringLiteral("DISPLAY=VALUE"), QString::fromLatin1(description),
                      true};
  };
  line.Add({options::Port(options::Repeat::Repeatable),
            {{QStringLiteral("all")}, {}, QStringLiteral("Log every port 0..19 where an instrument answers.")},
            {{QStringLiteral("interval")}, QStringLiteral("SECONDS"),
             QStringLiteral("Time between two readings: 1, 2, 5 or 10 (default 1).")},
            {{QStringLiteral("duration")}, QStringLiteral("TIME"),
             QStringLiteral("Stop after TIME: a number with s, m, h or d (8h, 90s).")},
            {{QStringLiteral("count")}, QStringLiteral("N"),
             QStringLiteral("Stop after N readings of each instrument.")},
            options::Journal(), options::NoJournal(),
            {{QStringLiteral("format")}, QStringLiteral("FORMAT"),
             QStringLiteral("Lines on standard output: text, csv or jsonl (default text).")},
            {{QStringLiteral("quiet")}, {}, QStringLiteral("Print no reading lines.")},
            {{QStringLiteral("give-up")}, QStringLiteral("SECONDS"),
             QStringLiteral("An instrument silent this long is lost (default 60).")},
            limit("high", "Alarm above VALUE on the upper or lower display."),
            limit("low", "Alarm below VALUE."),
            limit("hysteresis", "An alarm clears once the value is back inside by VALUE."),
            // The logging process of one port, started by the logger itself.
            {{QStringLiteral("child")}, QStringLiteral("N"), QStringLiteral("Log port N for the starting logger."),
             false, true}});
}

QString UsageText() {
  CommandLine line = MakeLoggerCommandLine();
  DefineLoggerOptions(line);
  return line.HelpText();
}

}  // namespace vorenx::logger
