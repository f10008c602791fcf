// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Drawing exports: each draws where and in the colour it is asked to, follows
// its arguments, and survives values and rectangles that make no sense.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "ImageProbe.h"
#include "qeldisplay/QelDisplay.h"
#include "qeldisplay/SevenSegment.h"

namespace qeldisplay {
namespace {

using testing::CountColour;
using testing::CountLit;
using testing::DrawInto;

constexpr std::uint32_t kCyanRef = 0xFFFF00;   // RGB(0,255,255)
constexpr std::uint32_t kRedRef = 0x0000FF;    // RGB(255,0,0)
constexpr float kInf = std::numeric_limits<float>::infinity();
const QRect kAll(0, 0, 480, 600);

QImage Value(float value, int decimals, std::uint32_t colour = kCyanRef) {
  return DrawInto([&](QPainter* p) { dmmDrawValue(p, 300, 100, 0, value, decimals, colour); });
}

TEST(SevenSegmentText, FormatsIntoFiveCells) {
  DisplayNumber n = FormatDisplayNumber(-12.345, 3);
  EXPECT_EQ(std::string(n.cells.begin(), n.cells.end()), "12345");
  EXPECT_EQ(n.pointAfter, 1);
  EXPECT_TRUE(n.negative);
  n = FormatDisplayNumber(0.5, 3);
  EXPECT_EQ(std::string(n.cells.begin(), n.cells.end()), " 0500");
  EXPECT_EQ(n.pointAfter, 1);
  n = FormatDisplayNumber(250.0, 3);  // too many digits: fewer decimals
  EXPECT_EQ(std::string(n.cells.begin(), n.cells.end()), "25000");
  EXPECT_EQ(n.pointAfter, 2);
  n = FormatDisplayNumber(-0.0004, 3);  // rounds to zero: no minus sign
  EXPECT_FALSE(n.negative);
  n = FormatDisplayNumber(7, -3);
  EXPECT_EQ(std::string(n.cells.begin(), n.cells.end()), "    7");
  EXPECT_EQ(n.pointAfter, -1);
  for (double v : {123456.0, 1e30, double(std::nanf("")), double(kInf)}) {
    n = FormatDisplayNumber(v, 2);
    EXPECT_TRUE(n.overload) << v;
    EXPECT_EQ(std::string(n.cells.begin(), n.cells.end()), "  OL ") << v;
  }
  EXPECT_TRUE(FormatDisplayNumber(-1e9, 0).negative);
}

TEST(DrawValue, DrawsInItsBoxInTheGivenColour) {
  const QImage image = Value(12.345f, 3);
  // The digit block ends 30 px right of x and is centred on y.
  const QRect block(300 + 30 - 280, 100 - 40, 292, 80);
  EXPECT_GT(CountColour(image, block, qRgb(0, 255, 255)), 500);
  EXPECT_EQ(CountLit(image, kAll) - CountLit(image, block), 0);
  // The colour reference is 0x00BBGGRR.
  EXPECT_GT(CountColour(Value(1.0f, 0, kRedRef), block, qRgb(255, 0, 0)), 100);
}

TEST(DrawValue, ShowsOverloadForValuesItCannotShow) {
  const QImage overload = Value(1e30f, 3);
  EXPECT_EQ(Value(std::nanf(""), 3), overload);
  EXPECT_EQ(Value(kInf, 3), overload);
  EXPECT_EQ(Value(123456.0f, 0), overload);
  EXPECT_NE(Value(0.0f, 3), overload);
  EXPECT_NE(Value(-kInf, 3), overload);  // "-OL"
  // Decimals outside 0..4 are clamped, not trusted.
  EXPECT_EQ(Value(1.5f, 100), Value(1.5f, 4));
  EXPECT_EQ(Value(1.5f, -100), Value(1.5f, 0));
}

TEST(DrawUnits, ShowsOffOnlyForALowerFunction) {
  const auto units = [](int function, int celsius, int off) {
    return DrawInto([&](QPainter* p) { dmmDrawUnits(p, 350, 100, function, celsius, off, kCyanRef); });
  };
  EXPECT_GT(CountLit(units(13, 1, 0), QRect(350, 100, 120, 45)), 50);
  EXPECT_NE(units(13, 1, 1), units(13, 1, 0));
  EXPECT_EQ(units(1, 1, 1), units(1, 1, 0));
  EXPECT_NE(units(13, 1, 0), units(13, 0, 0));  // ℃ / ℉
  EXPECT_EQ(units(5, 1, 0), units(5, 0, 0));
  EXPECT_EQ(CountLit(units(27, 1, 1), kAll), 0);  // unknown code: nothing
}

TEST(DrawBar, LightsTheShareOfTheRange) {
  const auto bar = [](int function, float value) {
    return DrawInto([&](QPainter* p) { dmmDrawBar(p, 20, 200, function, value, 1, kCyanRef); });
  };
  const QRect leftHalf(20, 200, 185, 14), rightHalf(215, 200, 185, 14);
  const auto bright = [](QRgb p) { return qGreen(p) > 200; };
  const QImage quarter = bar(5, 7.5f);  // 0..30 V
  EXPECT_GT(CountLit(quarter, leftHalf, bright), 500);
  EXPECT_EQ(CountLit(quarter, rightHalf, bright), 0);
  const QImage full = bar(5, 1e9f);
  EXPECT_GT(CountLit(full, rightHalf, bright), 1000);
  EXPECT_GT(CountLit(full, QRect(401, 195, 12, 24), bright), 0);  // over-range arrow
  EXPECT_EQ(CountLit(bar(5, std::nanf("")), leftHalf, bright), 0);
  // A span reaching below zero fills from zero: -200..850 ℃ at 0 lights nothing.
  EXPECT_EQ(CountLit(bar(19, 0.0f), QRect(20, 200, 380, 14), bright), 0);
  EXPECT_GT(CountLit(bar(19, -200.0f), leftHalf, bright), 300);
  // Ticks and scale labels under the bar.
  EXPECT_GT(CountLit(quarter, QRect(20, 216, 380, 25)), 50);
}

TEST(DrawMenuRangeAndRun, FollowTheirArguments) {
  const auto label = [](int function, int celsius) {
    return DrawInto([&](QPainter* p) { dmmDrawMenuRange(p, 20, 10, function, celsius); });
  };
  EXPECT_GT(CountLit(label(13, 1), QRect(20, 10, 440, 24)), 200);
  EXPECT_NE(label(13, 1), label(13, 0));
  EXPECT_EQ(label(5, 1), label(5, 0));
  EXPECT_NE(label(13, 1), label(14, 1));
  const auto run = [](int running) { return DrawInto([&](QPainter* p) { dmmDrawRun(p, 420, 5, running); }); };
  EXPECT_GT(CountLit(run(1), QRect(420, 5, 50, 18)), 30);
  EXPECT_NE(run(1), run(0));
}

const QRect kWave(25, 435, 380, 100);

QImage Grid(float interval, int upper = 1, int lower = 13, int celsius = 1) {
  return DrawInto([&](QPainter* p) {
    dmmDrawGrid(p, kWave.left(), kWave.top(), kWave.right() + 1, kWave.bottom() + 1, interval, upper,
                lower, celsius);
  });
}

TEST(DrawGrid, FrameScalesAndTimeAxis) {
  dmmSetDisPlayLen(240);
  dmmSetDisPlayWave(3);
  const QImage grid = Grid(2.0f);
  EXPECT_GT(CountLit(grid, kWave), 400);
  EXPECT_GT(CountLit(grid, QRect(kWave.right() + 2, kWave.top() - 7, 70, 114)), 100);  // value scales
  EXPECT_GT(CountLit(grid, QRect(kWave.left() - 30, kWave.bottom() + 2, 440, 30)), 100);  // time axis
  EXPECT_NE(grid, Grid(5.0f));            // the interval labels the time axis
  EXPECT_NE(grid, Grid(2.0f, 1, 13, 0));  // ℃ / ℉ scale
  dmmSetDisPlayLen(12000);
  EXPECT_NE(grid, Grid(2.0f));  // the wave length too
  dmmSetDisPlayLen(240);
  // Nonsense intervals still draw a grid, labelled in samples.
  for (float interval : {0.0f, -1.0f, std::nanf(""), kInf}) EXPECT_GT(CountLit(Grid(interval), kWave), 400);
}

TEST(DrawGrid, OddRectanglesAreSafe) {
  const QImage normal = Grid(1.0f);
  const QImage swapped = DrawInto([&](QPainter* p) {
    dmmDrawGrid(p, kWave.right() + 1, kWave.bottom() + 1, kWave.left(), kWave.top(), 1.0f, 1, 13, 1);
  });
  EXPECT_EQ(normal, swapped);
  const int imax = std::numeric_limits<int>::max(), imin = std::numeric_limits<int>::min();
  const QImage odd = DrawInto([&](QPainter* p) {
    dmmDrawGrid(p, 10, 10, 10, 10, 1.0f, 1, 13, 1);
    dmmDrawGrid(p, imin, imin, imax, imax, 1.0f, 1, 13, 1);
    dmmDrawWave(p, imin, imin, imax, imax, 1, 13, 1, nullptr, nullptr, 5);
  });
  EXPECT_EQ(CountLit(odd, kAll), 0);
}

class DrawWave : public ::testing::Test {
 protected:
  void SetUp() override {
    dmmSetDisPlayLen(240);
    dmmSetDisPlayWave(3);
    upper.assign(kMaxWaveSamples, 15.0);  // mid-scale on 0..30 V
    lower.assign(kMaxWaveSamples, 500.0);
  }
  void TearDown() override {
    dmmSetDisPlayLen(240);
    dmmSetDisPlayWave(3);
  }
  QImage Wave(int lastIndex, const double* u, const double* l) {
    return DrawInto([&](QPainter* p) {
      dmmDrawWave(p, kWave.left(), kWave.top(), kWave.right() + 1, kWave.bottom() + 1, 1, 13, 1, u, l,
                  lastIndex);
    });
  }
  QImage Wave(int lastIndex) { return Wave(lastIndex, upper.data(), lower.data()); }
  // Channel colours, also where antialiasing dims them.
  static bool Cyan(QRgb p) { return qBlue(p) > 50 && qRed(p) * 3 < qBlue(p); }
  static bool Green(QRgb p) { return qGreen(p) > 50 && qRed(p) > qGreen(p) / 4 && qBlue(p) * 3 < qGreen(p); }
  std::vector<double> upper, lower;
};

TEST_F(DrawWave, ShowsTheNewestSamplesOfTheChosenChannels) {
  EXPECT_EQ(CountLit(Wave(-1), kAll), 0);
  EXPECT_GT(CountLit(Wave(0), kAll), 0);
  const QImage both = Wave(239);
  EXPECT_GT(CountLit(both, kWave, Cyan), 300);
  EXPECT_GT(CountLit(both, kWave, Green), 300);
  EXPECT_EQ(CountLit(both, kAll) - CountLit(both, kWave.adjusted(0, 0, 1, 1)), 0);  // clipped
  dmmSetDisPlayWave(1);
  EXPECT_EQ(CountLit(Wave(239), kWave, Green), 0);
  dmmSetDisPlayWave(2);
  EXPECT_EQ(CountLit(Wave(239), kWave, Cyan), 0);
  dmmSetDisPlayWave(0);
  EXPECT_EQ(CountLit(Wave(239), kAll), 0);
}

TEST_F(DrawWave, LengthDecidesHowFarBackItReaches) {
  const QRect leftPart(kWave.left(), kWave.top(), kWave.width() / 2, kWave.height());
  dmmSetDisPlayLen(100);
  EXPECT_GT(CountLit(Wave(99), leftPart), 100);  // 100 samples span the width
  dmmSetDisPlayLen(12000);
  EXPECT_EQ(CountLit(Wave(99), leftPart), 0);    // now they sit at the right edge
  // Only the newest `length` samples: a step in old samples is out of view.
  dmmSetDisPlayLen(20);
  for (int i = 0; i < 100; ++i) upper[static_cast<std::size_t>(i)] = 30.0;
  const QRect topBand(kWave.left(), kWave.top(), kWave.width(), 20);
  EXPECT_EQ(CountLit(Wave(199), topBand, Cyan), 0);
}

TEST_F(DrawWave, SurvivesBadSamplesAndIndexes) {
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < upper.size(); i += 7) upper[i] = nan;
  for (std::size_t i = 3; i < lower.size(); i += 997) lower[i] = (i % 2) ? inf : -1e300;
  dmmSetDisPlayLen(12000);
  EXPECT_GT(CountLit(Wave(11999), kWave, Cyan), 0);
  EXPECT_GT(CountLit(Wave(11999), kWave, Green), 0);
  // Beyond the arrays' capacity the index is clamped, never read past.
  EXPECT_EQ(Wave(50000), Wave(11999));
  EXPECT_EQ(CountLit(Wave(100, nullptr, lower.data()), kWave, Cyan), 0);
}

TEST(Drawing, NullOrInactivePaintersAreIgnored) {
  QPainter idle;
  for (QPainter* p : {static_cast<QPainter*>(nullptr), &idle}) {
    dmmDrawValue(p, 0, 0, 0, 1.0f, 3, kCyanRef);
    dmmDrawUnits(p, 0, 0, 13, 1, 1, kCyanRef);
    dmmDrawBar(p, 0, 0, 13, 1.0f, 1, kCyanRef);
    dmmDrawMenuRange(p, 0, 0, 13, 1);
    dmmDrawRun(p, 0, 0, 1);
    dmmDrawGrid(p, 0, 0, 100, 100, 1.0f, 1, 13, 1);
    dmmDrawWave(p, 0, 0, 100, 100, 1, 13, 1, nullptr, nullptr, 10);
  }
  // Anchors far off the image draw nothing and do not hang.
  const QImage far = DrawInto([](QPainter* p) {
    const int imax = std::numeric_limits<int>::max();
    dmmDrawValue(p, imax, imax, 0, 1.0f, 3, kCyanRef);
    dmmDrawUnits(p, -imax, 0, 13, 1, 1, kCyanRef);
    dmmDrawBar(p, imax, 0, 13, 1.0f, 1, kCyanRef);
    dmmDrawMenuRange(p, 0, -imax, 13, 1);
    dmmDrawRun(p, imax, imax, 1);
  });
  EXPECT_EQ(CountLit(far, kAll), 0);
}

TEST(Drawing, WorksOnTwoThreadsAtOnce) {
  const auto compose = [] {
    return DrawInto([](QPainter* p) {
      dmmDrawMenuRange(p, 20, 10, 13, 1);
      dmmDrawValue(p, 300, 100, 0, 123.4f, 1, kCyanRef);
      dmmDrawUnits(p, 350, 100, 13, 1, 1, kCyanRef);
      dmmDrawBar(p, 20, 150, 13, 123.4f, 1, kCyanRef);
      dmmDrawGrid(p, 25, 435, 405, 535, 2.0f, 1, 13, 1);
    });
  };
  const QImage expected = compose();
  QImage fromThread;
  std::thread worker([&] {
    for (int i = 0; i < 20; ++i) fromThread = compose();
  });
  for (int i = 0; i < 20; ++i) EXPECT_EQ(compose(), expected);
  worker.join();
  EXPECT_EQ(fromThread, expected);
}

}  // namespace
}  // namespace qeldisplay
