// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The serial ports the instrument's library numbers: 0..19 (0..9 USB serial
// adapters, 10..19 USB CDC instruments on Linux). Standard library only.

namespace vorenx {

inline constexpr int kPortCount = 20;
inline constexpr int kLastPort = kPortCount - 1;

constexpr bool IsPortNumber(long long port) { return port >= 0 && port < kPortCount; }

}  // namespace vorenx
