#pragma once
// Shared by the calibration tests: the worked example (a 4-20 mA transmitter
// on a 0-100 ℃ PT100 input), a range lookup with the calibrator's ranges the
// examples use, fixed times, and a comma-decimal locale for the number tests.

#include <QDateTime>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <clocale>
#include <gtest/gtest.h>
#include <string>

#include "calib/CalibrationMath.h"
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
