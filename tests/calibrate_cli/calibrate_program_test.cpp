// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-calibrate as a process, as a lab's script runs it: against its own
// simulated calibrator with a transmitter under test (--simulate --dut), or
// against one of the test's behind a pseudo-terminal (--port), so that the
// test sees what the calibrator was left doing. Each test has its own records
// file and XDG folders. Waits are for the program's own lines, bounded only
// against a hang.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

#include "../lab_records/LabRecordsTestSupport.h"
#include "ProcessOutput.h"
#include "SimulatedInstrument.h"

namespace vorenx::testing {
namespace {

#ifdef VORENX_CALIBRATE_PATH
constexpr const char* kProgram = VORENX_CALIBRATE_PATH;
#else
constexpr const char* kProgram = nullptr;
#endif

constexpr int kRunWaitMs = 180000;  // a bound for a hang, not a timing

#define SKIP_WITHOUT_PROGRAM() \
  if (!kProgram) GTEST_SKIP() << "vorenx-calibrate is not built here (VORENX_BUILD_APPS=OFF)"

// A 4-20 mA transmitter on a 4-20 mA input, three points, settled after two
// readings; saved without a resolution, as older setups are.
CalibrationSetup FlowTransmitter() {
  return {.tag = "FT-12",
          .description = "Feed flow",
          .technician = "A. Technician",
          .inputFunction = fc::kCurrent,
          .pointsPercent = {0.0, 50.0, 100.0},
          .settle = {2, 0.1, 30.0}};
}

class CalibrateProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    location.path = m_dir.filePath("records.sqlite");
    RecordsResult<std::unique_ptr<LabRecords>> opened = OpenLabRecords(location);
    ASSERT_TRUE(opened.ok()) << opened.message.toStdString();
    records = std::move(opened.value);
    setupFile = m_dir.filePath("setup.json");
    WriteSetup(SetupToJson(FlowTransmitter()));
  }

