// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The --help text of vorenx-logger. Every option listed here is described in
// its man page too (data/man/vorenx-logger.1.in): the install test compares them.
#include "logger/LoggerOptions.h"

namespace vorenx::logger {

QString UsageText() {
  return QStringLiteral(
      "Usage: vorenx-logger (--port N=PATH... | --all) [--interval 1|2|5|10]\n"
      "                     [--duration TIME | --count N] [--journal DIR | --no-journal]\n"
      "                     [--format text|csv|jsonl] [--quiet] [--give-up SECONDS]\n"
      "                     [--high DISPLAY=VALUE] [--low DISPLAY=VALUE] [--hysteresis DISPLAY=VALUE]\n"
      "Logs the readings of one or more calibrators without a window: one line per\n"
      "reading on standard output, one journal per instrument, a summary at the end.\n"
      "\n"
      "Options:\n"
      "  --port N=PATH         log the instrument on device PATH as port N (0..19);\n"
      "                        once per instrument\n"
      "  --all                 log every port 0..19 where an instrument answers\n"
      "  --interval SECONDS    time between two readings: 1, 2, 5 or 10 (default 1)\n"
      "  --duration TIME       stop after TIME: a number with s, m, h or d (8h, 90s)\n"
      "  --count N             stop after N readings of each instrument\n"
      "  --journal DIR         write the journals under DIR, one folder per port\n"
      "                        (default: $XDG_DATA_HOME/vorenx/journal)\n"
      "  --no-journal          write no journal\n"
      "  --format FORMAT       lines on standard output: text, csv or jsonl (default text)\n"
      "  --quiet               print no reading lines\n"
      "  --give-up SECONDS     an instrument silent this long is lost (default 60)\n"
      "  --high DISPLAY=VALUE  alarm above VALUE on the upper or lower display\n"
      "  --low DISPLAY=VALUE   alarm below VALUE\n"
      "  --hysteresis DISPLAY=VALUE\n"
      "                        an alarm clears once the value is back inside by VALUE\n"
      "  -h, --help            show this text\n"
      "  --version             show the version\n"
      "\n"
      "Without --duration or --count it logs until SIGTERM, SIGINT or SIGHUP, which\n"
      "end it in order with every journal synced. Numbers are written with \".\"\n"
      "whatever the locale. Exit status: 0 done, 1 the logger failed, 2 wrong\n"
      "arguments or a journal folder that cannot be written, 3 no instrument\n"
      "answered, 4 an instrument was lost for longer than --give-up.\n");
}

}  // namespace vorenx::logger
