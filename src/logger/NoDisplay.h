// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The drawing library for a station without a panel: the logger polls and
// journals, and never sends a setting or draws, so nothing here is asked for
// a range or a picture; each call answers "nothing" at once.

#include "link/QelDisplayDll.h"

namespace vorenx::logger {

class NoDisplay final : public QelDisplayDll {
 public:
  void dmmSetDisPlayLen(std::int32_t) override {}
  void dmmSetDisPlayWave(std::int32_t) override {}
  void SFGetRange(std::int32_t, float* high, float* low, std::int32_t) override {
    if (high) *high = 0.0f;
    if (low) *low = 0.0f;
  }
  std::uint16_t SFGetDecimalLen(std::int32_t, float) override { return 0; }
  void dmmDrawValue(QPainter*, std::int32_t, std::int32_t, std::int32_t, float, std::int32_t, ColorRef) override {}
  void dmmDrawUnits(QPainter*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, ColorRef) override {}
  void dmmDrawBar(QPainter*, std::int32_t, std::int32_t, std::int32_t, float, std::int32_t, ColorRef) override {}
  void dmmDrawMenuRange(QPainter*, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
  void dmmDrawRun(QPainter*, std::int32_t, std::int32_t, std::int32_t) override {}
  void dmmDrawGrid(QPainter*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, float, std::int32_t, std::int32_t,
                   std::int32_t) override {}
  void dmmDrawWave(QPainter*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                   std::int32_t, const double*, const double*, std::int32_t) override {}
  std::int32_t SaveToBmp(const QImage&, const QString&) override { return 0; }
};

}  // namespace vorenx::logger
