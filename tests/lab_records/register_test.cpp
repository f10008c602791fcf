// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The register, the certificates and the lists, on each engine.
#include "LabRecordsTestSupport.h"
#include "records/RecordsSchema.h"

namespace vorenx::testing {
namespace {

class RegisterTest : public RecordsTestBase {};

TEST_P(RegisterTest, InstrumentsAreStoredAsGivenAndEditsNeverOverwriteEachOther) {
  std::unique_ptr<LabRecords> bench1 = Open();
  ASSERT_TRUE(bench1);
  const Actor anna{QStringLiteral("Anna"), {}};
  // Texts that would break SQL built from them are kept as they are.
  Instrument odd = Transmitter(QString::fromUtf8("TT-1 'x'; DROP TABLE instruments; -- \\ \"🌡\""));
  odd.description = QString::fromUtf8("Ünïcode \\n 'quoted' \"twice\" 🧪");
  RecordsResult<Instrument> added = bench1->AddInstrument(odd, anna);
  ASSERT_TRUE(added.ok()) << added.message.toStdString();
  EXPECT_EQ(added.value.version, 1);
  RecordsResult<Instrument> found = bench1->FindInstrument(odd.tag);
  ASSERT_TRUE(found.ok());
  EXPECT_EQ(found.value.description, odd.description);
  EXPECT_EQ(found.value.changedBy, "Anna");

  // Refused at the field, nothing stored: too long, NUL, a tag already kept, a bad interval.
  Instrument tooLong = Transmitter(QStringLiteral("TT-2"));
  tooLong.description = QString(10000, QChar('x'));
  Instrument withNul = Transmitter(QStringLiteral("TT-3"));
  withNul.model = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
  Instrument noInterval = Transmitter(QStringLiteral("TT-4"), 0);
  for (const Instrument& bad : {tooLong, withNul, odd, noInterval}) {
    RecordsResult<Instrument> refused = bench1->AddInstrument(bad, anna);
    EXPECT_EQ(refused.error, RecordsError::Invalid) << bad.tag.toStdString();
    EXPECT_FALSE(refused.message.isEmpty());
  }
  ASSERT_EQ(bench1->Instruments().value.size(), 1u);

  // Two benches edit the same instrument: the second is told who changed it
  // and sees the new values; the first edit is not lost.
  std::unique_ptr<LabRecords> bench2 = Open();
  Instrument mine = bench1->FindInstrument(odd.tag).value;
  Instrument theirs = bench2->FindInstrument(odd.tag).value;
  mine.location = QStringLiteral("Hall 5");
  ASSERT_TRUE(bench1->UpdateInstrument(mine, anna).ok());
  theirs.owner = QStringLiteral("Plant B");
  RecordsResult<Instrument> conflict = bench2->UpdateInstrument(theirs, {QStringLiteral("Ben"), {}});
  EXPECT_EQ(conflict.error, RecordsError::Conflict);
  EXPECT_TRUE(conflict.message.contains("Anna")) << conflict.message.toStdString();
  EXPECT_EQ(conflict.value.location, "Hall 5");
  EXPECT_EQ(conflict.value.version, 2);
  const Instrument now = bench2->FindInstrument(odd.tag).value;
  EXPECT_EQ(now.location, "Hall 5");
  EXPECT_EQ(now.owner, "Plant A");
  // Made again on the current values, the second edit goes through.
  Instrument again = conflict.value;
  again.owner = QStringLiteral("Plant B");
  EXPECT_TRUE(bench2->UpdateInstrument(again, {QStringLiteral("Ben"), {}}).ok());
  EXPECT_EQ(bench1->FindInstrument(odd.tag).value.owner, "Plant B");
}

TEST_P(RegisterTest, CertificatesCountOnAndAnApprovedRecordIsAmendedOnlyAsANewRevision) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  const Actor anna{QStringLiteral("Anna"), {}};
  ASSERT_TRUE(records->AddInstrument(Transmitter("PT-1"), anna).ok());
  const qint64 standard = records->AddStandard(Calibrator(), anna).value.id;
  ASSERT_GT(standard, 0);
  EXPECT_EQ(records->SaveCalibration(RecordOf("NOT-THERE", Utc(2026, 3, 1)), standard, anna).error, RecordsError::NotFound);

  QStringList numbers;
  for (int day = 1; day <= 3; ++day) {
    RecordsResult<CalibrationSummary> saved = records->SaveCalibration(RecordOf("PT-1", Utc(2026, 3, day)), standard, anna);
    ASSERT_TRUE(saved.ok()) << saved.message.toStdString();
    EXPECT_EQ(saved.value.state, CalibrationState::Draft);
    numbers << saved.value.certificateNumber;
  }
  const QString year = QString::number(QDate::currentDate().year());
  EXPECT_EQ(numbers, QStringList({"VX-" + year + "-000001", "VX-" + year + "-000002", "VX-" + year + "-000003"}));

