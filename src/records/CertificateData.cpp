// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "records/CertificateData.h"

#include <QObject>

#include "platform/FileText.h"

namespace vorenx {

namespace {

// When the as-found began, to find the as-left that came before it; the
// summary's start for a record without an as-found.
QDateTime AsFoundStart(const StoredCalibration& stored) {
  if (stored.record.asFound && stored.record.asFound->started.isValid()) return stored.record.asFound->started;
  return stored.summary.started;
}

}  // namespace

RecordsResult<CertificateData> LoadCertificateData(LabRecords& records, qint64 calibrationId, const LabIdentity& lab) {
  using Result = RecordsResult<CertificateData>;
  const RecordsResult<StoredCalibration> stored = records.FindCalibration(calibrationId);
  if (!stored.ok()) return Result::Fail(stored.error, stored.message);

  CertificateData data;
  data.lab = lab;
  data.summary = stored.value.summary;
  data.record = stored.value.record;
  data.software = QStringLiteral("Vorenx %1").arg(VersionText());

  const RecordsResult<Instrument> instrument = records.FindInstrument(data.summary.tag);
  if (instrument.ok())
    data.instrument = instrument.value;
  else if (instrument.error != RecordsError::NotFound)
    return Result::Fail(instrument.error, instrument.message);

  if (data.summary.supersedes != 0) {
    const RecordsResult<StoredCalibration> replaced = records.FindCalibration(data.summary.supersedes);
    if (!replaced.ok())
      return Result::Fail(replaced.error, CertificateWords::tr("The revision this certificate replaces cannot be read: %1")
                                              .arg(replaced.message));
    data.replacesNumber = replaced.value.summary.certificateNumber;
    data.replacesRevision = replaced.value.summary.revision;
  }

  // The drift's basis: the newest complete as-left of the tag, of another
  // certificate that is not superseded, that ended before this as-found began.
  const RecordsResult<std::vector<CalibrationSummary>> history = records.History(data.summary.tag);
  if (!history.ok()) return Result::Fail(history.error, history.message);
  const QDateTime start = AsFoundStart(stored.value);
  for (const CalibrationSummary& s : history.value) {  // newest first
    if (s.state == CalibrationState::Superseded || s.certificateNumber == data.summary.certificateNumber) continue;
    if (start.isValid() && s.finished.isValid() && s.finished > start) continue;
    const RecordsResult<StoredCalibration> earlier = records.FindCalibration(s.id);
    if (!earlier.ok()) return Result::Fail(earlier.error, earlier.message);
    const std::optional<RunResult>& asLeft = earlier.value.record.asLeft;
    if (asLeft && asLeft->complete && (!start.isValid() || !asLeft->finished.isValid() || asLeft->finished <= start)) {
      data.previousAsLeft = asLeft;
      data.previousAsLeftCertificate = s.certificateNumber;
      break;
    }
  }

  const RecordsResult<QString> hash = records.NewestAuditHash();
  if (!hash.ok()) return Result::Fail(hash.error, hash.message);
  data.auditHash = hash.value;
  data.issued = QDateTime::currentDateTimeUtc();
  return Result::Ok(std::move(data));
}

}  // namespace vorenx
