// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The drawing library's twelve exports. The device context is a QPainter that
// is active on a paint device (a QImage when called off the window's thread);
// colours are Windows colour references 0x00BBGGRR; `celsius` non-zero means ℃.
// Every export may be called from several threads at once. A null or inactive
// painter, NaN/inf values and odd rectangles are drawn safely or ignored.

#include <QString>
#include <cstdint>

class QImage;
class QPainter;

namespace qeldisplay {

// The capacity the wave arrays are sized for; lastIndex is clamped below it.
inline constexpr std::int32_t kMaxWaveSamples = 12000;
inline constexpr std::int32_t kMinWaveSamples = 20;

// Wave settings, kept until set again. Length is clamped to 20..12000; the mode
// is 3 both channels, 1 upper only, 2 lower only, 0 none (other values ignored).
void dmmSetDisPlayLen(std::int32_t length);
void dmmSetDisPlayWave(std::int32_t mode);
std::int32_t DisplayLength();
std::int32_t DisplayWave();

// Range of a function in its unit (℃/℉ by `celsius` for temperatures).
// Unknown codes give 0..0. Null pointers are not written.
void SFGetRange(std::int32_t function, float* high, float* low, std::int32_t celsius);
// Decimals a five-digit display shows for `value` on `function`.
std::uint16_t SFGetDecimalLen(std::int32_t function, float value);

// Seven-segment number: the digit block ends 30 px right of x and is centred on y.
void dmmDrawValue(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t zero, float value,
                  std::int32_t decimals, std::uint32_t colour);
// Unit text with its baseline 40 px below y; "OFF" above it for a lower function
// whose output is off.
void dmmDrawUnits(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                  std::int32_t celsius, std::int32_t outputOff, std::uint32_t colour);
// Bar graph with ticks over the function's range; (x, y) is its top-left corner.
void dmmDrawBar(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function, float value,
                std::int32_t celsius, std::uint32_t colour);
// Function name and range label; (x, y) is its top-left corner.
void dmmDrawMenuRange(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t function,
                      std::int32_t celsius);
// "RUN" or "STOP" indicator; (x, y) is its top-left corner.
void dmmDrawRun(QPainter* dc, std::int32_t x, std::int32_t y, std::int32_t running);
// Wave frame, divisions, value scales (right of the frame), time scale (below it)
// and a channel legend (above it).
void dmmDrawGrid(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, float intervalSeconds, std::int32_t upperFunction,
                 std::int32_t lowerFunction, std::int32_t celsius);
// The newest DisplayLength() samples of the channels DisplayWave() selects,
// newest at the right edge; values oldest first, lastIndex = count - 1.
void dmmDrawWave(QPainter* dc, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom, std::int32_t upperFunction, std::int32_t lowerFunction,
                 std::int32_t celsius, const double* upperValues, const double* lowerValues,
                 std::int32_t lastIndex);
// Writes `image` as a 24-bit BMP; 1 on success, 0 on failure.
std::int32_t SaveToBmp(const QImage& image, const QString& path);

}  // namespace qeldisplay
