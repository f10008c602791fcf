#pragma once
// An auto-reset event with the semantics the program's locks are built on:
// created signalled or not, Wait() blocks until it is signalled and takes the
// signal (so one waiter passes per Set), Set() signals it, Reset() clears it.
// Used as a lock: Wait() to acquire, Set() to release.

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

// Holds an AutoResetEvent taken for the lifetime of the scope.
class EventLock {
 public:
  explicit EventLock(AutoResetEvent& event) : m_event(event) { m_event.Wait(); }
  ~EventLock() { m_event.Set(); }
  EventLock(const EventLock&) = delete;
  EventLock& operator=(const EventLock&) = delete;

 private:
  AutoResetEvent& m_event;
};

}  // namespace vorenx
