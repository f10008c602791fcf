#pragma once
// The calibration certificate: one QPainter routine that paints every page
// (header, as-found and as-left tables with verdicts, the error plot,
// signature lines, and a footer with the page number) onto any paged device,
// and the PDF file written through QPrinter.

#include <QDateTime>
#include <QPageLayout>
#include <optional>

#include "records/CalibrationRecord.h"
#include "calib_dialog/CertificateLayout.h"

class QPagedPaintDevice;
class QPainter;

namespace vorenx {

struct CertificateContent {
  CalibrationRecord record;
  std::optional<RunResult> previousAsLeft;  // the last complete as-left of the tag before this as-found
  QDateTime printed;
  QString previousAsLeftFile;  // the record file it came from
  // From the lab's records: the certificate's number and revision, and the
  // audit trail's newest hash when it was issued (a later check of the trail
  // finds entries removed after it). Empty for a run kept on the bench only.
  QString certificateNumber;
  int revision = 0;
  QString auditHash;
};

class CalibrationCertificate {
 public:
  explicit CalibrationCertificate(CertificateContent content);

  // A4 portrait with 15 mm margins.
  static QPageLayout DefaultPageLayout();
  // The metrics for pages of `printableHeight` logical units.
  static CertificateMetrics Metrics(double printableHeight);
  // The printable height of `layout` in logical units (width kCertificateWidth).
  static double PrintableHeight(const QPageLayout& layout);

  // The pages of this certificate on pages of `printableHeight`.
  std::vector<CertificatePage> Pages(double printableHeight) const;
  // Paints every page; false when the device cannot be painted on.
  bool Paint(QPagedPaintDevice& device) const;
  // Writes the PDF to `path` (through a temporary file in the same folder, so
  // that a failure leaves no half file); false with a sentence in `error`.
  bool WritePdf(const QString& path, QString* error) const;

 private:
  void PaintPage(QPainter& p, const CertificatePage& page, int number, int count, const CertificateMetrics& m) const;
  void PaintHeader(QPainter& p, double top, const CertificateMetrics& m) const;
  void PaintTableHead(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintRows(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintVerdict(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const;
  void PaintSignatures(QPainter& p, double top) const;
  std::vector<const RunResult*> Runs() const;
  // Metrics() with room for the lines this certificate's runs need.
  CertificateMetrics MetricsFor(double printableHeight) const;

  CertificateContent m_content;
  std::vector<double> m_drift;  // of the as-found against the previous as-left
};

}  // namespace vorenx
