// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Shared by the calibration tests: the worked example (a 4-20 mA transmitter
// on a 0-100 ℃ PT100 input), a range lookup with the calibrator's ranges the
// examples use, fixed times, and a comma-decimal locale for the number tests.

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <clocale>
#include <gtest/gtest.h>
#include <string>

#include "calib/CalibrationMath.h"
#include "records/CalibrationRecord.h"
#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"

namespace vorenx::testing {

inline CalibrationSetup RtdTransmitter() {
  CalibrationSetup s;
  s.tag = QStringLiteral("TT-101");
  s.description = QStringLiteral("Reactor inlet temperature");
  s.technician = QStringLiteral("A. Technician");
  s.inputFunction = fc::kRtdFirst;  // PT100/385
  s.wiring = fc::kThreeWire;
  s.celsius = true;
  s.inputLow = 0.0;
  s.inputHigh = 100.0;
  s.outputFunction = fc::kUpperCurrent;
  s.outputLow = 4.0;
  s.outputHigh = 20.0;
  s.tolerance = 0.5;
  s.resolution = 0.001;  // a 4-20 mA transmitter read to 1 µA
  return s;
}

// The ranges the tests rely on: PT100 -200..850 ℃ (-328..1562 ℉), current
// 0..24 mA, voltage 0..0.5 to 20.5 V (a range with decimals); others 0..100.
inline void TestRange(FunctionCode f, bool celsius, double& low, double& high) {
  if (IsRtd(f)) {
    low = celsius ? -200.0 : -328.0;
    high = celsius ? 850.0 : 1562.0;
  } else if (f == fc::kCurrent) {
    low = 0.0;
    high = 24.0;
  } else if (f == fc::kVolt) {
    low = 0.5;
    high = 20.5;
  } else {
    low = 0.0;
    high = 100.0;
  }
}

// The whole of a file the tests read (a fixture); empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A time on 8 December 2026 with a fixed offset from UTC.
inline QDateTime At(int hour, int minute, int second, int ms = 0, int offsetSeconds = 3600) {
  return QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second, ms), QTimeZone(offsetSeconds));
}

// A point measured at `percent` of the worked example, with error and verdict.
inline PointResult Measured(const CalibrationSetup& s, double percent, double measured, bool down = false) {
  PointResult p;
  p.percent = percent;
  p.down = down;
  p.applied = InputAt(s, percent);
  p.expected = ExpectedOutput(s, p.applied);
  p.measured = measured;
  p.errorPercent = ErrorPercentOfSpan(s, measured, p.expected);
  p.pass = WithinTolerance(p.errorPercent, TolerancePercentOfSpan(s));
  p.settled = true;
  p.readings = 4;
  p.time = At(9, 10, static_cast<int>(percent / 5), 250);
  return p;
}

