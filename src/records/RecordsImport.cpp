// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsImport.h"

#include <QDir>
#include <QFile>

namespace vorenx {

namespace {

// A record file is a few kilobytes; anything near this is not one.
constexpr qint64 kMaxRecordFileBytes = 64 * 1024 * 1024;

}  // namespace

ImportCounts ImportRecordFiles(LabRecords& records, const QString& folder, const Actor& importer,
                               const std::function<void(const QString& line)>& report) {
  ImportCounts counts;
  const QDir dir(folder);
  if (!dir.exists()) return counts;
  const QStringList names = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
  counts.files = static_cast<int>(names.size());
  for (const QString& name : names) {
    auto fail = [&](const QString& why) {
      report(name + QLatin1String(": ") + why);
      ++counts.failed;
    };
    const QString path = dir.absoluteFilePath(name);
    QFile f(path);
    if (f.size() > kMaxRecordFileBytes) {
      fail(QStringLiteral("not imported: too large to be a calibration record"));
      continue;
    }
    if (!f.open(QIODevice::ReadOnly)) {
      fail(QStringLiteral("cannot be read: ") + f.errorString());
      continue;
    }
    const QByteArray bytes = f.readAll();
    QString why;
    const std::optional<CalibrationRecord> record = RecordFromJson(bytes, &why);
    if (!record) {
      fail(QStringLiteral("not a calibration record: ") + why);
      continue;
    }
    const RecordsResult<ImportedRecord> done = records.ImportRecord(*record, bytes, path, importer);
    if (!done.ok()) {
      if (done.error == RecordsError::Connection || done.error == RecordsError::NotRecords) {
        // Every other file would fail the same way.
        report(name + QLatin1String(": not imported"));
        counts.stoppedBy = done.error;
        counts.stoppedWhy = done.message;
        return counts;
      }
      fail(QStringLiteral("not imported: ") + done.message);
      continue;
    }
    const QString& number = done.value.summary.certificateNumber;
    switch (done.value.outcome) {
      case ImportOutcome::Imported:
        report(QStringLiteral("%1: imported %2").arg(name, number));
        ++counts.imported;
        break;
      case ImportOutcome::AlreadyImported:
        report(QStringLiteral("%1: already imported (%2)").arg(name, number));
        ++counts.already;
        break;
      case ImportOutcome::ChangedSinceImport:
        report(QStringLiteral("%1: changed since its import: not imported again (%2)").arg(name, number));
        ++counts.changed;
        break;
    }
  }
  return counts;
}

QString ImportSummary(const ImportCounts& c) {
  return QStringLiteral("%1 %2: %3 imported, %4 already imported, %5 changed since their import, %6 failed")
      .arg(c.files)
      .arg(c.files == 1 ? QStringLiteral("file") : QStringLiteral("files"))
      .arg(c.imported)
      .arg(c.already)
      .arg(c.changed)
      .arg(c.failed);
}

}  // namespace vorenx
