// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What Redraw asks the drawing library for: every element at its anchor, in
// its colour, with the decoded state, in the composing order.
#include <QImage>
#include <vector>

#include "FakeQelDisplayDll.h"
#include "PanelFixture.h"

namespace vorenx::testing {
namespace {

// Keeps a copy of the wave arrays it is handed.
class WaveCapturingFake : public FakeQelDisplayDll {
 public:
  void dmmDrawWave(QPainter* dc, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                   std::int32_t upper, std::int32_t lower, std::int32_t celsius, const double* u,
                   const double* lo, std::int32_t lastIndex) override {
    FakeQelDisplayDll::dmmDrawWave(dc, l, t, r, b, upper, lower, celsius, u, lo, lastIndex);
    upperValues.assign(u, u + lastIndex + 1);
    lowerValues.assign(lo, lo + lastIndex + 1);
  }
  std::vector<double> upperValues, lowerValues;
};

class PanelLayout : public ::testing::Test {
 protected:
  PanelLayout() {
    InstrumentState s;
    s.upperFunction = 2;
    s.upperValue = 12.5f;
    s.lowerFunction = 13;
    s.lowerValue = 250.25f;
    s.celsius = true;
    s.outputOff = true;
    rig.SetState(s);
    fake.decimals = 1;
    // Connected, with a reading: the panel is live.
    rig.link.m_connected = 1;
    rig.panel.Redraw(/*newReading=*/true);
    fake.ClearCalls();
  }
  WaveCapturingFake fake;
  PanelRig rig{fake};
};

TEST_F(PanelLayout, MeasuresTheRectanglesOnce) {
  EXPECT_EQ(rig.panel.ClientRect(), (PanelRect{0, 0, 480, 600}));
  EXPECT_EQ(rig.panel.InnerRect(), (PanelRect{5, 5, 475, 595}));
  EXPECT_EQ(rig.panel.WaveRect(), (PanelRect{25, 435, 405, 555}));
  rig.panel.resize(300, 300);  // the panel is not re-measured
  EXPECT_EQ(rig.panel.ClientRect(), (PanelRect{0, 0, 480, 600}));
}

TEST_F(PanelLayout, EmptyHistoryDrawsEveryElementButTheWave) {
  rig.link.m_intervalIndex = 2;  // 5 s
  rig.link.m_running = 0;
  rig.panel.Redraw();
  const QStringList expected = {
      "DrawMenuRange(25,15,2,1)",
      "DrawMenuRange(25,210,13,1)",
      "DrawRun(425,10,0)",
      "DrawGrid(25,435,405,555,5,2,13,1)",
      "DrawValue(315,100,0,12.5,3,0xffff00)",
      "GetDecimalLen(13,250.25)",
      "DrawValue(315,295,0,250.25,1,0x00ff7f)",
      "DrawUnits(355,95,2,1,1,0xffff00)",
      "DrawUnits(355,290,13,1,1,0x00ff7f)",
      "DrawBar(25,145,2,12.5,1,0xffff00)",
      "DrawBar(25,350,13,250.25,1,0x00ff7f)",
  };
  EXPECT_EQ(fake.Calls(), expected);
}

TEST_F(PanelLayout, WaveGetsTheHistoryOldestFirst) {
  rig.link.History().Append("a", "b", "c", 1.0, 10.0);
  rig.link.History().Append("a", "b", "c", 2.0, 20.0);
  rig.link.History().Append("a", "b", "c", 3.0, 30.0);
  rig.panel.Redraw();
  const QStringList calls = fake.Calls();
  ASSERT_EQ(calls.size(), 12);
  EXPECT_EQ(calls.last(), "DrawWave(25,435,405,555,2,13,1,2)");
  EXPECT_EQ(fake.upperValues, (std::vector<double>{1.0, 2.0, 3.0}));
  EXPECT_EQ(fake.lowerValues, (std::vector<double>{10.0, 20.0, 30.0}));
}

TEST_F(PanelLayout, CelsiusChangeReachesLabelUnitBarAndGrid) {
  rig.panel.Redraw();
  fake.ClearCalls();
  InstrumentState s = rig.link.State();
  s.celsius = false;
  rig.SetState(s);
  rig.panel.Redraw();
  const QStringList calls = fake.Calls();
  EXPECT_TRUE(calls.contains("DrawMenuRange(25,210,13,0)"));
  EXPECT_TRUE(calls.contains("DrawUnits(355,290,13,0,1,0x00ff7f)"));
  EXPECT_TRUE(calls.contains("DrawBar(25,350,13,250.25,0,0x00ff7f)"));
  EXPECT_TRUE(calls.contains("DrawGrid(25,435,405,555,2,2,13,0)"));
}

TEST_F(PanelLayout, FrameAndBlackDisplayAreaAndPaintShowsTheImage) {
  rig.panel.Redraw();
  const QImage image = rig.panel.CurrentImage();
  ASSERT_EQ(image.size(), QSize(480, 600));
  const QRgb frame = qRgb(151, 183, 245);
  for (const QPoint p : {QPoint(0, 0), QPoint(4, 300), QPoint(479, 599), QPoint(240, 597)})
    EXPECT_EQ(image.pixel(p), frame) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(5, 5), QPoint(474, 594), QPoint(240, 300)})
    EXPECT_EQ(image.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
  // The paint handler copies the finished image as it is.
  EXPECT_EQ(rig.panel.grab().toImage().convertToFormat(QImage::Format_RGB32), image);
}

TEST(PanelWithoutSetUp, RedrawDoesNothingBeforeInitBuffersOrWithoutLink) {
  FakeQelDisplayDll fake;
  FakeQelHardDll hard;
  CDeviceLink link(hard);
  CStaticLCD noBuffers(fake, &link);
  noBuffers.resize(480, 600);
  noBuffers.Redraw();
  CStaticLCD noLink(fake);
  noLink.resize(480, 600);
  noLink.InitBuffers();
  noLink.Redraw();
  EXPECT_TRUE(fake.Calls().isEmpty());
  // Before the first Redraw the image is the fresh black one.
  EXPECT_EQ(noLink.CurrentImage().pixel(0, 0), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace vorenx::testing
