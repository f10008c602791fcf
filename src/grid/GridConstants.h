// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Constants of the grid control: grid-line choices, scroll requests (the
// scroll bars' own codes), what the left mouse button is doing, and the
// dialog codes the grid answers with.

namespace vorenx {

// Grid line choices.
inline constexpr int GVL_NONE = 0;
inline constexpr int GVL_HORZ = 1;
inline constexpr int GVL_VERT = 2;
inline constexpr int GVL_BOTH = 3;

// Scroll requests.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

// What the left mouse button is doing (5 is not used).
enum MouseMode {
  MouseNone = 0,
  MouseSelectAll = 1,
  MouseSelectColumns = 2,
  MouseSelectRows = 3,
  MouseSelectCells = 4,
  MouseOverRowDivider = 6,
  MouseSizingRow = 7,
  MouseOverColumnDivider = 8,
  MouseSizingColumn = 9,
  MousePrepareEdit = 10,
  MousePrepareDrag = 11,
  MouseDragging = 12,
};

// The first character that starts an edit by the mouse (or by F2).
inline constexpr int kEditByMouse = 1;

// What the grid asks of the keyboard: arrows and characters, and Tab while it wants it.
inline constexpr unsigned DLGC_WANTARROWS = 0x01;
inline constexpr unsigned DLGC_WANTTAB = 0x02;
inline constexpr unsigned DLGC_WANTCHARS = 0x80;

}  // namespace vorenx
