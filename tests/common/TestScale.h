// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// How much of a heavy test's work to do: all of it in a plain build, a small
// share under a sanitizer, where every step costs many times more.

#include <cstddef>

namespace vorenx::testing {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

#if defined(__SANITIZE_THREAD__)
inline constexpr bool kUnderThreadSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool kUnderThreadSanitizer = true;
#else
inline constexpr bool kUnderThreadSanitizer = false;
#endif
#else
inline constexpr bool kUnderThreadSanitizer = false;
#endif

// `full` in a plain build, `full / divisor` (at least 1) under a sanitizer.
constexpr std::size_t Scaled(std::size_t full, std::size_t divisor) {
  return kUnderSanitizer ? (full / divisor > 0 ? full / divisor : 1) : full;
}

}  // namespace vorenx::testing
