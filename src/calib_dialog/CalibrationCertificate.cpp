#include "calib_dialog/CalibrationCertificate.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <atomic>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "calib_dialog/CalibrationTexts.h"
#include "calib_dialog/CertificatePlot.h"

namespace vorenx {

namespace {

constexpr double kColumnWidths[] = {80, 70, 130, 130, 130, 130, 130, 200};
constexpr int kBodyPixels = 10;
const QColor kFail(0xB0, 0x00, 0x20);
const QColor kPass(0x10, 0x70, 0x20);

QFont BodyFont(bool bold = false, int pixels = kBodyPixels) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A new empty file beside `target` for the PDF to be written into, made with
// mode 0666 less the umask as any file the user saves (a QTemporaryFile is
// 0600 whatever the umask, and the rename would keep that). Empty on failure,
// with errno set.
QString CreateSpareFile(const QFileInfo& target) {
  static std::atomic<unsigned> s_counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name = target.absoluteDir().filePath(
        QStringLiteral(".%1.tmp-%2-%3")
            .arg(target.fileName())
            .arg(::getpid())
            .arg(s_counter.fetch_add(1, std::memory_order_relaxed)));
    const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) break;
  }
  return QString();
}

void Text(QPainter& p, const QRectF& r, const QString& text, int align = Qt::AlignLeft | Qt::AlignVCenter) {
  p.drawText(r, align, p.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(r.width())));
}

}  // namespace

CalibrationCertificate::CalibrationCertificate(CertificateContent content) : m_content(std::move(content)) {
  if (m_content.record.asFound && m_content.previousAsLeft)
    m_drift = DriftAgainst(*m_content.record.asFound, *m_content.previousAsLeft);
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
  // An interrupted run says when and for how long, on a line of its own under its verdict.
  for (const RunResult* run : Runs())
    if (!run->interruptions.empty()) m.verdictLines = 4;
  // The records' lines: the number on top, the trail's hash at the end.
  m.headerLines += (m_content.certificateNumber.isEmpty() ? 0 : 1) + (m_content.auditHash.isEmpty() ? 0 : 1);
  return m;
}

std::vector<const RunResult*> CalibrationCertificate::Runs() const {
  std::vector<const RunResult*> runs;
  if (m_content.record.asFound) runs.push_back(&*m_content.record.asFound);
  if (m_content.record.asLeft) runs.push_back(&*m_content.record.asLeft);
  return runs;
}

std::vector<CertificatePage> CalibrationCertificate::Pages(double printableHeight) const {
  std::vector<int> rows;
  for (const RunResult* run : Runs()) rows.push_back(static_cast<int>(run->points.size()));
  return LayoutCertificate(MetricsFor(printableHeight), rows);
}

bool CalibrationCertificate::Paint(QPagedPaintDevice& device) const {
  if (device.width() <= 0) return false;
  const double scale = device.width() / kCertificateWidth;
  const CertificateMetrics m = MetricsFor(device.height() / scale);
  const std::vector<CertificatePage> pages = Pages(m.pageHeight);
  QPainter p;
  if (!p.begin(&device)) return false;
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
    if (i > 0 && !device.newPage()) return false;
    p.save();
    p.scale(scale, scale);
    PaintPage(p, pages[i], i + 1, static_cast<int>(pages.size()), m);
    p.restore();
  }
  return p.end();
}

void CalibrationCertificate::PaintPage(QPainter& p, const CertificatePage& page, int number, int count,
                                       const CertificateMetrics& m) const {
  p.setFont(BodyFont());
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
        p.setFont(BodyFont());
        PaintErrorPlot(p, QRectF(0, b.top + m.lineHeight, kCertificateWidth, b.height - 2 * m.lineHeight),
                       m_content.record);
        break;
      case CertificateBlockKind::Signatures:
        PaintSignatures(p, b.top);
        break;
    }
  }
  const double y = m.pageHeight - m.footerHeight + 10;
  p.setFont(BodyFont(false, 9));
  p.setPen(QColor(0x55, 0x55, 0x55));
  p.drawLine(QPointF(0, y - 4), QPointF(kCertificateWidth, y - 4));
  Text(p, QRectF(0, y, 700, 16),
       QObject::tr("Calibration certificate %1 \u2014 printed %2")
           .arg(m_content.certificateNumber.isEmpty() ? m_content.record.setup.tag : m_content.certificateNumber,
                DateTimeText(m_content.printed)));
  Text(p, QRectF(700, y, 300, 16), QObject::tr("Page %1 of %2").arg(number).arg(count),
       Qt::AlignRight | Qt::AlignVCenter);
}

