// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The certificate's page layout (pure arithmetic) and the plot's error axis.
#include <gtest/gtest.h>

#include <cmath>

#include "certificate/CertificateLayout.h"
#include "certificate/CertificatePlot.h"

namespace vorenx {
namespace {

// Every row of every table once, in order; no block runs into the footer.
void ExpectSound(const std::vector<CertificatePage>& pages, const CertificateMetrics& m, const std::vector<int>& rows) {
  std::vector<int> next(rows.size(), 0);
  int plots = 0, signatures = 0, verdicts = 0, statements = 0;
  for (const CertificatePage& page : pages) {
    ASSERT_FALSE(page.empty());
    double y = 0;
    for (std::size_t i = 0; i < page.size(); ++i) {
      const CertificateBlock& b = page[i];
      EXPECT_GE(b.top, y - 1e-9);
      y = b.top + b.height;
      // Only a block taller than a page, alone on its own, may reach the footer.
      if (b.height <= m.pageHeight - m.footerHeight || page.size() > 1) {
        EXPECT_LE(y, m.pageHeight - m.footerHeight + 1e-9);
      }
      if (b.kind == CertificateBlockKind::TableRows) {
        EXPECT_EQ(b.firstRow, next[b.table]);
        next[b.table] += b.rows;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(page[i - 1].kind, CertificateBlockKind::TableHead);  // rows never without their titles
      }
      if (b.kind == CertificateBlockKind::TableHead && rows[b.table] > 0) {
        ASSERT_LT(i + 1, page.size());
        EXPECT_EQ(page[i + 1].kind, CertificateBlockKind::TableRows);
      }
      if (b.kind == CertificateBlockKind::Verdict) {
        EXPECT_EQ(next[b.table], rows[b.table]);
        ++verdicts;
      }
      plots += b.kind == CertificateBlockKind::Plot;
      statements += b.kind == CertificateBlockKind::Statements;
      signatures += b.kind == CertificateBlockKind::Signatures;
    }
  }
  EXPECT_EQ(next, rows);
  EXPECT_EQ(verdicts, static_cast<int>(rows.size()));
  EXPECT_EQ(plots, 1);
  EXPECT_EQ(statements, m.statementLines > 0 ? 1 : 0);
  EXPECT_EQ(signatures, 1);
  EXPECT_EQ(pages.back().back().kind, CertificateBlockKind::Signatures);
}

TEST(CertificateLayout, TwoShortRunsFitOnOnePage) {
  const CertificateMetrics m;
  const auto pages = LayoutCertificate(m, {9, 9});
  EXPECT_EQ(pages.size(), 1u);
  ExpectSound(pages, m, {9, 9});
}

TEST(CertificateLayout, ManyPointsGoOnOverPagesWithTheirTitlesAgain) {
  const CertificateMetrics m;
  // Page 1 holds the header (14 lines) and the head (3): 1453 / 16 = 90 lines in all, 73 rows.
  const auto pages = LayoutCertificate(m, {100, 0});
  ExpectSound(pages, m, {100, 0});
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(pages[0].back().rows, 73);
  EXPECT_TRUE(pages[1].front().continued);
  EXPECT_EQ(pages[1][1].firstRow, 73);
}

TEST(CertificateLayout, BlocksThatDoNotFitMoveWhole) {
  CertificateMetrics m;
  for (int rows = 0; rows < 200; rows += 7) {
    SCOPED_TRACE(rows);
    ExpectSound(LayoutCertificate(m, {rows, rows / 3}), m, {rows, rows / 3});
  }
  m.pageHeight = 300;  // smaller than header + plot: each still gets a page
  ExpectSound(LayoutCertificate(m, {5}), m, {5});
}

TEST(CertificatePlot, TheErrorAxisShowsTwiceTheToleranceAndEveryErrorInRoundSteps) {
  for (double tol : {0.05, 0.1, 0.25, 0.5, 1.0, 2.0}) {
    for (double err : {0.0, 0.3, 1.0, 7.5}) {
      const ErrorAxis axis = ErrorAxisFor(tol, err);
      EXPECT_GE(axis.limit, 2 * tol - 1e-12);
      EXPECT_GE(axis.limit, err);
      const double mantissa = axis.step / std::pow(10.0, std::floor(std::log10(axis.step)));
      EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9);
      const double ticks = axis.limit / axis.step;
      EXPECT_NEAR(ticks, std::round(ticks), 1e-9);
      EXPECT_LE(ticks, 10);
    }
  }
}

TEST(CertificateLayout, TheStatementsComeWholeAfterThePlotAndBeforeTheSignatures) {
  CertificateMetrics m;
  m.statementLines = 12;
  for (int rows = 0; rows < 200; rows += 13) {
    SCOPED_TRACE(rows);
    const auto pages = LayoutCertificate(m, {rows, rows});
    ExpectSound(pages, m, {rows, rows});
    std::vector<CertificateBlockKind> order;
    for (const CertificatePage& page : pages)
      for (const CertificateBlock& b : page)
        if (b.kind == CertificateBlockKind::Plot || b.kind == CertificateBlockKind::Statements ||
            b.kind == CertificateBlockKind::Signatures) {
          order.push_back(b.kind);
          if (b.kind == CertificateBlockKind::Statements) {
            EXPECT_DOUBLE_EQ(b.height, 12 * m.lineHeight);
          }
        }
    EXPECT_EQ(order, (std::vector<CertificateBlockKind>{CertificateBlockKind::Plot, CertificateBlockKind::Statements,
                                                        CertificateBlockKind::Signatures}));
  }
}

}  // namespace
}  // namespace vorenx
