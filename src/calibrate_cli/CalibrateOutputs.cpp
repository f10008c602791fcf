// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/CalibrateOutputs.h"

#include "certificate/CertificatePdf.h"
#include "records/CertificateData.h"
#include "records/DccWriter.h"
#include "records/LabSettings.h"

namespace vorenx::calibrate_cli {

bool WriteCertificateFiles(LabRecords& records, qint64 calibrationId, const QString& settingsFile,
                           const CertificateFiles& files, QString* error) {
  const RecordsResult<CertificateData> data =
      LoadCertificateData(records, calibrationId, LoadLabIdentity(settingsFile));
  if (!data.ok()) {
    *error = QStringLiteral("the certificate's data cannot be read from the records: ") + data.message;
    return false;
  }
  if (!files.pdf.isEmpty() && !WriteCertificatePdf(data.value, files.pdf, error)) return false;
  return files.dcc.isEmpty() || SaveDccXml(data.value, files.dcc, error);
}

}  // namespace vorenx::calibrate_cli
