// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records_cli/RecordsTool.h"

#include <memory>

#include "instrument/SharedOptions.h"
#include "platform/CommandLine.h"
#include "records/CalibrationStore.h"
#include "records/LabSettings.h"
#include "records/RecordsLocation.h"
#include "records/SqlLabRecords.h"
#include "records_cli/RecordsCommands.h"

namespace vorenx::records_cli {

namespace {

const char kCommandsText[] =
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
    "  verify                check the audit trail";

const char kExitStatus[] =
    "Exit status: 0 done, 1 failed, 2 records cannot be opened, 3 audit trail\n"
    "broken, 64 wrong arguments.";

int Usage(QTextStream& err, const QString& problem) {
  err << UsageErrorLine(QStringLiteral("vorenx-records"), problem) << '\n';
  return kExitUsage;
}

}  // namespace

ToolPlaces UserPlaces() {
  const CalibrationStore store(DefaultCalibrationsFolder(), DefaultSetupFile());
  return {store.SettingsFile(), store.Folder(), QDate::currentDate()};
}

int RunTool(const QStringList& arguments, const ToolPlaces& places, QTextStream& out, QTextStream& err) {
  CommandLine line(QStringLiteral("vorenx-records"), QStringLiteral("vorenx-records [--records URL] COMMAND [ARGUMENTS]"),
                   QString::fromLatin1(kCommandsText), QString::fromLatin1(kExitStatus));
  line.Add({options::Records(),
            {{QStringLiteral("days")}, QStringLiteral("N"),
             QStringLiteral("With due: only the instruments overdue, never calibrated or due within N days.")},
            {{QStringLiteral("csv")}, {}, QStringLiteral("With export: write CSV, the one format there is.")},
            {{QStringLiteral("dcc")}, {},
             QStringLiteral("With show: the newest revision as a digital calibration certificate (XML).")}});
  line.AllowPositional();
  switch (line.Parse(arguments)) {
    case CommandLine::Outcome::Refuse: return Usage(err, line.Text());
    case CommandLine::Outcome::Help:
    case CommandLine::Outcome::Version: out << line.Text(); return kExitOk;
    case CommandLine::Outcome::Run: break;
  }
  const auto isSet = [&line](const char* name) { return line.IsSet(QString::fromLatin1(name)); };

  QStringList words = line.Positional();
  if (words.isEmpty()) return Usage(err, QStringLiteral("no command given"));
  const QString command = words.takeFirst();
  static const QStringList kCommands{"list", "due", "show", "export", "import", "verify"};
  if (!kCommands.contains(command)) return Usage(err, QStringLiteral("unknown command \"%1\"").arg(command));
  if (isSet("days") && command != QLatin1String("due"))
    return Usage(err, QStringLiteral("--days belongs to the due command"));
  if (isSet("csv") && command != QLatin1String("export"))
    return Usage(err, QStringLiteral("--csv belongs to the export command"));
  if (isSet("dcc") && command != QLatin1String("show"))
    return Usage(err, QStringLiteral("--dcc belongs to the show command"));
  const qsizetype maxWords = (command == QLatin1String("show") || command == QLatin1String("export") ||
                              command == QLatin1String("import")) ? 1 : 0;
  if (words.size() > maxWords)
    return Usage(err, QStringLiteral("too many arguments for %1: \"%2\"").arg(command, words.join(QLatin1Char(' '))));
  if (command == QLatin1String("show") && (words.isEmpty() || words.first().trimmed().isEmpty()))
    return Usage(err, QStringLiteral("show wants a certificate number"));
  if (command == QLatin1String("export") && !isSet("csv"))
    return Usage(err, QStringLiteral("export wants --csv (the one format it writes)"));
  if ((command == QLatin1String("export") || command == QLatin1String("import")) && !words.isEmpty() &&
      words.first().isEmpty())
    return Usage(err, QStringLiteral("%1 was given an empty path").arg(command));

  std::optional<int> days;
  if (isSet("days")) {
    bool ok = false;
    const int n = line.Value(QStringLiteral("days")).toInt(&ok);
    if (!ok || n < 0 || n > 36500)
      return Usage(err, WantsText(QStringLiteral("--days"), QStringLiteral("a number of days from 0 to 36500"),
                                  line.Value(QStringLiteral("days"))));
    days = n;
  }

  const QString given = line.Value(QStringLiteral("records"));
  if (isSet("records")) {
    QString why;
    if (!ParseRecordsLocation(given, &why)) return Usage(err, options::OptionProblemText(QStringLiteral("--records"), why));
  }
  QString why;
  const std::optional<RecordsLocation> location = ChooseRecordsLocation(given, places.settingsFile, &why);
  if (!location) {
    err << "vorenx-records: " << why << '\n';
    // A bad --records is the caller's argument; a bad setting is the machine's.
    return isSet("records") ? kExitUsage : kExitNoRecords;
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
    return isSet("dcc") ? ShowCertificateDcc(records, argument, LoadLabIdentity(places.settingsFile), out, err)
                                   : ShowCertificate(records, argument, out, err);
  if (command == QLatin1String("export")) return ExportCsv(records, argument, out, err);
  if (command == QLatin1String("import"))
    return ImportFolder(records, argument.isEmpty() ? places.calibrationsFolder : argument, out, err);
  return VerifyTrail(records, out, err);
}

}  // namespace vorenx::records_cli
