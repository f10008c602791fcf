// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A reference standard's accuracy table on each engine: kept exactly and in
// its order, refused when it or the dates are wrong, changed only with a
// reason and an audit entry, and found by the audit check when changed by hand.
#include "LabRecordsTestSupport.h"
#include "records/RecordsSchema.h"

namespace vorenx::testing {
namespace {

// A certificate's values: numbers that do not survive a round trip through
// text or float unless kept exactly, two ranges of one function in order.
std::vector<AccuracySpec> CertificateTable() {
  return {{fc::kUpperCurrent, 0.0, 24.0, 0.01, 0.001},
          {fc::kUpperCurrent, 24.0, 50.0, 1.0 / 3.0, 0.1 + 0.2},
          {fc::kMilliVolt, 0.0, 100.0, 0.015, 0.002},
          {static_cast<FunctionCode>(fc::kTcFirst + 3), -273.15, 1372.0, 0.0, 0.25}};
}

class StandardsTest : public RecordsTestBase {
 protected:
  const Actor anna{QStringLiteral("Anna"), {}};
  const Actor withReason{QStringLiteral("Anna"), QStringLiteral("new certificate DKD-5000")};
};

TEST_P(StandardsTest, ATableIsKeptExactlyAndInOrderAndAStandardWithoutOneUsesTheDefaults) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  ReferenceStandard own = Calibrator(QStringLiteral("CAL-OWN"));
  own.accuracy = CertificateTable();
  RecordsResult<ReferenceStandard> added = records->AddStandard(own, anna);
  ASSERT_TRUE(added.ok()) << added.message.toStdString();
  ASSERT_TRUE(records->AddStandard(Calibrator(QStringLiteral("CAL-PLAIN")), anna).ok());

  std::vector<ReferenceStandard> kept = records->Standards().value;
  ASSERT_EQ(kept.size(), 2u);
  own.id = added.value.id;
  EXPECT_EQ(kept[0], own);
  EXPECT_TRUE(kept[1].accuracy.empty());

