// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// One whole panel redraw with the real drawing library, at a full history of
// 12000 samples and a wave length of 12000 (and of 240 for comparison), and
// the wave alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

#include "FakeQelHardDll.h"
#include "display/CStaticLCD.h"
#include "link/CDeviceLink.h"
#include "qeldisplay/QelDisplay.h"

namespace {

using vorenx::kHistoryCapacity;

void FillHistory(vorenx::CDeviceLink& link) {
  for (int i = 0; i < kHistoryCapacity; ++i)
    link.History().Append("t", "u", "l", 15 + 10 * std::sin(i * 0.01), 500 + 400 * std::sin(i * 0.003));
}

void BM_PanelRedraw(benchmark::State& state) {
  qeldisplay::dmmSetDisPlayLen(static_cast<int>(state.range(0)));
  vorenx::testing::FakeQelHardDll hard;
  vorenx::CDeviceLink link(hard);
  link.m_state.lowerFunction = 13;
  link.m_state.lowerValue = 250.5f;
  link.m_state.celsius = true;
  FillHistory(link);
  vorenx::CStaticLCD panel(vorenx::DefaultQelDisplayDll(), &link);
  panel.resize(480, 600);
  panel.InitBuffers();
  for (auto _ : state) panel.Redraw();
  QCoreApplication::processEvents();
}
BENCHMARK(BM_PanelRedraw)->Arg(12000)->Arg(240)->Unit(benchmark::kMillisecond);

void BM_WaveOnly(benchmark::State& state) {
  qeldisplay::dmmSetDisPlayLen(12000);
  std::vector<double> upper(kHistoryCapacity), lower(kHistoryCapacity);
  for (int i = 0; i < kHistoryCapacity; ++i) {
    upper[static_cast<std::size_t>(i)] = 15 + 10 * std::sin(i * 0.01);
    lower[static_cast<std::size_t>(i)] = 500 + 400 * std::sin(i * 0.003);
  }
  QImage image(480, 600, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    qeldisplay::dmmDrawWave(&painter, 25, 435, 405, 555, 1, 13, 1, upper.data(), lower.data(),
                            kHistoryCapacity - 1);
  }
}
BENCHMARK(BM_WaveOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
