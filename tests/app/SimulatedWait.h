// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The window suites over the simulated instrument wait for a condition while
// the window's events run, within a bound for a hang (longer under a sanitizer).
#include <QApplication>
#include <chrono>

#include "TestScale.h"

namespace vorenx::testing {

template <typename F>
bool Until(F done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kUnderSanitizer ? 180 : 60);
  while (!done() && std::chrono::steady_clock::now() < deadline) QApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

}  // namespace vorenx::testing
