// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/AppOptions.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "DutModel.h"
#include "instrument/SharedOptions.h"
#include "journal/JournalReadings.h"
#include "platform/CommandLine.h"
#include "records/RecordsLocation.h"

namespace vorenx {

namespace {

const QString kProgram = QStringLiteral("vorenx");

// The window's command line: the shared options and its own.
void Define(CommandLine& line) {
  line.Add({options::Simulate(), options::Dut(), options::Port(options::Repeat::Repeatable),
            {{QStringLiteral("screenshot")},
             QStringLiteral("FILE"),
             QStringLiteral("Save the window as a PNG picture when --quit-after ends (after %1 seconds when "
                            "--quit-after is not given).")
                 .arg(kDefaultScreenshotSeconds)},
            {{QStringLiteral("quit-after")}, QStringLiteral("SECONDS"),
             QStringLiteral("Close the window after that many seconds.")},
            {{QStringLiteral("verbose")}, {},
             QStringLiteral("Report on standard error when a port is opened or closed.")},
            options::Journal(), options::NoJournal(), options::Records(),
            {{QStringLiteral("lang")}, QStringLiteral("LANG"),
             QStringLiteral("Show the window in language LANG, a locale name such as de or zh_CN (default: the "
                            "system's locale).")}});
}

CommandLine MakeLine() {
  return CommandLine(
      kProgram, QStringLiteral("vorenx [options]"),
      QStringLiteral("Companion program of the Vorenx dual-display process calibrator."),
      QStringLiteral(
          "The simulated instrument (--simulate) wins for port 4; --dut needs --simulate.\n"
          "Ports without --port: 0 to 9 stand for /dev/ttyUSB0 to 9 (USB serial\n"
          "adapters), 10 to 19 for /dev/ttyACM0 to 9 (USB CDC instruments); the start-up\n"
          "probe tries all twenty. The environment variable VORENX_PORTS=\"N=PATH,...\"\n"
          "changes them too; each Port entry shows its path as a tooltip. A port that\n"
          "cannot be opened is reported once on standard error, with the reason.\n"
          "SIGTERM, SIGINT and SIGHUP close the window in order without asking: a\n"
          "calibration run is aborted with the output off and its record kept. Without\n"
          "a display, run with QT_QPA_PLATFORM=offscreen.\n"
          "Exit status: 0 closed normally, 1 no simulated instrument or screenshot,\n"
          "2 wrong arguments."));
}

// A locale name Qt knows ("de", "zh_CN", "de-DE"); "C" stands for the untranslated texts.
bool IsLocaleName(const QString& name) {
  static const QRegularExpression kForm(QStringLiteral("^[A-Za-z]{1,3}([_-][A-Za-z0-9]{2,8})*$"));
  return name == QLatin1String("C") || (kForm.match(name).hasMatch() && QLocale(name).language() != QLocale::C);
}

QString Check(const CommandLine& line, AppOptions& o) {
  o.simulate = line.IsSet(QStringLiteral("simulate"));
  o.verbose = line.IsSet(QStringLiteral("verbose"));
  QString why;
  for (const QString& value : line.Values(QStringLiteral("port"))) {
    const auto port = options::ReadPort(value, &why);
    if (!port) return why;
    o.ports.emplace_back(port->port, port->path);
  }
  if (line.IsSet(QStringLiteral("screenshot"))) {
    o.screenshot = line.Value(QStringLiteral("screenshot"));
    if (o.screenshot.isEmpty()) return QStringLiteral("--screenshot wants a file name");
  }
  if (line.IsSet(QStringLiteral("quit-after"))) {
    const QString value = line.Value(QStringLiteral("quit-after"));
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxQuitAfterSeconds)
      return WantsText(QStringLiteral("--quit-after"), QStringLiteral("seconds from 0 to %1").arg(kMaxQuitAfterSeconds),
                       value);
    o.quitAfterSeconds = seconds;
  }
  if (!options::ReadJournal(line, &o.journalFolder, &o.noJournal, &why)) return why;
  if (line.IsSet(QStringLiteral("dut"))) {
    const QString value = line.Value(QStringLiteral("dut"));
    const sim::DutParse dut = sim::ParseDutSpec(value.toStdString());
    if (!dut.dutSpec) return options::OptionProblemText(QStringLiteral("--dut"), QString::fromStdString(dut.error));
    if (!o.simulate) return options::DutWithoutSimulateText();
    o.dut = value;
  }
  if (line.IsSet(QStringLiteral("records"))) {
    const QString value = line.Value(QStringLiteral("records"));
    if (!ParseRecordsLocation(value, &why)) return options::OptionProblemText(QStringLiteral("--records"), why);
    o.records = value;
  }
  if (line.IsSet(QStringLiteral("lang"))) {
    o.lang = line.Value(QStringLiteral("lang")).trimmed();
    if (!IsLocaleName(o.lang))
      return WantsText(QStringLiteral("--lang"), QStringLiteral("a locale name such as de or zh_CN"), o.lang);
  }
  if (!o.screenshot.isEmpty() && o.quitAfterSeconds < 0.0) o.quitAfterSeconds = kDefaultScreenshotSeconds;
  return {};
}

}  // namespace

ParsedOptions ParseAppOptions(const QStringList& arguments) {
  ParsedOptions result;
  CommandLine line = MakeLine();
  Define(line);
  switch (line.Parse(QStringList{kProgram} + arguments)) {
    case CommandLine::Outcome::Refuse:
      result.error = line.Text();
      return result;
    case CommandLine::Outcome::Help:
      result.options.help = true;
      result.text = line.Text();
      return result;
    case CommandLine::Outcome::Version:
      result.options.version = true;
      result.text = line.Text();
      return result;
    case CommandLine::Outcome::Run:
      break;
  }
  result.error = Check(line, result.options);
  return result;
}

QString JournalFolder(const AppOptions& options) {
  if (options.noJournal) return QString();
  return options.journalFolder.isEmpty() ? DefaultJournalFolder() : options.journalFolder;
}

QString UsageText() {
  CommandLine line = MakeLine();
  Define(line);
  return line.HelpText();
}

}  // namespace vorenx
