// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: the keyboard. Arrows, Tab, PageUp/PageDown and Home/End move the
// focus cell over the shown rows and columns (selecting as they go, extending
// with Shift), scrolling it into view; characters start an in-place edit.
// Without a focus cell the navigation keys scroll the view instead, as a
// scroll area's keys do.
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>

#include "grid/GridCtrl.h"

namespace vorenx {

unsigned CGridCtrl::DialogCode(bool ctrlHeld) const {
  unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_wantTab && !ctrlHeld) code |= DLGC_WANTTAB;
  return code;
}

bool CGridCtrl::event(QEvent* event) {
  // Tab and Shift+Tab reach the grid's keys while it wants them, instead of
  // moving the focus to the next widget.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && (DialogCode(key->modifiers() & Qt::ControlModifier) & DLGC_WANTTAB)) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  HideTitleTip();
  const int key = event->key();
  if (key == Qt::Key_Menu) {
    // The context menu opens over the focus cell, or the view's centre, as
    // a right click there would open it.
    CRect rect;
    QPoint at = viewport()->rect().center();
    if (m_focus.IsValid() && IsCellVisible(m_focus.row, m_focus.col) && CellRect(m_focus.row, m_focus.col, rect))
      at = QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    at = viewport()->mapTo(this, at);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
    QCoreApplication::sendEvent(this, &menu);
    event->accept();
    return;
  }
  const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
  if (OnKeyDown(key, event->modifiers())) {
    event->accept();
  } else if (tab) {
    // Nowhere to go inside the grid: on to the next (previous) widget.
    focusNextPrevChild(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
  const QString text = event->text();
  if (!text.isEmpty() && key != Qt::Key_Delete) OnChar(text.at(0), event->modifiers());
}

void CGridCtrl::OnChar(QChar ch, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) return;
  if (m_mouseMode != MouseNone) return;
  if (ch.unicode() == 27) return;  // Escape
  if (ch == QLatin1Char('\t') && m_wantTab) return;
  if (!m_focus.IsValid()) return;
  StartEditing(m_focus.row, m_focus.col, QPoint(-1, -1), ch.unicode());
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event) {
  // A character composed by an input method starts an edit like a typed one,
  // Tab included.
  const QString text = event->commitString();
  if (!text.isEmpty() && m_mouseMode == MouseNone && text.at(0).unicode() != 27 && m_focus.IsValid())
    StartEditing(m_focus.row, m_focus.col, QPoint(-1, -1), text.at(0).unicode());
  event->accept();
}

bool CGridCtrl::ScrollWithoutFocus(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Up: OnVScroll(SB_LINEUP); return true;
    case Qt::Key_Down: OnVScroll(SB_LINEDOWN); return true;
    case Qt::Key_Left: OnHScroll(SB_LINELEFT); return true;
    case Qt::Key_Right: OnHScroll(SB_LINERIGHT); return true;
    case Qt::Key_PageUp: OnVScroll(SB_PAGEUP); return true;
    case Qt::Key_PageDown: OnVScroll(SB_PAGEDOWN); return true;
    case Qt::Key_Home: ctrl ? OnVScroll(SB_TOP) : OnHScroll(SB_LEFT); return true;
    case Qt::Key_End: ctrl ? OnVScroll(SB_BOTTOM) : OnHScroll(SB_RIGHT); return true;
    default: return false;
  }
}

