// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A recording stand-in for the drawing library: every call is logged as a
// line of text with its arguments; ranges and decimals come from fields.

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>

#include "CallRecorder.h"
#include "link/QelDisplayDll.h"

namespace vorenx::testing {

class FakeQelDisplayDll : public QelDisplayDll, public CallRecorder {
 public:
  void dmmSetDisPlayLen(std::int32_t length) override { Record(QStringLiteral("SetDisPlayLen(%1)").arg(length)); }
  void dmmSetDisPlayWave(std::int32_t mode) override { Record(QStringLiteral("SetDisPlayWave(%1)").arg(mode)); }
  void SFGetRange(std::int32_t function, float* high, float* low, std::int32_t celsius) override {
    Record(QStringLiteral("GetRange(%1,%2)").arg(function).arg(celsius));
    *high = rangeHigh;
    *low = rangeLow;
  }
  std::uint16_t SFGetDecimalLen(std::int32_t function, float value) override {
    Record(QStringLiteral("GetDecimalLen(%1,%2)").arg(function).arg(static_cast<double>(value)));
    return decimals;
  }
  void dmmDrawValue(QPainter*, std::int32_t x, std::int32_t y, std::int32_t zero, float value,
                    std::int32_t dec, ColorRef colour) override {
    Record(QStringLiteral("DrawValue(%1,%2,%3,%4,%5,0x%6)").arg(x).arg(y).arg(zero)
               .arg(static_cast<double>(value)).arg(dec).arg(colour, 6, 16, QLatin1Char('0')));
  }
  void dmmDrawUnits(QPainter*, std::int32_t x, std::int32_t y, std::int32_t function,
                    std::int32_t celsius, std::int32_t outputOff, ColorRef colour) override {
    Record(QStringLiteral("DrawUnits(%1,%2,%3,%4,%5,0x%6)").arg(x).arg(y).arg(function).arg(celsius)
               .arg(outputOff).arg(colour, 6, 16, QLatin1Char('0')));
  }
  void dmmDrawBar(QPainter*, std::int32_t x, std::int32_t y, std::int32_t function, float value,
                  std::int32_t celsius, ColorRef colour) override {
    Record(QStringLiteral("DrawBar(%1,%2,%3,%4,%5,0x%6)").arg(x).arg(y).arg(function)
               .arg(static_cast<double>(value)).arg(celsius).arg(colour, 6, 16, QLatin1Char('0')));
  }
  void dmmDrawMenuRange(QPainter*, std::int32_t x, std::int32_t y, std::int32_t function,
                        std::int32_t celsius) override {
    Record(QStringLiteral("DrawMenuRange(%1,%2,%3,%4)").arg(x).arg(y).arg(function).arg(celsius));
  }
  void dmmDrawRun(QPainter*, std::int32_t x, std::int32_t y, std::int32_t running) override {
    Record(QStringLiteral("DrawRun(%1,%2,%3)").arg(x).arg(y).arg(running));
  }
  void dmmDrawGrid(QPainter*, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                   float interval, std::int32_t upper, std::int32_t lower, std::int32_t celsius) override {
    Record(QStringLiteral("DrawGrid(%1,%2,%3,%4,%5,%6,%7,%8)").arg(l).arg(t).arg(r).arg(b)
               .arg(static_cast<double>(interval)).arg(upper).arg(lower).arg(celsius));
  }
  void dmmDrawWave(QPainter*, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                   std::int32_t upper, std::int32_t lower, std::int32_t celsius, const double*,
                   const double*, std::int32_t lastIndex) override {
    Record(QStringLiteral("DrawWave(%1,%2,%3,%4,%5,%6,%7,%8)").arg(l).arg(t).arg(r).arg(b).arg(upper)
               .arg(lower).arg(celsius).arg(lastIndex));
  }
  std::int32_t SaveToBmp(const QImage&, const QString& path) override {
    Record(QStringLiteral("SaveToBmp(%1)").arg(path));
    return 1;
  }

  float rangeHigh = 30.0f;
  float rangeLow = 0.0f;
  std::uint16_t decimals = 3;
};

}  // namespace vorenx::testing
