// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Binds the program's QelDisplayDll interface to the drawing library's exports.
#include "link/QelDisplayDll.h"
#include "qeldisplay/QelDisplay.h"

namespace vorenx {
namespace {

class QelDisplayBinding final : public QelDisplayDll {
 public:
  void dmmSetDisPlayLen(std::int32_t length) override { qeldisplay::dmmSetDisPlayLen(length); }
  void dmmSetDisPlayWave(std::int32_t mode) override { qeldisplay::dmmSetDisPlayWave(mode); }
  void SFGetRange(std::int32_t function, float* high, float* low, std::int32_t celsius) override {
    qeldisplay::SFGetRange(function, high, low, celsius);
  }
  std::uint16_t SFGetDecimalLen(std::int32_t function, float value) override {
    return qeldisplay::SFGetDecimalLen(function, value);
  }
  void dmmDrawValue(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t zero, float value,
                    std::int32_t decimals, ColorRef colour) override {
    qeldisplay::dmmDrawValue(dc, x, y, zero, value, decimals, colour);
  }
  void dmmDrawUnits(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                    std::int32_t celsius, std::int32_t outputOff, ColorRef colour) override {
    qeldisplay::dmmDrawUnits(dc, x, y, function, celsius, outputOff, colour);
  }
  void dmmDrawBar(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function, float value,
                  std::int32_t celsius, ColorRef colour) override {
    qeldisplay::dmmDrawBar(dc, x, y, function, value, celsius, colour);
  }
  void dmmDrawMenuRange(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                        std::int32_t celsius) override {
    qeldisplay::dmmDrawMenuRange(dc, x, y, function, celsius);
  }
  void dmmDrawRun(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t running) override {
    qeldisplay::dmmDrawRun(dc, x, y, running);
  }
  void dmmDrawGrid(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, float intervalSeconds, std::int32_t upperFunction,
                   std::int32_t lowerFunction, std::int32_t celsius) override {
    qeldisplay::dmmDrawGrid(dc, left, top, right, bottom, intervalSeconds, upperFunction,
                            lowerFunction, celsius);
  }
  void dmmDrawWave(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::int32_t upperFunction, std::int32_t lowerFunction,
                   std::int32_t celsius, const double* upperValues, const double* lowerValues,
                   std::int32_t lastIndex) override {
    qeldisplay::dmmDrawWave(dc, left, top, right, bottom, upperFunction, lowerFunction, celsius,
                            upperValues, lowerValues, lastIndex);
  }
  std::int32_t SaveToBmp(const QImage& windowImage, const QString& path) override {
    return qeldisplay::SaveToBmp(windowImage, path);
  }
};

}  // namespace

QelDisplayDll& DefaultQelDisplayDll() {
  static QelDisplayBinding binding;
  return binding;
}

}  // namespace vorenx