  // A changed table replaces the old one as a whole; an emptied one is the defaults again.
  own.accuracy = {{fc::kVolt, 0.0, 30.0, 0.005, 0.0005}};
  ASSERT_TRUE(records->UpdateStandard(own, withReason).ok());
  EXPECT_EQ(records->Standards().value[0], own);
  // A fresh connection reads the same (nothing cached in the store object).
  EXPECT_EQ(Open()->Standards().value[0].accuracy, own.accuracy);
  own.accuracy.clear();
  ASSERT_TRUE(records->UpdateStandard(own, withReason).ok());
  EXPECT_TRUE(records->Standards().value[0].accuracy.empty());
  EXPECT_TRUE(records->VerifyAudit().value.intact);
}

TEST_P(StandardsTest, AStandardThatCannotBeUsedIsRefusedAtItsFieldAndNothingIsWritten) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  auto with = [](auto change) {
    ReferenceStandard s = Calibrator(QStringLiteral("CAL-BAD"));
    s.accuracy = CertificateTable();
    change(s);
    return s;
  };
  const struct {
    const char* what;
    ReferenceStandard standard;
    const char* says;
  } cases[] = {
      {"no due date", with([](ReferenceStandard& s) { s.dueOn = QDate(); }), "a standard without a due date"},
      {"due before calibrated", with([](ReferenceStandard& s) { s.dueOn = s.calibratedOn.addDays(-1); }),
       "Due date: 2026-01-09 is before the calibration date 2026-01-10"},
      {"negative floor", with([](ReferenceStandard& s) { s.accuracy[1].floor = -0.001; }), "Accuracy, row 2: The floor"},
      {"reversed range", with([](ReferenceStandard& s) { std::swap(s.accuracy[2].rangeLow, s.accuracy[2].rangeHigh); }),
       "Accuracy, row 3:"},
      {"not a function", with([](ReferenceStandard& s) { s.accuracy[0].function = 4; }), "Accuracy, row 1:"},
      {"too many rows", with([](ReferenceStandard& s) { s.accuracy.resize(kMaxAccuracyRows + 1, s.accuracy[0]); }),
       "at most 200 rows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordsResult<ReferenceStandard> refused = records->AddStandard(c.standard, anna);
    EXPECT_EQ(refused.error, RecordsError::Invalid);
    EXPECT_TRUE(refused.message.contains(QLatin1String(c.says))) << refused.message.toStdString();
  }
  EXPECT_TRUE(records->Standards().value.empty());

  // The same for a change, which also needs a reason, a kept standard and its own serial.
  ReferenceStandard kept = records->AddStandard(with([](ReferenceStandard&) {}), anna).value;
  ASSERT_GT(kept.id, 0);
  for (const auto& c : cases) {
    ReferenceStandard bad = c.standard;
    bad.id = kept.id;
    EXPECT_EQ(records->UpdateStandard(bad, withReason).error, RecordsError::Invalid) << c.what;
  }
  ReferenceStandard edited = kept;
  edited.certificateNumber = QStringLiteral("DKD-5000");
  EXPECT_EQ(records->UpdateStandard(edited, anna).error, RecordsError::Refused);
  EXPECT_EQ(records->UpdateStandard(edited, {QStringLiteral("Anna"), QStringLiteral("   ")}).error, RecordsError::Refused);
  ReferenceStandard renamed = edited;
  renamed.serial = QStringLiteral("CAL-OTHER");
  EXPECT_EQ(records->UpdateStandard(renamed, withReason).error, RecordsError::Invalid);
  ReferenceStandard unknown = edited;
  unknown.id = kept.id + 100;
  EXPECT_EQ(records->UpdateStandard(unknown, withReason).error, RecordsError::NotFound);
  EXPECT_EQ(records->Standards().value, std::vector<ReferenceStandard>{kept});
  EXPECT_EQ(records->VerifyAudit().value.entries, 1);
}

TEST_P(StandardsTest, AChangeIsAuditedWithBeforeAndAfterAndAHandChangedTableIsFound) {
  struct Tamper {
    const char* what;
    const char* sql;
    qint64 brokenAt;
    const char* says;
  };
  const std::vector<Tamper> cases = {
      {"a floor edited", "UPDATE standard_accuracy SET floor = 0.5 WHERE position = 1", 2, "changed behind"},
      {"a row removed", "DELETE FROM standard_accuracy WHERE position = 0", 2, "changed behind"},
      {"a row added", "INSERT INTO standard_accuracy VALUES (1, 7, 5, 0, 10, 0, 0.001)", 2, "changed behind"},
      {"the certificate edited", "UPDATE reference_standards SET certificate_number = 'FORGED'", 2, "changed behind"},
      {"a table of no standard", "INSERT INTO standard_accuracy VALUES (9, 0, 5, 0, 10, 0, 0.001)", 0, "which is not kept"},
  };
  for (const Tamper& t : cases) {
    SCOPED_TRACE(t.what);
    SetUp();
    std::unique_ptr<LabRecords> records = Open();
    ASSERT_TRUE(records);
    ReferenceStandard s = records->AddStandard(Calibrator(), anna).value;
    ASSERT_EQ(s.id, 1);
    const ReferenceStandard before = s;
    s.certificateNumber = QStringLiteral("DKD-5000");
    s.dueOn = QDate(2028, 1, 10);
    s.accuracy = {{fc::kUpperCurrent, 0.0, 24.0, 0.01, 0.0015}, {fc::kVolt, 0.0, 30.0, 0.005, 0.0005}};
    RecordsResult<ReferenceStandard> updated = records->UpdateStandard(s, withReason);
    ASSERT_TRUE(updated.ok()) << updated.message.toStdString();
    EXPECT_EQ(updated.value, s);
    // Unchanged: no entry.
    ASSERT_TRUE(records->UpdateStandard(s, withReason).ok());
    {
      RawSql raw(location);
      EXPECT_EQ(raw.Run("SELECT COUNT(*) FROM audit_log"), "2");
      EXPECT_EQ(raw.Run("SELECT action FROM audit_log WHERE id = 2"), "update");
      EXPECT_EQ(raw.Run("SELECT reason FROM audit_log WHERE id = 2"), withReason.reason);
      EXPECT_EQ(raw.Run("SELECT before_json FROM audit_log WHERE id = 2"), records_sql::StandardJson(before));
      const QString after = raw.Run("SELECT after_json FROM audit_log WHERE id = 2");
      EXPECT_TRUE(after.contains("\"certificateNumber\":\"DKD-5000\"")) << after.toStdString();
      EXPECT_TRUE(after.contains("\"floor\":0.0015")) << after.toStdString();
    }
    ASSERT_TRUE(Verify(*records).intact);
    {
      RawSql raw(location);
      // What the database's own tools allow: foreign keys are a connection's choice.
      if (GetParam() == Engine::Postgres) {
        ASSERT_EQ(raw.Run("SET session_replication_role = replica"), "ok");
      }
      ASSERT_EQ(raw.Run(t.sql), "ok");
    }
    const ChainReport report = Verify(*records);
    EXPECT_FALSE(report.intact);
    EXPECT_EQ(report.firstBrokenId, t.brokenAt);
    EXPECT_TRUE(report.problem.contains(QLatin1String(t.says))) << report.problem.toStdString();
  }
}

TEST_P(StandardsTest, ADatabaseOfSchema4KeepsItsDataAndBenchesOneSchemaBehindKeepWorking) {
  const std::vector<Migration>& all = RecordsMigrations();
  ASSERT_EQ(all.back().version, 5);
  const std::vector<Migration> schema4(all.begin(), all.end() - 1);
  qint64 calibration = 0;
  {
    std::unique_ptr<LabRecords> old = Open(&schema4);
    ASSERT_TRUE(old);
    ASSERT_TRUE(old->AddInstrument(Transmitter("PT-1"), anna).ok());
    const qint64 standard = old->AddStandard(Calibrator(), anna).value.id;
    calibration = old->SaveCalibration(RecordOf("PT-1", Utc(2026, 3, 1)), standard, anna).value.id;
    ASSERT_GT(calibration, 0);
  }
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  EXPECT_EQ(records->SchemaVersion().value, 5);
  std::vector<ReferenceStandard> standards = records->Standards().value;
  ASSERT_EQ(standards.size(), 1u);
  ReferenceStandard expected = Calibrator();
  expected.id = standards[0].id;
  EXPECT_EQ(standards[0], expected);  // no table: the defaults
  EXPECT_EQ(records->FindCalibration(calibration).value.record, RecordOf("PT-1", Utc(2026, 3, 1)));
  EXPECT_TRUE(Verify(*records).intact);

  // The lab enters its certificate's values; a bench still at schema 4 then
  // uses the standard while overdue (it reads it without its table) and adds
  // one of its own: the newer bench's check still holds.
  ReferenceStandard own = standards[0];
  own.accuracy = CertificateTable();
  ASSERT_TRUE(records->UpdateStandard(own, withReason).ok());
  {
    std::unique_ptr<LabRecords> old = Open(&schema4);
    ASSERT_TRUE(old);
    ASSERT_TRUE(old->NoteOverdueStandard(own.id, "PT-1", {QStringLiteral("Ben"), QStringLiteral("spare away")}).ok());
    ASSERT_TRUE(old->AddStandard(Calibrator(QStringLiteral("CAL-2")), anna).ok());
  }
  const ChainReport report = Verify(*records);
  EXPECT_TRUE(report.intact) << report.problem.toStdString();
  EXPECT_EQ(records->Standards().value[0].accuracy, CertificateTable());
  EXPECT_TRUE(records->Standards().value[1].accuracy.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, StandardsTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace vorenx::testing
