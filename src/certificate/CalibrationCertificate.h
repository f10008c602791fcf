// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The calibration certificate: one QPainter routine that paints every page
// (the laboratory, the certificate's number and revision, customer,
// instrument, dates, method, reference standard and environment; the as-found
// and as-left tables with U, k, TUR and verdicts; their statements of
// conformity and notes; the error plot; the statements; the signatory) with
// the certificate number and "page x of y" on each, onto any paged device: a
// QPdfWriter for the file (CertificatePdf.h), the dialog's QPrinter to print.

#include <QPageLayout>
#include <functional>
#include <vector>

#include "certificate/CertificateLayout.h"
#include "records/CertificateData.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace vorenx {

class CalibrationCertificate {
 public:
  explicit CalibrationCertificate(CertificateData data);

  // A4 portrait with 15 mm margins.
  static QPageLayout DefaultPageLayout();
  // The metrics for pages of `printableHeight` logical units.
  static CertificateMetrics Metrics(double printableHeight);
  // The printable height of `layout` in logical units (width kCertificateWidth).
  static double PrintableHeight(const QPageLayout& layout);

  const CertificateData& Data() const { return m_data; }
  // The pages of this certificate on pages of `printableHeight`.
  std::vector<CertificatePage> Pages(double printableHeight) const;
  // Paints every page; false when the device cannot be painted on.
  bool Paint(QPagedPaintDevice& device) const;
  // The same onto any device, `newPage` called before each page after the
  // first (false from it stops the painting and fails).
  bool Paint(QPaintDevice& device, const std::function<bool()>& newPage) const;

 private:
  void PaintPage(QPainter& p, const CertificatePage& page, int number, int count, const CertificateMetrics& m) const;
  // CertificateBlocks.cpp
  void PaintHeader(QPainter& p, double top, const CertificateMetrics& m) const;
  void PaintTableHead(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintRows(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintVerdict(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintStatements(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintSignatures(QPainter& p, double top) const;
  std::vector<const RunResult*> Runs() const;
  std::vector<int> TableRows() const;     // the points of each run
  std::vector<int> VerdictLines() const;  // the lines under each run's table
  // The drift of `run` per point: the as-found's against the previous as-left; none for the as-left.
  const std::vector<double>& Drift(const RunResult& run) const;
  // Metrics() with room for the lines this certificate needs.
  CertificateMetrics MetricsFor(double printableHeight) const;

  CertificateData m_data;
  std::vector<double> m_drift;  // of the as-found against the previous as-left
};

}  // namespace vorenx
