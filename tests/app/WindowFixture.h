// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A main window on recording fakes of both libraries. The worker can be held
// at its first probe call, so that a test decides what it finds in the queue.

#include <QApplication>
#include <QTest>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

#include "FakeQelDisplayDll.h"
#include "FakeQelHardDll.h"
#include "app/CAboutDlg.h"
#include "app/CVorenxDlg.h"

namespace vorenx::testing {

// Source-field decimals that do not depend on the number.
inline std::function<int(float)> Fixed(int decimals) {
  return [decimals](float) { return decimals; };
}

// A gate the worker waits at until the test opens it.
class Gate {
 public:
  void Wait() {
    std::unique_lock lock(m_mutex);
    m_cv.wait(lock, [this] { return m_open; });
  }
  void Open() {
    {
      std::lock_guard lock(m_mutex);
      m_open = true;
    }
    m_cv.notify_all();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_open = false;
};

class WindowFixture : public ::testing::Test {
 protected:
  // Builds the window; with `hold` the worker stops at its first probe call
  // until Release().
  void Create(std::set<int> answering, bool hold) {
    hard.SetAnswering(std::move(answering));
    if (hold) hard.onCall = [this](const QString& call) {
        if (call == QLatin1String("IsDevConnect(0)")) gate.Wait();
      };
    dlg = std::make_unique<CVorenxDlg>(hard, display);
    dlg->SetAboutRunner([this](CAboutDlg& about) {
      ++aboutShown;
      aboutTitle = about.windowTitle();
      return 0;
    });
  }
  void Release() { gate.Open(); }
  void TearDown() override {
    Release();
    dlg.reset();
  }

  template <typename T>
  T* Get(int id) {
    return qobject_cast<T*>(dlg->Control(id));
  }
  // The queued commands of one type.
  std::vector<SettingCommand> Queued(std::uint16_t type) {
    std::vector<SettingCommand> out;
    for (const SettingCommand& c : dlg->Commands().Snapshot())
      if (c.type == type) out.push_back(c);
    return out;
  }
  void DrainQueue() {
    while (dlg->Commands().TakeCommand().type != CmdNone) {
    }
  }

  FakeQelHardDll hard;
  FakeQelDisplayDll display;
  Gate gate;
  std::unique_ptr<CVorenxDlg> dlg;
  int aboutShown = 0;
  QString aboutTitle;
};

}  // namespace vorenx::testing
