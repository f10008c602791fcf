// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// An auto-reset event with the semantics the program's locks are built on:
// created signalled or not, Wait() blocks until it is signalled and takes the
// signal (so one waiter passes per Set), Set() signals it, Reset() clears it.
// It wakes the worker early from its pause between cycles; locks are
// std::mutex.

#include <condition_variable>
#include <mutex>

namespace vorenx {

class AutoResetEvent {
 public:
  explicit AutoResetEvent(bool initiallySignalled = true) : m_signalled(initiallySignalled) {}
  AutoResetEvent(const AutoResetEvent&) = delete;
  AutoResetEvent& operator=(const AutoResetEvent&) = delete;

  // Blocks until signalled, then clears the signal.
  void Wait();
  // Waits at most `milliseconds`; returns true when the signal was taken.
  bool WaitFor(unsigned milliseconds);
  void Set();
  void Reset();

 private:
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_signalled;
};

}  // namespace vorenx