  const qint64 first = records->FindCertificate(numbers[0]).value.at(0).id;
  // A draft is changed in place.
  CalibrationRecord edited = RecordOf("PT-1", Utc(2026, 3, 1), false);
  RecordsResult<CalibrationSummary> draft = records->Amend(first, edited, anna);
  ASSERT_TRUE(draft.ok()) << draft.message.toStdString();
  EXPECT_EQ(draft.value.revision, 1);
  EXPECT_EQ(draft.value.asFoundVerdict, "fail");

  ASSERT_TRUE(records->Approve(first, anna).ok());
  EXPECT_EQ(records->Approve(first, anna).error, RecordsError::Refused);
  EXPECT_EQ(records->Amend(first, RecordOf("PT-1", Utc(2026, 3, 1)), anna).error, RecordsError::Refused);  // no reason
  RecordsResult<CalibrationSummary> amended =
      records->Amend(first, RecordOf("PT-1", Utc(2026, 3, 1)), {QStringLiteral("Anna"), QStringLiteral("wrong tolerance")});
  ASSERT_TRUE(amended.ok()) << amended.message.toStdString();
  EXPECT_EQ(amended.value.certificateNumber, numbers[0]);
  EXPECT_EQ(amended.value.revision, 2);
  EXPECT_EQ(amended.value.supersedes, first);
  // Both revisions stay; the old one is superseded and no longer amended.
  const std::vector<CalibrationSummary> revisions = records->FindCertificate(numbers[0]).value;
  ASSERT_EQ(revisions.size(), 2u);
  EXPECT_EQ(revisions[0].state, CalibrationState::Superseded);
  EXPECT_EQ(revisions[0].asFoundVerdict, "fail");
  EXPECT_EQ(revisions[1].asFoundVerdict, "pass");
  EXPECT_EQ(records->Amend(first, edited, {QStringLiteral("Anna"), QStringLiteral("again")}).error, RecordsError::Refused);
  EXPECT_EQ(records->FindCalibration(amended.value.id).value.record, RecordOf("PT-1", Utc(2026, 3, 1)));
  EXPECT_EQ(records->History("PT-1").value.size(), 4u);
  EXPECT_EQ(records->FindCertificate("VX-1999-000001").error, RecordsError::NotFound);
}

TEST_P(RegisterTest, TheDueListPutsTheNeverCalibratedFirstThenTheSoonestDue) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  const Actor anna{QStringLiteral("Anna"), {}};
  const qint64 standard = records->AddStandard(Calibrator(), anna).value.id;
  for (const char* tag : {"A-YEARLY", "B-MONTHLY", "C-NEVER", "D-RETIRED"}) ASSERT_TRUE(records->AddInstrument(Transmitter(tag), anna).ok());
  Instrument monthly = records->FindInstrument("B-MONTHLY").value;
  monthly.intervalDays = 30;
  ASSERT_TRUE(records->UpdateInstrument(monthly, anna).ok());
  Instrument retired = records->FindInstrument("D-RETIRED").value;
  retired.state = ServiceState::Retired;
  ASSERT_TRUE(records->UpdateInstrument(retired, anna).ok());
  // The yearly one twice: the newer calibration counts.
  ASSERT_TRUE(records->SaveCalibration(RecordOf("A-YEARLY", Utc(2025, 6, 1)), standard, anna).ok());
  ASSERT_TRUE(records->SaveCalibration(RecordOf("A-YEARLY", Utc(2026, 6, 1)), standard, anna).ok());
  ASSERT_TRUE(records->SaveCalibration(RecordOf("B-MONTHLY", Utc(2026, 11, 20), false), standard, anna).ok());

  const QDate today(2026, 12, 9);
  auto tags = [&](const DueFilter& filter) {
    QStringList t;
    for (const DueEntry& e : records->DueList(filter).value) t << e.instrument.tag;
    return t;
  };
  EXPECT_EQ(tags({today, false, {}}), QStringList({"C-NEVER", "B-MONTHLY", "A-YEARLY"}));
  const std::vector<DueEntry> all = records->DueList({today, false, {}}).value;
  EXPECT_FALSE(all[0].dueOn.isValid());
  EXPECT_EQ(all[1].dueOn, QDate(2026, 12, 20));
  EXPECT_EQ(all[1].last->asFoundVerdict, "fail");
  EXPECT_EQ(all[2].dueOn, QDate(2027, 6, 1));
  EXPECT_EQ(tags({today, true, {}}), QStringList({"C-NEVER"}));
  EXPECT_EQ(tags({QDate(2026, 12, 21), true, {}}), QStringList({"C-NEVER", "B-MONTHLY"}));
  EXPECT_EQ(tags({today, false, 30}), QStringList({"C-NEVER", "B-MONTHLY"}));
  EXPECT_EQ(tags({today, false, 5}), QStringList({"C-NEVER"}));
  // Refused for a retired instrument.
  EXPECT_EQ(records->SaveCalibration(RecordOf("D-RETIRED", Utc(2026, 12, 1)), standard, anna).error, RecordsError::Refused);
}

