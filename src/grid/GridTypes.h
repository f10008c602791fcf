// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Plain value types of the grid control: colour references, rectangles with
// the edge convention the cells draw by, cell ids and ranges, the font record,
// the record that reads and writes a cell, and the notification records.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>

namespace vorenx {

class CGridCtrl;

// A colour as 0x00BBGGRR; CLR_DEFAULT means "take the default cell's".
using COLORREF = std::uint32_t;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF MakeColourRef(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
inline QColor ToQColor(COLORREF c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline COLORREF FromQColor(const QColor& c) { return MakeColourRef(c.red(), c.green(), c.blue()); }

// System colour indices the grid uses; CGridCtrl::SysColour maps them to palette roles.
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_INFOBK = 24;

// A rectangle whose right and bottom edges lie just outside it when filled or
// used for text (the cells widen a cell rectangle by one before filling).
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // The pixels [left, right) x [top, bottom).
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
  void Deflate(int d) { left += d; top += d; right -= d; bottom -= d; }
  void WidenRightBottom(int d) { right += d; bottom += d; }
  bool operator==(const CRect&) const = default;
};

struct CCellID {
  int row = -1;
  int col = -1;
  bool IsValid() const { return row >= 0 && col >= 0; }
  bool operator==(const CCellID&) const = default;
};

struct CCellRange {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;
  bool IsValid() const { return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
  bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
  bool operator==(const CCellRange&) const = default;
};

// The 92-byte font record of the design; Qt fonts are made from it and back.
struct LOGFONT {
  std::int32_t lfHeight = 0;       // < 0: character height in pixels
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;   // tenths of a degree; 900 = vertical text
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 400;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 1;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  char16_t lfFaceName[32] = {};
};
static_assert(sizeof(LOGFONT) == 92, "the font record is 92 bytes");

LOGFONT LogFontFromQFont(const QFont& font);
QFont QFontFromLogFont(const LOGFONT& logFont);
bool IsVerticalFont(const LOGFONT* logFont);

// Cell states.
inline constexpr unsigned CellFocused = 0x01;
inline constexpr unsigned CellSelected = 0x02;
inline constexpr unsigned CellDropTarget = 0x04;
inline constexpr unsigned CellReadOnly = 0x08;
inline constexpr unsigned CellHeader = 0x10;
inline constexpr unsigned CellHeaderRow = 0x20;
inline constexpr unsigned CellHeaderColumn = 0x40;
inline constexpr unsigned CellModified = 0x80;

// Which fields of a CellInfo are meant.
namespace CellInfoMask {
inline constexpr unsigned Text = 0x1;
inline constexpr unsigned Image = 0x2;
inline constexpr unsigned Data = 0x4;
inline constexpr unsigned State = 0x8;
inline constexpr unsigned BackColour = 0x10;
inline constexpr unsigned TextColour = 0x20;
inline constexpr unsigned Format = 0x40;
inline constexpr unsigned Font = 0x80;
inline constexpr unsigned Margin = 0x100;
inline constexpr unsigned All = 0x1FF;
}  // namespace CellInfoMask

// The record that ApplyCellInfo writes and NotifyGetCellInfo asks to fill.
struct CellInfo {
  int row = 0;
  int col = 0;
  unsigned mask = 0;
  unsigned state = 0;
  unsigned format = 0;
  int image = -1;
  COLORREF backColour = CLR_DEFAULT;
  COLORREF textColour = CLR_DEFAULT;
  std::intptr_t data = 0;
  LOGFONT font;
  unsigned margin = 0;
  QString text;
};

// Notification codes sent to the grid's owner.
inline constexpr int NotifyClick = -2;
inline constexpr int NotifyDoubleClick = -3;
inline constexpr int NotifyRightClick = -5;
inline constexpr int NotifySelectionChanging = -100;
inline constexpr int NotifySelectionChanged = -101;
inline constexpr int NotifyBeginDrag = -109;
inline constexpr int NotifyCacheHint = -113;
inline constexpr int NotifyBeginEdit = -175;
inline constexpr int NotifyEndEdit = -176;
inline constexpr int NotifyGetCellInfo = -177;

// The header every notification record starts with.
struct NMHDR {
  CGridCtrl* window = nullptr;
  int id = 0;
  int code = 0;
};
struct GridNotification : NMHDR {
  int row = -1;
  int col = -1;
};
struct GridDispInfo : NMHDR {
  CellInfo item;
};
struct GridCacheHint : NMHDR {
  CCellRange range;
};

// The window the grid reports to. The record's real type follows its code:
// GridDispInfo for NotifyGetCellInfo, GridCacheHint for NotifyCacheHint,
// GridNotification for every other code.
class GridOwner {
 public:
  virtual ~GridOwner() = default;
  virtual long OnGridNotify(NMHDR* header) = 0;
  // The notice posted after every left-button release over a cell: the grid's
  // control id, code 0. Arrives from the event loop, after the release.
  virtual void OnGridCommand(CGridCtrl* /*grid*/, int /*controlId*/, int /*code*/) {}
};

}  // namespace vorenx
