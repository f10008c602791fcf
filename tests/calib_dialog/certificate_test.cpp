// The certificate's page layout, its PDF, the plot's axis and the results table.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include "CalibDialogFakes.h"
#include "calib_dialog/CalibrationCertificate.h"
#include "calib_dialog/CalibrationResultsTable.h"
#include "calib_dialog/CertificatePlot.h"

namespace vorenx {
namespace {

// Every row of every table once, in order; no block runs into the footer.
void ExpectSound(const std::vector<CertificatePage>& pages, const CertificateMetrics& m, const std::vector<int>& rows) {
  std::vector<int> next(rows.size(), 0);
  int plots = 0, signatures = 0, verdicts = 0;
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
      signatures += b.kind == CertificateBlockKind::Signatures;
    }
  }
  EXPECT_EQ(next, rows);
  EXPECT_EQ(verdicts, static_cast<int>(rows.size()));
  EXPECT_EQ(plots, 1);
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

RunResult SyntheticRun(RunKind kind, int points, double gain, bool down) {
  RunResult run;
  run.kind = kind;
  run.started = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
  run.finished = run.started.addSecs(300);
  run.complete = true;
  for (int i = 0; i < points; ++i) {
    PointResult p;
    p.percent = 100.0 * i / std::max(points - 1, 1);
    p.down = down && i >= points / 2;
    p.applied = p.percent;
    p.expected = 4 + 0.16 * p.percent;
    p.measured = 4 + gain * 0.16 * p.percent;
    p.errorPercent = (p.measured - p.expected) / 16 * 100;
    p.settled = true;
    p.pass = std::abs(p.errorPercent) <= 0.5;
    run.points.push_back(p);
  }
  return run;
}

int PdfPageCount(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

TEST(CalibrationCertificate, WritesAPdfWithThePagesItsLayoutSays) {
  QTemporaryDir dir;
  for (int points : {5, 150}) {
    SCOPED_TRACE(points);
    CertificateContent content;
    content.record.setup = testing::DialogSetup();
    content.record.calibrator = QStringLiteral("Vorenx calibrator on COM4 (/dev/pts/7)");
    content.record.asFound = SyntheticRun(RunKind::AsFound, points, 1.01, false);
    content.record.asLeft = SyntheticRun(RunKind::AsLeft, points, 1.001, false);
    content.printed = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
    const CalibrationCertificate certificate(content);
    const QString path = dir.filePath(QStringLiteral("c%1.pdf").arg(points));
    QString error;
    ASSERT_TRUE(certificate.WritePdf(path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const auto pages = certificate.Pages(CalibrationCertificate::PrintableHeight(CalibrationCertificate::DefaultPageLayout()));
    EXPECT_EQ(PdfPageCount(pdf), static_cast<int>(pages.size()));
    EXPECT_EQ(pages.size() > 1, points > 50);
  }
}

TEST(CalibrationCertificate, AnInterruptedRunGetsALineForItUnderItsVerdict) {
  CertificateContent content;
  content.record.setup = testing::DialogSetup();
  content.record.asFound = SyntheticRun(RunKind::AsFound, 5, 1.0, false);
  content.record.asLeft = SyntheticRun(RunKind::AsLeft, 5, 1.0, false);
  const auto verdictHeights = [&content] {
    std::vector<double> heights;
    const CalibrationCertificate certificate(content);
    for (const CertificatePage& page : certificate.Pages(1453))
      for (const CertificateBlock& b : page)
        if (b.kind == CertificateBlockKind::Verdict) heights.push_back(b.height);
    return heights;
  };
  const std::vector<double> plain = verdictHeights();
  ASSERT_EQ(plain.size(), 2u);
  content.record.asLeft->interruptions = {{content.record.asLeft->started.addSecs(60), QDateTime()}};
  const std::vector<double> interrupted = verdictHeights();
  ASSERT_EQ(interrupted.size(), 2u);
  EXPECT_GT(interrupted[1], plain[1]);
  QTemporaryDir dir;
  QString error;
  EXPECT_TRUE(CalibrationCertificate(content).WritePdf(dir.filePath("c.pdf"), &error)) << error.toStdString();
}

TEST(CalibrationCertificate, TheRecordsNumberAndTheAuditHashGetLinesOfTheirOwn) {
  CertificateContent content;
  content.record.setup = testing::DialogSetup();
  content.record.asFound = SyntheticRun(RunKind::AsFound, 5, 1.0, false);
  const auto headerHeight = [&content] {
    const std::vector<CertificatePage> pages = CalibrationCertificate(content).Pages(1453);
    return pages.at(0).at(0).height;
  };
  const double plain = headerHeight();
  content.certificateNumber = QStringLiteral("VX-2026-000123");
  content.revision = 2;
  content.auditHash = QString(64, QChar('a'));
  const double line = CalibrationCertificate::Metrics(1453).lineHeight;
  EXPECT_DOUBLE_EQ(headerHeight(), plain + 2 * line);
  QTemporaryDir dir;
  QString error;
  EXPECT_TRUE(CalibrationCertificate(content).WritePdf(dir.filePath("c.pdf"), &error)) << error.toStdString();
}

TEST(CalibrationCertificate, AnUnwritablePathIsAnErrorAndLeavesNothing) {
  QTemporaryDir dir;
  CertificateContent content;
  content.record.setup = testing::DialogSetup();
  content.record.asFound = SyntheticRun(RunKind::AsFound, 5, 1.0, false);
  const CalibrationCertificate certificate(content);
  QString error;
  EXPECT_FALSE(certificate.WritePdf(dir.filePath(QStringLiteral("missing/c.pdf")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing/c.pdf")));
  // A folder where the file should go: the rename fails, the temporary file goes.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.pdf")));
  QDir(dir.filePath(QStringLiteral("taken.pdf"))).mkdir(QStringLiteral("x"));
  EXPECT_FALSE(certificate.WritePdf(dir.filePath(QStringLiteral("taken.pdf")), &error));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(CalibrationResultsTableTest, ShowsRunsWithVerdictsAndDrift) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  record.asFound = SyntheticRun(RunKind::AsFound, 6, 1.01, true);
  record.asLeft = SyntheticRun(RunKind::AsLeft, 6, 1.0, false);
  RunResult previous = SyntheticRun(RunKind::AsLeft, 6, 1.0, true);
  CalibrationResultsTable table;
  table.ShowRecord(record, previous);
  ASSERT_EQ(table.rowCount(), 2 * (1 + 6 + 1));
  EXPECT_EQ(table.KindOfRow(0), CalibrationResultsTable::RowKind::RunTitle);
  EXPECT_TRUE(table.item(0, 0)->text().startsWith(QStringLiteral("As-found (drift against the last complete as-left")))
      << table.item(0, 0)->text().toStdString();
  EXPECT_EQ(table.KindOfRow(7), CalibrationResultsTable::RowKind::Verdict);
  EXPECT_TRUE(table.item(7, 0)->text().startsWith(QStringLiteral("As-found: FAIL.")));
  // Top point: 1 % high, drift 1 % against a perfect as-left, failed in red.
  EXPECT_EQ(table.item(6, 5)->text(), QStringLiteral("+1.000"));
  EXPECT_EQ(table.item(6, 6)->text(), QStringLiteral("+1.000"));
  EXPECT_EQ(table.item(6, 9)->text(), QStringLiteral("Fail"));
  EXPECT_NE(table.item(6, 9)->foreground().color(), table.item(1, 9)->foreground().color());
  // The as-left has no drift column of its own.
  EXPECT_EQ(table.item(9, 6)->text(), QStringLiteral("\u2014"));
  EXPECT_TRUE(table.item(15, 0)->text().startsWith(QStringLiteral("As-left: PASS.")));
}

// The uncertainty columns: U with two digits, the ratio marked under 4:1, an
// indeterminate point neither in the pass nor in the fail colour, and a run
// recorded without uncertainties saying so rather than showing a number.
TEST(CalibrationResultsTableTest, ShowsUncertaintyRatioAndVerdictWithTheLowRatiosMarked) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  record.setup.rule = DecisionRule::GuardBand;
  record.asFound = SyntheticRun(RunKind::AsFound, 4, 1.0, false);
  const struct {
    double expanded;
    double tur;
    PointVerdict verdict;
  } known[] = {{0.01234, 6.48, PointVerdict::Pass},
               {0.025, 3.2, PointVerdict::Pass},
               {0.0202, 3.96, PointVerdict::Indeterminate},
               {0.03, 2.6, PointVerdict::Fail}};
  for (int i = 0; i < 4; ++i) {
    PointResult& p = record.asFound->points[i];
    p.uncertainty = PointUncertainty{};
    p.uncertainty->expanded = known[i].expanded;
    p.uncertainty->tur = known[i].tur;
    p.verdict = known[i].verdict;
    p.pass = known[i].verdict == PointVerdict::Pass;
  }
  record.asLeft = SyntheticRun(RunKind::AsLeft, 2, 1.0, false);  // from before uncertainties were kept
  CalibrationResultsTable table;
  table.ShowRecord(record, std::nullopt);
  const int u = CalibrationResultsTable::kUncertaintyColumn, tur = CalibrationResultsTable::kTurColumn;
  EXPECT_EQ(table.horizontalHeaderItem(u)->text(), QStringLiteral("U (mA)"));
  EXPECT_EQ(table.horizontalHeaderItem(tur)->text(), QStringLiteral("TUR"));
  EXPECT_EQ(table.horizontalHeaderItem(table.columnCount() - 1)->text(), QStringLiteral("Result"));
  QStringList us, turs, verdicts;
  for (int r = 1; r <= 4; ++r) {
    us << table.item(r, u)->text();
    turs << table.item(r, tur)->text();
    verdicts << table.item(r, table.columnCount() - 1)->text();
  }
  EXPECT_EQ(us, (QStringList{"0.012", "0.025", "0.020", "0.030"}));
  EXPECT_EQ(turs, (QStringList{"6.4:1", "3.2:1", "3.9:1", "2.6:1"}));
  EXPECT_EQ(verdicts, (QStringList{"Pass", "Pass", "Indeterminate", "Fail"}));
  // Only the ratios under 4:1 are marked, each with the reason in its tooltip.
  EXPECT_TRUE(table.item(1, tur)->toolTip().isEmpty());
  for (int r = 2; r <= 4; ++r) {
    EXPECT_EQ(table.item(r, tur)->toolTip(), QStringLiteral("test uncertainty ratio under 4:1")) << r;
    EXPECT_NE(table.item(r, tur)->background(), table.item(1, tur)->background()) << r;
  }
  const QColor passColour = table.item(1, 0)->foreground().color();
  const QColor undecided = table.item(3, 0)->foreground().color();
  const QColor failColour = table.item(4, 0)->foreground().color();
  EXPECT_NE(undecided, passColour);
  EXPECT_NE(undecided, failColour);
  EXPECT_NE(failColour, passColour);
  EXPECT_EQ(table.item(5, 0)->text().left(16), QStringLiteral("As-found: FAIL. "));
  record.asFound->points.pop_back();  // without the failing point the run is undecided
  table.ShowRecord(record, std::nullopt);
  EXPECT_TRUE(table.item(4, 0)->text().startsWith(
      QStringLiteral("As-found: INDETERMINATE (conformity could not be decided at 1 point).")))
      << table.item(4, 0)->text().toStdString();
  EXPECT_EQ(table.item(4, 0)->foreground().color(), undecided);
  // The as-left's points were recorded without uncertainties.
  EXPECT_EQ(table.item(6, u)->text(), QStringLiteral("not recorded"));
  EXPECT_EQ(table.item(6, tur)->text(), QStringLiteral("not recorded"));
  EXPECT_TRUE(table.item(6, tur)->toolTip().isEmpty());
  EXPECT_EQ(table.item(6, table.columnCount() - 1)->text(), QStringLiteral("Pass"));

  table.resize(1000, 320);
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(table.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/calibration-results-uncertainty.png")));
}

TEST(CalibrationResultsTableTest, AVerdictLineGivesTheHysteresisOfPointsRunBothWays) {
  CalibrationRecord record;
  record.setup = testing::DialogSetup();
  RunResult run = SyntheticRun(RunKind::AsFound, 3, 1.0, false);  // 0, 50, 100 up
  for (double percent : {50.0, 0.0}) {
    PointResult p = run.points[percent == 0.0 ? 0 : 1];
    p.down = true;
    p.errorPercent = percent == 50.0 ? -0.3 : 0.1;
    p.measured = p.expected + p.errorPercent * 0.16;
    run.points.push_back(p);
  }
  record.asFound = run;
  CalibrationResultsTable table;
  table.ShowRecord(record, std::nullopt);
  const QString verdict = table.item(table.rowCount() - 1, 0)->text();
  EXPECT_TRUE(verdict.contains(QStringLiteral("Hysteresis 0.300 % of span"))) << verdict.toStdString();
  EXPECT_EQ(table.item(4, 1)->text(), QStringLiteral("down"));
}

// The keyboard focus shows as a frame of the highlight colour, 2 pixels wide,
// inside the edge of the cells' area, with or without rows, and only while the
// table has it.
TEST(CalibrationResultsTableTest, TheKeyboardFocusShowsAsAHighlightFrame) {
  CalibrationResultsTable table;
  table.resize(600, 300);
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
  const QColor highlight = table.palette().color(QPalette::Highlight);
  const auto edges = [&] {
    const QImage image = table.viewport()->grab().toImage();
    const int w = image.width(), h = image.height();
    int count = 0;
    for (QPoint p : {QPoint(w / 2, 0), QPoint(w / 2, 1), QPoint(0, h / 2), QPoint(1, h / 2), QPoint(w - 1, h / 2),
                     QPoint(w - 2, h / 2), QPoint(w / 2, h - 1), QPoint(w / 2, h - 2)})
      count += image.pixelColor(p) == highlight;
    EXPECT_NE(image.pixelColor(w / 2, h / 2), highlight);
    return count;
  };
  for (bool rows : {false, true}) {
    SCOPED_TRACE(rows ? "with rows" : "empty");
    if (rows) {
      CalibrationRecord record;
      record.setup = testing::DialogSetup();
      record.asFound = SyntheticRun(RunKind::AsFound, 20, 1.0, true);
      table.ShowRecord(record, std::nullopt);
    }
    table.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(table.hasFocus());
    EXPECT_EQ(edges(), 8);
    table.clearFocus();
    EXPECT_EQ(edges(), 0);
  }
}

}  // namespace
}  // namespace vorenx
