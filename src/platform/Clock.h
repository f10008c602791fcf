// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Time sources the program reads through, so that tests can inject their own:
// a 32-bit millisecond tick count that wraps like the system's, and the local
// wall-clock time broken into fields.

#include <cstdint>
#include <functional>

namespace vorenx {

// Milliseconds since an arbitrary start, wrapping modulo 2^32.
using TickSource = std::function<std::uint32_t()>;

struct LocalTime {
  int year = 0;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

using LocalTimeSource = std::function<LocalTime()>;

// The monotonic system tick count in milliseconds.
std::uint32_t SystemTickCount();
// The current local time.
LocalTime SystemLocalTime();

inline TickSource SystemTicks() { return &SystemTickCount; }
inline LocalTimeSource SystemClock() { return &SystemLocalTime; }

}  // namespace vorenx
