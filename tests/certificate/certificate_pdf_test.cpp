// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What the certificate's pages say, read back from a recording paint device,
// and its PDF file.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CertificateTestSupport.h"
#include "certificate/CalibrationCertificate.h"
#include "certificate/CertificateFacts.h"
#include "certificate/CertificatePdf.h"
#include "records/CertificateTexts.h"

namespace vorenx::testing {
namespace {

// The pages as an A4 device of 300 dpi would get them.
PageTexts Painted(const CertificateData& data) {
  TextRecorder device(2126, 3158);  // 180 x 267 mm printable at 300 dpi
  EXPECT_TRUE(CalibrationCertificate(data).Paint(device, [&device] { return device.NewPage(); }));
  return PageTexts{device.pages};
}

int PdfPageCount(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

TEST(CertificatePages, EveryPageCarriesTheNumberAndPageXOfY) {
  for (int points : {5, 150}) {
    SCOPED_TRACE(points);
    const PageTexts device = Painted(FullCertificate(points));
    const int count = static_cast<int>(device.pages.size());
    EXPECT_EQ(count > 1, points > 50);
    for (int i = 0; i < count; ++i) {
      const QString page = device.Page(i);
      EXPECT_TRUE(page.contains(QStringLiteral("Certificate VX-2026-000123, revision 1 \u2014 Vorenx Test Laboratory")))
          << i;
      EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(count))) << i;
    }
  }
}

TEST(CertificatePages, SayWhatAnAccreditedLabMustReport) {
  const PageTexts device = Painted(FullCertificate());
  const QString first = device.Page(0);
  for (const char* expected :
       {"Calibration certificate", "Vorenx Test Laboratory", "1 Bench Street, 12345 Testtown, DE",
        "VX-2026-000123, revision 1", "Plant A, Chemicals Ltd", "TT-101 \u2014 Reactor inlet temperature",
        "manufacturer Acme, model TX-4, serial SN-4711", "2026-12-08 09:00:00 (UTC+01:00) to 2026-12-08 09:40:00",
        "2026-12-08 12:00:00 (UTC+00:00)", "0, 25, 50, 75, 100 % of the input span, up; as-found then as-left",
        "Process calibrator, serial CAL-1, certificate DKD-4711, calibrated 2026-01-10, due 2027-01-10",
        "ambient 23.1 \u2103, relative humidity 45 % RH", "simple acceptance", "U (mA, k = 2)", "TUR",
        "As-found: conforms to the tolerance"}) {
    EXPECT_TRUE(first.contains(QString::fromUtf8(expected))) << expected;
  }
  const QString all = device.All();
  for (const QString& expected :
       {QStringLiteral("Dr. Signe Tory, Head of laboratory"), FullCertificate().auditHash,
        QStringLiteral("This certificate shall not be reproduced except in full without the written approval of the"),
        QStringLiteral("Decision rule: simple acceptance.")}) {
    EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
  }
  // U of every point with two significant digits, and its TUR.
  EXPECT_TRUE(first.contains(QStringLiteral("0.0040"))) << first.toStdString();
  EXPECT_TRUE(first.contains(QStringLiteral("20.0")));  // 0.08 mA over 0.004 mA
}

TEST(CertificatePages, WhatIsNotKnownIsSaidSoAndNeverMadeUp) {
  CertificateData d = FullCertificate();
  d.lab = {};
  d.instrument.reset();
  d.record.standard.reset();
  d.record.environment = {};
  for (auto* run : {&d.record.asFound, &d.record.asLeft})
    for (PointResult& p : (*run)->points) {
      p.uncertainty.reset();
      p.verdict.reset();
    }
  const QString all = Painted(d).All();
  EXPECT_TRUE(all.contains(QStringLiteral("Laboratory not set")));
  EXPECT_TRUE(all.contains(QStringLiteral("ambient not recorded, relative humidity not recorded")));
  EXPECT_TRUE(all.contains(QStringLiteral("manufacturer not recorded, model not recorded, serial not recorded")));
  EXPECT_TRUE(all.contains(QStringLiteral("authorised signatory not set")));
  const QStringList facts = [&] {
    QStringList lines;
    for (const CertificateFact& f : CertificateFacts(d)) lines << f.label + QLatin1Char('=') + f.value;
    return lines;
  }();
  EXPECT_TRUE(facts.contains(QStringLiteral("Reference standard=not recorded")));
  EXPECT_TRUE(facts.contains(QStringLiteral("Customer / owner=not recorded")));
  // The points' U and TUR cells of a record made before they were kept.
  const QStringList cells = CertificateCells(d.record.asFound->points[0], std::nan(""));
  EXPECT_EQ(cells[6], QStringLiteral("not recorded"));
  EXPECT_EQ(cells[7], QStringLiteral("not recorded"));
  EXPECT_FALSE(all.contains(QStringLiteral("23.1")));
}

TEST(CertificatePages, GuardBandPointsLowRatiosAndSquareRootZeroAreExplained) {
  CertificateData d = FullCertificate();
  d.record.setup.rule = DecisionRule::GuardBand;
  // 0.48 % of span off with U = 0.2 % of span: between tolerance - U and tolerance + U.
  RunResult& run = *d.record.asFound;
  PointResult& undecided = run.points[3];
  undecided.measured = undecided.expected + 0.0048 * 16;
  undecided.errorPercent = 0.48;
  undecided.uncertainty->expanded = 0.032;
  undecided.uncertainty->expandedPercentOfSpan = 0.2;
  undecided.uncertainty->tur = 2.5;
  undecided.verdict = PointVerdict::Indeterminate;
  undecided.pass = false;
  run.points[0].uncertainty->outputSideOnly = true;
  const QString all = Painted(d).All();
  EXPECT_TRUE(all.contains(QStringLiteral("Indeterminate")));
  EXPECT_TRUE(all.contains(QStringLiteral("As-found INDETERMINATE")));
  EXPECT_TRUE(all.contains(QStringLiteral("conformity could not be decided at 1 of 5 points (75 % up)")));
  EXPECT_TRUE(all.contains(QStringLiteral("2.5 *")));
  EXPECT_TRUE(all.contains(QStringLiteral("Points marked * have a test uncertainty ratio (tolerance over U) below 4:1.")));
  EXPECT_TRUE(all.contains(QStringLiteral("\u2020 At 0 % of a square-root output")));
  EXPECT_TRUE(all.contains(QStringLiteral("Decision rule: guard band w = U.")));
  // The as-left has none of it, so its notes stay away.
  const QStringList asLeftNotes = RunNoteLines(d, *d.record.asLeft, {});
  EXPECT_EQ(asLeftNotes.filter(QStringLiteral("marked *")).size(), 0);
}

TEST(CertificatePages, AnAmendmentSaysWhichCertificateItReplaces) {
  CertificateData d = FullCertificate();
  const auto headerHeight = [&d] { return CalibrationCertificate(d).Pages(1453).at(0).at(0).height; };
  const double plain = headerHeight();
  d.summary.revision = 2;
  d.replacesNumber = d.summary.certificateNumber;
  d.replacesRevision = 1;
  EXPECT_DOUBLE_EQ(headerHeight(), plain + CalibrationCertificate::Metrics(1453).lineHeight);
  const QString all = Painted(d).All();
  EXPECT_TRUE(all.contains(QStringLiteral("This certificate replaces certificate VX-2026-000123, revision 1.")));
  EXPECT_TRUE(all.contains(QStringLiteral("Certificate VX-2026-000123, revision 2")));
}

TEST(CertificatePages, SpeakTheLabsCertificateLanguageAndEnglishForAnyOther) {
  CertificateData d = FullCertificate();
  d.lab.certificateLanguage = QStringLiteral("de");
  const QString german = Painted(d).All();
  for (const char* expected : {"Kalibrierschein", "Erweiterungsfaktor k = 2", "Entscheidungsregel", "Seite 1 von",
                               "konform mit der Toleranz", "Bezugsnormal"})
    EXPECT_TRUE(german.contains(QString::fromUtf8(expected))) << expected;
  EXPECT_FALSE(german.contains(QStringLiteral("Calibration certificate")));
  d.lab.certificateLanguage = QStringLiteral("zh_CN");
  const QString chinese = Painted(d).All();
  for (const char* expected : {"校准证书", "包含因子", "扩展不确定度", "页", "参考标准器"})
    EXPECT_TRUE(chinese.contains(QString::fromUtf8(expected))) << expected;
  // The identity, numbers and dates are the record's whatever the language.
  EXPECT_TRUE(chinese.contains(QStringLiteral("VX-2026-000123")));
  d.lab.certificateLanguage = QStringLiteral("xx");
  EXPECT_TRUE(Painted(d).All().contains(QStringLiteral("Calibration certificate")));
}

TEST(CertificatePages, AnInterruptedRunGetsALineForItUnderItsVerdict) {
  CertificateData d = FullCertificate();
  const auto verdictHeights = [&d] {
    std::vector<double> heights;
    for (const CertificatePage& page : CalibrationCertificate(d).Pages(1453))
      for (const CertificateBlock& b : page)
        if (b.kind == CertificateBlockKind::Verdict) heights.push_back(b.height);
    return heights;
  };
  const std::vector<double> plain = verdictHeights();
  ASSERT_EQ(plain.size(), 2u);
  d.record.asLeft->interruptions = {{d.record.asLeft->started.addSecs(60), QDateTime()}};
  const std::vector<double> interrupted = verdictHeights();
  ASSERT_EQ(interrupted.size(), 2u);
  EXPECT_GT(interrupted[1], plain[1]);
  EXPECT_TRUE(Painted(d).All().contains(QStringLiteral("Interrupted: the calibrator stopped answering")));
}

TEST(CertificateFactsTest, LongSentencesWrapAtSpacesWithinTheLine) {
  const QString sentence = ReproductionStatement();
  for (int width : {12, 40, 150}) {  // longer than its longest word
    const QStringList lines = WrapText(sentence, width);
    EXPECT_EQ(lines.join(QLatin1Char(' ')), sentence);
    for (const QString& line : lines) EXPECT_LE(line.size(), width);
  }
  EXPECT_EQ(WrapText(QString(25, QLatin1Char('x')), 10), (QStringList{QString(10, 'x'), QString(10, 'x'), QString(5, 'x')}));
  EXPECT_EQ(WrapText(QString(), 10), QStringList{QString()});
}

TEST(CertificatePdf, WritesThePagesItsLayoutSaysAndLeavesNothingOnFailure) {
  QTemporaryDir dir;
  for (int points : {5, 150}) {
    SCOPED_TRACE(points);
    const CertificateData d = FullCertificate(points);
    const QString path = dir.filePath(QStringLiteral("c%1.pdf").arg(points));
    QString error;
    ASSERT_TRUE(WriteCertificatePdf(d, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const auto pages =
        CalibrationCertificate(d).Pages(CalibrationCertificate::PrintableHeight(CalibrationCertificate::DefaultPageLayout()));
    EXPECT_EQ(PdfPageCount(pdf), static_cast<int>(pages.size()));
  }
  QString error;
  EXPECT_FALSE(WriteCertificatePdf(FullCertificate(), dir.filePath(QStringLiteral("missing/c.pdf")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing/c.pdf")));
  // A folder where the file should go: nothing is written, nothing is left.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.pdf")));
  EXPECT_FALSE(WriteCertificatePdf(FullCertificate(), dir.filePath(QStringLiteral("taken.pdf")), &error));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // the two written above

  // The picture of the docs: an as-found that failed at its top points, drifted
  // since last year's as-left, and a passing as-left.
  CertificateData sample = FullCertificate();
  sample.record.asFound = CertificateRun(sample.record.setup, RunKind::AsFound, 5, 1.0065);
  sample.previousAsLeft = CertificateRun(sample.record.setup, RunKind::AsLeft, 5, 1.001);
  sample.previousAsLeft->started = sample.previousAsLeft->started.addYears(-1);
  sample.previousAsLeft->finished = sample.previousAsLeft->finished.addYears(-1);
  sample.previousAsLeftCertificate = QStringLiteral("VX-2025-000077");
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(WriteCertificatePdf(sample, QStringLiteral(VORENX_PICTURE_DIR "/certificate.pdf"), &error));
}

}  // namespace
}  // namespace vorenx::testing
