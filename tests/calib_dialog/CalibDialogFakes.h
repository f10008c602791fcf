// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Test-side stand-ins for the calibration dialog: a host that creates real
// runs on the run tests' recording link, a calibrator with a transmitter under
// test that answers the requests, dialogs that answer from a script, and the
// ambient conditions typed in.

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "platform/UserDialogs.h"
#include "TestKeeper.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationHost.h"
#include "calib/CalibrationMath.h"
#include "../calib_run/RunBench.h"

namespace vorenx::testing {

// A transmitter under test with `gain` on its share of span and `offset`
// (output units), read with alternating +/- `noise`.
struct FakeTransmitter {
  double gain = 1.0;
  double offset = 0.0;
  double noise = 0.0;
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
  void Feed(int count, FakeTransmitter t = {}) {
    for (int i = 0; i < count; ++i) {
      CalibrationRun* run = Run();
      if (run && !run->Ended()) {
        const double sign = (m_reads++ % 2) ? 1.0 : -1.0;
        bench.transmitter = [s = run->Setup(), t, sign](double in) {
          return s.outputLow + t.gain * (ExpectedOutput(s, in) - s.outputLow) + t.offset + sign * t.noise;
        };
        bench.Read(*run);
      } else {
        link.now += 1000;
      }
      QCoreApplication::processEvents();
    }
  }
  void SetConnected(bool on) {
    connected = on;
    if (CalibrationRun* run = Run()) run->OnConnection(on);
    QCoreApplication::processEvents();
  }

  FakeCalibrationLink link;
  BenchInstrument bench{link};
  CalibrationSetup defaults;
  QString refuse;
  bool connected = true;
  int created = 0;
  std::vector<QPointer<CalibrationRun>> runs;

 private:
  int m_reads = 0;
};

class FakeCalibrationDialogs : public UserDialogs {
 public:
  bool Confirm(QWidget*, const QString& text) override {
    questions << text;
    return answer;
  }
  bool AskSaveFileName(QWidget*, const SaveFileRequest& request, QString& path) override {
    requests.push_back(request);
    if (savePath.isEmpty()) return false;
    path = savePath;
    return true;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  bool AskText(QWidget*, const QString& text, QString& typed) override {
    textQuestions << text;
    typed = textAnswer;
    return textAnswered;
  }

  bool answer = true;
  QString textAnswer;         // what the user types when asked for a text
  bool textAnswered = false;  // OK (true) or Cancel
  QStringList textQuestions;
  QString savePath;
  QStringList questions;
  QStringList messages;
  std::vector<SaveFileRequest> requests;
};

// The run tests' transmitter (4-20 mA on PT100, 0 to 100 ℃) with the
// dialog's defaults for the rest, and who it is.
inline CalibrationSetup DialogSetup() {
  CalibrationSetup s = RtdTransmitterSetup();
  s.description = QStringLiteral("Reactor inlet temperature");
  s.technician = QStringLiteral("A. Tester");
  s.settle = SettleRule{};
  s.resolution = 0.001;
  return s;
}

// Types the ambient conditions into the dialog's fields, as the user does before a run.
inline void EnterEnvironment(CCalibrationDlg& dlg, const QString& temperature = QStringLiteral("21.5"),
                             const QString& humidity = QStringLiteral("45")) {
  qobject_cast<QLineEdit*>(dlg.Field(SetupField::AmbientTemperature))->setText(temperature);
  qobject_cast<QLineEdit*>(dlg.Field(SetupField::Humidity))->setText(humidity);
}

}  // namespace vorenx::testing
