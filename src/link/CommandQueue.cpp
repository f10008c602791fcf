// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/CommandQueue.h"

namespace vorenx {

void CommandQueue::PostCommand(const SettingCommand& c) {
  std::lock_guard lock(m_guard);
  for (auto queued = m_commands.begin(); queued != m_commands.end(); ++queued) {
    if (queued->type != c.type) continue;
    // Run flips polling: a second press while the first waits undoes it, so
    // two presses flip twice rather than once.
    if (c.type == CmdToggleRun)
      m_commands.erase(queued);
    else
      queued->argument = c.argument;
    return;
  }
  m_commands.push_back(c);
}

SettingCommand CommandQueue::TakeCommand() {
  std::lock_guard lock(m_guard);
  if (m_commands.empty()) return SettingCommand{};
  const SettingCommand c = m_commands.front();
  m_commands.pop_front();
  return c;
}

std::vector<SettingCommand> CommandQueue::Snapshot() {
  std::lock_guard lock(m_guard);
  return {m_commands.begin(), m_commands.end()};
}

}  // namespace vorenx
