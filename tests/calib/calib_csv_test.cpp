// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The results CSV of the worked example (a 4-20 mA transmitter on a 0-100 ℃
// PT100, as-found with a 1 % gain error, as-left after adjustment) compared
// with a fixture a reader can check by eye.
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "records/CalibrationCsv.h"

namespace vorenx::testing {
namespace {

// The transmitter's output at `percent` with a gain error and an offset (mA).
double Transmitter(const CalibrationSetup& s, double percent, double gain, double offset) {
  return s.outputLow + (ExpectedOutput(s, InputAt(s, percent)) - s.outputLow) * gain + offset;
}

RunResult WorkedRun(const CalibrationSetup& s, RunKind kind, double gain, double offset, int startHour) {
  RunResult run;
  run.kind = kind;
  run.started = At(startHour, 0, 0);
  run.finished = At(startHour, 9, 30, 500);
  run.complete = true;
  int minute = 1;
  for (const TestStep& step : TestSequence(s)) {
    PointResult p = Measured(s, step.percent, Transmitter(s, step.percent, gain, offset + (step.down ? 0.004 : 0.0)),
                             step.down);
    p.time = At(startHour, minute++, 15, 250);
    p.uncertainty = EvaluatePointUncertainty(s, DefaultAccuracySpecs(), {p.applied, p.measured, std::nullopt, 0});
    p.verdict = DecidePoint(s.rule, p.errorPercent, TolerancePercentOfSpan(s), p.uncertainty->expandedPercentOfSpan);
    run.points.push_back(p);
  }
  return run;
}

CalibrationRecord WorkedRecord() {
  CalibrationRecord r;
  r.setup = RtdTransmitter();
  r.setup.runDown = true;
  r.calibrator = QStringLiteral("Vorenx calibrator on COM4 (/dev/ttyUSB0)");
  r.asFound = WorkedRun(r.setup, RunKind::AsFound, 1.01, 0.0, 9);
  r.asLeft = WorkedRun(r.setup, RunKind::AsLeft, 1.0, 0.008, 10);
  return r;
}

QByteArray Fixture() { return FileBytes(QStringLiteral(VORENX_CALIB_DATA "/rtd_transmitter.csv")); }

TEST(CalibrationCsv, WorkedExampleMatchesTheFixture) {
  const QByteArray fixture = Fixture();
  ASSERT_FALSE(fixture.isEmpty()) << "tests/calib/data/rtd_transmitter.csv is missing";
  EXPECT_EQ(CalibrationCsv(WorkedRecord()).toStdString(), fixture.toStdString());
}

TEST(CalibrationCsv, UserTextsNeverBreakTheLines) {
  CalibrationRecord r = WorkedRecord();
  r.setup.tag = QStringLiteral("TT,\"101\"");
  r.setup.description = QStringLiteral("line one\r\nline two");
  r.asLeft.reset();
  r.asFound->complete = false;
  r.asFound->endReason = QStringLiteral("Aborted, by the user");
  const QStringList lines = QString::fromUtf8(CalibrationCsv(r)).split(QStringLiteral("\r\n"));
  EXPECT_TRUE(lines.last().isEmpty());  // every line ends in CR LF
  for (const QString& line : lines.mid(0, lines.size() - 1)) {
    EXPECT_FALSE(line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) << line.toStdString();
    if (!line.startsWith(QLatin1Char('#')) && !line.startsWith(QChar(0xFEFF))) {
      EXPECT_EQ(line.count(QLatin1Char(',')), 15) << line.toStdString();
    }
  }
  EXPECT_TRUE(lines.contains(QStringLiteral("# Description: line one  line two")));
  EXPECT_TRUE(lines.filter(QStringLiteral("# As-found: fail (incomplete: Aborted, by the user)")).size() == 1);
}

// The columns a record of the first format did not keep are added last, so
// that scripts reading the earlier columns by position go on working.
TEST(CalibrationCsv, UncertaintyColumnsComeLastAndOlderRecordsSayNotRecorded) {
  CalibrationRecord r = WorkedRecord();
  r.setup.resolution = 0.0;  // as a setup of the first format reads
  for (PointResult& p : r.asFound->points) {
    p.uncertainty.reset();
    p.verdict.reset();
  }
  PointResult& left = r.asLeft->points[2];
  left.verdict = PointVerdict::Indeterminate;  // as a guard band decides inside it
  left.pass = false;
  const QStringList lines = QString::fromUtf8(CalibrationCsv(r)).split(QStringLiteral("\r\n"));
  EXPECT_TRUE(lines.contains(QStringLiteral("# Resolution: not recorded")));
  const QStringList header = lines.filter(QRegularExpression(QStringLiteral("^Run,"))).value(0).split(QLatin1Char(','));
  ASSERT_EQ(header.size(), 16);
  EXPECT_EQ(header.mid(11), (QStringList{"Verdict", "Time", "U (k = 2)", "TUR", "Decision"}));
  const QStringList found = lines.filter(QStringLiteral("As-found,50,up,")).value(0).split(QLatin1Char(','));
  ASSERT_EQ(found.size(), 16);
  EXPECT_EQ(found.mid(13), (QStringList{"", "", "not recorded"}));
  const QStringList middle = lines.filter(QStringLiteral("As-left,50,up,")).value(0).split(QLatin1Char(','));
  ASSERT_EQ(middle.size(), 16);
  EXPECT_EQ(middle[11], "fail");
  EXPECT_EQ(middle[15], "indeterminate");
  EXPECT_EQ(lines.filter(QStringLiteral("# As-left: indeterminate;")).size(), 1);
  EXPECT_EQ(lines.filter(QStringLiteral("# As-found: fail;")).size(), 1);  // from its points' pass
}

TEST_F(CommaLocale, CsvKeepsThePoint) {
  const QByteArray fixture = Fixture();
  ASSERT_FALSE(fixture.isEmpty());
  EXPECT_EQ(CalibrationCsv(WorkedRecord()).toStdString(), fixture.toStdString());
}

}  // namespace
}  // namespace vorenx::testing