  void WriteSetup(const QByteArray& bytes) {
    QFile file(setupFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  qint64 AddStandard(const QString& serial, const QDate& dueOn) {
    const ReferenceStandard standard{0, serial, "Process calibrator", "DKD-" + serial, dueOn.addYears(-1), dueOn, {}};
    const RecordsResult<ReferenceStandard> added = records->AddStandard(standard, {"Lab manager", {}});
    EXPECT_TRUE(added.ok()) << added.message.toStdString();
    return added.value.id;
  }
  QDate InAYear() const { return QDate::currentDate().addYears(1); }

  // Starts the program on this test's records, folders and setup file.
  void Start(QProcess& program, const QStringList& arguments, const QStringList& environment = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    for (const QString& pair : environment) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    program.setProcessEnvironment(env);
    program.start(QString::fromUtf8(kProgram),
                  QStringList{"--setup", setupFile, "--records", location.path} + arguments);
    ASSERT_TRUE(program.waitForStarted(kRunWaitMs));
  }
  // Starts it on this test's own simulated calibrator with a transmitter
  // under test, which the test can then make misbehave and look at.
  void StartOnTestCalibrator(QProcess& program, const QStringList& arguments) {
    calibrator.SetDut(sim::ParseDutSpec("input=7,output=2").dutSpec);
    QString error;
    const QString path = calibrator.Start(&error);
    ASSERT_FALSE(path.isEmpty()) << error.toStdString();
    Start(program, QStringList{"--port", "4=" + path, "--environment", "22.5,40", "--resolution", "0.001"} + arguments);
  }
  // Runs it to its end; its exit status, with both streams kept.
  int Run(const QStringList& arguments, const QStringList& environment = {}) {
    QProcess program;
    Start(program, arguments, environment);
    EXPECT_TRUE(program.waitForFinished(kRunWaitMs)) << "vorenx-calibrate did not end";
    out = program.readAllStandardOutput();
    err = program.readAllStandardError();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
  }
  // Reads standard output until it holds `text` or the program ends.
  static bool WaitForOutput(QProcess& program, QByteArray& seen, const QByteArray& text) {
    return WaitForProcessText(program, QProcess::StandardOutput, seen, text, kRunWaitMs);
  }
  QList<QByteArray> Lines() const { return out.trimmed().split('\n'); }
  QList<QByteArray> PointLines(const QByteArray& run = "as-found") const {
    QList<QByteArray> points;
    for (const QByteArray& line : Lines())
      if (line.startsWith(run + '\t')) points << line;
    return points;
  }
  // The one calibration in the records.
  StoredCalibration Stored() {
    const RecordsResult<std::vector<CalibrationSummary>> all = records->Calibrations();
    EXPECT_TRUE(all.ok());
    EXPECT_EQ(all.value.size(), 1u);
    if (all.value.empty()) return {};
    return records->FindCalibration(all.value.front().id).value;
  }
  std::string Said() const { return (out + "\n--- stderr:\n" + err).toStdString(); }

  RecordsLocation location;
  std::unique_ptr<LabRecords> records;
  QString setupFile;
  QByteArray out, err;
  sim::SimulatedInstrument calibrator;
  QString Path(const QString& name) const { return m_dir.filePath(name); }

 private:
  QTemporaryDir m_dir;
};

TEST_F(CalibrateProgram, APassingRunPrintsEachPointAndItsCertificateWhateverTheLocale) {
  SKIP_WITHOUT_PROGRAM();
  const qint64 standard = AddStandard("STD-1", InAYear());
  const int status = Run({"--simulate", "--dut", "input=7,output=2", "--environment", "23.1,45", "--resolution", "0.001"},
                         {"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"});
  ASSERT_EQ(status, 0) << Said();

  const QList<QByteArray> points = PointLines();
  ASSERT_EQ(points.size(), 3) << Said();
  for (const QByteArray& line : points) {
    const QList<QByteArray> f = line.split('\t');
    ASSERT_EQ(f.size(), 10) << line.toStdString();
    EXPECT_EQ(f[9], "pass") << line.toStdString();
    EXPECT_NE(f[7], "none") << "no uncertainty: " << line.toStdString();
    EXPECT_FALSE(line.contains(',')) << "a locale's decimal comma: " << line.toStdString();
  }
  EXPECT_TRUE(points[1].startsWith("as-found\t50\tup\t12\t12\t")) << points[1].toStdString();

  const StoredCalibration stored = Stored();
  EXPECT_EQ(Lines().last(), stored.summary.certificateNumber.toUtf8() + " pass") << Said();
  EXPECT_TRUE(stored.summary.certificateNumber.startsWith("VX-")) << Said();
  ASSERT_TRUE(stored.record.asFound);
  EXPECT_TRUE(stored.record.asFound->complete);
  EXPECT_EQ(stored.record.asFound->points.size(), 3u);
  EXPECT_FALSE(stored.record.asLeft);
  EXPECT_EQ(stored.summary.standardId, standard);
  EXPECT_EQ(stored.record.setup.resolution, 0.001);
  EXPECT_EQ(stored.record.environment.temperatureC, 23.1);
  EXPECT_EQ(stored.record.environment.humidityPercent, 45.0);
  ASSERT_TRUE(stored.record.standard);
  EXPECT_EQ(stored.record.standard->serial, "STD-1");
  EXPECT_TRUE(stored.record.standard->defaultAccuracy);
  EXPECT_TRUE(stored.record.calibrator.startsWith("Simulated Vorenx calibrator on COM4")) << stored.record.calibrator.toStdString();
}

TEST_F(CalibrateProgram, AnErrorWithinTheGuardBandIsIndeterminateInBothRuns) {
  SKIP_WITHOUT_PROGRAM();
  AddStandard("STD-1", InAYear());
  // An error of exactly the tolerance (0.08 mA of 16 mA = 0.5 %) with U near
  // 0.19 % of span: the setup's simple acceptance passes it, the guard band cannot.
  const int status = Run({"--simulate", "--dut", "input=7,output=2,offset=0.08", "--environment", "21,50",
                          "--resolution", "0.05", "--rule", "guard-band", "--as-left", "--as-found", "--pdf",
                          Path("c.pdf"), "--dcc", Path("c.xml")});
  ASSERT_EQ(status, 0) << Said();
  const QList<QByteArray> points = PointLines("as-found") + PointLines("as-left");
  ASSERT_EQ(points.size(), 6) << Said();
  for (const QByteArray& line : points) EXPECT_TRUE(line.endsWith("\tindeterminate")) << line.toStdString();
  EXPECT_TRUE(Lines()[Lines().size() - 2].startsWith("as-left\t100\t")) << Said();
  EXPECT_TRUE(QRegularExpression("^VX-\\S+ indeterminate$").match(QString::fromUtf8(Lines().last())).hasMatch()) << Said();
  // One calibration with both runs, the as-left after the as-found.
  const StoredCalibration stored = Stored();
  ASSERT_TRUE(stored.record.asFound && stored.record.asLeft);
  EXPECT_TRUE(stored.record.asFound->complete && stored.record.asLeft->complete);
  EXPECT_LE(stored.record.asFound->finished, stored.record.asLeft->started);
  EXPECT_EQ(stored.record.setup.rule, DecisionRule::GuardBand);
  // Both certificates of the kept calibration, which say conformity was not decided.
  QFile pdf(Path("c.pdf")), dcc(Path("c.xml"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly) && dcc.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
  const QByteArray xml = dcc.readAll();
  EXPECT_TRUE(xml.contains("<dcc:uniqueIdentifier>" + stored.summary.certificateNumber.toUtf8() + "<")) << xml.left(2000).toStdString();
  EXPECT_EQ(xml.count("Conformity could not be decided"), 6);
}

TEST_F(CalibrateProgram, ARunGoesOnByItselfWhenTheCalibratorAnswersAgain) {
  SKIP_WITHOUT_PROGRAM();
  AddStandard("STD-1", InAYear());
  QProcess program;
  StartOnTestCalibrator(program, {});
  QByteArray seen, said;
  ASSERT_TRUE(WaitForOutput(program, seen, "\nas-found\t")) << seen.toStdString();
  calibrator.InjectFault(sim::Fault::Silent, -1);
  ASSERT_TRUE(WaitForProcessText(program, QProcess::StandardError, said, "stopped answering", kRunWaitMs))
      << said.toStdString();
  calibrator.InjectFault(sim::Fault::None, 0);
  ASSERT_TRUE(program.waitForFinished(kRunWaitMs));
  out = seen + program.readAllStandardOutput();
  err = said + program.readAllStandardError();
  EXPECT_EQ(program.exitCode(), 0) << Said();
  EXPECT_TRUE(err.contains("answers again")) << Said();
  EXPECT_EQ(PointLines().size(), 3) << Said();
  const StoredCalibration stored = Stored();
  ASSERT_TRUE(stored.record.asFound);
  EXPECT_TRUE(stored.record.asFound->complete);
  ASSERT_EQ(stored.record.asFound->interruptions.size(), 1u);
  EXPECT_TRUE(stored.record.asFound->interruptions.front().to.isValid());
  EXPECT_EQ(Lines().last(), stored.summary.certificateNumber.toUtf8() + " pass") << Said();
}

TEST_F(CalibrateProgram, WhatCannotRunIsRefusedBeforeTheCalibratorIsTouched) {
  SKIP_WITHOUT_PROGRAM();
  const QStringList run{"--simulate", "--environment", "21,50", "--resolution", "0.01"};
  AddStandard("STD-1", InAYear());
  AddStandard("STD-2", InAYear());
  const struct {
    QStringList arguments;
    int status;
    const char* said;
  } cases[] = {
      {{"--simulate", "--environment", "21;50", "--resolution", "0.01"}, 2, "TEMP_C,RH_PERCENT"},
      {run + QStringList{"--rule", "strict"}, 2, "simple or guard-band"},
      {run, 2, "STD-1, STD-2"},  // two standards and none chosen
      {run + QStringList{"--standard", "STD-9"}, 3, "no reference standard STD-9"},
      {{"--simulate", "--environment", "21,50", "--resolution", "0", "--standard", "STD-1"}, 3, "above 0"},
      {{"--simulate", "--environment", "80,50", "--resolution", "0.01", "--standard", "STD-1"}, 3, "ambient temperature"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(Run(c.arguments), c.status) << Said();
    EXPECT_TRUE(err.contains(c.said)) << Said();
    EXPECT_TRUE(out.isEmpty()) << Said();
  }
  WriteSetup("{\"format\": \"something else\"}");
  EXPECT_EQ(Run(run + QStringList{"--standard", "STD-1"}), 3) << Said();
  EXPECT_TRUE(err.contains("setup.json")) << Said();
  EXPECT_TRUE(records->Calibrations().value.empty());
}

TEST_F(CalibrateProgram, AnOverdueStandardIsRefusedWithoutAReason) {
  SKIP_WITHOUT_PROGRAM();
  AddStandard("STD-OLD", QDate::currentDate().addDays(-1));
  EXPECT_EQ(Run({"--simulate", "--environment", "21,50", "--resolution", "0.01"}), 3) << Said();
  EXPECT_TRUE(err.contains("STD-OLD")) << Said();
  EXPECT_TRUE(err.contains("--accept-overdue-standard")) << Said();
  EXPECT_TRUE(records->Calibrations().value.empty());
}

TEST_F(CalibrateProgram, NoCalibratorAtThePortEndsWithFour) {
  SKIP_WITHOUT_PROGRAM();
  AddStandard("STD-1", InAYear());
  const QString missing = QDir(QDir::tempPath()).filePath("vorenx-no-such-device");
  EXPECT_EQ(Run({"--port", "4=" + missing, "--environment", "21,50", "--resolution", "0.01"}), 4) << Said();
  EXPECT_TRUE(err.contains("no such device")) << Said();
  EXPECT_TRUE(out.isEmpty()) << Said();
}

TEST_F(CalibrateProgram, SigtermMidRunSwitchesTheOutputOffAndKeepsTheRecordIncomplete) {
  SKIP_WITHOUT_PROGRAM();
  const qint64 standard = AddStandard("STD-OLD", QDate::currentDate().addDays(-3));
  QProcess program;
  StartOnTestCalibrator(program, {"--accept-overdue-standard", "Bench standard away for repair"});
  QByteArray seen;
  ASSERT_TRUE(WaitForOutput(program, seen, "\nas-found\t")) << seen.toStdString();
  // A point was measured: the output is on, sourcing the next one.
  EXPECT_TRUE(calibrator.Settings().outputOn);
  ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
  ASSERT_TRUE(program.waitForFinished(kRunWaitMs));
  out = seen + program.readAllStandardOutput();
  err = program.readAllStandardError();
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 5) << Said();

  EXPECT_FALSE(calibrator.Settings().outputOn) << "the calibrator was left sourcing";
  const StoredCalibration stored = Stored();
  ASSERT_TRUE(stored.record.asFound);
  EXPECT_FALSE(stored.record.asFound->complete);
  EXPECT_TRUE(stored.record.asFound->endReason.contains("SIGTERM")) << stored.record.asFound->endReason.toStdString();
  EXPECT_GE(stored.record.asFound->points.size(), 1u);
  // The overdue standard's use is in the audit trail with the reason given.
  RawSql sql(location);
  ASSERT_TRUE(sql.ok());
  EXPECT_TRUE(sql.Run("SELECT reason FROM audit_log WHERE action = 'use-overdue' AND entity_id = ?", {standard})
                  .contains("Bench standard away for repair"));
  ASSERT_TRUE(stored.record.standard);
  EXPECT_EQ(stored.record.standard->overdueReason, "Bench standard away for repair");
  EXPECT_EQ(Lines().last(), stored.summary.certificateNumber.toUtf8() + " incomplete") << Said();
}

}  // namespace
}  // namespace vorenx::testing
