// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings journal beside what a Qt developer would write instead (a
// QFile opened for appending, one line written and flushed per reading, on
// the worker's own thread):
// - the cost per reading on the worker's side (target: under 50 µs);
// - the time from a reading to its fsync.
// Run both pairs side by side in one run and read the ratios.
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <unistd.h>

#include "journal/JournalReadings.h"
#include "journal/ReadingsJournal.h"

using namespace vorenx;

namespace {

InstrumentState SampleState(int i) {
  InstrumentState s;
  s.upperFunction = fc::kUpperCurrent;
  s.upperValue = 4.0f + static_cast<float>(i % 1000) * 0.016f;
  s.lowerFunction = 13;
  s.lowerValue = 20.0f + static_cast<float>(i % 100) * 0.1f;
  s.celsius = true;
  return s;
}

LocalTime TimeOf(int i) { return LocalTime{2026, 12, 8, 10, (i / 60000) % 60, (i / 1000) % 60, i % 1000}; }

JournalSettings Settings(const QTemporaryDir& dir) {
  JournalSettings s;
  s.folder = dir.path();
  s.start = TimeOf(0);
  return s;
}

// Worker's side: build the reading and queue it. The writer formats, writes
// and syncs on its own thread meanwhile.
void BM_JournalAppend(benchmark::State& state) {
  QTemporaryDir dir;
  ReadingsJournal journal(Settings(dir), nullptr);
  int i = 0;
  for (auto _ : state) {
    journal.Append(MakeJournalReading(SampleState(i), TimeOf(i)));
    ++i;
    if (i % 4096 == 0) {  // keep the queue far from its bound
      state.PauseTiming();
      journal.WaitUntilSynced(60000);
      state.ResumeTiming();
    }
  }
  journal.WaitUntilSynced(60000);
  state.counters["dropped"] = static_cast<double>(journal.Counts().dropped);
}
BENCHMARK(BM_JournalAppend)->Unit(benchmark::kMicrosecond);

// The Qt developer's way: format the line and write it with QFile, flushing
// each time (no fsync: flush only reaches the kernel), on the worker.
void BM_QFileAppendFlush(benchmark::State& state) {
  QTemporaryDir dir;
  QFile file(dir.filePath("plain.csv"));
  file.open(QIODevice::WriteOnly | QIODevice::Append);
  int i = 0;
  for (auto _ : state) {
    const JournalReading r = MakeJournalReading(SampleState(i), TimeOf(i));
    file.write(JournalReadingLine(r, 0));
    file.flush();
    ++i;
  }
}
BENCHMARK(BM_QFileAppendFlush)->Unit(benchmark::kMicrosecond);

// Time from handing a reading over to its being on the disk (fsync done).
void BM_JournalReadingToSync(benchmark::State& state) {
  QTemporaryDir dir;
  ReadingsJournal journal(Settings(dir), nullptr);
  int i = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    journal.Append(MakeJournalReading(SampleState(i), TimeOf(i)));
    journal.WaitUntilSynced(60000);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    ++i;
  }
}
BENCHMARK(BM_JournalReadingToSync)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same with QFile on the worker: write, flush and fsync the handle, so
// that the reading is as safe as in the journal (and the worker waits for the disk).
void BM_QFileAppendFlushSync(benchmark::State& state) {
  QTemporaryDir dir;
  QFile file(dir.filePath("plain.csv"));
  file.open(QIODevice::WriteOnly | QIODevice::Append);
  int i = 0;
  for (auto _ : state) {
    const JournalReading r = MakeJournalReading(SampleState(i), TimeOf(i));
    file.write(JournalReadingLine(r, 0));
    file.flush();
    ::fdatasync(file.handle());
    ++i;
  }
}
BENCHMARK(BM_QFileAppendFlushSync)->Unit(benchmark::kMicrosecond);

}  // namespace
