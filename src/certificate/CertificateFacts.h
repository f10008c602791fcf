// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the PDF certificate writes, as texts before any painting: the header's
// label and value lines, the table's column titles and cells, the lines under
// each run's table, the statements, the footer. Pure functions of the
// certificate's data, so that the content can be checked without a page.

#include <QString>
#include <QStringList>
#include <vector>

#include "records/CertificateData.h"

namespace vorenx {

struct CertificateFact {
  QString label;
  QString value;

  friend bool operator==(const CertificateFact&, const CertificateFact&) = default;
};

// The header's lines under the title and the laboratory, in order.
std::vector<CertificateFact> CertificateFacts(const CertificateData& data);
// The laboratory's address on one line ("not recorded" when none is set).
QString LabAddressLine(const LabIdentity& lab);

// The columns of a run's table, with the units of this setup; the widths
// (of kCertificateWidth) in the same order.
QStringList CertificateColumnTitles(const CalibrationSetup& setup);
const std::vector<double>& CertificateColumnWidths();
// One point's cells; `drift` (% of span) is NaN when there is nothing to
// compare with. U and TUR say "not recorded" for points made before they were
// kept; a TUR below 4:1 is marked "*", an output-side-only U "†".
QStringList CertificateCells(const PointResult& point, double drift);

// The lines under a run's table, after its verdict line: the statement of
// conformity, the drift (as-found only), the notes its points call for, and
// its interruptions. `drift` holds the as-found's drift per point.
QStringList RunNoteLines(const CertificateData& data, const RunResult& run, const std::vector<double>& drift);
// The statements after the plot, each a paragraph.
QStringList CertificateStatements(const CertificateData& data);

// "Certificate VX-2026-000123, revision 2 — Laboratory name" on every page.
QString CertificateFooterText(const CertificateData& data);
// "Page 2 of 3".
QString PageNumberText(int page, int count);

// `text` cut at spaces into lines of at most `maxChars` characters (a word
// longer than that gets a line of its own, cut). Never empty.
QStringList WrapText(const QString& text, int maxChars);
// Characters per line of body text across the certificate's width.
inline constexpr int kCharsPerLine = 150;

}  // namespace vorenx
