#pragma once
// Test-side stand-ins for the calibration dialog: a link that records what a
// run asks for and keeps a settable clock, a host that creates real runs on
// it, a calibrator with a transmitter under test that answers the requests,
// and dialogs that answer from a script.

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "calib/CalibrationDialogs.h"
#include "calib/CalibrationHost.h"
#include "calib/CalibrationMath.h"

namespace vorenx::testing {

class FakeCalibrationLink : public CalibrationLink {
 public:
  void RequestUpper(FunctionCode function) override { uppers.push_back(function); }
  void RequestLower(const LowerRequest& request) override { lowers.push_back(request); }
  void SetFastPolling(bool fast) override { fastPolling.push_back(fast); }
  std::uint32_t NowMs() override { return now; }
  int SourceDecimals(FunctionCode, double) override { return 3; }

  bool EverOutputOn() const {
    for (const LowerRequest& r : lowers)
      if (r.outputOn) return true;
    return false;
  }

  std::vector<FunctionCode> uppers;
  std::vector<LowerRequest> lowers;
  std::vector<bool> fastPolling;
  std::uint32_t now = 1000;
};

// The calibrator's displays as a transmitter with `gain` and `offset` (output
// units) would make them: the lower shows the last request, the upper the
// transmitter's answer to it.
struct FakeTransmitter {
  double gain = 1.0;
  double offset = 0.0;
  double noise = 0.0;  // alternating +/- this much, output units

  InstrumentState Reading(const FakeCalibrationLink& link, const CalibrationSetup& setup, int n) const {
    InstrumentState s;
    if (!link.lowers.empty()) {
      const LowerRequest& r = link.lowers.back();
      s.lowerFunction = r.function;
      s.wiring = r.wiring;
      s.celsius = r.celsius;
      s.outputOff = !r.outputOn;
      s.lowerValue = static_cast<float>(r.value);
    }
    if (!link.uppers.empty()) s.upperFunction = link.uppers.back();
    const double expected = ExpectedOutput(setup, s.lowerValue);
    const double out = s.outputOff ? setup.outputLow : setup.outputLow + gain * (expected - setup.outputLow) + offset;
    s.upperValue = static_cast<float>(out + ((n % 2) ? noise : -noise));
    return s;
  }
};

class FakeCalibrationHost : public CalibrationHost {
 public:
  std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind, QString* why) override {
    ++created;
    if (!refuse.isEmpty()) {
      if (why) *why = refuse;
      return nullptr;
    }
    auto run = std::make_unique<CalibrationRun>(link, setup, kind);
    run->OnConnection(connected);
    runs.push_back(run.get());
    return run;
  }
  CalibrationSetup CurrentDefaults() override { return defaults; }
  void LowerRange(FunctionCode function, bool celsius, double& low, double& high) override {
    low = 0.0;
    high = 24.0;
    if (function == fc::kVolt) high = 30.0;
    if (IsRtd(function)) low = celsius ? -200.0 : -328.0, high = celsius ? 850.0 : 1562.0;
  }
  QString CalibratorText() override { return QStringLiteral("Vorenx calibrator on COM4 (/dev/pts/7)"); }
  bool Connected() override { return connected; }

  CalibrationRun* Run() const { return runs.empty() ? nullptr : runs.back().data(); }
  // One reading a second to the newest run, then the event loop's turn.
  void Feed(int count, FakeTransmitter transmitter = {}) {
    for (int i = 0; i < count; ++i) {
      link.now += 1000;
      if (CalibrationRun* run = Run(); run && !run->Ended()) run->OnReading(transmitter.Reading(link, run->Setup(), i));
      QCoreApplication::processEvents();
    }
  }
  void SetConnected(bool on) {
    connected = on;
    if (CalibrationRun* run = Run()) run->OnConnection(on);
    QCoreApplication::processEvents();
  }

  FakeCalibrationLink link;
  CalibrationSetup defaults;
  QString refuse;
  bool connected = true;
  int created = 0;
  std::vector<QPointer<CalibrationRun>> runs;
};

class FakeCalibrationDialogs : public CalibrationDialogs {
 public:
  bool Confirm(QWidget*, const QString& text) override {
    questions << text;
    return answer;
  }
  bool AskSaveFileName(QWidget*, const CalibrationSaveRequest& request, QString& path) override {
    requests.push_back(request);
    if (savePath.isEmpty()) return false;
    path = savePath;
    return true;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }

  bool answer = true;
  QString savePath;
  QStringList questions;
  QStringList messages;
  std::vector<CalibrationSaveRequest> requests;
};

// A 4-20 mA transmitter on a PT100 input of 0 to 100 ℃.
inline CalibrationSetup RtdTransmitterSetup() {
  CalibrationSetup s;
  s.tag = QStringLiteral("TT-101");
  s.description = QStringLiteral("Reactor inlet temperature");
  s.technician = QStringLiteral("A. Tester");
  s.inputFunction = fc::kRtdFirst;
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

}  // namespace vorenx::testing
