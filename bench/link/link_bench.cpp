// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Cost of one successful poll (read, decode, texts, append) and of an append
// to a full history, which must not grow with the history's size.
#include <benchmark/benchmark.h>


#include "FakeQelHardDll.h"
#include "link/CDeviceLink.h"
#include "link/StatusFrame.h"

using namespace vorenx;

namespace {

std::array<unsigned char, 24> SampleFrame() {
  std::array<unsigned char, 24> f{};
  f[StatusFrame::kUpperFunction] = 0x10;
  f[StatusFrame::kUpperDigits] = 1;
  f[StatusFrame::kUpperDigits + 1] = 2;
  f[StatusFrame::kUpperExponent] = 3;
  f[StatusFrame::kFlags] = 0x12;
  f[StatusFrame::kLowerFunction] = 0x41;
  f[StatusFrame::kLowerDigits + 2] = 7;
  f[StatusFrame::kLowerExponent] = 1;
  f[StatusFrame::kWiring] = 3;
  return f;
}

void BM_PollAndDecode(benchmark::State& state) {
  testing::FakeQelHardDll hard;
  hard.SetFrame(SampleFrame());
  std::uint32_t tick = 0;
  CDeviceLink link(hard, [&] { return tick; }, [] { return LocalTime{2026, 12, 8, 12, 0, 0, 0}; });
  link.m_connected = 1;
  // Fill the history so every poll rolls it.
  for (int i = 0; i < kHistoryCapacity; ++i) link.AppendSample();
  for (auto _ : state) {
    tick += 2000;
    benchmark::DoNotOptimize(link.Poll());
    if (state.iterations() % 1024 == 0) hard.ClearCalls();
  }
}
BENCHMARK(BM_PollAndDecode);

void BM_DecodeOnly(benchmark::State& state) {
  StatusFrame frame;
  const auto bytes = SampleFrame();
  std::copy(bytes.begin(), bytes.end(), frame.bytes.begin());
  InstrumentState s;
  for (auto _ : state) {
    DecodeStatusFrame(frame, s);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_DecodeOnly);

// Append to a full history (every append rolls out the oldest sample).
void BM_AppendAtCapacity(benchmark::State& state) {
  SampleHistory h;
  const QString time = QStringLiteral("08/12  12:00:00"), upper = QStringLiteral("1.234V"),
                lower = QString::fromUtf8("25.000\u2103");
  for (int i = 0; i < kHistoryCapacity; ++i) h.Append(time, upper, lower, i, -i);
  for (auto _ : state) h.Append(time, upper, lower, 1.0, 2.0);
}
BENCHMARK(BM_AppendAtCapacity);

// Append while the history fills, emptied each time it is full.
void BM_AppendWhileFilling(benchmark::State& state) {
  SampleHistory h;
  const QString time = QStringLiteral("08/12  12:00:00"), upper = QStringLiteral("1.234V");
  for (auto _ : state) {
    h.Append(time, upper, upper, 1.0, 2.0);
    if (h.SampleCount() == kHistoryCapacity) h.ClearHistory();
  }
}
BENCHMARK(BM_AppendWhileFilling);

void BM_CopyValuesFull(benchmark::State& state) {
  SampleHistory h;
  for (int i = 0; i < kHistoryCapacity; ++i) h.Append({}, {}, {}, i, -i);
  std::vector<double> out(kHistoryCapacity);
  for (auto _ : state) benchmark::DoNotOptimize(h.CopyUpperValues(out.data()));
}
BENCHMARK(BM_CopyValuesFull);

}  // namespace
