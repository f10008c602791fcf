// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
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
