// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The instrument's drawing library as the program sees it: one object with the
// library's twelve exports. Bound to our implementation (qeldisplay/) by
// default; tests put a recording fake in its place.
//
// The "device context" is a QPainter; colours are Windows colour references
// (0x00BBGGRR); `celsius` non-zero means ℃, zero ℉. Calls may come from the
// worker and the window's thread at the same time.

#include <QString>
#include <cstdint>

class QImage;
class QPainter;

namespace vorenx {

using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

class QelDisplayDll {
 public:
  virtual ~QelDisplayDll() = default;

  // Number of samples the wave shows (20..12000).
  virtual void dmmSetDisPlayLen(std::int32_t length) = 0;
  // 3 both channels, 1 upper only, 2 lower only, 0 none chosen.
  virtual void dmmSetDisPlayWave(std::int32_t mode) = 0;
  // Range bounds of a lower function in its unit (℃/℉ by `celsius`).
  virtual void SFGetRange(std::int32_t function, float* high, float* low, std::int32_t celsius) = 0;
  // Number of decimals for showing `value` on `function`.
  virtual std::uint16_t SFGetDecimalLen(std::int32_t function, float value) = 0;

  virtual void dmmDrawValue(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t zero,
                            float value, std::int32_t decimals, ColorRef colour) = 0;
  virtual void dmmDrawUnits(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                            std::int32_t celsius, std::int32_t outputOff, ColorRef colour) = 0;
  virtual void dmmDrawBar(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                          float value, std::int32_t celsius, ColorRef colour) = 0;
  virtual void dmmDrawMenuRange(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                                std::int32_t celsius) = 0;
  virtual void dmmDrawRun(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t running) = 0;
  virtual void dmmDrawGrid(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom, float intervalSeconds, std::int32_t upperFunction,
                           std::int32_t lowerFunction, std::int32_t celsius) = 0;
  // Values are oldest first; lastIndex is the number of samples minus one.
  virtual void dmmDrawWave(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom, std::int32_t upperFunction,
                           std::int32_t lowerFunction, std::int32_t celsius,
                           const double* upperValues, const double* lowerValues,
                           std::int32_t lastIndex) = 0;
  // Writes the window's current image as a 24-bit BMP at `path`; non-zero on success.
  virtual std::int32_t SaveToBmp(const QImage& windowImage, const QString& path) = 0;
};

// The binding to our drawing library; defined by the qeldisplay_binding target.
QelDisplayDll& DefaultQelDisplayDll();

}  // namespace vorenx
