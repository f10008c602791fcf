// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The first-in first-out queue of setting commands between the window's
// handlers and the worker. Commands of one type merge: a new command replaces
// the argument of a queued one of the same type, which keeps its place, so the
// queue never holds two commands of one type however fast the user clicks.
// Run is the exception: it flips polling, so a second Run while one waits
// removes the queued one (two presses, two flips: polling as it was).

#include <deque>
#include <vector>

#include "link/SettingCommand.h"
#include <mutex>

namespace vorenx {

class CommandQueue {
 public:
  // Window's thread: queue `c`, merging with a queued command of its type.
  void PostCommand(const SettingCommand& c);
  // Worker: remove and return the oldest command; type 0 when empty.
  SettingCommand TakeCommand();
  // A copy of the queued commands, oldest first (for diagnostics and tests).
  std::vector<SettingCommand> Snapshot();

 private:
  std::deque<SettingCommand> m_commands;
  std::mutex m_guard;
};

}  // namespace vorenx
