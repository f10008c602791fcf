// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A calibration run's world in a test: a recording CalibrationLink with a
// fake clock, and a bench instrument that shows what was last requested and
// answers on its upper display as a transmitter would.
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "../calib/CalibTestSupport.h"
#include "calib/CalibrationRun.h"

namespace vorenx::testing {

class FakeCalibrationLink : public CalibrationLink {
 public:
  void RequestUpper(FunctionCode function) override { uppers.push_back(function); }
  void RequestLower(const LowerRequest& request) override { lowers.push_back(request); }
  void SetFastPolling(bool fast) override { fastPolling.push_back(fast); }
  std::uint32_t NowMs() override { return now; }
  int SourceDecimals(FunctionCode, double value) override { return decimalsFor ? decimalsFor(value) : 2; }

  // Requests with the output on.
  int OutputOnRequests() const {
    int n = 0;
    for (const LowerRequest& r : lowers) n += r.outputOn ? 1 : 0;
    return n;
  }

  std::uint32_t now = 4'294'000'000u;  // near the wrap: waits must survive it
  std::function<int(double)> decimalsFor;
  std::vector<FunctionCode> uppers;
  std::vector<LowerRequest> lowers;
  std::vector<bool> fastPolling;
};

// The worked example's transmitter (4-20 mA on a PT100 input, 0-100 ℃, 0.5 %
// of span), with a settling timeout short enough for whole runs in tests.
inline CalibrationSetup RtdTransmitterSetup() {
  CalibrationSetup s = RtdTransmitter();
  s.settle.timeoutSeconds = 20.0;  // 20 polls in the window tests
  return s;
}

// The calibrator: takes each requested setting (unless told not to) and reads
// the transmitter's output on its upper display once a second.
class BenchInstrument {
 public:
  explicit BenchInstrument(FakeCalibrationLink& link) : m_link(link) {
    shown.upperFunction = fc::kUpperVoltage;
    shown.lowerFunction = fc::kVolt;
    shown.outputOff = true;
    shown.wiring = fc::kNoWiring;
  }

  // Output for an input value; ideal 4-20 mA over 0-100 by default.
  std::function<double(double)> transmitter = [](double in) { return 4.0 + 16.0 * in / 100.0; };
  bool takesLower = true;
  bool takesUpper = true;
  InstrumentState shown;

  // One reading a second later: the newest requests taken, then read.
  void Read(CalibrationRun& run) {
    m_link.now += 1000;
    if (takesUpper && !m_link.uppers.empty()) shown.upperFunction = m_link.uppers.back();
    if (takesLower && !m_link.lowers.empty()) {
      const LowerRequest& r = m_link.lowers.back();
      shown.lowerFunction = r.function;
      shown.wiring = r.wiring;
      shown.celsius = r.celsius;
      shown.outputOff = !r.outputOn;
      shown.lowerValue = static_cast<float>(r.value);
    }
    shown.upperValue = static_cast<float>(shown.outputOff ? 0.0 : transmitter(shown.lowerValue));
    run.OnReading(shown);
  }
  // Reads until the run ends or `limit` readings were taken; the readings taken.
  int ReadUntilEnded(CalibrationRun& run, int limit = 1000) {
    int n = 0;
    while (!run.Ended() && n < limit) {
      Read(run);
      ++n;
    }
    return n;
  }
  // Reads until the run is in `state` (at most `limit` readings).
  bool ReadUntil(CalibrationRun& run, CalibrationRun::State state, int limit = 100) {
    for (int n = 0; n < limit && run.CurrentState() != state; ++n) Read(run);
    return run.CurrentState() == state;
  }

 private:
  FakeCalibrationLink& m_link;
};

}  // namespace vorenx::testing