void CalibrationCertificate::PaintHeader(QPainter& p, double top, const CertificateMetrics& m) const {
  const CalibrationSetup& s = m_content.record.setup;
  p.setFont(BodyFont(true, 22));
  Text(p, QRectF(0, top, kCertificateWidth, 2 * m.lineHeight), QObject::tr("Calibration certificate"));
  // The verdicts at the top right, the newest run's last and largest.
  double right = kCertificateWidth;
  const std::vector<const RunResult*> runs = Runs();
  for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
    const bool newest = it == runs.rbegin();
    p.setFont(BodyFont(true, newest ? 18 : 12));
    const QString text = QStringLiteral("%1 %2").arg(RunKindText((*it)->kind), RunVerdictText(**it));
    const double width = p.fontMetrics().horizontalAdvance(text) + 4;
    p.setPen(RunPasses(**it) ? kPass : kFail);
    Text(p, QRectF(right - width, top, width, 2 * m.lineHeight), text, Qt::AlignRight | Qt::AlignVCenter);
    right -= width + 24;
  }
  p.setPen(Qt::black);
  QString when;
  if (m_content.record.asFound) when = DateTimeText(m_content.record.asFound->started);
  if (m_content.record.asLeft)
    when += QObject::tr("%1as-left finished %2")
                .arg(when.isEmpty() ? QString() : QStringLiteral("; "), DateTimeText(m_content.record.asLeft->finished));
  std::vector<std::pair<QString, QString>> lines;
  if (!m_content.certificateNumber.isEmpty())
    lines.push_back({QObject::tr("Certificate"),
                     QObject::tr("%1, revision %2").arg(m_content.certificateNumber).arg(m_content.revision)});
  const std::pair<QString, QString> setupLines[] = {
      {QObject::tr("Tag"), s.tag},
      {QObject::tr("Description"), s.description},
      {QObject::tr("Date and time"), when},
      {QObject::tr("Technician"), s.technician},
      {QObject::tr("Calibrator"), m_content.record.calibrator},
      {QObject::tr("Input (sourced)"), InputSpanText(s)},
      {QObject::tr("Output (measured)"), OutputSpanText(s)},
      {QObject::tr("Tolerance"), ToleranceText(s)},
      {QObject::tr("Test points"), PointsFieldText(s.pointsPercent) + QStringLiteral(" % of span") +
                                       (s.runDown ? QObject::tr(", up and down") : QObject::tr(", up"))},
      {QObject::tr("Settling"), SettleRuleText(s.settle)},
  };
  lines.insert(lines.end(), std::begin(setupLines), std::end(setupLines));
  if (!m_content.auditHash.isEmpty()) lines.push_back({QObject::tr("Audit trail"), m_content.auditHash});
  double y = top + 3 * m.lineHeight;
  for (const auto& [label, value] : lines) {
    p.setFont(BodyFont(true));
    Text(p, QRectF(0, y, 170, m.lineHeight), label);
    p.setFont(BodyFont());
    Text(p, QRectF(180, y, kCertificateWidth - 180, m.lineHeight), value);
    y += m.lineHeight;
  }
}