// A record with every field away from its default: square root, tolerance in
// mA, down points, 3-wire ℉, its own settling rule, an odd tag; an as-found
// run with points of different offsets from UTC, no as-left.
inline CalibrationRecord FullRecord() {
  CalibrationRecord r;
  CalibrationSetup& s = r.setup;
  s = RtdTransmitter();
  s.tag = QString::fromUtf8("FT-7 \"Zulauf\" / 🌡 מדחום");
  s.description = QStringLiteral("Flow, square root; 1/3 of span");
  s.technician = QString::fromUtf8("Zoë Ünal");
  s.inputFunction = fc::kRtdFirst + 5;
  s.wiring = fc::kFourWire;
  s.celsius = false;
  s.inputLow = -40.1;
  s.inputHigh = 1.0 / 3.0 * 300.0 + 0.1;
  s.outputFunction = fc::kUpperLoop;
  s.outputLow = 3.8;
  s.outputHigh = 20.5;
  s.transfer = OutputTransfer::SquareRoot;
  s.pointsPercent = {0.0, 12.5, 1.0 / 3.0 * 100.0, 100.0};
  s.runDown = true;
  s.tolerance = 0.0125;
  s.toleranceUnit = ToleranceUnit::OutputUnits;
  s.settle = {7, 0.25, 90.5};
  s.resolution = 0.0001;
  s.rule = DecisionRule::GuardBand;
  r.calibrator = QStringLiteral("Vorenx calibrator on COM4 (/dev/pts/3)");
  // A lab's own table for the standard, used past its due date.
  StandardUsed standard;
  standard.serial = QStringLiteral("SN 4711/\"B\"");
  standard.description = QString::fromUtf8("Process calibrator, bench 2 ✓");
  standard.certificateNumber = QStringLiteral("DKD-K-12345 2026-03");
  standard.calibratedOn = QDate(2025, 3, 14);
  standard.dueOn = QDate(2026, 3, 14);
  standard.accuracy = {{fc::kRtdFirst + 5, -200.0, 850.0, 0.0, 0.15},
                       {fc::kUpperLoop, 0.0, 24.0, 0.015, 0.0015},
                       {fc::kUpperLoop, 24.0, 1.0 / 3.0 * 100.0, 0.5, 1.0 / 7.0}};
  standard.defaultAccuracy = false;
  standard.overdueReason = QStringLiteral("Successor at the lab; approved by Q. Manager");
  r.standard = standard;
  r.environment.temperatureC = 23.4;  // the humidity was not recorded
  RunResult run;
  run.kind = RunKind::AsFound;
  run.started = At(9, 3, 7, 123);
  run.finished = At(9, 30, 0, 999, 5 * 3600 + 1800);
  run.complete = false;
  run.endReason = QStringLiteral("The link dropped, \"COM4\"");
  for (double percent : s.pointsPercent) {
    PointResult p = Measured(s, percent, ExpectedOutput(s, InputAt(s, percent)) + 0.001 * percent / 7.0);
    p.readings = static_cast<int>(percent) + 3;
    if (percent > 0.0) {  // the first point as an older record has it: no spread kept
      p.spread = 0.0001 * percent / 3.0;
      p.spreadReadings = 7;
    }
    p.time = At(9, 10 + static_cast<int>(percent / 10), 1, 7, percent > 50 ? -3 * 3600 : 0);
    run.points.push_back(p);
  }
  // The newer points know how well they are known; the first is as an older record has it.
  for (std::size_t i = 1; i < run.points.size(); ++i) {
    PointResult& p = run.points[i];
    p.stdDev = 0.00001 * double(i) / 3.0;
    p.uncertainty = EvaluatePointUncertainty(s, r.standard->accuracy, {p.applied, p.measured, p.stdDev, 7});
    p.verdict = p.pass ? PointVerdict::Pass : PointVerdict::Fail;
  }
  run.points[1].pass = false;
  run.points[1].verdict = PointVerdict::Indeterminate;
  run.points[1].settled = false;
  run.points.back().down = true;
  r.asFound = run;
  return r;
}

// Suites whose numbers must keep "." under a German locale (decimal comma):
// C's numeric locale and Qt's default locale both switched. Skipped where no
// such locale can be made.
class CommaLocale : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_ready = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (!s_ready) {
      s_dir = new QTemporaryDir;
      QProcess localedef;
      localedef.start(QStringLiteral("localedef"),
                      {"-i", "de_DE", "-f", "UTF-8", s_dir->filePath(QStringLiteral("de_DE.UTF-8"))});
      if (localedef.waitForFinished(60000) && localedef.exitStatus() == QProcess::NormalExit) {
        qputenv("LOCPATH", s_dir->path().toLocal8Bit());
        s_ready = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
      }
    }
    s_ready = s_ready && std::localeconv()->decimal_point == std::string(",");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  static void TearDownTestSuite() {
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    delete s_dir;
    s_dir = nullptr;
  }
  void SetUp() override {
    if (!s_ready) GTEST_SKIP() << "no comma-decimal locale could be made (localedef de_DE.UTF-8)";
  }

  static inline QTemporaryDir* s_dir = nullptr;
  static inline bool s_ready = false;
};

}  // namespace vorenx::testing
