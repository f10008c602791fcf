// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The rolling history of both displays' readings: values for the wave and the
// texts the readings table shows, oldest first, at most kHistoryCapacity
// samples. Every list operation holds m_historyGuard; the count may be read
// without it as a hint.

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "instrument/FunctionCode.h"
#include "platform/Clock.h"

namespace vorenx {

inline constexpr int kHistoryCapacity = 12000;

// "%.3f" and the unit of the function code; empty for codes without a unit.
QString FormatValueText(FunctionCode function, float value, bool celsius);
// "dd/mm  hh:mm:ss" (day, month, two spaces, 24-hour time).
QString FormatTimeText(const LocalTime& time);

class SampleHistory {
 public:
  SampleHistory();

  // Adds one sample; at capacity the oldest is dropped. O(1).
  void Append(const QString& timeText, const QString& upperText, const QString& lowerText,
              double upperValue, double lowerValue);
  // Copy all values of one channel, oldest first, into out[0..count); return the count.
  // `out` holds kHistoryCapacity doubles.
  int CopyUpperValues(double* out);
  int CopyLowerValues(double* out);
  // Texts of the newest sample; false (outputs untouched) when empty.
  bool NewestTexts(QString& time, QString& upper, QString& lower);
  void ClearHistory();
  // Number of samples; a hint when read without the guard.
  int SampleCount() const { return m_sampleCount.load(std::memory_order_relaxed); }

  // Calls `use` with the newest sample's texts while the guard is held, so the
  // texts it writes (the readings table's newest row) are the newest sample's
  // until it returns; false (nothing called) when empty. `use` must not call
  // back into the history. The guard itself never leaves this class.
  using NewestTextsUse = std::function<void(const QString& time, const QString& upper, const QString& lower)>;
  bool WithNewestTexts(const NewestTextsUse& use);

 private:
  bool NewestTextsLocked(QString& time, QString& upper, QString& lower) const;
  struct Sample {
    double upperValue = 0.0;
    double lowerValue = 0.0;
    QString timeText;
    QString upperText;
    QString lowerText;
  };
  // Ring buffer: m_first is the oldest slot.
  std::size_t Slot(int i) const { return (m_first + static_cast<std::size_t>(i)) % m_samples.size(); }
  template <typename Field>
  int CopyValues(double* out, Field field);

  std::atomic<int> m_sampleCount{0};
  std::mutex m_historyGuard;  // guards the count and the sequences
  std::vector<Sample> m_samples;
  std::size_t m_first = 0;
};

}  // namespace vorenx
