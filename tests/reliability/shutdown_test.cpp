// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The window closed at random moments of the worker's cycle, many times:
// the program always ends, the port is closed once, and the journal ends
// with a whole line. The sanitizer build checks that nothing leaks.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <random>

#include "QelHard.h"
#include "ReliabilitySupport.h"
#include "SimulatedInstrument.h"
#include "app/CVorenxDlg.h"
#include "grid/GridCtrl.h"

namespace vorenx {
namespace {

constexpr int kPort = 4;

// Where in the cycle the close is asked for.
enum class Moment {
  AnyTime,        // after a random pause
  SerialCall,     // from inside a status read, before its reply is handed on
  WindowBusy,     // while the window exports the table (the worker waits on it)
  JournalWrite,   // right after a reading was handed to the journal's writer
};

class ShutdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(simulator.Start().isEmpty());
    ASSERT_TRUE(QelSetPortPath(kPort, simulator.Path()));
  }

  // One window's life: open, run until `moment`, close, destroy.
  void OneRun(Moment moment, int pauseMs, int run) {
    QTemporaryDir folder;
    testing::WitnessHard witness(DefaultQelHardDll());
    testing::FastTime time;
    std::atomic<bool> closeAsked{false};
    auto dlg = std::make_unique<CVorenxDlg>(witness, DefaultQelDisplayDll(), time.Ticks(), time.Clock(),
                                            folder.path());
    CVorenxDlg* window = dlg.get();
    const auto askClose = [&closeAsked, window] {
      if (closeAsked.exchange(true)) return;
      QMetaObject::invokeMethod(window, [window] { window->close(); }, Qt::QueuedConnection);
    };
    if (moment == Moment::SerialCall || moment == Moment::JournalWrite)
      witness.onReading = [askClose](const testing::SeenReading&) { askClose(); };
    dlg->Worker()->SetCyclePause(1);
    dlg->show();

    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(pauseMs);
    while (std::chrono::steady_clock::now() < until && dlg->isVisible())
      QApplication::processEvents(QEventLoop::AllEvents, 1);
    if (moment == Moment::AnyTime) askClose();
    if (moment == Moment::WindowBusy) {
      askClose();  // handled once the export below is done
      dlg->ReadingsGrid()->SaveToFile(QDir(folder.path()).filePath("export.txt"));
    }
    if (moment == Moment::JournalWrite) dlg->Journal()->WaitUntilSynced(0);
    // The close must come through; a hang here fails the test by its time limit.
    while (dlg->isVisible() || !dlg->WorkerFinished()) {
      if (!closeAsked) askClose();
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const QString journalPath = dlg->Journal()->FilePath();
    dlg.reset();

    EXPECT_EQ(witness.Closes(), 1) << "run " << run;
    QFile journal(journalPath);
    if (journal.open(QIODevice::ReadOnly)) {  // absent when the run ended before any reading
      const QByteArray content = journal.readAll();
      EXPECT_TRUE(content.isEmpty() || content.endsWith("\r\n")) << "run " << run << ": journal ends in a torn line";
      EXPECT_EQ(static_cast<std::size_t>(testing::JournalReadingFields(journalPath).size()), witness.Readings())
          << "run " << run << ": the journal lost readings at the close";
    }
  }

  sim::SimulatedInstrument simulator;
};

TEST_F(ShutdownTest, ClosingAtRandomMomentsAlwaysEndsCleanly) {
  const int runs = testing::kUnderSanitizer ? 200 : 1000;
  std::mt19937 random(8122026);
  std::uniform_int_distribution<int> pause(0, 40);
  const Moment moments[] = {Moment::AnyTime, Moment::SerialCall, Moment::WindowBusy, Moment::JournalWrite};
  const auto start = std::chrono::steady_clock::now();
  for (int run = 0; run < runs; ++run) {
    OneRun(moments[run % 4], pause(random), run);
    if (HasFailure()) break;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("shutdown: %d windows closed in %.1f s\n", runs, seconds);
}

}  // namespace
}  // namespace vorenx
