// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Where the blocks of a calibration certificate go on its pages: the header
// (laboratory, certificate, customer, instrument, dates, method, standard,
// environment), each run's table (title, column titles, rows, verdict and
// note lines), the plot of error against input, the statements (decision
// rule, uncertainty, amendment, audit trail, reproduction) and the signature
// lines. Pure arithmetic in the certificate's logical units (the
// printable width is kCertificateWidth), so page breaks can be tested.
//
// A table whose rows do not fit goes on over the next pages, each part with
// its title and column titles again; a part never starts without at least one
// row, and the verdict lines, the plot and the signatures each move to a new
// page whole rather than being cut.

#include <vector>

namespace vorenx {

inline constexpr double kCertificateWidth = 1000.0;

struct CertificateMetrics {
  double pageHeight = 1483.0;  // printable height in logical units (A4, 15 mm margins)
  double lineHeight = 16.0;
  int headerLines = 14;        // title and the setup lines on the first page
  int tableHeadLines = 3;      // the run's title, a gap, and the column titles
  int verdictLines = 3;        // verdict, drift, a gap
  double plotHeight = 380.0;
  int statementLines = 0;      // the statements after the plot; none when 0
  double signatureHeight = 150.0;
  double footerHeight = 30.0;  // kept free at the bottom of every page
};

enum class CertificateBlockKind { Header, TableHead, TableRows, Verdict, Plot, Statements, Signatures };

struct CertificateBlock {
  CertificateBlockKind kind = CertificateBlockKind::Header;
  int table = 0;     // for table blocks: which of the tables
  int firstRow = 0;  // TableRows: the rows [firstRow, firstRow + rows)
  int rows = 0;
  double top = 0.0;
  double height = 0.0;
  bool continued = false;  // TableHead of a table's second or later part

  friend bool operator==(const CertificateBlock&, const CertificateBlock&) = default;
};

using CertificatePage = std::vector<CertificateBlock>;

// The pages for tables of `tableRows[i]` rows each, the verdict lines under
// table i `verdictLines[i]` (metrics.verdictLines where none is given). Never empty.
std::vector<CertificatePage> LayoutCertificate(const CertificateMetrics& metrics, const std::vector<int>& tableRows,
                                               const std::vector<int>& verdictLines = {});

}  // namespace vorenx
