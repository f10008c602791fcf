// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Qt's raster engine splits large fills over QThreadPool and waits for them on
// a QSemaphore. Qt is not instrumented and its futex-based mutexes and
// semaphores are invisible to ThreadSanitizer, so the pool's own bookkeeping
// (in Qt Core) and the tasks it frees (allocated by Qt Gui on the painting
// thread) look like races. Reports whose racing call is made from inside Qt
// are suppressed in the drawing suites; accesses made by our own (instrumented)
// code are still checked.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Core.so.6\n";
}
