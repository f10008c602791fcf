// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "certificate/CalibrationCertificate.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTranslator>
#include <memory>
#include <algorithm>

#include "certificate/CertificateFacts.h"
#include "certificate/CertificatePaint.h"
#include "certificate/CertificatePlot.h"
#include "platform/Translations.h"
#include "records/CertificateWords.h"

namespace vorenx {

CalibrationCertificate::CalibrationCertificate(CertificateData data) : m_data(std::move(data)) {
  if (m_data.record.asFound && m_data.previousAsLeft)
    m_drift = DriftAgainst(*m_data.record.asFound, *m_data.previousAsLeft);
}

QPageLayout CalibrationCertificate::DefaultPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

double CalibrationCertificate::PrintableHeight(const QPageLayout& layout) {
  const QRectF r = layout.paintRect(QPageLayout::Millimeter);
  return r.width() > 0 ? r.height() / r.width() * kCertificateWidth : 0.0;
}

CertificateMetrics CalibrationCertificate::Metrics(double printableHeight) {
  CertificateMetrics m;
  m.pageHeight = printableHeight;
  return m;
}

CertificateMetrics CalibrationCertificate::MetricsFor(double printableHeight) const {
  CertificateMetrics m = Metrics(printableHeight);
  // The title, a gap, the laboratory's two lines, the facts and a gap.
  m.headerLines = 3 + 2 + static_cast<int>(CertificateFacts(m_data).size()) + 1;
  // The statements' title and their lines.
  m.statementLines = 1;
  for (const QString& s : CertificateStatements(m_data)) m.statementLines += WrapText(s, kCharsPerLine).size();
  return m;
}

std::vector<const RunResult*> CalibrationCertificate::Runs() const {
  std::vector<const RunResult*> runs;
  if (m_data.record.asFound) runs.push_back(&*m_data.record.asFound);
  if (m_data.record.asLeft) runs.push_back(&*m_data.record.asLeft);
  return runs;
}

std::vector<int> CalibrationCertificate::TableRows() const {
  std::vector<int> rows;
  for (const RunResult* run : Runs()) rows.push_back(static_cast<int>(run->points.size()));
  return rows;
}

std::vector<int> CalibrationCertificate::VerdictLines() const {
  // Each run's verdict line, its notes and a gap.
  std::vector<int> lines;
  for (const RunResult* run : Runs())
    lines.push_back(1 + static_cast<int>(RunNoteLines(m_data, *run, Drift(*run)).size()) + 1);
  return lines;
}

const std::vector<double>& CalibrationCertificate::Drift(const RunResult& run) const {
  static const std::vector<double> none;
  return run.kind == RunKind::AsFound ? m_drift : none;
}

std::vector<CertificatePage> CalibrationCertificate::Pages(double printableHeight) const {
  return LayoutCertificate(MetricsFor(printableHeight), TableRows(), VerdictLines());
}

bool CalibrationCertificate::Paint(QPagedPaintDevice& device) const {
  return Paint(device, [&device] { return device.newPage(); });
}

bool CalibrationCertificate::Paint(QPaintDevice& device, const std::function<bool()>& newPage) const {
  if (device.width() <= 0) return false;
  // Every word on the pages in the lab's certificate language, whatever the window's.
  const std::unique_ptr<QTranslator> language = LoadVorenxTranslator(m_data.lab.certificateLanguage);
  const ScopedCertificateLanguage words(language.get());
  const double scale = device.width() / kCertificateWidth;
  const CertificateMetrics m = MetricsFor(device.height() / scale);
  const std::vector<CertificatePage> pages = LayoutCertificate(m, TableRows(), VerdictLines());
  QPainter p;
  if (!p.begin(&device)) return false;
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
    if (i > 0 && !newPage()) {
      p.end();
      return false;
    }
    p.save();
    p.scale(scale, scale);
    PaintPage(p, pages[i], i + 1, static_cast<int>(pages.size()), m);
    p.restore();
  }
  return p.end();
}

void CalibrationCertificate::PaintPage(QPainter& p, const CertificatePage& page, int number, int count,
                                       const CertificateMetrics& m) const {
  p.setFont(certificate_paint::BodyFont());
  p.setPen(Qt::black);
  for (const CertificateBlock& b : page) {
    switch (b.kind) {
      case CertificateBlockKind::Header:
        PaintHeader(p, b.top, m);
        break;
      case CertificateBlockKind::TableHead:
        PaintTableHead(p, b, m);
        break;
      case CertificateBlockKind::TableRows:
        PaintRows(p, b, m);
        break;
      case CertificateBlockKind::Verdict:
        PaintVerdict(p, b, m);
        break;
      case CertificateBlockKind::Plot:
        p.setFont(certificate_paint::BodyFont());
        PaintErrorPlot(p, QRectF(0, b.top + m.lineHeight, kCertificateWidth, b.height - 2 * m.lineHeight),
                       m_data.record);
        break;
      case CertificateBlockKind::Statements:
        PaintStatements(p, b, m);
        break;
      case CertificateBlockKind::Signatures:
        PaintSignatures(p, b.top);
        break;
    }
  }
  // Every page names its certificate and says which page of how many it is.
  const double y = m.pageHeight - m.footerHeight + 10;
  p.setFont(certificate_paint::BodyFont(false, 9));
  p.setPen(QColor(0x55, 0x55, 0x55));
  p.drawLine(QPointF(0, y - 4), QPointF(kCertificateWidth, y - 4));
  certificate_paint::Text(p, QRectF(0, y, 780, 16), CertificateFooterText(m_data));
  certificate_paint::Text(p, QRectF(780, y, 220, 16), PageNumberText(number, count), Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace vorenx
