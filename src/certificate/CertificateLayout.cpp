// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "certificate/CertificateLayout.h"

#include <algorithm>
#include <cmath>

namespace vorenx {

namespace {

class PageFiller {
 public:
  explicit PageFiller(const CertificateMetrics& m) : m_m(m), m_pages(1) {}

  double Room() const { return m_m.pageHeight - m_m.footerHeight - m_y; }
  bool PageIsEmpty() const { return m_pages.back().empty(); }

  void NewPage() {
    m_pages.emplace_back();
    m_y = 0.0;
  }
  // Places a block that must stay whole, on a new page when it does not fit
  // here (an empty page takes it anyway, cut at the footer).
  void PlaceWhole(CertificateBlock block) {
    if (block.height > Room() + 1e-9 && !PageIsEmpty()) NewPage();
    Place(block);
  }
  void Place(CertificateBlock block) {
    block.top = m_y;
    m_y += block.height;
    m_pages.back().push_back(block);
  }
  std::vector<CertificatePage> Take() { return std::move(m_pages); }

 private:
  const CertificateMetrics& m_m;
  std::vector<CertificatePage> m_pages;
  double m_y = 0.0;
};

}  // namespace

std::vector<CertificatePage> LayoutCertificate(const CertificateMetrics& m, const std::vector<int>& tableRows,
                                               const std::vector<int>& verdictLines) {
  PageFiller pages(m);
  const double line = std::max(m.lineHeight, 1.0);
  pages.Place({CertificateBlockKind::Header, 0, 0, 0, 0.0, m.headerLines * line, false});

  for (int t = 0; t < static_cast<int>(tableRows.size()); ++t) {
    const int total = std::max(tableRows[t], 0);
    const double head = m.tableHeadLines * line;
    int row = 0;
    bool continued = false;
    do {
      // The head goes with at least one row (or alone, for a run without rows).
      const double needed = head + (total > 0 ? line : 0.0);
      if (needed > pages.Room() + 1e-9 && !pages.PageIsEmpty()) pages.NewPage();
      pages.Place({CertificateBlockKind::TableHead, t, row, 0, 0.0, head, continued});
      const int fit = std::max(1, static_cast<int>(std::floor((pages.Room() + 1e-9) / line)));
      const int rows = std::min(fit, total - row);
      if (rows > 0) pages.Place({CertificateBlockKind::TableRows, t, row, rows, 0.0, rows * line, false});
      row += std::max(rows, 0);
      if (row < total) pages.NewPage();
      continued = true;
    } while (row < total);
    const int lines = t < static_cast<int>(verdictLines.size()) ? verdictLines[t] : m.verdictLines;
    pages.PlaceWhole({CertificateBlockKind::Verdict, t, 0, 0, 0.0, std::max(lines, 0) * line, false});
  }
  pages.PlaceWhole({CertificateBlockKind::Plot, 0, 0, 0, 0.0, m.plotHeight, false});
  if (m.statementLines > 0)
    pages.PlaceWhole({CertificateBlockKind::Statements, 0, 0, 0, 0.0, m.statementLines * line, false});
  pages.PlaceWhole({CertificateBlockKind::Signatures, 0, 0, 0, 0.0, m.signatureHeight, false});
  return pages.Take();
}

}  // namespace vorenx
