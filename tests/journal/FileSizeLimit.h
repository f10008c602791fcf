// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A full disk for one test: the process may not grow files past `bytes`
// (RLIMIT_FSIZE). A write that crosses the limit is cut short and the next
// one fails with EFBIG, as on a device that fills up mid-write.
#include <csignal>
#include <sys/resource.h>

namespace vorenx::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // the failed write returns EFBIG instead
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { Lift(); }
  void Lift() {
    if (m_lifted) return;
    m_lifted = true;
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_saved{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_lifted = false;
};

}  // namespace vorenx::testing
