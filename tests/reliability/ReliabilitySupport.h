// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Shared parts of the whole-program suites: the real communication library
// with a witness in front of it that records every status read and every
// setting sent, fast time sources, and the expected readings table built
// from what the witness saw.
#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "link/SampleHistory.h"
#include "journal/JournalFormat.h"
#include "journal/JournalReadings.h"
#include "link/QelHardDll.h"
#include "link/StatusFrame.h"
#include "TestScale.h"

namespace vorenx::testing {

// What one status read brought, as the table and the journal must show it.
struct SeenReading {
  QString upperText, lowerText;      // the table's texts
  QString journalFields;             // "upper,unit,lower,unit,function,function"
};

// Forwards to the real library and keeps a record: the readings decoded from
// every successful status read, and where the table must have started over.
class WitnessHard : public QelHardDll {
 public:
  explicit WitnessHard(QelHardDll& real) : m_real(real) {}

  // Told of every reading as it is read (on the worker, under the witness's lock).
  std::function<void(const SeenReading&)> onReading;

  std::uint16_t QelIsDevConnect(std::int32_t port) override {
    m_checks.fetch_add(1);
    return m_real.QelIsDevConnect(port);
  }
  std::uint16_t QelOpenCOM(std::int32_t port) override { return m_real.QelOpenCOM(port); }
  std::uint16_t QelCloseCOM(std::int32_t port) override {
    std::lock_guard lock(m_lock);
    ++m_closes;
    return m_real.QelCloseCOM(port);
  }
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override {
    const std::uint16_t r = m_real.QelGetData(port, buffer, size);
    std::lock_guard lock(m_lock);
    if (r == 1) {
      DecodeStatusFrame(buffer, m_state);
      const JournalReading j = MakeJournalReading(m_state, LocalTime{});
      QString fields = FormatJournalNumber(j.upper.value) + ',' + j.upper.unit + ',' +
                       FormatJournalNumber(j.lower.value) + ',' + j.lower.unit + ',' + j.upper.function + ',' +
                       j.lower.function;
      m_all.push_back({FormatValueText(m_state.upperFunction, m_state.upperValue, false),
                       FormatValueText(m_state.lowerFunction, m_state.lowerValue, m_state.celsius), fields});
      m_table.push_front(m_all.back());
      m_haveSample = true;
      if (onReading) onReading(m_all.back());
    } else if (r != 0) {
      // A failed read still adds a row, repeating the newest sample.
      m_table.push_front(m_haveSample ? m_table.front() : SeenReading{});
    }
    return r;
  }
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override {
    Cleared();
    return m_real.QelSetUpper(port, function);
  }
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) override {
    Cleared();
    return m_real.QelSetLower(port, function, mode, value);
  }

  std::size_t Readings() const {
    std::lock_guard lock(m_lock);
    return m_all.size();
  }
  std::vector<SeenReading> All() const {
    std::lock_guard lock(m_lock);
    return m_all;
  }
  // The table's rows since its last clear, newest first.
  std::deque<SeenReading> Table() const {
    std::lock_guard lock(m_lock);
    return m_table;
  }
  int Closes() const {
    std::lock_guard lock(m_lock);
    return m_closes;
  }
  // Connection checks so far: the worker starts every cycle with one.
  std::size_t Checks() const { return m_checks.load(); }

 private:
  // The worker empties the history and the table just before it sends a setting.
  void Cleared() {
    std::lock_guard lock(m_lock);
    m_table.clear();
    m_haveSample = false;
  }

  QelHardDll& m_real;
  mutable std::mutex m_lock;
  InstrumentState m_state;
  std::vector<SeenReading> m_all;
  std::deque<SeenReading> m_table;
  bool m_haveSample = false;
  int m_closes = 0;
  std::atomic<std::size_t> m_checks{0};
};

// Time that runs fast: every read of the tick count moves it past any poll
// interval, every read of the clock moves it on by a quarter second.
struct FastTime {
  std::atomic<std::uint32_t> tick{100000};
  std::atomic<qint64> ms{0};
  QDateTime base{QDate(2026, 12, 8), QTime(10, 0)};

  TickSource Ticks() {
    return [this] { return tick.fetch_add(10000) + 10000; };
  }
  LocalTimeSource Clock() {
    return [this] {
      const QDateTime t = base.addMSecs(ms.fetch_add(250));
      return LocalTime{t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                       t.time().minute(), t.time().second(), t.time().msec()};
    };
  }
};

// The journal's reading lines without their timestamps.
inline QStringList JournalReadingFields(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList out;
  QByteArray all = file.readAll();
  if (all.startsWith("\xEF\xBB\xBF")) all.remove(0, 3);  // the byte-order mark
  for (const QByteArray& raw : all.split('\n')) {
    QString line = QString::fromUtf8(raw);
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith('#') || line.startsWith("Time,")) continue;
    out << line.section(',', 1);
  }
  return out;
}

}  // namespace vorenx::testing
