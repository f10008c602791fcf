// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The certificate as a PDF file: A4 with 15 mm margins through QPdfWriter,
// written to a temporary file beside the target and renamed over it when
// whole, so that a failure leaves no half file and keeps an older one. Needs a
// QGuiApplication (the offscreen platform is enough) for its fonts.

#include <QString>

#include "records/CertificateData.h"

namespace vorenx {

// False with a sentence in `error` (when given) when the file cannot be
// written, or when the program has no QGuiApplication to draw with.
bool WriteCertificatePdf(const CertificateData& data, const QString& path, QString* error);

}  // namespace vorenx
