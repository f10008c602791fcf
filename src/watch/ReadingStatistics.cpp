// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "watch/ReadingStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorenx {

namespace {
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
}

void ReadingStatistics::Add(double value) {
  if (!std::isfinite(value)) {
    ++m_skipped;
    return;
  }
  ++m_count;
  if (m_count == 1) {
    m_mean = value;
    m_m2 = 0.0;
    m_min = value;
    m_max = value;
    return;
  }
  const double delta = value - m_mean;
  m_mean += delta / static_cast<double>(m_count);
  m_m2 += delta * (value - m_mean);
  if (value < m_min) m_min = value;
  if (value > m_max) m_max = value;
}

void ReadingStatistics::Reset() { *this = ReadingStatistics(); }

double ReadingStatistics::Min() const { return m_count ? m_min : kNone; }
double ReadingStatistics::Max() const { return m_count ? m_max : kNone; }
double ReadingStatistics::Mean() const { return m_count ? m_mean : kNone; }

double ReadingStatistics::SampleStdDev() const {
  if (m_count < 2) return kNone;
  // Rounding can leave a hair below zero for identical readings.
  return std::sqrt(std::max(0.0, m_m2) / static_cast<double>(m_count - 1));
}

}  // namespace vorenx
