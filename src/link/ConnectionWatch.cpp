#include "link/ConnectionWatch.h"

namespace vorenx {

bool ConnectionWatch::Update(bool answered, bool connected, std::uint32_t now) {
  if (answered) {
    m_lastAnswer = now;
    m_heard = true;
    return true;
  }
  if (!connected || !m_heard) return false;
  // Unsigned subtraction stays right across the tick count's wrap.
  return now - m_lastAnswer < kSilenceMs;
}

}  // namespace vorenx
