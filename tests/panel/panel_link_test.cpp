// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Without a link the panel does not present the last values as live: they
// are dimmed and a "NO LINK" mark shows; the next reading makes it live again.
#include <QImage>

#include "FakeQelDisplayDll.h"
#include "PanelFixture.h"

namespace vorenx::testing {
namespace {

QString Hex(ColorRef c) { return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0')); }

// Pixels of the mark's colour in the mark's place (under the run indicator).
int MarkPixels(const QImage& image) {
  int n = 0;
  for (int y = 35; y < 55; ++y)
    for (int x = 385; x < 455; ++x) n += image.pixel(x, y) == qRgb(255, 90, 70) ? 1 : 0;
  return n;
}

class PanelLink : public ::testing::Test {
 protected:
  // The colour every number, unit and bar was drawn in by the last Redraw.
  QStringList ColoursDrawn() {
    QStringList colours;
    for (const QString& call : fake.Calls())
      if (call.startsWith("DrawValue(") || call.startsWith("DrawUnits(") || call.startsWith("DrawBar("))
        colours << call.section(',', -1).chopped(1);
    fake.ClearCalls();
    return colours;
  }
  FakeQelDisplayDll fake;
  PanelRig rig{fake};
};

TEST_F(PanelLink, LiveOnlyFromAReadingWhileConnected) {
  const QStringList live = {Hex(kUpperChannelColour), Hex(kLowerChannelColour), Hex(kUpperChannelColour),
                            Hex(kLowerChannelColour), Hex(kUpperChannelColour), Hex(kLowerChannelColour)};
  const QStringList dimmed = {Hex(Dimmed(kUpperChannelColour)), Hex(Dimmed(kLowerChannelColour)),
                              Hex(Dimmed(kUpperChannelColour)), Hex(Dimmed(kLowerChannelColour)),
                              Hex(Dimmed(kUpperChannelColour)), Hex(Dimmed(kLowerChannelColour))};
  rig.panel.Redraw();
  EXPECT_FALSE(rig.panel.Live());
  EXPECT_EQ(ColoursDrawn(), dimmed);
  EXPECT_GT(MarkPixels(rig.panel.CurrentImage()), 20);

  rig.link.m_connected = 1;
  rig.panel.Redraw();  // connected again, but no reading yet: the values are old
  EXPECT_FALSE(rig.panel.Live());
  EXPECT_EQ(ColoursDrawn(), dimmed);

  rig.panel.Redraw(/*newReading=*/true);
  EXPECT_TRUE(rig.panel.Live());
  EXPECT_EQ(ColoursDrawn(), live);
  EXPECT_EQ(MarkPixels(rig.panel.CurrentImage()), 0);
  rig.panel.Redraw();  // a repaint keeps it live
  EXPECT_EQ(ColoursDrawn(), live);

  rig.link.m_connected = 0;
  rig.panel.Redraw();
  EXPECT_EQ(ColoursDrawn(), dimmed);
  EXPECT_GT(MarkPixels(rig.panel.CurrentImage()), 20);
}

TEST(PanelColours, DimmedKeepsTheHue) {
  EXPECT_EQ(Dimmed(Rgb(0, 255, 255)), Rgb(0, 89, 89));
  EXPECT_EQ(Dimmed(Rgb(127, 255, 0)), Rgb(44, 89, 0));
}

}  // namespace
}  // namespace vorenx::testing
