// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/AppOptions.h"

#include <cmath>

#include "DutModel.h"
#include "instrument/PortOption.h"
#include "journal/JournalReadings.h"
#include "records/RecordsLocation.h"

namespace vorenx {

namespace {

bool ParsePort(const QString& text, std::pair<int, QString>& out, QString& error) {
  QString why;
  const auto parsed = ParsePortAssignment(text, &why);
  if (!parsed) {
    error = QStringLiteral("--port wants ") + why;
    return false;
  }
  out = {parsed->port, parsed->path};
  return true;
}

}  // namespace

ParsedOptions ParseAppOptions(const QStringList& arguments) {
  ParsedOptions result;
  AppOptions& o = result.options;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString name = arguments[i];
    QString value;
    bool hasValue = false;
    const qsizetype eq = name.indexOf(QLatin1Char('='));
    if (name.startsWith(QLatin1String("--")) && eq > 0) {
      value = name.mid(eq + 1);
      name = name.left(eq);
      hasValue = true;
    }
    const bool wantsValue = name == QLatin1String("--port") || name == QLatin1String("--screenshot") ||
                            name == QLatin1String("--quit-after") || name == QLatin1String("--journal") ||
                            name == QLatin1String("--dut") || name == QLatin1String("--records");
    if (wantsValue && !hasValue) {
      if (i + 1 >= arguments.size()) {
        result.error = QStringLiteral("%1 needs a value").arg(name);
        return result;
      }
      value = arguments[++i];
    } else if (!wantsValue && hasValue) {
      result.error = QStringLiteral("%1 takes no value").arg(name);
      return result;
    }

    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
      o.help = true;
    } else if (name == QLatin1String("--simulate")) {
      o.simulate = true;
    } else if (name == QLatin1String("--verbose")) {
      o.verbose = true;
    } else if (name == QLatin1String("--port")) {
      std::pair<int, QString> port;
      if (!ParsePort(value, port, result.error)) return result;
      o.ports.push_back(port);
    } else if (name == QLatin1String("--screenshot")) {
      if (value.isEmpty()) {
        result.error = QStringLiteral("--screenshot needs a file name");
        return result;
      }
      o.screenshot = value;
    } else if (name == QLatin1String("--quit-after")) {
      bool ok = false;
      const double seconds = value.toDouble(&ok);
      if (!ok || !std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxQuitAfterSeconds) {
        result.error = QStringLiteral("--quit-after wants seconds from 0 to %1, not \"%2\"")
                           .arg(kMaxQuitAfterSeconds)
                           .arg(value);
        return result;
      }
      o.quitAfterSeconds = seconds;
    } else if (name == QLatin1String("--journal")) {
      if (value.isEmpty()) {
        result.error = QStringLiteral("--journal needs a folder");
        return result;
      }
      o.journalFolder = value;
    } else if (name == QLatin1String("--dut")) {
      const sim::DutParse dut = sim::ParseDutSpec(value.toStdString());
      if (!dut.dutSpec) {
        result.error = QStringLiteral("--dut: %1").arg(QString::fromStdString(dut.error));
        return result;
      }
      o.dut = value;
    } else if (name == QLatin1String("--records")) {
      QString why;
      if (!ParseRecordsLocation(value, &why)) {
        result.error = QStringLiteral("--records: %1").arg(why);
        return result;
      }
      o.records = value;
    } else if (name == QLatin1String("--no-journal")) {
      o.noJournal = true;
    } else {
      result.error = QStringLiteral("unknown option \"%1\"").arg(arguments[i]);
      return result;
    }
  }
  if (o.noJournal && !o.journalFolder.isEmpty()) {
    result.error = QStringLiteral("--journal and --no-journal exclude each other");
    return result;
  }
  if (!o.dut.isEmpty() && !o.simulate) {
    result.error =
        QStringLiteral("--dut describes a transmitter wired to the simulated instrument: give --simulate too");
    return result;
  }
  if (!o.screenshot.isEmpty() && o.quitAfterSeconds < 0.0) o.quitAfterSeconds = kDefaultScreenshotSeconds;
  return result;
}

QString JournalFolder(const AppOptions& options) {
  if (options.noJournal) return QString();
  return options.journalFolder.isEmpty() ? DefaultJournalFolder() : options.journalFolder;
}

QString UsageText() {
  return QStringLiteral(
      "Usage: vorenx [options]\n"
      "Companion program of the Vorenx dual-display process calibrator.\n"
      "\n"
      "Options:\n"
      "  --simulate            attach a simulated instrument as COM4 (port 4)\n"
      "  --dut DESCRIPTION     with --simulate: wire a simulated transmitter to it as the\n"
      "                        instrument under test, e.g. input=7,output=2,span=4:20,\n"
      "                        gain=1.002,offset=0.03,noise=0.002,lag=2 (keys: input,\n"
      "                        output, in, span, sqrt, gain, offset, noise, lag, seed;\n"
      "                        see vorenx-sim --help)\n"
      "  --port N=PATH         use device PATH for port N (0..19), e.g. --port 4=/dev/ttyUSB0;\n"
      "                        may be given more than once (--simulate wins for port 4)\n"
      "  --screenshot FILE     save the window as a PNG picture when --quit-after ends\n"
      "                        (after %1 seconds when --quit-after is not given)\n"
      "  --quit-after SECONDS  close the window after that many seconds\n"
      "  --verbose             report on standard error when a port is opened or closed\n"
      "  --journal DIR         write the readings journal into DIR (default:\n"
      "                        $XDG_DATA_HOME/vorenx/journal, ~/.local/share/vorenx/journal)\n"
      "  --no-journal          write no readings journal\n"
      "  --records URL         keep calibrations in the lab records at URL:\n"
      "                        postgresql://user@host:port/db or a SQLite file's\n"
      "                        absolute path (default: the \"Records database\" setting,\n"
      "                        else $XDG_DATA_HOME/vorenx/records.sqlite)\n"
      "  -h, --help            show this text\n"
      "\n"
      "Ports without --port: 0 to 9 stand for /dev/ttyUSB0 to 9 (USB serial\n"
      "adapters), 10 to 19 for /dev/ttyACM0 to 9 (USB CDC instruments); the start-up\n"
      "probe tries all twenty. The environment variable VORENX_PORTS=\"N=PATH,...\"\n"
      "changes them too; each Port entry shows its path as a tooltip. A port that\n"
      "cannot be opened is reported once on standard error, with the reason.\n"
      "SIGTERM, SIGINT and SIGHUP close the window in order without asking: a\n"
      "calibration run is aborted with the output off and its record kept. Without\n"
      "a display, run with QT_QPA_PLATFORM=offscreen.\n")
      .arg(kDefaultScreenshotSeconds);
}

}  // namespace vorenx
