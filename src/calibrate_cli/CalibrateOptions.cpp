#include "calibrate_cli/CalibrateOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "DutModel.h"
#include "records/RecordsLocation.h"

namespace vorenx::calibrate_cli {

namespace {

const char kDescription[] =
    "Runs a calibration of the instrument under test without a window: the\n"
    "setup file the calibration dialog saves, the lab's reference standard, and\n"
    "the same run engine as the dialog. The calibrator's output is switched on\n"
    "without asking: running the program is the request. One line per point on\n"
    "standard output (tab-separated, \".\" numbers), then one line\n"
    "\"CERTIFICATE-NUMBER VERDICT\"; messages on standard error.\n"
    "\n"
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

// "Usage: vorenx-calibrate ..." whatever path the program was started by.
QString HelpText(const QCommandLineParser& parser) {
  QString text = parser.helpText();
  const qsizetype end = text.indexOf(QLatin1Char('\n'));
  const QString usage = QStringLiteral(
      "Usage: vorenx-calibrate --setup FILE (--port N=PATH | --simulate [--dut DESCRIPTION])\n"
      "         --environment TEMP_C,RH_PERCENT --resolution VALUE [options]");
  return usage + (end >= 0 ? text.mid(end) : QStringLiteral("\n"));
}

}  // namespace

ParsedCalibrateOptions ParseCalibrateOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
  const QCommandLineOption setup(QStringLiteral("setup"),
                                 QStringLiteral("The calibration setup, as the calibration dialog saves it."),
                                 QStringLiteral("FILE"));
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("The calibrator is port N (0..19) at device PATH, e.g. 4=/dev/ttyUSB0."),
                                QStringLiteral("N=PATH"));
  const QCommandLineOption simulate(QStringLiteral("simulate"),
                                    QStringLiteral("Calibrate against a simulated calibrator on COM4 instead."));
  const QCommandLineOption dut(QStringLiteral("dut"),
                               QStringLiteral("With --simulate: the simulated transmitter under test, e.g. "
                                              "input=7,output=2,gain=1.002,offset=0.03 (see vorenx-sim --help)."),
                               QStringLiteral("DESCRIPTION"));
  const QCommandLineOption environment(QStringLiteral("environment"),
                                       QStringLiteral("Ambient temperature in degrees C and relative humidity in %, "
                                                      "e.g. 23.1,45 (\".\" decimals)."),
                                       QStringLiteral("TEMP_C,RH_PERCENT"));
  const QCommandLineOption resolution(QStringLiteral("resolution"),
                                      QStringLiteral("Resolution of the instrument under test in output units "
                                                     "(its last digit), above 0; overrides the setup's."),
                                      QStringLiteral("VALUE"));
  const QCommandLineOption rule(QStringLiteral("rule"),
                                QStringLiteral("Decision rule: simple or guard-band; overrides the setup's."),
                                QStringLiteral("simple|guard-band"));
  const QCommandLineOption standard(QStringLiteral("standard"),
                                    QStringLiteral("Serial number of the reference standard in the register "
                                                   "(needed when it holds more than one)."),
                                    QStringLiteral("SERIAL"));
  const QCommandLineOption overdue(QStringLiteral("accept-overdue-standard"),
                                   QStringLiteral("Use the standard although it is past its due date, for REASON "
                                                  "(kept in the audit trail)."),
                                   QStringLiteral("REASON"));
  const QCommandLineOption asFound(QStringLiteral("as-found"),
                                   QStringLiteral("Run the as-found calibration (the default)."));
  const QCommandLineOption asLeft(QStringLiteral("as-left"),
                                  QStringLiteral("Run the as-left calibration (after the as-found when both are given)."));
  const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Write the certificate as PDF to FILE."),
                               QStringLiteral("FILE"));
  const QCommandLineOption dcc(QStringLiteral("dcc"),
                               QStringLiteral("Write the digital calibration certificate (XML) to FILE."),
                               QStringLiteral("FILE"));
  const QCommandLineOption records(QStringLiteral("records"),
                                   QStringLiteral("The lab's records: postgresql://user@host:port/database or a "
                                                  "SQLite file's absolute path (default: the \"Records database\" "
                                                  "setting, else ~/.local/share/vorenx/records.sqlite)."),
                                   QStringLiteral("URL"));
  parser.addOptions({help, version, setup, port, simulate, dut, environment, resolution, rule, standard, overdue, asFound, asLeft,
                     pdf, dcc, records});

  if (!parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("vorenx-calibrate")} : arguments))
    return Refuse(parser.errorText());
  ParsedCalibrateOptions parsed;
  if (parser.isSet(help)) {
    parsed.action = ParsedCalibrateOptions::Action::ShowHelp;
    parsed.text = HelpText(parser);
    return parsed;
  }
  if (parser.isSet(version)) {
    parsed.action = ParsedCalibrateOptions::Action::ShowVersion;
    parsed.text = QStringLiteral("vorenx-calibrate %1\n").arg(QCoreApplication::applicationVersion());
    return parsed;
  }
  if (!parser.positionalArguments().isEmpty())
    return Refuse(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
  // An option given twice would leave one of the two unused without a word.
  for (const QCommandLineOption* once : {&setup, &port, &dut, &environment, &resolution, &rule, &standard, &overdue,
                                         &pdf, &dcc, &records})
    if (parser.values(*once).size() > 1) return Refuse(QStringLiteral("--%1 is given more than once").arg(once->names().first()));

  CalibrateOptions& o = parsed.options;
  o.setupFile = parser.value(setup);
  if (!parser.isSet(setup) || o.setupFile.trimmed().isEmpty())
    return Refuse(QStringLiteral("--setup FILE is needed: the calibration setup to run"));

  o.simulate = parser.isSet(simulate);
  if (o.simulate == parser.isSet(port))
    return Refuse(QStringLiteral("give either --port N=PATH (the calibrator's port) or --simulate"));
  if (parser.isSet(port)) {
    QString why;
    o.port = ParsePortAssignment(parser.value(port), &why);
    if (!o.port) return Refuse(QStringLiteral("--port wants %1").arg(why));
  }
  if (parser.isSet(dut)) {
    if (!o.simulate)
      return Refuse(QStringLiteral("--dut describes a transmitter wired to the simulated calibrator: give --simulate too"));
    const sim::DutParse described = sim::ParseDutSpec(parser.value(dut).toStdString());
    if (!described.dutSpec) return Refuse(QStringLiteral("--dut: %1").arg(QString::fromStdString(described.error)));
    o.dut = parser.value(dut);
  }

  if (!parser.isSet(environment))
    return Refuse(QStringLiteral("--environment TEMP_C,RH_PERCENT is needed (e.g. --environment 23.1,45)"));
  const QStringList conditions = parser.value(environment).split(QLatin1Char(','));
  const std::optional<double> temperature = conditions.size() == 2 ? Number(conditions[0]) : std::nullopt;
  const std::optional<double> humidity = conditions.size() == 2 ? Number(conditions[1]) : std::nullopt;
  if (!temperature || !humidity)
    return Refuse(QStringLiteral("--environment wants two numbers with \".\" decimals, TEMP_C,RH_PERCENT "
                                 "(e.g. 23.1,45), not \"%1\"")
                      .arg(parser.value(environment)));
  o.environment = {temperature, humidity};

  if (!parser.isSet(resolution))
    return Refuse(QStringLiteral("--resolution VALUE is needed: the last digit of the instrument under test"));
  const std::optional<double> digit = Number(parser.value(resolution));
  if (!digit)
    return Refuse(QStringLiteral("--resolution wants a number with \".\" decimals, not \"%1\"").arg(parser.value(resolution)));
  o.resolution = *digit;

  if (parser.isSet(rule)) {
    o.rule = DecisionRuleFromText(parser.value(rule).trimmed());
    if (!o.rule) return Refuse(QStringLiteral("--rule wants simple or guard-band, not \"%1\"").arg(parser.value(rule)));
  }
  o.standardSerial = parser.value(standard).trimmed();
  if (parser.isSet(standard) && o.standardSerial.isEmpty()) return Refuse(QStringLiteral("--standard wants a serial number"));
  if (parser.isSet(overdue)) {
    if (parser.value(overdue).trimmed().isEmpty())
      return Refuse(QStringLiteral("--accept-overdue-standard wants the reason the overdue standard is used"));
    o.overdueReason = parser.value(overdue).trimmed();
  }

  // As-found unless only the as-left is asked for; both in order when both are.
  if (parser.isSet(asFound) || !parser.isSet(asLeft)) o.runs.push_back(RunKind::AsFound);
  if (parser.isSet(asLeft)) o.runs.push_back(RunKind::AsLeft);

  for (const auto& [option, file] : {std::pair{&pdf, &o.pdfFile}, std::pair{&dcc, &o.dccFile}}) {
    if (!parser.isSet(*option)) continue;
    *file = parser.value(*option);
    if (const QString problem = OutputFileProblem(QStringLiteral("--") + option->names().first(), *file);
        !problem.isEmpty())
      return Refuse(problem);
  }
  if (!o.pdfFile.isEmpty() && QFileInfo(o.pdfFile).absoluteFilePath() == QFileInfo(o.dccFile).absoluteFilePath())
    return Refuse(QStringLiteral("--pdf and --dcc name the same file"));

  if (parser.isSet(records)) {
    QString why;
    if (parser.value(records).trimmed().isEmpty() || !ParseRecordsLocation(parser.value(records), &why))
      return Refuse(QStringLiteral("--records: %1").arg(
          why.isEmpty() ? QStringLiteral("a postgresql:// address or a SQLite file's absolute path is needed") : why));
    o.records = parser.value(records);
  }
  parsed.action = ParsedCalibrateOptions::Action::Run;
  return parsed;
}

}  // namespace vorenx::calibrate_cli
