// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The window's side of the calibration tests: a real window and worker, the
// real serial library over a pseudo-terminal, and the simulator answering as
// a transmitter with a known error. The window, the worker and the simulator
// share a clock that moves on by the worker's 200 ms pause at every cycle and
// by nothing else, while the worker really pauses 5 ms: a poll every fifth
// cycle, silence shown after three quiet cycles, timeouts counted in cycles,
// however slowly a busy machine runs them.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include "QelHard.h"
#include "RunBench.h"
#include "SimulatedInstrument.h"
#include "TestScale.h"
#include "app/CVorenxDlg.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "platform/UserDialogs.h"
#include "calib_dialog/CalibrationHost.h"
#include "records/CalibrationStore.h"
#include "../calib_dialog/TestKeeper.h"
#include "grid/GridCtrl.h"

namespace vorenx::testing {

inline constexpr int kPort = 4;

// The real library, with a note of the thread of every setting sent, and the
// clock: every cycle of the worker starts with a connection check.
class ThreadWitnessHard : public QelHardDll {
 public:
  explicit ThreadWitnessHard(QelHardDll& real) : m_real(real) {}
  std::uint16_t QelIsDevConnect(std::int32_t port) override {
    m_ticks.fetch_add(kCyclePauseMs);
    return m_real.QelIsDevConnect(port);
  }
  std::uint16_t QelOpenCOM(std::int32_t port) override { return m_real.QelOpenCOM(port); }
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override {
    return m_real.QelGetData(port, buffer, size);
  }
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override {
    Note();
    return m_real.QelSetUpper(port, function);
  }
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) override {
    Note();
    return m_real.QelSetLower(port, function, mode, value);
  }
  std::uint16_t QelCloseCOM(std::int32_t port) override { return m_real.QelCloseCOM(port); }
  QString PortPath(std::int32_t port) override { return m_real.PortPath(port); }

  TickSource Ticks() {
    return [this] { return m_ticks.load(); };
  }
  double Seconds() const { return m_ticks.load() / 1000.0; }
  int Settings() const { return m_settings.load(); }
  int FromWindowThread() const { return m_fromWindow.load(); }

 private:
  void Note() {
    m_settings.fetch_add(1);
    if (std::this_thread::get_id() == m_windowThread) m_fromWindow.fetch_add(1);
  }
  QelHardDll& m_real;
  const std::thread::id m_windowThread = std::this_thread::get_id();
  std::atomic<int> m_settings{0};
  std::atomic<int> m_fromWindow{0};
  std::atomic<std::uint32_t> m_ticks{100000};
};

// 4-20 mA transmitter on a PT100 input over 0-100 ℃.
inline sim::DutSpec Transmitter(double gain, double noise = 0.0) {
  sim::DutSpec d;
  d.input = fc::kRtdFirst;
  d.output = fc::kUpperCurrent;
  d.inLow = 0.0;
  d.inHigh = 100.0;
  d.outLow = 4.0;
  d.outHigh = 20.0;
  d.gain = gain;
  d.noise = noise;
  d.seed = 7;
  return d;
}

// Shows `setup` in the calibration dialog with what a run needs beyond it: a
// resolution when it has none, and the ambient conditions of now.
inline void ShowSetupReadyToRun(CCalibrationDlg& dialog, CalibrationSetup setup) {
  if (!(setup.resolution > 0.0)) setup.resolution = 0.001;
  dialog.ShowSetup(setup);
  qobject_cast<QLineEdit*>(dialog.Field(SetupField::AmbientTemperature))->setText(QStringLiteral("21.5"));
  qobject_cast<QLineEdit*>(dialog.Field(SetupField::Humidity))->setText(QStringLiteral("45"));
}

class CalibrationWindowTest : public ::testing::Test {
 protected:
  void Open(const sim::DutSpec& dut) {
    ASSERT_TRUE(folder.isValid());
    device = folder.filePath("ttyUSB0");
    simulator.SetDut(dut);
    simulator.SetClock([this] { return hard.Seconds(); });
    PlugIn();
    ASSERT_TRUE(QelSetPortPath(kPort, device));
    dlg = std::make_unique<CVorenxDlg>(hard, DefaultQelDisplayDll(), hard.Ticks(), SystemClock());
    dlg->Worker()->SetCyclePause(5);
    dlg->show();
    ASSERT_TRUE(Until([&] { return dlg->CalibrationSide().Connected(); }));
  }
  void TearDown() override {
    run.reset();
    dlg.reset();
    // Every setting went out from the worker, never from the window's thread.
    EXPECT_EQ(hard.FromWindowThread(), 0);
  }
  void PlugIn() {
    const QString pty = simulator.Start();
    ASSERT_FALSE(pty.isEmpty());
    ASSERT_TRUE(QFile::link(pty, device));
  }

  // A run started and confirmed.
  void StartRun(const CalibrationSetup& setup) {
    QString why;
    run = dlg->CalibrationSide().CreateRun(setup, RunKind::AsFound, &why);
    ASSERT_NE(run, nullptr) << why.toStdString();
    run->Start();
    ASSERT_TRUE(Until([&] { return run->CurrentState() == CalibrationRun::State::AwaitingConfirmation; }))
        << run->StatusText().toStdString();
    EXPECT_FALSE(simulator.Settings().outputOn);
    run->ConfirmOutput();
  }
  // Serves the window until `done` holds; false after the time allowed, a
  // bound for a hang that a busy machine never comes near.
  template <typename F>
  bool Until(F done, int seconds = 60) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(testing::kUnderSanitizer ? 3 * seconds : seconds);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
  }
  bool Ended() { return Until([&] { return run->Ended(); }, 120); }

  ThreadWitnessHard hard{DefaultQelHardDll()};
  sim::SimulatedInstrument simulator;
  QTemporaryDir folder;
  QString device;
  std::unique_ptr<CVorenxDlg> dlg;
  std::unique_ptr<CalibrationRun> run;
};

// Gives `answer` to every question (yes unless told); no file is asked for.
class YesDialogs : public UserDialogs {
 public:
  bool Confirm(QWidget*, const QString& text) override {
    questions << text;
    if (onQuestion) onQuestion();
    return ++confirmed, answer;
  }
  bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  std::function<void()> onQuestion;
  bool answer = true;
  int confirmed = 0;
  QStringList questions;
  QStringList messages;
};

}  // namespace vorenx::testing
