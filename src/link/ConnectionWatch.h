// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Whether the instrument counts as connected, from when it last answered.
// It counts as connected from its first answer on a port, and stays so until
// it has not answered for kSilenceMs: a reply lost to line noise now and then
// must not flip the status line, while an instrument that went silent or away
// shows as disconnected within a second. Pure, no I/O; time is passed in.

#include <cstdint>

namespace vorenx {

class ConnectionWatch {
 public:
  // Long enough to ride out two lost answers in a row at 200 ms per cycle,
  // short enough that, with the checks spaced at most 260 ms apart, silence
  // shows within a second.
  static constexpr std::uint32_t kSilenceMs = 600;

  // Notes an answer (or its absence) at tick `now` and returns whether the
  // instrument counts as connected now, given whether it did before.
  bool Update(bool answered, bool connected, std::uint32_t now);
  // A new port: nothing has answered there yet.
  void Forget() { m_heard = false; }

 private:
  std::uint32_t m_lastAnswer = 0;
  bool m_heard = false;
};

}  // namespace vorenx
