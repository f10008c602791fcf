// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The digital calibration certificate: the same certificate as the PDF, as
// XML after the published DCC schema 3.1.2 (namespace https://ptb.de/dcc) with
// its quantities in D-SI 2.1.0 (https://ptb.de/si), elements in the order the
// schema's sequences give them. The administrative data name the software,
// the certificate (number, dates, place), the instrument, the laboratory, its
// signatory, the customer and the statements (decision rule, conformity of
// each run, amendment, the audit trail's hash, reproduction); the
// measurement results hold one result per test point of each run, with U,
// k = 2 and about 95 %. A value the record lacks is stated "not recorded" or
// left out, never made up. See docs/digital-certificate.md.

#include <QByteArray>
#include <QString>

#include "records/CertificateData.h"

namespace vorenx {

// The namespaces and the version written.
inline constexpr char kDccNamespace[] = "https://ptb.de/dcc";
inline constexpr char kDsiNamespace[] = "https://ptb.de/si";
inline constexpr char kDccSchemaVersion[] = "3.1.2";

// The certificate as UTF-8 XML. Empty for data that is no certificate: one
// without a certificate number (issued only from the lab's records) or
// without any run.
QByteArray DccXml(const CertificateData& data);

// Writes DccXml(data) to `path` through a temporary file beside it, renamed
// over it when whole; false with a sentence in `error` (nothing is left
// behind, an existing file is kept as it was).
bool SaveDccXml(const CertificateData& data, const QString& path, QString* error = nullptr);

}  // namespace vorenx
