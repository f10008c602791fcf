// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "watch/WindowStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorenx {

namespace {
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
}

WindowStatistics::WindowStatistics(std::size_t capacity) : m_capacity(std::max<std::size_t>(1, capacity)) {}

void WindowStatistics::SetCapacity(std::size_t capacity) {
  m_capacity = std::max<std::size_t>(1, capacity);
  while (m_values.size() > m_capacity) DropOldest();
}

void WindowStatistics::Reset() {
  const std::size_t capacity = m_capacity;
  *this = WindowStatistics(capacity);
}

void WindowStatistics::Add(double value) {
  if (m_values.size() == m_capacity) DropOldest();
  const std::uint64_t number = m_next++;
  m_values.push_back(value);
  if (!std::isfinite(value)) return;
  ++m_count;
  const double delta = value - m_mean;
  m_mean += delta / static_cast<double>(m_count);
  m_m2 += delta * (value - m_mean);
  while (!m_minQueue.empty() && m_minQueue.back().second >= value) m_minQueue.pop_back();
  m_minQueue.emplace_back(number, value);
  while (!m_maxQueue.empty() && m_maxQueue.back().second <= value) m_maxQueue.pop_back();
  m_maxQueue.emplace_back(number, value);
}

void WindowStatistics::DropOldest() {
  const std::uint64_t number = m_next - m_values.size();
  const double value = m_values.front();
  m_values.pop_front();
  if (!std::isfinite(value)) return;
  if (!m_minQueue.empty() && m_minQueue.front().first == number) m_minQueue.pop_front();
  if (!m_maxQueue.empty() && m_maxQueue.front().first == number) m_maxQueue.pop_front();
  --m_count;
  if (m_count == 0) {
    m_mean = 0.0;
    m_m2 = 0.0;
    m_removedSinceRecompute = 0;
    return;
  }
  const double delta = value - m_mean;
  m_mean -= delta / static_cast<double>(m_count);
  m_m2 -= delta * (value - m_mean);
  if (++m_removedSinceRecompute >= m_capacity) Recompute();
}

void WindowStatistics::Recompute() {
  m_removedSinceRecompute = 0;
  double sum = 0.0;
  for (const double v : m_values)
    if (std::isfinite(v)) sum += v;
  m_mean = sum / static_cast<double>(m_count);
  double m2 = 0.0;
  for (const double v : m_values)
    if (std::isfinite(v)) m2 += (v - m_mean) * (v - m_mean);
  m_m2 = m2;
}

double WindowStatistics::Min() const { return m_count ? m_minQueue.front().second : kNone; }
double WindowStatistics::Max() const { return m_count ? m_maxQueue.front().second : kNone; }
double WindowStatistics::Mean() const { return m_count ? m_mean : kNone; }

double WindowStatistics::SampleStdDev() const {
  if (m_count < 2) return kNone;
  return std::sqrt(std::max(0.0, m_m2) / static_cast<double>(m_count - 1));
}

}  // namespace vorenx
