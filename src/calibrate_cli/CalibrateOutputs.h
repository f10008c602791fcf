// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The certificate files vorenx-calibrate writes for a calibration it kept
// in the lab's records: the PDF and the digital calibration certificate
// (XML). Both come from the certificate writers the records and the
// certificate library provide; this file is the one place that calls them.

#include <QString>

#include "records/LabRecords.h"

namespace vorenx::calibrate_cli {

struct CertificateFiles {
  QString pdf;  // empty: not asked for
  QString dcc;
};

// Writes the files of `files` for the stored calibration `calibrationId`,
// with the lab as the settings file `settingsFile` names it; each file
// whole or not at all. False with the reason in `error`.
bool WriteCertificateFiles(LabRecords& records, qint64 calibrationId, const QString& settingsFile,
                           const CertificateFiles& files, QString* error);

}  // namespace vorenx::calibrate_cli
