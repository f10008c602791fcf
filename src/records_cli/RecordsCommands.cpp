// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records_cli/RecordsCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cmath>

#include "calib/CalibrationResult.h"
#include "platform/FileText.h"
#include "records/DccWriter.h"
#include "records/RecordsConnection.h"
#include "records/RecordsImport.h"

namespace vorenx::records_cli {

namespace {

// The exit code of a call the store refused, after its message.
template <typename T>
int Refused(const RecordsResult<T>& result, QTextStream& err) {
  err << result.message << '\n';
  switch (result.error) {
    case RecordsError::Connection:
    case RecordsError::NotRecords:
    case RecordsError::NewerSchema:
      return kExitNoRecords;
    default:
      return kExitFailed;
  }
}

// A field of a tab-separated line: tabs and line breaks would split it.
QString Cell(QString text) {
  for (QChar c : {QChar(u'\t'), QChar(u'\r'), QChar(u'\n')}) text.replace(c, QLatin1Char(' '));
  return text;
}

void PrintRow(QTextStream& out, const QStringList& cells) {
  QStringList clean;
  clean.reserve(cells.size());
  for (const QString& c : cells) clean << Cell(c);
  out << clean.join(QLatin1Char('\t')) << '\n';
}

QString Number(double value) { return std::isfinite(value) ? PointNumber(value) : QStringLiteral("none"); }

// The signed error of the run's worst point, in % of span; empty when none.
QString LargestErrorText(const std::optional<RunResult>& run) {
  if (!run) return QString();
  const PointResult* worst = LargestError(*run);
  return worst ? Number(worst->errorPercent) : QString();
}

// The point's verdict under its decision rule ("indeterminate" inside a
// guard band); records made before verdicts were kept have their pass.
QString PointResultText(const PointResult& p) {
  QString text = PointVerdictText(p.verdict ? *p.verdict : (p.pass ? PointVerdict::Pass : PointVerdict::Fail));
  if (!p.settled) text += QStringLiteral(" (not settled)");
  return text;
}

void PrintPoints(QTextStream& out, const RunResult& run) {
  out << '\n' << RunKindText(run.kind) << " points";
  if (run.complete)
    out << " (complete)";
  else
    out << " (ended early: " << Cell(run.endReason.isEmpty() ? QStringLiteral("no reason kept") : run.endReason) << ')';
  out << ":\n";
  PrintRow(out, {"percent", "direction", "applied", "expected", "measured", "error_percent_of_span", "result"});
  for (const PointResult& p : run.points)
    PrintRow(out, {Number(p.percent), p.down ? "down" : "up", Number(p.applied), Number(p.expected), Number(p.measured),
                   Number(p.errorPercent), PointResultText(p)});
}

QString CsvLine(const QStringList& fields) {
  QStringList quoted;
  quoted.reserve(fields.size());
  for (const QString& f : fields) quoted << CsvField(f);
  return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

}  // namespace

QString UtcText(const QDateTime& time) {
  return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

int ListInstruments(LabRecords& records, QTextStream& out, QTextStream& err) {
  const RecordsResult<std::vector<Instrument>> listed = records.Instruments();
  if (!listed.ok()) return Refused(listed, err);
  PrintRow(out, {"tag", "description", "manufacturer", "model", "serial", "location", "owner", "interval_days", "state"});
  for (const Instrument& i : listed.value)
    PrintRow(out, {i.tag, i.description, i.manufacturer, i.model, i.serial, i.location, i.owner,
                   QString::number(i.intervalDays), ServiceStateText(i.state)});
  return kExitOk;
}

int ListDue(LabRecords& records, const QDate& today, std::optional<int> withinDays, QTextStream& out, QTextStream& err) {
  DueFilter filter;
  filter.today = today;
  filter.dueWithinDays = withinDays;
  const RecordsResult<std::vector<DueEntry>> due = records.DueList(filter);
  if (!due.ok()) return Refused(due, err);
  PrintRow(out, {"tag", "description", "location", "last_certificate", "as_found", "as_left", "due", "status"});
  for (const DueEntry& e : due.value) {
    QString status;
    if (!e.dueOn.isValid())
      status = QStringLiteral("NOT CALIBRATED");
    else if (e.dueOn < today)
      status = QStringLiteral("OVERDUE");
    PrintRow(out, {e.instrument.tag, e.instrument.description, e.instrument.location,
                   e.last ? e.last->certificateNumber : QString(), e.last ? e.last->asFoundVerdict : QString(),
                   e.last ? e.last->asLeftVerdict : QString(),
                   e.dueOn.isValid() ? e.dueOn.toString(Qt::ISODate) : QStringLiteral("now"), status});
  }
  return kExitOk;
}

int ShowCertificate(LabRecords& records, const QString& number, QTextStream& out, QTextStream& err) {
  const RecordsResult<std::vector<CalibrationSummary>> found = records.FindCertificate(number);
  if (!found.ok()) return Refused(found, err);
  const std::vector<CalibrationSummary>& revisions = found.value;
  const CalibrationSummary& newest = revisions.back();
  out << "Certificate " << newest.certificateNumber << " of " << Cell(newest.tag) << ", " << revisions.size()
      << (revisions.size() == 1 ? " revision" : " revisions") << ":\n";
  PrintRow(out, {"revision", "state", "technician", "started_utc", "finished_utc", "as_found", "as_left"});
  for (const CalibrationSummary& s : revisions)
    PrintRow(out, {QString::number(s.revision), CalibrationStateText(s.state), s.technician, UtcText(s.started),
                   UtcText(s.finished), s.asFoundVerdict, s.asLeftVerdict});

  const RecordsResult<StoredCalibration> stored = records.FindCalibration(newest.id);
  if (!stored.ok()) {
    // The summary above is still right; only the points cannot be shown.
    err << "The points of revision " << newest.revision << " cannot be shown: " << stored.message << '\n';
    return kExitOk;
  }
  out << "\nPoints of revision " << newest.revision << ':';
  if (!stored.value.record.asFound && !stored.value.record.asLeft) out << " none recorded\n";
  for (const std::optional<RunResult>& run : {stored.value.record.asFound, stored.value.record.asLeft})
    if (run) PrintPoints(out, *run);
  return kExitOk;
}

int ShowCertificateDcc(LabRecords& records, const QString& number, const LabIdentity& lab, QTextStream& out,
                       QTextStream& err) {
  const RecordsResult<std::vector<CalibrationSummary>> found = records.FindCertificate(number);
  if (!found.ok()) return Refused(found, err);
  const RecordsResult<CertificateData> data = LoadCertificateData(records, found.value.back().id, lab);
  if (!data.ok()) return Refused(data, err);
  const QByteArray xml = DccXml(data.value);
  if (xml.isEmpty()) {
    err << "Certificate " << number << " has no run to certify.\n";
    return kExitFailed;
  }
  out << QString::fromUtf8(xml);  // the stream writes UTF-8, as the XML declares
  return kExitOk;
}

int ExportCsv(LabRecords& records, const QString& file, QTextStream& out, QTextStream& err) {
  const RecordsResult<std::vector<CalibrationSummary>> all = records.Calibrations();
  if (!all.ok()) return Refused(all, err);
  QString csv = CsvLine({"certificate", "revision", "state", "tag", "technician", "started_utc", "finished_utc",
                         "as_found", "as_left", "as_found_largest_error_percent_of_span",
                         "as_left_largest_error_percent_of_span"});
  for (const CalibrationSummary& s : all.value) {
    // The largest errors are in the runs, which only the full record holds.
    const RecordsResult<StoredCalibration> stored = records.FindCalibration(s.id);
    if (!stored.ok()) return Refused(stored, err);
    csv += CsvLine({s.certificateNumber, QString::number(s.revision), CalibrationStateText(s.state), s.tag, s.technician,
                    UtcText(s.started), UtcText(s.finished), s.asFoundVerdict, s.asLeftVerdict,
                    LargestErrorText(stored.value.record.asFound), LargestErrorText(stored.value.record.asLeft)});
  }
  if (file.isEmpty()) {
    out << csv;
    out.flush();
    return kExitOk;
  }
  QSaveFile saved(file);
  const QByteArray bytes = csv.toUtf8();
  if (!saved.open(QIODevice::WriteOnly) || saved.write(bytes) != bytes.size() || !saved.commit()) {
    err << "Cannot write " << file << ": " << saved.errorString() << '\n';
    return kExitFailed;
  }
  out << "Wrote " << all.value.size() << " calibrations to " << file << '\n';
  return kExitOk;
}

int ImportFolder(LabRecords& records, const QString& folder, QTextStream& out, QTextStream& err) {
  if (!QDir(folder).exists()) {
    err << "No folder " << folder << " to import from.\n";
    return kExitFailed;
  }
  const ImportCounts counts =
      ImportRecordFiles(records, folder, {SystemUserName(), {}}, [&out](const QString& line) { out << line << '\n'; });
  if (counts.stoppedBy != RecordsError::None)
    return Refused(RecordsResult<int>::Fail(counts.stoppedBy, counts.stoppedWhy), err);
  out << ImportSummary(counts) << '\n';
  return counts.failed > 0 ? kExitFailed : kExitOk;
}

int VerifyTrail(LabRecords& records, QTextStream& out, QTextStream& err) {
  const RecordsResult<ChainReport> checked = records.VerifyAudit();
  if (!checked.ok()) return Refused(checked, err);
  const ChainReport& report = checked.value;
  if (report.intact) {
    out << "Audit trail intact: " << report.entries << (report.entries == 1 ? " entry" : " entries");
    if (!report.newestHash.isEmpty()) out << ", newest hash " << report.newestHash;
    out << '\n';
    return kExitOk;
  }
  out << "Audit trail BROKEN";
  if (report.firstBrokenId != 0) out << " at entry " << report.firstBrokenId;
  out << ": " << report.problem << '\n';
  return kExitBrokenChain;
}

}  // namespace vorenx::records_cli