bool CGridCtrl::OnKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (!m_focus.IsValid()) return ScrollWithoutFocus(key, modifiers);
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  if (ctrl && key == Qt::Key_A) {
    SelectAllCommand();
    return true;
  }
  if ((ctrl && key == Qt::Key_C) || (ctrl && key == Qt::Key_Insert)) {
    CopySelection();
    return true;
  }
  if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
    PasteSelection();
    return true;
  }
  if (ctrl && key == Qt::Key_X) {
    CutSelection();
    return true;
  }
  if (key == Qt::Key_Delete) {
    ClearSelectedCells();
    return true;
  }
  if (ctrl && key == Qt::Key_Plus && (modifiers & Qt::KeypadModifier)) {
    AutoSizeColumns();
    viewport()->update();
    return true;
  }
  if (key == Qt::Key_F2) {
    StartEditing(m_focus.row, m_focus.col, QPoint(-1, -1), kEditByMouse);
    return true;
  }

  const GridAxis rows{m_rows, m_headerRows, 0, 0, [this](int r) { return RowHeight(r); }};
  const GridAxis cols{m_cols, m_headerCols, 0, 0, [this](int c) { return ColumnWidth(c); }};
  const int firstCol = NextShownItem(cols, m_headerCols - 1, m_cols - 1);
  const int lastCol = PreviousShownItem(cols, m_cols, m_headerCols);
  CCellID next = m_focus;
  // The scroll that brings a target outside the view one step nearer.
  int vStep = -1;
  int hStep = -1;
  int hAfter = -1;  // a horizontal jump after a Tab wraps to another row
  bool isTab = false;
  switch (key) {
    case Qt::Key_Down:
      if (const int r = NextShownItem(rows, m_focus.row, m_rows - 1); r >= 0) next.row = r;
      vStep = SB_LINEDOWN;
      break;
    case Qt::Key_Up:
      if (const int r = PreviousShownItem(rows, m_focus.row, m_headerRows); r >= 0) next.row = r;
      vStep = SB_LINEUP;
      break;
    case Qt::Key_Right:
      if (const int c = NextShownItem(cols, m_focus.col, m_cols - 1); c >= 0) next.col = c;
      hStep = SB_LINERIGHT;
      break;
    case Qt::Key_Left:
      if (const int c = PreviousShownItem(cols, m_focus.col, m_headerCols); c >= 0) next.col = c;
      hStep = SB_LINELEFT;
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      if (m_tabLeavesGrid) {
        focusNextPrevChild(key == Qt::Key_Tab && !shift);
        return true;
      }
      isTab = true;
      if (key == Qt::Key_Tab && !shift) {
        if (const int c = NextShownItem(cols, m_focus.col, m_cols - 1); c >= 0) {
          next.col = c;
          hStep = SB_LINERIGHT;
        } else if (const int r = NextShownItem(rows, m_focus.row, m_rows - 1); r >= 0 && firstCol >= 0) {
          next = CCellID{r, firstCol};
          vStep = SB_LINEDOWN;
          hAfter = SB_LEFT;
        } else {
          return false;
        }
      } else {
        if (const int c = PreviousShownItem(cols, m_focus.col, m_headerCols); c >= 0) {
          next.col = c;
          hStep = SB_LINELEFT;
        } else if (const int r = PreviousShownItem(rows, m_focus.row, m_headerRows); r >= 0 && lastCol >= 0) {
          next = CCellID{r, lastCol};
          vStep = SB_LINEUP;
          hAfter = SB_RIGHT;
        } else {
          return false;
        }
      }
      break;
    }
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
      const bool down = key == Qt::Key_PageDown;
      const int before = TopLeftCell().row;
      OnVScroll(down ? SB_PAGEDOWN : SB_PAGEUP);
      const int moved = TopLeftCell().row - before;
      if (moved != 0)
        next.row = std::clamp(m_focus.row + moved, m_headerRows, m_rows - 1);
      else
        next.row = down ? m_rows - 1 : m_headerRows;
      break;
    }
    case Qt::Key_Home:
      if (firstCol >= 0) next.col = firstCol;
      OnHScroll(SB_LEFT);
      if (ctrl) {
        next.row = m_headerRows;
        OnVScroll(SB_TOP);
      }
      break;
    case Qt::Key_End:
      if (lastCol >= 0) next.col = lastCol;
      OnHScroll(SB_RIGHT);
      if (ctrl) {
        next.row = m_rows - 1;
        OnVScroll(SB_BOTTOM);
      }
      break;
    default: return false;
  }
  if (!IsValid(next.row, next.col)) return true;

  if (next != m_focus) {
    if (m_mouseMode == MouseNone) {
      m_previousSelection.clear();
      m_mouseMode = m_listMode ? MouseSelectRows : MouseSelectCells;
      if (!shift || isTab) m_selectionStart = next;
      SendMessageToParent(next.row, next.col, NotifySelectionChanging);
      SelectByMode(next);
      SendMessageToParent(next.row, next.col, NotifySelectionChanged);
      m_mouseMode = MouseNone;
    }
    MoveFocusTo(next.row, next.col);
    if (!IsCellVisible(next.row, next.col)) {
      if (vStep >= 0) OnVScroll(vStep);
      if (hStep >= 0) OnHScroll(hStep);
      if (hAfter >= 0) OnHScroll(hAfter);
      EnsureVisible(next.row, next.col);
      viewport()->update();
    }
  }
  EnsureVisible(next.row, next.col);
  return true;
}

}  // namespace vorenx
