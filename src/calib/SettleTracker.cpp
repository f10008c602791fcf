// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/SettleTracker.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>

namespace vorenx {

namespace {

// Differences of 2^31 ms and more mean "before the start" (the tick count
// wraps every 49.7 days, so plain subtraction of unsigned ticks is right).
constexpr std::uint32_t kBeforeStart = 0x80000000u;

std::uint32_t TimeoutMs(const SettleRule& rule) {
  if (!(rule.timeoutSeconds > 0.0)) return 0;
  return static_cast<std::uint32_t>(std::llround(std::min(rule.timeoutSeconds, 2.0e6) * 1000.0));
}

}  // namespace

SettleTracker::SettleTracker(const SettleRule& rule, double band) : m_rule(rule), m_band(band) {
  m_rule.readings = std::clamp(m_rule.readings, 1, 1000);
}

void SettleTracker::Start(std::uint32_t startMs) {
  m_startMs = startMs;
  m_window.clear();
  m_times.clear();
  m_count = 0;
  m_run = 0;
  m_state = State::Waiting;
}

bool SettleTracker::Late(std::uint32_t ms) const {
  const std::uint32_t elapsed = ms - m_startMs;
  return elapsed < kBeforeStart && elapsed > TimeoutMs(m_rule);
}

SettleTracker::State SettleTracker::Add(double value, std::uint32_t ms) {
  if (m_state != State::Waiting) return m_state;
  if (ms - m_startMs >= kBeforeStart) return m_state;  // taken before this point began
  if (Late(ms)) return m_state = State::TimedOut;      // after the limit: it does not count
  ++m_count;
  if (!std::isfinite(value)) {
    m_run = 0;
    return m_state;
  }
  m_window.push_back(value);
  m_times.push_back(ms - m_startMs);
  if (static_cast<int>(m_window.size()) > m_rule.readings) {
    m_window.pop_front();
    m_times.pop_front();
  }
  m_run = std::min(m_run + 1, m_rule.readings);
  if (m_run < m_rule.readings) return m_state;
  const auto [lo, hi] = std::minmax_element(m_window.begin(), m_window.end());
  // Readings arrive as 32-bit values: a spread that equals the band but for
  // their rounding is inside it.
  const double slack = 4.0 * FLT_EPSILON * std::max(std::abs(*lo), std::abs(*hi));
  if (*hi - *lo <= m_band + slack && Flat()) m_state = State::Settled;
  return m_state;
}

bool SettleTracker::Flat() const {
  const std::size_t n = m_window.size();
  if (n < 2) return true;
  double tMean = 0.0;
  double vMean = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    tMean += static_cast<double>(m_times[i]);
    vMean += m_window[i];
  }
  tMean /= static_cast<double>(n);
  vMean /= static_cast<double>(n);
  double stt = 0.0;
  double stv = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double dt = static_cast<double>(m_times[i]) - tMean;
    stt += dt * dt;
    stv += dt * (m_window[i] - vMean);
  }
  if (!(stt > 0.0)) return true;  // all at one moment: no trend to see
  const double length = static_cast<double>(m_times.back() - m_times.front());
  const double drift = std::abs(stv / stt) * length;
  const double slack = 4.0 * FLT_EPSILON * std::abs(vMean);
  return drift <= m_band / 2.0 + slack;
}

SettleTracker::State SettleTracker::Check(std::uint32_t ms) {
  if (m_state == State::Waiting && Late(ms)) m_state = State::TimedOut;
  return m_state;
}

double SettleTracker::Spread() const {
  if (m_window.empty()) return std::numeric_limits<double>::quiet_NaN();
  const auto [lo, hi] = std::minmax_element(m_window.begin(), m_window.end());
  return *hi - *lo;
}

double SettleTracker::StdDev() const {
  const std::size_t n = m_window.size();
  if (n < 2) return std::numeric_limits<double>::quiet_NaN();
  const double mean = Value();
  double squares = 0.0;
  for (double v : m_window) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / static_cast<double>(n - 1));
}

double SettleTracker::Value() const {
  if (m_window.empty()) return std::numeric_limits<double>::quiet_NaN();
  return std::accumulate(m_window.begin(), m_window.end(), 0.0) / static_cast<double>(m_window.size());
}

}  // namespace vorenx