void CalibrationCertificate::PaintTableHead(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  p.setFont(BodyFont(true, 13));
  QString title = RunKindText(run.kind);
  if (b.continued) title += QObject::tr(" (continued)");
  Text(p, QRectF(0, b.top, kCertificateWidth, 1.5 * m.lineHeight), title);
  p.setFont(BodyFont(true));
  const QStringList titles = ResultColumnTitles(m_content.record.setup);
  const double y = b.top + 2 * m.lineHeight;
  double x = 0;
  for (int c = 0; c < titles.size(); ++c) {
    Text(p, QRectF(x + 3, y, kColumnWidths[c] - 6, m.lineHeight), titles[c],
         (c == 1 || c == titles.size() - 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    x += kColumnWidths[c];
  }
  p.drawLine(QPointF(0, y + m.lineHeight), QPointF(kCertificateWidth, y + m.lineHeight));
}

void CalibrationCertificate::PaintRows(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  const bool withDrift = b.table == 0 && run.kind == RunKind::AsFound;
  p.setFont(BodyFont());
  for (int r = 0; r < b.rows; ++r) {
    const int index = b.firstRow + r;
    const PointResult& point = run.points.at(index);
    const double drift = withDrift && index < static_cast<int>(m_drift.size()) ? m_drift[index] : std::nan("");
    const QStringList cells = ResultCells(point, drift);
    const double y = b.top + r * m.lineHeight;
    if (index % 2 == 1) p.fillRect(QRectF(0, y, kCertificateWidth, m.lineHeight), QColor(0xF2, 0xF2, 0xF2));
    p.setPen(point.pass ? Qt::black : kFail);
    double x = 0;
    for (int c = 0; c < cells.size(); ++c) {
      Text(p, QRectF(x + 3, y, kColumnWidths[c] - 6, m.lineHeight), cells[c],
           (c == 1 || c == cells.size() - 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
      x += kColumnWidths[c];
    }
  }
  p.setPen(Qt::black);
  p.drawLine(QPointF(0, b.top + b.height), QPointF(kCertificateWidth, b.top + b.height));
}

void CalibrationCertificate::PaintVerdict(QPainter& p, const CertificateBlock& b, const CertificateMetrics& m) const {
  const RunResult& run = *Runs().at(b.table);
  p.setFont(BodyFont(true));
  p.setPen(RunPasses(run) ? kPass : kFail);
  Text(p, QRectF(0, b.top + 2, kCertificateWidth, m.lineHeight), RunSummaryText(run));
  p.setPen(Qt::black);
  p.setFont(BodyFont());
  const bool withDrift = b.table == 0 && run.kind == RunKind::AsFound;
  if (const QString interrupted = InterruptionsText(run); !interrupted.isEmpty())
    Text(p, QRectF(0, b.top + 2 + (withDrift ? 2 : 1) * m.lineHeight, kCertificateWidth, m.lineHeight), interrupted);
  if (!withDrift) return;
  QString drift = QObject::tr("No earlier as-left of this tag to compare with.");
  if (m_content.previousAsLeft) {
    int worst = -1;
    for (int i = 0; i < static_cast<int>(m_drift.size()); ++i)
      if (std::isfinite(m_drift[i]) && (worst < 0 || std::abs(m_drift[i]) > std::abs(m_drift[worst]))) worst = i;
    const QString basis = DriftBasisText(*m_content.previousAsLeft, m_content.previousAsLeftFile);
    drift = worst < 0 ? QObject::tr("No point in common with %1.").arg(basis)
                      : QObject::tr("Largest drift %1 % of span at %2 %, against %3.")
                            .arg(ErrorText(m_drift[worst]), NumberText(run.points[worst].percent), basis);
  }
  Text(p, QRectF(0, b.top + 2 + m.lineHeight, kCertificateWidth, m.lineHeight), drift);
}

void CalibrationCertificate::PaintSignatures(QPainter& p, double top) const {
  p.setFont(BodyFont());
  p.setPen(Qt::black);
  const QString who[] = {QObject::tr("Calibrated by"), QObject::tr("Checked by")};
  for (int i = 0; i < 2; ++i) {
    const double y = top + 40 + i * 55;
    Text(p, QRectF(0, y - 16, 140, 16), who[i] + QLatin1Char(':'));
    p.drawLine(QPointF(140, y), QPointF(560, y));
    Text(p, QRectF(620, y - 16, 60, 16), QObject::tr("Date:"));
    p.drawLine(QPointF(680, y), QPointF(kCertificateWidth, y));
    if (i == 0 && !m_content.record.setup.technician.isEmpty()) {
      p.setFont(BodyFont(false, 9));
      Text(p, QRectF(140, y + 2, 420, 14), m_content.record.setup.technician);
      p.setFont(BodyFont());
    }
  }
}

bool CalibrationCertificate::WritePdf(const QString& path, QString* error) const {
  auto fail = [&](const QString& why) {
    if (error) *error = QObject::tr("The certificate could not be written to %1: %2").arg(path, why);
    return false;
  };
  const QString temp = CreateSpareFile(QFileInfo(path));
  if (temp.isEmpty()) return fail(QString::fromLocal8Bit(std::strerror(errno)));
  const QByteArray tempName = QFile::encodeName(temp);
  auto failRemoving = [&](const QString& why) {
    ::unlink(tempName.constData());
    return fail(why);
  };
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp);
    printer.setPageLayout(DefaultPageLayout());
    printer.setDocName(QObject::tr("Calibration certificate %1").arg(m_content.record.setup.tag));
    printer.setCreator(QStringLiteral("Vorenx"));
    if (!Paint(printer)) return failRemoving(QObject::tr("the PDF could not be painted"));
  }
  if (QFileInfo(temp).size() <= 0) return failRemoving(QObject::tr("nothing was written (is the disk full?)"));
  if (std::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0)
    return failRemoving(QString::fromLocal8Bit(std::strerror(errno)));
  return true;
}

}  // namespace vorenx
