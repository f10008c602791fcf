// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Closing the window: the worker ends, the port closes after it, no deadlock.
#include <QLabel>
#include <chrono>
#include <thread>

#include "WindowFixture.h"
#include "grid/GridCtrl.h"
#include "platform/UserDialogs.h"

namespace vorenx::testing {
namespace {

class LifecycleTest : public WindowFixture {
 protected:
  // Closes and destroys the window; the port must close last, after the worker.
  void CloseAndDestroy(int port) {
    dlg->close();
    EXPECT_TRUE(dlg->WorkerFinished());
    EXPECT_EQ(hard.Count("CloseCOM("), 0);  // not before the window goes
    dlg.reset();
    const QStringList calls = hard.Calls();
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.last(), QStringLiteral("CloseCOM(%1)").arg(port));
    EXPECT_EQ(hard.Count("CloseCOM("), 1);
  }
};

TEST_F(LifecycleTest, ClosingWhileConnectedStopsTheWorkerThenClosesThePort) {
  Create({4}, false);
  dlg->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return qobject_cast<QLabel*>(dlg->Control(1049))->text() == QString("Connected"); }, 30000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Count("GetData(") > 0; }, 30000));
  CloseAndDestroy(4);
}

TEST_F(LifecycleTest, ReadingsReachTheTableAndSaveDataAsksForAFile) {
  std::array<unsigned char, 24> frame{};
  hard.SetFrame(frame);
  Create({4}, false);
  struct Dialogs : UserDialogs {
    bool AskSaveFileName(QWidget*, const SaveFileRequest& request, QString& path) override {
      asked = request.initialName;
      path.clear();
      return false;  // cancelled: nothing is written
    }
    void ShowMessage(QWidget*, const QString&) override {}
    QString asked;
  };
  auto dialogs = std::make_unique<Dialogs>();
  Dialogs* seen = dialogs.get();
  dlg->SetUserDialogs(std::move(dialogs));
  dlg->show();
  CGridCtrl* grid = dlg->ReadingsGrid();
  ASSERT_EQ(grid->CellText(0, 0), "Index");
  const int startRows = grid->RowCount();
  ASSERT_TRUE(QTest::qWaitFor([&] { return grid->RowCount() > startRows; }, 30000));
  EXPECT_FALSE(grid->CellText(1, 1).isEmpty());  // the reading's time

  QTest::mouseClick(qobject_cast<QWidget*>(dlg->Control(1066)), Qt::LeftButton);
  EXPECT_FALSE(seen->asked.isEmpty());
  CloseAndDestroy(4);
}

TEST_F(LifecycleTest, ClosingWithoutAnInstrumentStillClosesThePort) {
  Create({}, false);
  dlg->show();
  // No port answers the probe; the start command then opens COM4, which fails.
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Calls().contains("OpenCOM(4)"); }, 30000))
      << hard.Calls().join(" ").toStdString();
  EXPECT_EQ(qobject_cast<QLabel*>(dlg->Control(1049))->text(), "DisConnected");
  CloseAndDestroy(4);
}

TEST_F(LifecycleTest, EscapeClosesLikeTheCloseBox) {
  Create({2}, false);
  dlg->show();
  // The probe's port replaces the start selection.
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Calls().contains("OpenCOM(2)"); }, 30000))
      << hard.Calls().join(" ").toStdString();
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->WorkerFinished());
}

TEST_F(LifecycleTest, DestroyingWithoutClosingAlsoWaitsForTheWorker) {
  Create({0}, false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Calls().contains("OpenCOM(0)"); }, 30000))
      << hard.Calls().join(" ").toStdString();
  dlg.reset();
  EXPECT_EQ(hard.Calls().last(), "CloseCOM(0)");
}

TEST_F(LifecycleTest, ClosedWhileTheWorkerWaitsOnTheWindowAHundredTimes) {
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(round);
    hard.ClearCalls();
    const int port = round % 2 == 0 ? 0 : 3;
    Create({port}, false);
    dlg->show();
    // Keep this thread away from its events until the worker is inside a
    // hand-off to it (at the latest when it selects the probed port).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (dlg->PendingHandOffs() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    ASSERT_GT(dlg->PendingHandOffs(), 0);
    dlg->close();
    ASSERT_TRUE(dlg->WorkerFinished());
    dlg.reset();
    // Stopped before its first cycle, the worker stays on the probed port.
    ASSERT_EQ(hard.Calls().last(), QStringLiteral("CloseCOM(%1)").arg(port));
  }
}

}  // namespace
}  // namespace vorenx::testing
