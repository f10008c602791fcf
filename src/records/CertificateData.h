// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Everything a certificate says, gathered once from the lab's records and
// settings, for both the PDF and the digital certificate (XML): the lab and
// its signatory, the instrument's register entry, the calibration's number,
// revision and the one it replaces, the record itself, and the audit trail's
// newest hash when it was issued.

#include <QDateTime>
#include <QString>
#include <optional>

#include "records/CalibrationRecord.h"
#include "records/LabRecords.h"

namespace vorenx {

// The calibration laboratory as its certificates name it (settings "lab/...",
// LoadLabIdentity in records/LabSettings.h). A certificate of a lab whose name
// is not set says "Laboratory not set" where the name goes.
struct LabIdentity {
  QString name;
  QString address;        // may hold several lines
  QString signatoryName;  // the authorised signatory
  QString signatoryRole;
  QString country;        // ISO 3166-1 alpha-2 ("DE"); empty when not set
  QString certificateLanguage;  // the certificate's language ("de", "zh_CN"); empty: English

  friend bool operator==(const LabIdentity&, const LabIdentity&) = default;
};

struct CertificateData {
  LabIdentity lab;
  std::optional<Instrument> instrument;  // the register's entry (manufacturer, model, serial, owner)
  CalibrationSummary summary;            // certificate number, revision, state
  QString replacesNumber;                // an amendment: the certificate and revision it replaces
  int replacesRevision = 0;
  CalibrationRecord record;
  std::optional<RunResult> previousAsLeft;  // the tag's last complete as-left before this as-found
  QString previousAsLeftCertificate;        // the certificate that as-left belongs to
  QDateTime issued;                         // UTC: when the certificate was issued from the lab's records
  QString auditHash;                        // the audit trail's newest hash when issued
  QString software;                         // "Vorenx 1.4.0": the program's name, a space, its version
};

// Everything the certificate of the stored calibration `calibrationId` says,
// read from `records`: the calibration and its summary, its instrument's
// register entry (none when the tag is not in the register), the number and
// revision it replaces, the tag's last complete as-left before this as-found
// (from another certificate, not superseded), the audit trail's newest hash,
// issued now, by this program. A failure of the records is returned as it is.
RecordsResult<CertificateData> LoadCertificateData(LabRecords& records, qint64 calibrationId, const LabIdentity& lab);

}  // namespace vorenx
