// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The certificate's blocks, each painted at the top its page layout gives it.
#include <QPainter>
#include <cmath>

#include "records/CertificateWords.h"
#include "certificate/CalibrationCertificate.h"
#include "certificate/CertificateFacts.h"
#include "certificate/CertificatePaint.h"
#include "records/CalibrationTexts.h"
#include "records/CertificateTexts.h"

namespace vorenx {

using certificate_paint::BodyFont;
using certificate_paint::Text;

namespace {

QColor VerdictColour(const std::optional<PointVerdict>& verdict) {
  if (!verdict) return certificate_paint::kFail;
  switch (*verdict) {
    case PointVerdict::Pass:
      return certificate_paint::kPass;
    case PointVerdict::Indeterminate:
      return certificate_paint::kUndecided;
    case PointVerdict::Fail:
      break;
  }
  return certificate_paint::kFail;
}

// Text columns are left-aligned, numbers right-aligned.
int ColumnAlignment(int column, int count) {
  return (column == 1 || column == count - 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

void PaintCells(QPainter& p, double y, double height, const QStringList& cells) {
  const std::vector<double>& widths = CertificateColumnWidths();
  double x = 0;
  for (int c = 0; c < cells.size() && c < static_cast<int>(widths.size()); ++c) {
    // A text column after a number column keeps clear of it.
    const int align = ColumnAlignment(c, static_cast<int>(widths.size()));
    const double pad = (align & Qt::AlignLeft) && c > 0 ? 12 : 3;
    Text(p, QRectF(x + pad, y, widths[c] - pad - 3, height), cells[c], align);
    x += widths[c];
  }
}

}  // namespace

void CalibrationCertificate::PaintHeader(QPainter& p, double top, const CertificateMetrics& m) const {
  p.setFont(BodyFont(true, 22));
  Text(p, QRectF(0, top, kCertificateWidth, 2 * m.lineHeight), CertificateWords::tr("Calibration certificate"));
  // The verdicts at the top right, the newest run's last and largest.
  double right = kCertificateWidth;
  const std::vector<const RunResult*> runs = Runs();
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
    const bool newest = it == runs.rbegin();
    p.setFont(BodyFont(true, newest ? 18 : 12));
    const QString text = QStringLiteral("%1 %2").arg(RunKindWord((*it)->kind), StatedRunVerdictText(**it));
    const double width = p.fontMetrics().horizontalAdvance(text) + 4;
    p.setPen(VerdictColour(StatedRunVerdict(**it)));
    Text(p, QRectF(right - width, top, width, 2 * m.lineHeight), text, Qt::AlignRight | Qt::AlignVCenter);
    right -= width + 24;
  }

  // The laboratory; a certificate of a lab whose name is not set says so in red.
  double y = top + 3 * m.lineHeight;
  p.setFont(BodyFont(true, 13));
  p.setPen(m_data.lab.name.trimmed().isEmpty() ? certificate_paint::kFail : Qt::black);
  Text(p, QRectF(0, y, kCertificateWidth, m.lineHeight), LabNameText(m_data.lab));
  p.setPen(Qt::black);
  p.setFont(BodyFont(false, 9));
  Text(p, QRectF(0, y + m.lineHeight, kCertificateWidth, m.lineHeight), LabAddressLine(m_data.lab));

  y += 2 * m.lineHeight;
  for (const CertificateFact& fact : CertificateFacts(m_data)) {
    p.setFont(BodyFont(true));
    Text(p, QRectF(0, y, 170, m.lineHeight), fact.label);
    p.setFont(BodyFont());
    Text(p, QRectF(180, y, kCertificateWidth - 180, m.lineHeight), fact.value);
    y += m.lineHeight;
  }
}

void CalibrationCertificate::PaintTableHead(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  p.setFont(BodyFont(true, 13));
  QString title = RunKindWord(run.kind);
  if (b.continued) title += CertificateWords::tr(" (continued)");
  Text(p, QRectF(0, b.top, kCertificateWidth, 1.5 * m.lineHeight), title);
  p.setFont(BodyFont(true));
  const double y = b.top + 2 * m.lineHeight;
  PaintCells(p, y, m.lineHeight, CertificateColumnTitles(m_data.record.setup));
  p.drawLine(QPointF(0, y + m.lineHeight), QPointF(kCertificateWidth, y + m.lineHeight));
}

void CalibrationCertificate::PaintRows(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  p.setFont(BodyFont());
  for (int r = 0; r < b.rows; ++r) {
    const int index = b.firstRow + r;
    const PointResult& point = run.points.at(index);
    const std::vector<double>& drifts = Drift(run);
    const double drift = index < static_cast<int>(drifts.size()) ? drifts[index] : std::nan("");
    const double y = b.top + r * m.lineHeight;
    if (index % 2 == 1) p.fillRect(QRectF(0, y, kCertificateWidth, m.lineHeight), QColor(0xF2, 0xF2, 0xF2));
    const PointVerdict verdict = StatedVerdict(point);
    p.setPen(verdict == PointVerdict::Pass ? QColor(Qt::black) : VerdictColour(verdict));
    PaintCells(p, y, m.lineHeight, CertificateCells(point, drift));
  }
  p.setPen(Qt::black);
  p.drawLine(QPointF(0, b.top + b.height), QPointF(kCertificateWidth, b.top + b.height));
}

void CalibrationCertificate::PaintVerdict(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  p.setFont(BodyFont(true));
  p.setPen(VerdictColour(StatedRunVerdict(run)));
  Text(p, QRectF(0, b.top + 2, kCertificateWidth, m.lineHeight), RunResultLine(run));
  p.setPen(Qt::black);
  p.setFont(BodyFont());
  double y = b.top + 2 + m.lineHeight;
  for (const QString& line : RunNoteLines(m_data, run, Drift(run))) {
    Text(p, QRectF(0, y, kCertificateWidth, m.lineHeight), line);
    y += m.lineHeight;
  }
}

void CalibrationCertificate::PaintStatements(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  p.setPen(Qt::black);
  p.setFont(BodyFont(true, 13));
  Text(p, QRectF(0, b.top, kCertificateWidth, m.lineHeight), CertificateWords::tr("Statements"));
  double y = b.top + m.lineHeight;
  const QStringList statements = CertificateStatements(m_data);
  for (int i = 0; i < statements.size(); ++i) {
    p.setFont(BodyFont(i == statements.size() - 1));  // the sentence on reproduction stands out
    for (const QString& line : WrapText(statements[i], kCharsPerLine)) {
      Text(p, QRectF(0, y, kCertificateWidth, m.lineHeight), line);
      y += m.lineHeight;
    }
  }
}

void CalibrationCertificate::PaintSignatures(QPainter& p, double top) const {
  p.setFont(BodyFont());
  p.setPen(Qt::black);
  const LabIdentity& lab = m_data.lab;
  QString signatory = lab.signatoryName.trimmed().isEmpty() ? CertificateWords::tr("authorised signatory not set")
                                                            : lab.signatoryName.trimmed();
  if (!lab.signatoryRole.trimmed().isEmpty()) signatory += QStringLiteral(", ") + lab.signatoryRole.trimmed();
  const std::pair<QString, QString> rows[] = {{CertificateWords::tr("Calibrated by"), m_data.record.setup.technician},
                                              {CertificateWords::tr("Authorised signatory"), signatory}};
  for (int i = 0; i < 2; ++i) {
    const double y = top + 40 + i * 55;
    Text(p, QRectF(0, y - 16, 140, 16), rows[i].first + QLatin1Char(':'));
    p.drawLine(QPointF(140, y), QPointF(560, y));
    Text(p, QRectF(620, y - 16, 60, 16), CertificateWords::tr("Date:"));
    p.drawLine(QPointF(680, y), QPointF(kCertificateWidth, y));
    if (!rows[i].second.isEmpty()) {
      p.setFont(BodyFont(false, 9));
      Text(p, QRectF(140, y + 2, 420, 14), rows[i].second);
      p.setFont(BodyFont());
    }
  }
}

}  // namespace vorenx
