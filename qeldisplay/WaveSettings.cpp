// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The two wave settings persist inside the library. Both threads may set and
// read them at once, so each is one atomic value.
#include <algorithm>
#include <atomic>

#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {
// Before the first command the wave shows 240 samples of both channels, the
// main window's own start values.
std::atomic<std::int32_t> g_length{240};
std::atomic<std::int32_t> g_mode{3};
}  // namespace

void dmmSetDisPlayLen(std::int32_t length) {
  g_length.store(std::clamp(length, kMinWaveSamples, kMaxWaveSamples), std::memory_order_relaxed);
}

void dmmSetDisPlayWave(std::int32_t mode) {
  if (mode >= 0 && mode <= 3) g_mode.store(mode, std::memory_order_relaxed);
}

std::int32_t DisplayLength() { return g_length.load(std::memory_order_relaxed); }
std::int32_t DisplayWave() { return g_mode.load(std::memory_order_relaxed); }

}  // namespace qeldisplay
