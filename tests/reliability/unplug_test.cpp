// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The instrument's adapter unplugged and plugged in again while polling:
// the pseudo-terminal closes under the link and its device path (a link
// named like a USB adapter's) is removed, then both come back. The window
// shows "DisConnected" and "Connected" again and polling resumes by itself;
// no thread hangs, no broken frame reaches the table, the journal marks the gap.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>

#include "QelHard.h"
#include "ReliabilitySupport.h"
#include "SimulatedInstrument.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"
#include "grid/GridCtrl.h"

namespace vorenx {
namespace {

constexpr int kPort = 4;

class UnplugTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    device = folder.filePath("ttyUSB0");
    PlugIn();
    ASSERT_TRUE(QelSetPortPath(kPort, device));
    dlg = std::make_unique<CVorenxDlg>(witness, DefaultQelDisplayDll(), time.Ticks(), time.Clock(),
                                       folder.filePath("journal"));
    dlg->Worker()->SetCyclePause(5);
    dlg->show();
  }
  void TearDown() override { dlg.reset(); }

  void PlugIn() {
    const QString pty = simulator.Start();
    ASSERT_FALSE(pty.isEmpty());
    ASSERT_TRUE(QFile::link(pty, device));
  }
  void Unplug() {
    simulator.Stop();
    ASSERT_TRUE(QFile::remove(device));
  }

  // Serves the window until `done` holds; false after 60 s (a bound for a hang).
  template <typename F>
  bool Until(F done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
  }
  QString Status() { return qobject_cast<QLabel*>(dlg->Control(idc::kStatus))->text(); }

  sim::SimulatedInstrument simulator;
  testing::WitnessHard witness{DefaultQelHardDll()};
  testing::FastTime time;
  QTemporaryDir folder;
  QString device;
  std::unique_ptr<CVorenxDlg> dlg;
};

TEST_F(UnplugTest, PollingResumesByItselfAfterTheAdapterComesBack) {
  const int plugs = testing::kUnderSanitizer ? 2 : 5;
  for (int i = 0; i < plugs; ++i) {
    const std::size_t before = witness.Readings();
    ASSERT_TRUE(Until([&] { return witness.Readings() >= before + 20 && Status() == "Connected"; }))
        << "no polling before unplug " << i << ", status " << Status().toStdString();
    Unplug();
    ASSERT_TRUE(Until([&] { return Status() == "DisConnected"; })) << "unplug " << i << " not noticed";
    const std::size_t during = witness.Readings();
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    PlugIn();
    // No user action: the same port comes back and polling goes on.
    ASSERT_TRUE(Until([&] { return Status() == "Connected" && witness.Readings() >= during + 20; }))
        << "no recovery after unplug " << i << ", status " << Status().toStdString();
  }

  dlg->done(0);
  ASSERT_TRUE(dlg->WorkerFinished());

  // Every row of the table is a reading the library handed over whole.
  const auto expected = witness.Table();
  CGridCtrl* grid = dlg->ReadingsGrid();
  std::size_t rows = 0;
  for (int r = 1; r < grid->RowCount() && !grid->CellText(r, 2).isEmpty(); ++r, ++rows) {
    ASSERT_LT(rows, expected.size());
    ASSERT_EQ(grid->CellText(r, 2), expected[rows].upperText) << "row " << r;
    ASSERT_EQ(grid->CellText(r, 3), expected[rows].lowerText) << "row " << r;
  }
  EXPECT_EQ(rows, expected.size());

  // The journal: every reading, and each gap between a DisConnected and a Connected line.
  ASSERT_TRUE(dlg->Journal()->WaitUntilSynced(30000));
  QFile file(dlg->Journal()->FilePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString content = QString::fromUtf8(file.readAll());
  // A reply missed on a busy machine may add a gap of its own; every gap is closed.
  EXPECT_GE(content.count(" DisConnected\r\n"), plugs);
  EXPECT_EQ(content.count(" Connected\r\n"), content.count(" DisConnected\r\n") + 1);
  EXPECT_EQ(static_cast<std::size_t>(testing::JournalReadingFields(file.fileName()).size()), witness.Readings());
  const int gap = static_cast<int>(content.indexOf(" DisConnected\r\n"));
  EXPECT_GT(content.indexOf(" Connected\r\n", gap), gap);
}

}  // namespace
}  // namespace vorenx
