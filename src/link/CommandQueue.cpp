#include "link/CommandQueue.h"

namespace vorenx {

void CommandQueue::PostCommand(const SettingCommand& c) {
  EventLock lock(m_guard);
  for (SettingCommand& queued : m_commands) {
    if (queued.type == c.type) {
      queued.argument = c.argument;
      return;
    }
  }
  m_commands.push_back(c);
}

SettingCommand CommandQueue::TakeCommand() {
  EventLock lock(m_guard);
  if (m_commands.empty()) return SettingCommand{};
  const SettingCommand c = m_commands.front();
  m_commands.pop_front();
  return c;
}

std::vector<SettingCommand> CommandQueue::Snapshot() {
  EventLock lock(m_guard);
  return {m_commands.begin(), m_commands.end()};
}

}  // namespace vorenx
