// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The audit trail finds what was changed behind the program's back, on each engine.
#include "LabRecordsTestSupport.h"

namespace vorenx::testing {
namespace {

class AuditTest : public RecordsTestBase {
 protected:
  // A register with a little of everything; returns the calibration's id.
  qint64 Fill(LabRecords& records) {
    const Actor anna{QStringLiteral("Anna"), {}};
    EXPECT_TRUE(records.AddInstrument(Transmitter("PT-1"), anna).ok());
    const qint64 standard = records.AddStandard(Calibrator(), anna).value.id;
    const qint64 id = records.SaveCalibration(RecordOf("PT-1", Utc(2026, 3, 1)), standard, anna).value.id;
    EXPECT_TRUE(records.Approve(id, anna).ok());
    return id;
  }
};

TEST_P(AuditTest, EveryChangeIsAnEntryAndTheChainVerifies) {
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  EXPECT_TRUE(Verify(*records).intact);
  EXPECT_TRUE(Verify(*records).newestHash.isEmpty());
  Fill(*records);
  const ChainReport report = Verify(*records);
  EXPECT_TRUE(report.intact) << report.problem.toStdString();
  EXPECT_EQ(report.entries, 4);  // instrument, standard, calibration, approval
  EXPECT_EQ(report.newestHash.size(), 64);
  // An overdue standard is used only with a reason, which the trail keeps.
  const qint64 standard = records->Standards().value.at(0).id;
  EXPECT_EQ(records->NoteOverdueStandard(standard, "PT-1", {"Anna", {}}).error, RecordsError::Refused);
  ASSERT_TRUE(records->NoteOverdueStandard(standard, "PT-1", {"Anna", "the spare is away"}).ok());
  EXPECT_TRUE(Verify(*records).intact);
  RawSql raw(location);
  EXPECT_EQ(raw.Run("SELECT reason FROM audit_log WHERE id = 5"), "used while overdue for PT-1: the spare is away");
  EXPECT_EQ(raw.Run("SELECT os_user FROM audit_log WHERE id = 4"), SystemUserName());
  EXPECT_EQ(raw.Run("SELECT technician FROM audit_log WHERE id = 4"), "Anna");
  EXPECT_EQ(raw.Run("SELECT action FROM audit_log WHERE id = 4"), "approve");
}

TEST_P(AuditTest, ARowChangedAddedOrDeletedByHandIsFoundWithTheEntryItBreaksAt) {
  struct Tamper {
    const char* what;
    std::vector<const char*> sql;
    qint64 brokenAt;
    const char* says;
  };
  const std::vector<Tamper> cases = {
      {"an audit entry edited", {"UPDATE audit_log SET technician = 'Mallory' WHERE id = 2"}, 2, "changed"},
      {"an entry removed from the middle", {"DELETE FROM audit_log WHERE id = 2"}, 3, "removed"},
      {"a verdict edited", {"UPDATE calibrations SET as_found_verdict = 'fail'"}, 4, "changed behind"},
      {"the runs edited", {"UPDATE calibration_runs SET payload = replace(payload, 'PT-1', 'PT-9')"}, 4, "changed behind"},
      {"an instrument deleted", {"DELETE FROM calibration_runs", "DELETE FROM calibrations", "DELETE FROM instruments"}, 1, "deleted"},
      {"the newest entries removed", {"DELETE FROM audit_log WHERE id >= 3"}, 0, "no audit entry"},
      {"an instrument added", {"INSERT INTO instruments (tag, description, manufacturer, model, serial, location, owner, "
                               "interval_days, state, version, changed_by, changed_at) VALUES ('X', '', '', '', '', '', '', "
                               "1, 'retired', 1, 'Mallory', '2026-01-01T00:00:00.000Z')"}, 0, "no audit entry"},
  };
  for (const Tamper& t : cases) {
    SCOPED_TRACE(t.what);
    SetUp();  // a fresh database for each case
    std::unique_ptr<LabRecords> records = Open();
    ASSERT_TRUE(records);
    Fill(*records);
    {
      RawSql raw(location);
      for (const char* sql : t.sql) ASSERT_EQ(raw.Run(sql), "ok");
    }
    const ChainReport report = Verify(*records);
    EXPECT_FALSE(report.intact);
    EXPECT_EQ(report.firstBrokenId, t.brokenAt);
    EXPECT_TRUE(report.problem.contains(t.says)) << report.problem.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, AuditTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace vorenx::testing
