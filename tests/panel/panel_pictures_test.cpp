// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Writes pictures of the panel drawn by the real library: each lower function
// group in ℃ and ℉, output off, and a full 12000-sample wave. The assertions
// check that each picture was written and that the settings show in it.
#include <QDir>
#include <QImage>

#include "PanelFixture.h"
#include "qeldisplay/QelDisplay.h"

namespace vorenx::testing {
namespace {

struct Picture {
  const char* name;
  InstrumentState state;
  int samples;
  bool live = true;  // false: drawn as after the link was lost
};

InstrumentState Make(FunctionCode upper, float upperValue, FunctionCode lower, float lowerValue,
                     bool celsius, bool outputOff = false) {
  InstrumentState s;
  s.upperFunction = upper;
  s.upperValue = upperValue;
  s.lowerFunction = lower;
  s.lowerValue = lowerValue;
  s.celsius = celsius;
  s.outputOff = outputOff;
  return s;
}

class PanelPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
    qeldisplay::dmmSetDisPlayWave(3);
  }
  QImage Draw(const Picture& p) {
    PanelRig rig(DefaultQelDisplayDll());
    rig.SetState(p.state);
    float high = 0, low = 0;
    qeldisplay::SFGetRange(p.state.lowerFunction, &high, &low, p.state.celsius);
    const double upperHigh = p.state.upperFunction == 1 ? 30 : 24;
    rig.FillHistory(p.samples, upperHigh / 2, upperHigh * 0.4, (high + low) / 2, (high - low) * 0.4);
    rig.link.m_connected = 1;
    rig.panel.Redraw(/*newReading=*/true);
    if (!p.live) {
      rig.link.m_connected = 0;
      rig.panel.Redraw();
    }
    const QImage image = rig.panel.CurrentImage();
    const QString path = QStringLiteral(VORENX_PICTURE_DIR "/%1.png").arg(QLatin1String(p.name));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return image;
  }
};

TEST_F(PanelPictures, EachLowerGroupInBothUnits) {
  qeldisplay::dmmSetDisPlayLen(240);
  const Picture pictures[] = {
      {"vol_v", Make(1, 12.345f, 5, 5.0f, true), 180},
      {"vol_mv", Make(1, 0.5f, 6, -7.25f, true), 240},
      {"curr_ma", Make(2, 12.0f, 7, 4.0f, true), 240},
      {"curr_sim", Make(3, 20.0f, 8, 19.995f, true), 60},
      {"tc_mv", Make(1, 1.0f, 9, 41.276f, true), 240},
      {"tc_k_c", Make(1, 10.0f, 13, 1000.0f, true), 240},
      {"tc_k_f", Make(1, 10.0f, 13, 1832.0f, false), 240},
      {"resis", Make(2, 4.0f, 18, 3999.99f, true), 240},
      {"rtd_pt100_c", Make(1, 3.3f, 19, -123.45f, true), 240},
      {"rtd_pt100_f", Make(1, 3.3f, 19, -190.21f, false), 240},
      {"tc_b_off", Make(2, 0.0f, 12, 700.0f, true, true), 240},
  };
  QImage celsiusK, fahrenheitK;
  for (const Picture& p : pictures) {
    const QImage image = Draw(p);
    ASSERT_EQ(image.size(), QSize(kPanelWidth, kPanelHeight)) << p.name;
    if (QLatin1String(p.name) == QLatin1String("tc_k_c")) celsiusK = image;
    if (QLatin1String(p.name) == QLatin1String("tc_k_f")) fahrenheitK = image;
  }
  EXPECT_NE(celsiusK, fahrenheitK);
}

TEST_F(PanelPictures, FullHistoryAndOverload) {
  qeldisplay::dmmSetDisPlayLen(12000);
  Draw({"full_12000", Make(1, 29.999f, 13, 250.5f, true), 12000});
  Draw({"overload", Make(1, 123456.0f, 19, std::nanf(""), true), 500});
  qeldisplay::dmmSetDisPlayWave(2);
  Draw({"lower_only", Make(1, 5.0f, 24, 100.0f, true), 12000});
  qeldisplay::dmmSetDisPlayWave(3);
  qeldisplay::dmmSetDisPlayLen(240);
  const QImage live = Draw({"link_live", Make(1, 12.062f, 19, 23.45f, true), 240});
  const QImage lost = Draw({"link_lost", Make(1, 12.062f, 19, 23.45f, true), 240, false});
  EXPECT_NE(live, lost);
  qeldisplay::dmmSetDisPlayLen(240);
  qeldisplay::dmmSetDisPlayWave(3);
}

}  // namespace
}  // namespace vorenx::testing
