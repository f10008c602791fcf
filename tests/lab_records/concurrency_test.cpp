// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Two benches saving at once into one database: distinct certificate numbers,
// nothing lost, the audit chain whole.
#include <QProcess>
#include <QSet>

#include "LabRecordsTestSupport.h"

namespace vorenx::testing {
namespace {

class ConcurrencyTest : public RecordsTestBase {};

TEST_P(ConcurrencyTest, TwoProcessesSavingAtOnceGetDistinctNumbersAndLoseNothing) {
  constexpr int kEach = 500;
  {
    std::unique_ptr<LabRecords> records = Open();
    ASSERT_TRUE(records);
    ASSERT_TRUE(records->AddInstrument(Transmitter("BENCH-A"), {}).ok());
    ASSERT_TRUE(records->AddInstrument(Transmitter("BENCH-B"), {}).ok());
    RecordsResult<ReferenceStandard> standard = records->AddStandard(Calibrator(), {});
    ASSERT_TRUE(standard.ok()) << standard.message.toStdString();
  }
  const QString where = location.engine == Engine::Sqlite ? location.path : qEnvironmentVariable("VORENX_TEST_POSTGRES");
  QProcess a, b;
  for (QProcess* p : {&a, &b}) p->setProcessChannelMode(QProcess::SeparateChannels);
  a.start(RECORDS_WRITER, {where, "BENCH-A", QString::number(kEach)});
  b.start(RECORDS_WRITER, {where, "BENCH-B", QString::number(kEach)});
  QSet<QString> numbers;
  for (QProcess* p : {&a, &b}) {
    ASSERT_TRUE(p->waitForFinished(300000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), kEach);
    for (const QString& n : lines) numbers.insert(n);
  }
  EXPECT_EQ(numbers.size(), 2 * kEach);
  std::unique_ptr<LabRecords> records = Open();
  ASSERT_TRUE(records);
  EXPECT_EQ(records->Calibrations().value.size(), size_t(2 * kEach));
  const ChainReport chain = records->VerifyAudit().value;
  EXPECT_TRUE(chain.intact) << chain.problem.toStdString();
  EXPECT_EQ(chain.entries, 3 + 2 * kEach);
}

INSTANTIATE_TEST_SUITE_P(Engines, ConcurrencyTest, ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace vorenx::testing
