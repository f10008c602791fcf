// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A meter panel of the main window's size on a link fed by hand: tests set the
// decoded state directly and append samples to the history.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "FakeQelHardDll.h"
#include "display/CStaticLCD.h"
#include "link/CDeviceLink.h"

namespace vorenx::testing {

inline constexpr int kPanelWidth = 480;
inline constexpr int kPanelHeight = 600;

struct PanelRig {
  explicit PanelRig(QelDisplayDll& display) : panel(display, &link) {
    panel.resize(kPanelWidth, kPanelHeight);
    panel.InitBuffers();
  }
  void SetState(const InstrumentState& s) { link.m_state = s; }
  // Appends `count` samples: a slow sine over each channel's span.
  void FillHistory(int count, double upperMid, double upperAmp, double lowerMid, double lowerAmp) {
    for (int i = 0; i < count; ++i) {
      const double phase = i * 0.0021;
      link.History().Append(QStringLiteral("t"), QStringLiteral("u"), QStringLiteral("l"),
                            upperMid + upperAmp * std::sin(phase * 3.0),
                            lowerMid + lowerAmp * std::sin(phase * 1.7 + 0.6));
    }
  }

  FakeQelHardDll hard;
  CDeviceLink link{hard};
  CStaticLCD panel;
};

}  // namespace vorenx::testing
