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

// The calibration laboratory as its certificates name it (settings "lab/...").
struct LabIdentity {
  QString name;
  QString address;        // may hold several lines
  QString signatoryName;  // the authorised signatory
  QString signatoryRole;

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
  QDateTime issued;                         // UTC: when the record reached the lab's records
  QString auditHash;                        // the audit trail's newest hash when issued
  QString software;                         // "Vorenx 1.4.0"
};

}  // namespace vorenx
