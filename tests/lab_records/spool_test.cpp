// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A bench keeps its runs while the lab's server is away and sends them once
// it answers again: in order, each once.
#include <QProcess>

#include "LabRecordsTestSupport.h"
#include "records/RecordsKeeper.h"

namespace vorenx::testing {
namespace {

class KeeperTest : public RecordsTestBase {
 protected:
  // Sets up the register through `keeper`; returns the standard's id.
  qint64 Prepare(RecordsKeeper& keeper) {
    QString error;
    LabRecords* records = keeper.Records(&error);
    EXPECT_TRUE(records) << error.toStdString();
    if (!records) return 0;
    EXPECT_TRUE(records->AddInstrument(Transmitter("PT-1"), {}).ok());
    EXPECT_TRUE(records->AddInstrument(Transmitter("PT-2"), {}).ok());
    return records->AddStandard(Calibrator(), {}).value.id;
  }
  QTemporaryDir spoolDir;
};

TEST_P(KeeperTest, ARunKeptAfterEachStepIsOneCalibrationChangedInPlace) {
  RecordsKeeper keeper(location, spoolDir.filePath("spool.sqlite"));
  const qint64 standard = Prepare(keeper);
  CalibrationRecord record = RecordOf("PT-1", Utc(2026, 5, 1));
  KeptRun run;
  ASSERT_EQ(keeper.Keep(record, standard, {"Anna", {}}, run).value, KeptWhere::Records);
  const QString number = run.certificateNumber;
  EXPECT_FALSE(number.isEmpty());
  record.asLeft = RecordOf("PT-1", Utc(2026, 5, 1, 10)).asFound;
  record.asLeft->kind = RunKind::AsLeft;
  RecordsResult<KeptWhere> again = keeper.Keep(record, standard, {"Anna", {}}, run);
  ASSERT_TRUE(again.ok()) << again.message.toStdString();
  EXPECT_EQ(run.certificateNumber, number);
  QString error;
  LabRecords& records = *keeper.Records(&error);
  ASSERT_EQ(records.Calibrations().value.size(), 1u);
  EXPECT_EQ(records.FindCalibration(run.calibrationId).value.record, record);
  EXPECT_EQ(keeper.PendingCount(), 0);
}

TEST_P(KeeperTest, RunsFinishedWhileTheServerIsDownArriveOnceWhenItIsBack) {
  if (GetParam() == Engine::Sqlite) GTEST_SKIP() << "a bench's own file is never away";
  const QString control = qEnvironmentVariable("VORENX_TEST_POSTGRES_CONTROL");
  ASSERT_FALSE(control.isEmpty());
  auto server = [&](const char* what) { return QProcess::execute("bash", {control, what}) == 0; };

  RecordsKeeper keeper(location, spoolDir.filePath("spool.sqlite"));
  const qint64 standard = Prepare(keeper);
  CalibrationRecord first = RecordOf("PT-1", Utc(2026, 5, 1));
  KeptRun firstRun;
  ASSERT_EQ(keeper.Keep(first, standard, {"Anna", {}}, firstRun).value, KeptWhere::Records);

  ASSERT_TRUE(server("stop"));
  // The first run's as-left and a run of a tag new to the register end while the server is down.
  first.asLeft = RecordOf("PT-1", Utc(2026, 5, 1, 10)).asFound;
  first.asLeft->kind = RunKind::AsLeft;
  const CalibrationRecord second = RecordOf("PT-NEW", Utc(2026, 5, 2));
  KeptRun secondRun;
  RecordsResult<KeptWhere> kept = keeper.Keep(first, standard, {"Anna", {}}, firstRun);
  EXPECT_EQ(kept.value, KeptWhere::Spool) << kept.message.toStdString();
  EXPECT_EQ(keeper.Keep(second, standard, {"Ben", {}}, secondRun).value, KeptWhere::Spool);
  EXPECT_EQ(keeper.PendingCount(), 2);
  EXPECT_FALSE(keeper.SendPending().ok());
  EXPECT_EQ(keeper.PendingCount(), 2);

  ASSERT_TRUE(server("start"));
  RecordsResult<int> sent = keeper.SendPending();
  ASSERT_TRUE(sent.ok()) << sent.message.toStdString();
  EXPECT_EQ(sent.value, 2);
  EXPECT_EQ(keeper.PendingCount(), 0);
  // An answer lost after the server stored the run: sent again, stored once.
  RecordsSpool spool(spoolDir.filePath("spool.sqlite"));
  QString error;
  ASSERT_TRUE(spool.Put({secondRun.origin, 0, standard, "Ben", second, 1}, &error)) << error.toStdString();
  EXPECT_EQ(keeper.SendPending().value, 1);

  LabRecords& records = *keeper.Records(&error);
  const std::vector<CalibrationSummary> all = records.Calibrations().value;
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].certificateNumber, firstRun.certificateNumber);
  EXPECT_EQ(records.FindCalibration(all[0].id).value.record, first);
  EXPECT_EQ(records.FindCalibration(all[1].id).value.record, second);
  EXPECT_TRUE(records.FindInstrument("PT-NEW").ok());
  EXPECT_TRUE(records.VerifyAudit().value.intact);
}

INSTANTIATE_TEST_SUITE_P(Engines, KeeperTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace vorenx::testing
