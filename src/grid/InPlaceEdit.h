// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CInPlaceEdit: the edit box a cell's text is changed in, placed over the
// cell on the grid's viewport. How it starts depends on the first character
// (the mouse and F2, Return, Backspace, a navigation key, or a typed
// character); Escape, Tab, Return, an ending arrow key or a click elsewhere
// end it. At its end it tells the grid the last key and its text, then closes
// and deletes itself.

#include <QLineEdit>

#include "grid/GridTypes.h"

namespace vorenx {

inline constexpr int kInPlaceEditId = 8;
// Windows key codes the end notice carries in its data word.
inline constexpr int VK_BACK = 8;
inline constexpr int VK_TAB = 9;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_PRIOR = 33;
inline constexpr int VK_NEXT = 34;
inline constexpr int VK_END = 35;
inline constexpr int VK_HOME = 36;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;

// The Qt key of a navigation key code (33 to 40, Tab), or 0.
int QtKeyForVirtualKey(int vk);

class CInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Opens over `rect` (viewport coordinates) of `grid`, with `text`, and
  // takes the keyboard focus. `alignment` follows the cell's format.
  CInPlaceEdit(CGridCtrl* grid, const CRect& rect, Qt::Alignment alignment, int id, int row, int col,
               const QString& text, int firstChar);
  ~CInPlaceEdit() override;

  int Row() const { return m_row; }
  int Col() const { return m_col; }
  int LastKey() const { return m_lastKey; }
  bool ArrowsEndEdit() const { return m_arrowsEndEdit; }
  // Ends the edit: the notice to the grid, then the box closes.
  void EndEdit();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void FinishWithKey(int vk);
  // Widens the box to hold the text and two spaces, up to the grid's right edge.
  void GrowToText();

  CGridCtrl* m_grid;
  int m_row;
  int m_col;
  QString m_initialText;
  int m_lastKey = 0;
  bool m_arrowsEndEdit;
  CRect m_rect;
  int m_id;
  bool m_ended = false;
};

}  // namespace vorenx
