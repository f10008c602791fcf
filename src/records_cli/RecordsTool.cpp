// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records_cli/RecordsTool.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <memory>

#include "platform/FileText.h"
#include "records/CalibrationStore.h"
#include "records/LabSettings.h"
#include "records/RecordsLocation.h"
#include "records/SqlLabRecords.h"
#include "records_cli/RecordsCommands.h"

namespace vorenx::records_cli {

namespace {

const char kUsage[] =
    "Usage: vorenx-records [--records URL] COMMAND [ARGUMENTS]\n"
    "The lab's calibration records from the office or a script.\n"
    "\n"
    "Commands:\n"
    "  list                  the register of instruments (tab-separated)\n"
    "  due [--days N]        instruments due for calibration, soonest first; with\n"
    "                        --days, only those overdue or due within N days\n"
    "  show CERTIFICATE      every revision of a certificate and its points\n"
    "  show --dcc CERTIFICATE\n"
    "                        its newest revision as a digital calibration\n"
    "                        certificate (XML), the laboratory from the settings\n"
    "  export --csv [FILE]   every calibration as CSV, to FILE or standard output\n"
    "  import [DIR]          import the calibration record files of DIR once\n"
    "                        (default: the program's calibrations folder)\n"
    "  verify                check the audit trail\n"
    "\n"
    "Options:\n"
    "  --records URL         postgresql://user@host:port/database or the full path\n"
    "                        of a SQLite file (default: the \"Records database\"\n"
    "                        setting, else ~/.local/share/vorenx/records.sqlite);\n"
    "                        the password comes from ~/.pgpass or PGPASSWORD\n"
    "  -h, --help            show this help and exit\n"
    "  --version             show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 failed, 2 records cannot be opened, 3 audit trail\n"
    "broken, 64 wrong arguments.\n";

int Usage(QTextStream& err, const QString& problem) {
  err << "vorenx-records: " << problem << " (try --help)\n";
  return kExitUsage;
}

}  // namespace

ToolPlaces UserPlaces() {
  const CalibrationStore store(DefaultCalibrationsFolder(), DefaultSetupFile());
  return {store.SettingsFile(), store.Folder(), QDate::currentDate()};
}

int RunTool(const QStringList& arguments, const ToolPlaces& places, QTextStream& out, QTextStream& err) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version(QStringLiteral("version"), QString());
  const QCommandLineOption recordsOption(QStringLiteral("records"), QString(), QStringLiteral("URL"));
  const QCommandLineOption daysOption(QStringLiteral("days"), QString(), QStringLiteral("N"));
  const QCommandLineOption csvOption(QStringLiteral("csv"), QString());
  const QCommandLineOption dccOption(QStringLiteral("dcc"), QString());
  parser.addOptions({help, version, recordsOption, daysOption, csvOption, dccOption});
  if (!parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("vorenx-records")} : arguments))
    return Usage(err, parser.errorText());
  if (parser.isSet(help)) {
    out << kUsage;
    return kExitOk;
  }
  if (parser.isSet(version)) {
    out << "vorenx-records " << VersionText() << '\n';
    return kExitOk;
  }

  QStringList words = parser.positionalArguments();
  if (words.isEmpty()) return Usage(err, QStringLiteral("no command given"));
  const QString command = words.takeFirst();
  static const QStringList kCommands{"list", "due", "show", "export", "import", "verify"};
  if (!kCommands.contains(command)) return Usage(err, QStringLiteral("unknown command \"%1\"").arg(command));
  if (parser.isSet(daysOption) && command != QLatin1String("due"))
    return Usage(err, QStringLiteral("--days belongs to the due command"));
  if (parser.isSet(csvOption) && command != QLatin1String("export"))
    return Usage(err, QStringLiteral("--csv belongs to the export command"));
  if (parser.isSet(dccOption) && command != QLatin1String("show"))
    return Usage(err, QStringLiteral("--dcc belongs to the show command"));
  const qsizetype maxWords = (command == QLatin1String("show") || command == QLatin1String("export") ||
                              command == QLatin1String("import")) ? 1 : 0;
  if (words.size() > maxWords)
    return Usage(err, QStringLiteral("too many arguments for %1: \"%2\"").arg(command, words.join(QLatin1Char(' '))));
  if (command == QLatin1String("show") && (words.isEmpty() || words.first().trimmed().isEmpty()))
    return Usage(err, QStringLiteral("show wants a certificate number"));
  if (command == QLatin1String("export") && !parser.isSet(csvOption))
    return Usage(err, QStringLiteral("export wants --csv (the one format it writes)"));
  if ((command == QLatin1String("export") || command == QLatin1String("import")) && !words.isEmpty() &&
      words.first().isEmpty())
    return Usage(err, QStringLiteral("%1 was given an empty path").arg(command));

  std::optional<int> days;
  if (parser.isSet(daysOption)) {
    bool ok = false;
    const int n = parser.value(daysOption).toInt(&ok);
    if (!ok || n < 0 || n > 36500)
      return Usage(err, QStringLiteral("--days wants a number of days from 0 to 36500, not \"%1\"")
                            .arg(parser.value(daysOption)));
    days = n;
  }

  const QString given = parser.value(recordsOption);
  if (parser.isSet(recordsOption) && given.trimmed().isEmpty())
    return Usage(err, QStringLiteral("--records wants a postgresql:// address or the full path of a SQLite file"));
  QString why;
  const std::optional<RecordsLocation> location = ChooseRecordsLocation(given, places.settingsFile, &why);
  if (!location) {
    err << "vorenx-records: " << why << '\n';
    // A bad --records is the caller's argument; a bad setting is the machine's.
    return parser.isSet(recordsOption) ? kExitUsage : kExitNoRecords;
  }
  RecordsResult<std::unique_ptr<LabRecords>> opened = OpenLabRecords(*location);
  if (!opened.ok()) {
    err << "vorenx-records: " << opened.message << '\n';
    return kExitNoRecords;
  }
  LabRecords& records = *opened.value;

  const QString argument = words.isEmpty() ? QString() : words.first();
  if (command == QLatin1String("list")) return ListInstruments(records, out, err);
  if (command == QLatin1String("due")) return ListDue(records, places.today, days, out, err);
  if (command == QLatin1String("show"))
    return parser.isSet(dccOption) ? ShowCertificateDcc(records, argument, LoadLabIdentity(places.settingsFile), out, err)
                                   : ShowCertificate(records, argument, out, err);
  if (command == QLatin1String("export")) return ExportCsv(records, argument, out, err);
  if (command == QLatin1String("import"))
    return ImportFolder(records, argument.isEmpty() ? places.calibrationsFolder : argument, out, err);
  return VerifyTrail(records, out, err);
}

}  // namespace vorenx::records_cli
