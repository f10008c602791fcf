// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What a certificate says, gathered from the records on each engine, and the
// laboratory's identity in the settings file.
#include <QTemporaryDir>

#include "LabRecordsTestSupport.h"
#include "platform/FileText.h"
#include "records/CertificateData.h"
#include "records/LabSettings.h"

namespace vorenx::testing {
namespace {

class CertificateDataTest : public RecordsTestBase {};

// A record of `tag` with an as-found at `started` and a complete as-left after it.
CalibrationRecord WithAsLeft(const QString& tag, const QDateTime& started, bool pass = true) {
  CalibrationRecord r = RecordOf(tag, started, pass);
  RunResult asLeft = *r.asFound;
  asLeft.kind = RunKind::AsLeft;
  asLeft.started = r.asFound->finished.addSecs(60);
  asLeft.finished = asLeft.started.addSecs(600);
  r.asLeft = asLeft;
  return r;
}

TEST_P(CertificateDataTest, GathersTheCalibrationItsInstrumentWhatItReplacesAndTheDriftsBasis) {
  const std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  ASSERT_TRUE(records->AddInstrument(Transmitter("TT-1"), {}).ok());
  const RecordsResult<ReferenceStandard> standard = records->AddStandard(Calibrator(), {});
  ASSERT_TRUE(standard.ok()) << standard.message.toStdString();
  const qint64 s = standard.value.id;
  const CalibrationRecord earlier = WithAsLeft("TT-1", Utc(2025, 3, 1));
  const RecordsResult<CalibrationSummary> e = records->SaveCalibration(earlier, s, {});
  ASSERT_TRUE(e.ok()) << e.message.toStdString();
  const RecordsResult<CalibrationSummary> c = records->SaveCalibration(WithAsLeft("TT-1", Utc(2026, 3, 1)), s, {});
  ASSERT_TRUE(c.ok() && records->Approve(c.value.id, {}).ok());
  const CalibrationRecord corrected = WithAsLeft("TT-1", Utc(2026, 3, 1), false);
  const RecordsResult<CalibrationSummary> c2 = records->Amend(c.value.id, corrected, {"T. Echnician", "wrong tolerance"});
  ASSERT_TRUE(c2.ok()) << c2.message.toStdString();
  // A later calibration is no basis for this one's drift.
  ASSERT_TRUE(records->SaveCalibration(WithAsLeft("TT-1", Utc(2026, 6, 1)), s, {}).ok());

  const LabIdentity lab{"Lab", "Street 1", "S. Igner", "Manager", "DE", ""};
  const QDateTime before = QDateTime::currentDateTimeUtc();
  const RecordsResult<CertificateData> data = LoadCertificateData(*records, c2.value.id, lab);
  const QDateTime after = QDateTime::currentDateTimeUtc();
  ASSERT_TRUE(data.ok()) << data.message.toStdString();
  const CertificateData& d = data.value;
  EXPECT_EQ(d.lab, lab);
  EXPECT_EQ(d.record, corrected);
  EXPECT_EQ(d.summary.revision, 2);
  ASSERT_TRUE(d.instrument);
  EXPECT_EQ(d.instrument->serial, QStringLiteral("SN-TT-1"));
  EXPECT_EQ(d.instrument->owner, QStringLiteral("Plant A"));
  EXPECT_EQ(d.replacesNumber, c.value.certificateNumber);
  EXPECT_EQ(d.replacesRevision, 1);
  ASSERT_TRUE(d.previousAsLeft);
  EXPECT_EQ(*d.previousAsLeft, *earlier.asLeft);
  EXPECT_EQ(d.previousAsLeftCertificate, e.value.certificateNumber);
  EXPECT_EQ(d.auditHash, records->NewestAuditHash().value);
  EXPECT_FALSE(d.auditHash.isEmpty());
  EXPECT_TRUE(d.issued >= before && d.issued <= after);
  EXPECT_EQ(d.issued.timeSpec(), Qt::UTC);
  EXPECT_EQ(d.software, QStringLiteral("Vorenx ") + VersionText());

  // The first revision replaces nothing.
  const RecordsResult<CertificateData> first = LoadCertificateData(*records, e.value.id, lab);
  ASSERT_TRUE(first.ok());
  EXPECT_TRUE(first.value.replacesNumber.isEmpty());
  EXPECT_FALSE(first.value.previousAsLeft);
}

TEST_P(CertificateDataTest, AnUnknownCalibrationIsNotFound) {
  const std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  const RecordsResult<CertificateData> data = LoadCertificateData(*records, 4711, {});
  EXPECT_EQ(data.error, RecordsError::NotFound);
  EXPECT_FALSE(data.message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, CertificateDataTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

TEST(LabSettings, TheLabIsKeptInTheSettingsFileAndABadCountryIsRefused) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("vorenx.ini"));
  EXPECT_EQ(LoadLabIdentity(file), LabIdentity{});
  const LabIdentity lab{QStringLiteral(" Lab "), QStringLiteral("Street 1\n12345 Town"), QStringLiteral("S. Igner"),
                        QStringLiteral("Manager"), QStringLiteral("DE"), QString()};
  QString error;
  ASSERT_TRUE(SaveLabIdentity(lab, file, &error)) << error.toStdString();
  LabIdentity read = LoadLabIdentity(file);
  EXPECT_EQ(read.name, QStringLiteral("Lab"));  // trimmed
  EXPECT_EQ(read.address, lab.address);
  EXPECT_EQ(read.country, QStringLiteral("DE"));

  for (const char* country : {"Germany", "de", "D1"}) {
    LabIdentity bad = lab;
    bad.country = QLatin1String(country);
    EXPECT_FALSE(SaveLabIdentity(bad, file, &error)) << country;
    EXPECT_TRUE(error.contains(QStringLiteral("two capital letters"))) << error.toStdString();
  }
  LabIdentity tooLong = lab;
  tooLong.address = QString(kMaxLabAddressLength + 1, QLatin1Char('x'));
  EXPECT_FALSE(SaveLabIdentity(tooLong, file, &error));
  EXPECT_EQ(LoadLabIdentity(file).country, QStringLiteral("DE"));  // nothing refused was kept

  // A field emptied is removed, not kept as an empty value.
  LabIdentity cleared = lab;
  cleared.signatoryRole.clear();
  ASSERT_TRUE(SaveLabIdentity(cleared, file, &error));
  read = LoadLabIdentity(file);
  EXPECT_TRUE(read.signatoryRole.isEmpty());
  EXPECT_EQ(read.signatoryName, QStringLiteral("S. Igner"));
}

}  // namespace
}  // namespace vorenx::testing
