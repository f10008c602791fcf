// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/CalibrateOptions.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "DutModel.h"
#include "instrument/SharedOptions.h"
#include "platform/CommandLine.h"
#include "records/RecordsLocation.h"

namespace vorenx::calibrate_cli {

namespace {

const char kDescription[] =
    "Runs a calibration of the instrument under test without a window: the\n"
    "setup file the calibration dialog saves, the lab's reference standard, and\n"
    "the same run engine as the dialog. The calibrator's output is switched on\n"
    "without asking: running the program is the request. One line per point on\n"
    "standard output (tab-separated, \".\" numbers), then one line\n"
    "\"CERTIFICATE-NUMBER VERDICT\"; messages on standard error.";

const char kExitStatus[] =
    "Exit status: 0 every run completed (whatever its verdict), 1 a run ended\n"
    "early by itself or its record or a file could not be kept, 2 wrong\n"
    "arguments, 3 setup, values or standard refused (nothing was switched on),\n"
    "4 no instrument at the port or it did not answer again in time, 5 ended by\n"
    "SIGINT, SIGTERM or SIGHUP (output off, record kept incomplete).";

// A number as files and command lines write it: "." decimals, never the locale.
std::optional<double> Number(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);  // QString::toDouble is the C locale's
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

ParsedCalibrateOptions Refuse(const QString& why) {
  ParsedCalibrateOptions parsed;
  parsed.action = ParsedCalibrateOptions::Action::Refuse;
  parsed.text = why;
  return parsed;
}

// The folder an output file goes into must be there before the run, not after it.
QString OutputFileProblem(const QString& option, const QString& path) {
  if (path.trimmed().isEmpty()) return QStringLiteral("%1 wants a file name").arg(option);
  const QFileInfo info(path);
  if (info.isDir()) return QStringLiteral("%1 names a folder, not a file: %2").arg(option, path);
  if (!info.absoluteDir().exists())
    return QStringLiteral("%1: the folder %2 does not exist").arg(option, QDir::toNativeSeparators(info.absolutePath()));
  return {};
}

// The options of its own: name, value name (none for a switch), description.
struct OptionText {
  const char* name;
  const char* value;
  const char* description;
};
constexpr OptionText kOptions[] = {
    {"setup", "FILE", "The calibration setup, as the calibration dialog saves it."},
    {"environment", "TEMP_C,RH_PERCENT",
     "Ambient temperature in degrees C and relative humidity in %, e.g. 23.1,45 (\".\" decimals)."},
    {"resolution", "VALUE",
     "Resolution of the instrument under test in output units (its last digit), above 0; overrides the setup's."},
    {"rule", "simple|guard-band", "Decision rule: simple or guard-band; overrides the setup's."},
    {"standard", "SERIAL",
     "Serial number of the reference standard in the register (needed when it holds more than one)."},
    {"accept-overdue-standard", "REASON",
     "Use the standard although it is past its due date, for REASON (kept in the audit trail)."},
    {"as-found", nullptr, "Run the as-found calibration (the default)."},
    {"as-left", nullptr, "Run the as-left calibration (after the as-found when both are given)."},
    {"pdf", "FILE", "Write the certificate as PDF to FILE."},
    {"dcc", "FILE", "Write the digital calibration certificate (XML) to FILE."},
};

}  // namespace

ParsedCalibrateOptions ParseCalibrateOptions(const QStringList& arguments) {
  CommandLine line(QStringLiteral("vorenx-calibrate"),
                   QStringLiteral("vorenx-calibrate --setup FILE (--port N=PATH | --simulate [--dut DESCRIPTION])\n"
                                  "         --environment TEMP_C,RH_PERCENT --resolution VALUE [options]"),
                   QString::fromLatin1(kDescription), QString::fromLatin1(kExitStatus));
  line.Add({options::Port(options::Repeat::Once), options::Simulate(), options::Dut(), options::Records()});
  for (const OptionText& o : kOptions)
    line.Add({{QString::fromLatin1(o.name)}, o.value ? QString::fromLatin1(o.value) : QString(),
              QString::fromLatin1(o.description)});
  const auto isSet = [&line](const char* name) { return line.IsSet(QString::fromLatin1(name)); };
  const auto value = [&line](const char* name) { return line.Value(QString::fromLatin1(name)); };

  const CommandLine::Outcome outcome = line.Parse(arguments);
  if (outcome == CommandLine::Outcome::Refuse) return Refuse(line.Text());
  ParsedCalibrateOptions parsed;
  if (outcome != CommandLine::Outcome::Run) {
    parsed.action = outcome == CommandLine::Outcome::Help ? ParsedCalibrateOptions::Action::ShowHelp
                                                          : ParsedCalibrateOptions::Action::ShowVersion;
    parsed.text = line.Text();
    return parsed;
  }

  CalibrateOptions& o = parsed.options;
  o.setupFile = value("setup");
  if (!isSet("setup") || o.setupFile.trimmed().isEmpty())
    return Refuse(QStringLiteral("--setup FILE is needed: the calibration setup to run"));

  o.simulate = isSet("simulate");
  if (o.simulate == isSet("port"))
    return Refuse(QStringLiteral("give either --port N=PATH (the calibrator's port) or --simulate"));
  if (isSet("port")) {
    QString why;
    o.port = options::ReadPort(value("port"), &why);
    if (!o.port) return Refuse(why);
  }
  if (isSet("dut")) {
    if (!o.simulate) return Refuse(options::DutWithoutSimulateText());
    const sim::DutParse described = sim::ParseDutSpec(value("dut").toStdString());
    if (!described.dutSpec)
      return Refuse(options::OptionProblemText(QStringLiteral("--dut"), QString::fromStdString(described.error)));
    o.dut = value("dut");
  }

  if (!isSet("environment"))
    return Refuse(QStringLiteral("--environment TEMP_C,RH_PERCENT is needed (e.g. --environment 23.1,45)"));
  const QStringList conditions = value("environment").split(QLatin1Char(','));
  const std::optional<double> temperature = conditions.size() == 2 ? Number(conditions[0]) : std::nullopt;
  const std::optional<double> humidity = conditions.size() == 2 ? Number(conditions[1]) : std::nullopt;
  if (!temperature || !humidity)
    return Refuse(QStringLiteral("--environment wants two numbers with \".\" decimals, TEMP_C,RH_PERCENT "
                                 "(e.g. 23.1,45), not \"%1\"")
                      .arg(value("environment")));
  o.environment = {temperature, humidity};

  if (!isSet("resolution"))
    return Refuse(QStringLiteral("--resolution VALUE is needed: the last digit of the instrument under test"));
  const std::optional<double> digit = Number(value("resolution"));
  if (!digit)
    return Refuse(QStringLiteral("--resolution wants a number with \".\" decimals, not \"%1\"").arg(value("resolution")));
  o.resolution = *digit;

  if (isSet("rule")) {
    o.rule = DecisionRuleFromText(value("rule").trimmed());
    if (!o.rule) return Refuse(QStringLiteral("--rule wants simple or guard-band, not \"%1\"").arg(value("rule")));
  }
  o.standardSerial = value("standard").trimmed();
  if (isSet("standard") && o.standardSerial.isEmpty()) return Refuse(QStringLiteral("--standard wants a serial number"));
  if (isSet("accept-overdue-standard")) {
    if (value("accept-overdue-standard").trimmed().isEmpty())
      return Refuse(QStringLiteral("--accept-overdue-standard wants the reason the overdue standard is used"));
    o.overdueReason = value("accept-overdue-standard").trimmed();
  }

  // As-found unless only the as-left is asked for; both in order when both are.
  if (isSet("as-found") || !isSet("as-left")) o.runs.push_back(RunKind::AsFound);
  if (isSet("as-left")) o.runs.push_back(RunKind::AsLeft);

  for (const auto& [option, file] : {std::pair{"pdf", &o.pdfFile}, std::pair{"dcc", &o.dccFile}}) {
    if (!isSet(option)) continue;
    *file = value(option);
    if (const QString problem = OutputFileProblem(QStringLiteral("--") + QString::fromLatin1(option), *file);
        !problem.isEmpty())
      return Refuse(problem);
  }
  if (!o.pdfFile.isEmpty() && QFileInfo(o.pdfFile).absoluteFilePath() == QFileInfo(o.dccFile).absoluteFilePath())
    return Refuse(QStringLiteral("--pdf and --dcc name the same file"));

  if (isSet("records")) {
    QString why;
    if (!ParseRecordsLocation(value("records"), &why))
      return Refuse(options::OptionProblemText(QStringLiteral("--records"), why));
    o.records = value("records");
  }
  parsed.action = ParsedCalibrateOptions::Action::Run;
  return parsed;
}

}  // namespace vorenx::calibrate_cli
