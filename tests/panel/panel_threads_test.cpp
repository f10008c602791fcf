// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The worker and the window's thread redraw the same panel at once: every
// image the paint handler shows comes from one whole redraw, and the worker
// never touches the widget (run under ThreadSanitizer).
#include <QCoreApplication>
#include <QPainter>
#include <atomic>
#include <thread>

#include "FakeQelDisplayDll.h"
#include "PanelFixture.h"

namespace vorenx::testing {
namespace {

// Paints a block at each element's anchor in a colour that identifies the
// redraw (the upper label starts a new one). An image mixing two redraws
// shows two colours.
class GenerationFake : public FakeQelDisplayDll {
 public:
  void dmmDrawMenuRange(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t,
                        std::int32_t) override {
    if (y == 15) m_colour = QColor::fromHsv(m_generation++ % 360, 255, 255).rgb();
    Mark(dc, x, y);
  }
  void dmmDrawValue(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t, float, std::int32_t,
                    ColorRef) override {
    Mark(dc, x, y);
  }
  void dmmDrawBar(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t, float, std::int32_t,
                  ColorRef) override {
    Mark(dc, x, y);
  }
  void dmmDrawUnits(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                    std::int32_t, ColorRef) override {
    Mark(dc, x, y);
  }
  void dmmDrawRun(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t) override { Mark(dc, x, y); }
  void dmmDrawGrid(QPainter* dc, std::int32_t l, std::int32_t t, std::int32_t, std::int32_t, float,
                   std::int32_t, std::int32_t, std::int32_t) override {
    Mark(dc, l, t);
  }
  void dmmDrawWave(QPainter* dc, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                   std::int32_t, std::int32_t, std::int32_t, const double* u, const double* lo,
                   std::int32_t lastIndex) override {
    // Reads every slot it was promised, so a short copy would show up under the sanitizers.
    double sum = 0;
    for (int i = 0; i <= lastIndex; ++i) sum += u[i] + lo[i];
    if (sum >= 0) dc->fillRect(QRect(l + 10, t + 10, r - l - 10, b - t - 10), QColor(m_colour));
  }
  static const std::vector<QPoint>& Anchors() {
    // Labels, run, grid, numbers, units, bars (the wave is left out: an empty
    // history draws none).
    static const std::vector<QPoint> anchors = {{25, 15},   {25, 210},  {425, 10},  {25, 435},
                                                {315, 100}, {315, 295}, {355, 95},  {355, 290},
                                                {25, 145},  {25, 350}};
    return anchors;
  }

 private:
  void Mark(QPainter* dc, int x, int y) { dc->fillRect(QRect(x, y, 8, 8), QColor(m_colour)); }
  // Touched only inside Redraw, which the panel serialises.
  int m_generation = 0;
  QRgb m_colour = 0;
};

TEST(PanelThreads, WorkerAndWindowRedrawWithoutTearing) {
  GenerationFake fake;
  PanelRig rig(fake);
  rig.FillHistory(50, 10, 5, 100, 50);
  constexpr int kCycles = 300;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < kCycles; ++i) {
      rig.link.History().Append("t", "u", "l", i, -i);
      if (i % 37 == 0) rig.link.ClearHistory();
      rig.panel.Redraw();
    }
    done = true;
  });
  int checked = 0, torn = 0;
  while (!done || checked < kCycles) {
    rig.panel.Redraw();
    QCoreApplication::processEvents();  // runs the worker's queued repaints
    const QImage shown = rig.panel.grab().toImage();
    const QRgb first = shown.pixel(GenerationFake::Anchors().front());
    for (const QPoint& p : GenerationFake::Anchors()) torn += shown.pixel(p) != first ? 1 : 0;
    ++checked;
  }
  worker.join();
  QCoreApplication::processEvents();
  EXPECT_EQ(torn, 0);
  EXPECT_GE(checked, kCycles);
}

// The same with the real drawing library drawing on both threads.
TEST(PanelThreads, RealLibraryOnBothThreads) {
  PanelRig rig(DefaultQelDisplayDll());
  rig.FillHistory(3000, 10, 5, 100, 50);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < 60; ++i) {
      rig.link.History().Append("t", "u", "l", i, -i);
      rig.panel.Redraw();
    }
    done = true;
  });
  int cycles = 0;
  while (!done) {
    rig.panel.Redraw();
    QCoreApplication::processEvents();
    (void)rig.panel.grab();
    ++cycles;
  }
  worker.join();
  QCoreApplication::processEvents();
  EXPECT_GT(cycles, 0);
  EXPECT_EQ(rig.panel.CurrentImage().size(), QSize(kPanelWidth, kPanelHeight));
}

}  // namespace
}  // namespace vorenx::testing
