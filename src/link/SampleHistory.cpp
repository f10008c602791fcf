// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/SampleHistory.h"

namespace vorenx {

SampleHistory::SampleHistory() { m_samples.reserve(kHistoryCapacity); }

void SampleHistory::Append(const QString& timeText, const QString& upperText,
                           const QString& lowerText, double upperValue, double lowerValue) {
  Sample sample{upperValue, lowerValue, timeText, upperText, lowerText};
  std::lock_guard lock(m_historyGuard);
  const int count = m_sampleCount.load(std::memory_order_relaxed);
  if (static_cast<std::size_t>(count) < m_samples.size()) {
    // Slots freed by ClearHistory are reused in place.
    m_samples[Slot(count)] = std::move(sample);
    m_sampleCount.store(count + 1, std::memory_order_relaxed);
  } else if (count < kHistoryCapacity) {
    // Still filling: the ring has not wrapped, so the new slot is at the back.
    m_samples.push_back(std::move(sample));
    m_sampleCount.store(count + 1, std::memory_order_relaxed);
  } else {
    // Full: the oldest slot takes the new sample and the ring turns by one.
    m_samples[m_first] = std::move(sample);
    m_first = (m_first + 1) % m_samples.size();
  }
}

template <typename Field>
int SampleHistory::CopyValues(double* out, Field field) {
  std::lock_guard lock(m_historyGuard);
  const int count = m_sampleCount.load(std::memory_order_relaxed);
  for (int i = 0; i < count; ++i) out[i] = m_samples[Slot(i)].*field;
  return count;
}

int SampleHistory::CopyUpperValues(double* out) { return CopyValues(out, &Sample::upperValue); }
int SampleHistory::CopyLowerValues(double* out) { return CopyValues(out, &Sample::lowerValue); }

bool SampleHistory::NewestTextsLocked(QString& time, QString& upper, QString& lower) const {
  const int count = m_sampleCount.load(std::memory_order_relaxed);
  if (count == 0) return false;
  const Sample& newest = m_samples[Slot(count - 1)];
  time = newest.timeText;
  upper = newest.upperText;
  lower = newest.lowerText;
  return true;
}

bool SampleHistory::NewestTexts(QString& time, QString& upper, QString& lower) {
  std::lock_guard lock(m_historyGuard);
  return NewestTextsLocked(time, upper, lower);
}

bool SampleHistory::WithNewestTexts(const NewestTextsUse& use) {
  std::lock_guard lock(m_historyGuard);
  QString time, upper, lower;
  if (!NewestTextsLocked(time, upper, lower)) return false;
  use(time, upper, lower);
  return true;
}

void SampleHistory::ClearHistory() {
  std::lock_guard lock(m_historyGuard);
  // Keep the storage: the history refills at the same rate it was emptied.
  m_sampleCount.store(0, std::memory_order_relaxed);
  m_first = 0;
  for (Sample& s : m_samples) {
    s.timeText.clear();
    s.upperText.clear();
    s.lowerText.clear();
  }
}

}  // namespace vorenx
