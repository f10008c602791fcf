// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Text-drawing flags with the values the table layouts are written in (the
// readings table stores 5, 0x8025 and 0x8026 as data), and the one routine that
// turns them into QPainter text drawing, shared by screen painting, printing
// and measuring.

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

namespace vorenx {

inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_TABSTOP = 0x80;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_EXTERNALLEADING = 0x200;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_INTERNAL = 0x1000;
inline constexpr unsigned DT_EDITCONTROL = 0x2000;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_MODIFYSTRING = 0x10000;
inline constexpr unsigned DT_RTLREADING = 0x20000;
inline constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

// Qt alignment and text flags for a format: horizontal alignment always;
// vertical centring and bottom alignment only for single-line text (as the
// flags define); word wrap for DT_WORDBREAK without DT_SINGLELINE; mnemonic
// '&' handling unless DT_NOPREFIX; no clipping with DT_NOCLIP.
int QtTextFlags(unsigned format);

// Draws `text` in `rect` (pixels [left, right) x [top, bottom)) by `format` with
// the painter's current font and pen, eliding the end of each line when
// DT_END_ELLIPSIS (or the middle for DT_PATH_ELLIPSIS) is set. With DT_CALCRECT
// nothing is drawn. Returns the rectangle the text takes.
QRect DrawFormattedText(QPainter& painter, const QRect& rect, const QString& text, unsigned format);

// The rectangle `text` takes by `format` when laid out from rect's top-left
// corner with rect's width as the line width (the DT_CALCRECT measurement).
QRect MeasureFormattedText(const QFontMetrics& metrics, const QRect& rect, const QString& text,
                           unsigned format);

}  // namespace vorenx