TEST_P(RegisterTest, TheDueListFollowsTheNewestCalibrationWhicheverProgramWritesIt) {
  const std::vector<Migration>& all = RecordsMigrations();
  // The schemas before the due list kept its own table (schema 4).
  const std::vector<Migration> older(all.begin(), all.begin() + 3);
  const Actor anna{QStringLiteral("Anna"), {}};
  qint64 standard = 0;
  {
    // Calibrations made before the due list kept its own table.
    std::unique_ptr<LabRecords> old = Open(&older);
    ASSERT_TRUE(old);
    standard = old->AddStandard(Calibrator(), anna).value.id;
    ASSERT_TRUE(old->AddInstrument(Transmitter("PT-1"), anna).ok());
    ASSERT_TRUE(old->SaveCalibration(RecordOf("PT-1", Utc(2026, 2, 1)), standard, anna).ok());
    ASSERT_TRUE(old->SaveCalibration(RecordOf("PT-1", Utc(2025, 2, 1)), standard, anna).ok());
  }
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  auto last = [&] {
    const std::vector<DueEntry> due = records->DueList({QDate(2026, 12, 9), false, {}}).value;
    return due.size() == 1 && due[0].last ? *due[0].last : LastCalibration{};
  };
  EXPECT_EQ(last().finished, Utc(2026, 2, 1).addSecs(600));

  // An amendment supersedes the newest: the list shows the new revision.
  const CalibrationSummary newest = records->History("PT-1").value.front();
  ASSERT_TRUE(records->Approve(newest.id, anna).ok());
  CalibrationRecord edited = RecordOf("PT-1", Utc(2026, 2, 1), false);
  RecordsResult<CalibrationSummary> amended =
      records->Amend(newest.id, edited, {QStringLiteral("Anna"), QStringLiteral("wrong point")});
  ASSERT_TRUE(amended.ok()) << amended.message.toStdString();
  EXPECT_EQ(last().id, amended.value.id);
  EXPECT_EQ(last().asFoundVerdict, "fail");
  EXPECT_EQ(last().certificateNumber, newest.certificateNumber);

  // A bench one schema behind saves a newer one: the database keeps the list right.
  {
    std::unique_ptr<LabRecords> old = Open(&older);
    ASSERT_TRUE(old);
    ASSERT_TRUE(old->SaveCalibration(RecordOf("PT-1", Utc(2026, 11, 1)), standard, anna).ok());
  }
  EXPECT_EQ(last().finished, Utc(2026, 11, 1).addSecs(600));
  EXPECT_TRUE(records->VerifyAudit().value.intact);
}

TEST_P(RegisterTest, ARecordFileIsImportedOnceAndAChangedOneIsReported) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  const CalibrationRecord record = RecordOf("IMP-1", Utc(2025, 2, 3));
  const QByteArray bytes = RecordToJson(record);
  RecordsResult<ImportedRecord> first = records->ImportRecord(record, bytes, "/data/IMP-1.json", {});
  ASSERT_TRUE(first.ok()) << first.message.toStdString();
  EXPECT_EQ(first.value.outcome, ImportOutcome::Imported);
  EXPECT_TRUE(records->FindInstrument("IMP-1").ok());  // added to the register
  EXPECT_EQ(records->ImportRecord(record, bytes, "/data/IMP-1.json", {}).value.outcome, ImportOutcome::AlreadyImported);
  const CalibrationRecord changed = RecordOf("IMP-1", Utc(2025, 2, 3), false);
  RecordsResult<ImportedRecord> again = records->ImportRecord(changed, RecordToJson(changed), "/data/IMP-1.json", {});
  EXPECT_EQ(again.value.outcome, ImportOutcome::ChangedSinceImport);
  EXPECT_EQ(again.value.summary.certificateNumber, first.value.summary.certificateNumber);
  EXPECT_EQ(records->Calibrations().value.size(), 1u);
  EXPECT_EQ(records->FindCalibration(first.value.summary.id).value.record, record);
}

INSTANTIATE_TEST_SUITE_P(Engines, RegisterTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace vorenx::testing
