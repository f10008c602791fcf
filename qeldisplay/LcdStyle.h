// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The LCD's look shared by the drawing exports: colours, fonts and a guard
// that restores the caller's painter state.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <vector>
#include <cstdint>

namespace qeldisplay {

// Channel colours of the wave and scales (the panel draws the rest of each
// channel in the same colours).
inline const QColor kUpperColour{0, 255, 255};
inline const QColor kLowerColour{127, 255, 0};
inline const QColor kLabelColour{225, 225, 225};
inline const QColor kDimText{150, 150, 150};
inline const QColor kGridLine{70, 70, 70};
inline const QColor kFrameLine{130, 130, 130};

// 0x00BBGGRR -> QColor.
QColor FromColorRef(std::uint32_t colour);
// A copy of `colour` faint enough for unlit LCD segments.
QColor Ghost(const QColor& colour);
// The LCD's sans-serif font at a pixel size.
QFont LcdFont(int pixelSize, bool bold = false);
// Short scale text: whole numbers from 100 up, else at most four significant digits.
QString ScaleText(double value);
// The labels of one scale, all with the same number of decimals: as many as
// the values need to be shown exactly (at most 3), fewer when a label would
// be wider than `maxWidth` in `metrics`. Always "." and no grouping.
QStringList ScaleTexts(const std::vector<double>& values, const QFontMetricsF& metrics, double maxWidth);

// Saves the painter's state and restores it on scope exit; also tells whether
// the painter can be drawn on at all.
class PainterScope {
 public:
  explicit PainterScope(QPainter* painter);
  ~PainterScope();
  PainterScope(const PainterScope&) = delete;
  PainterScope& operator=(const PainterScope&) = delete;
  bool Usable() const { return m_painter != nullptr; }

 private:
  QPainter* m_painter;
};

}  // namespace qeldisplay
