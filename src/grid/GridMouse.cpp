// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: the mouse. The left button selects cells, rows or columns (and
// scrolls while held outside the cells), drags the dividers of the header
// rows and columns, and prepares an edit or a drag; double clicks auto-size
// at a divider; the right button moves the focus. The viewport has an
// implicit grab while a button is held, which stands for the mouse capture.
#include <QApplication>
#include <QMouseEvent>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>

#include "grid/GridCtrl.h"

namespace vorenx {

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint(), event->modifiers());
  event->accept();
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(event->position().toPoint());
  event->accept();
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    OnLButtonUp(event->position().toPoint());
  else if (event->button() == Qt::RightButton)
    OnRButtonUp(event->position().toPoint());
  event->accept();
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().toPoint());
  event->accept();
}

void CGridCtrl::focusOutEvent(QFocusEvent* event) {
  // The tip shows only while the application has the focus in this grid.
  HideTitleTip();
  // Another window took the mouse (a popup, another application).
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) OnCaptureChanged();
  QAbstractScrollArea::focusOutEvent(event);
  UpdateFocusFrame();
}

void CGridCtrl::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_autoScrollTimer && m_autoScrollTimer != 0)
    OnAutoScroll();
  else
    QAbstractScrollArea::timerEvent(event);
}

// ---------------------------------------------------------------- hit tests

CCellID CGridCtrl::CellFromPoint(QPoint point, bool allowHeaders) const {
  const int col = ItemAtOffset(Axis(Qt::Horizontal), point.x(), allowHeaders);
  const int row = ItemAtOffset(Axis(Qt::Vertical), point.y(), allowHeaders);
  if (col < 0 || row < 0) return CCellID{};
  return CCellID{row, col};
}

bool CGridCtrl::TextRectContains(CCellID id, QPoint point) const {
  CRect rect;
  const CGridCellBase* cell = CellAt(id.row, id.col);
  if (!cell || !CellRect(id.row, id.col, rect)) return false;
  cell->AdjustTextRect(rect);
  return point.x() >= rect.left && point.x() <= rect.right && point.y() >= rect.top && point.y() <= rect.bottom;
}

// ---------------------------------------------------------------- buttons

void CGridCtrl::EndFocusEdit() {
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->EndEdit();
}

void CGridCtrl::StopAutoScroll() {
  if (m_autoScrollTimer != 0) killTimer(m_autoScrollTimer);
  m_autoScrollTimer = 0;
}

void CGridCtrl::OnLButtonDown(QPoint point, Qt::KeyboardModifiers modifiers) {
  setFocus(Qt::MouseFocusReason);
  m_buttonDownPoint = point;
  m_cursorPoint = point;
  m_draggedColumn = -1;
  m_leftButtonDown = true;
  m_clickDownCell = CellFromPoint(point, true);
  if (!m_clickDownCell.IsValid()) return;
  const CCellID cell = m_clickDownCell;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  if (!shift)
    m_selectionStart = cell;
  else if (!m_selectionStart.IsValid())
    m_selectionStart = m_focus;

  EndFocusEdit();
  QPoint origin;
  CellOrigin(cell.row, cell.col, origin);
  if (CGridCellBase* clicked = CellAt(cell.row, cell.col)) clicked->ClickDown(point - origin);

  if (cell == m_focus && !ctrl && TextRectContains(cell, point) && IsCellEditable(cell)) {
    m_mouseMode = MousePrepareEdit;
    return;
  }
  const bool header = cell.row < m_headerRows || cell.col < m_headerCols;
  if (IsCellSelected(cell.row, cell.col)) {
    MoveFocusTo(cell.row, cell.col);
    if (ctrl) {
      if (m_listMode)
        SelectRows(true, false, cell);
      else
        SelectCells(true, false, cell);
      return;
    }
    if (m_allowDragAndDrop) m_mouseMode = MousePrepareDrag;
  } else if (m_mouseMode != MouseOverColumnDivider && m_mouseMode != MouseOverRowDivider) {
    if (header)
      MoveFocusTo(-1, -1);
    else
      MoveFocusTo(cell.row, cell.col);
  }

  if (m_mouseMode == MouseNone) HoverDividers(point);
  if (m_mouseMode == MouseOverColumnDivider) {
    StartSizing(Qt::Horizontal, point);
  } else if (m_mouseMode == MouseOverRowDivider) {
    StartSizing(Qt::Vertical, point);
  } else if (m_mouseMode != MousePrepareDrag) {
    SendMessageToParent(cell.row, cell.col, NotifySelectionChanging);
    m_previousSelection.clear();
    if (ctrl) m_previousSelection = m_selection;
    if (cell.row < m_headerRows) {
      HeaderRowClicked(cell);
      if (m_allowColumnDragging && cell.col >= m_headerCols) {
        ClearSelection();
        m_mouseMode = MousePrepareDrag;
        m_draggedColumn = cell.col;
      }
    } else if (cell.col < m_headerCols) {
      HeaderColumnClicked(cell);
    } else {
      m_mouseMode = m_listMode ? MouseSelectRows : MouseSelectCells;
      SelectByMode(cell);
      if (m_autoScrollTimer == 0) m_autoScrollTimer = startTimer(m_autoScrollInterval);
    }
  }
  m_lastMousePoint = point;
}

void CGridCtrl::OnMouseMove(QPoint point) {
  m_cursorPoint = point;
  if (!viewport()->rect().contains(point) && m_mouseMode != MouseDragging) return;
  if (m_leftButtonDown && m_mouseMode != MouseNone && m_clickDownCell.IsValid()) {
    switch (m_mouseMode) {
      case MouseSelectColumns:
      case MouseSelectRows:
      case MouseSelectCells: {
        const CCellID cell = CellFromPoint(point, true);
        if (!cell.IsValid() || cell == m_focus) break;
        const bool header = cell.row < m_headerRows || cell.col < m_headerCols;
        if (header && m_mouseMode == MouseSelectCells) break;
        SelectByMode(cell);
        MoveFocusTo(cell.row, cell.col);
        break;
      }
      case MouseSizingRow:
      case MouseSizingColumn: UpdateSizingLine(point); break;
      case MousePrepareEdit:
      case MousePrepareDrag:
        m_mouseMode = MousePrepareDrag;
        BeginDrag();
        break;
      default: break;
    }
  } else {
    HoverDividers(point);
    if (m_mouseMode == MouseNone) {
      const CCellID cell = CellFromPoint(point, true);
      if (CGridCellBase* over = CellAt(cell.row, cell.col)) {
        over->MouseOver();
        if (!m_virtualMode) over->SetCellCursor();
      }
      OfferTitleTip(point);
    }
  }
  m_lastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(QPoint point) {
  m_leftButtonDown = false;
  StopAutoScroll();
  QPoint origin;
  switch (m_mouseMode) {
    case MousePrepareEdit:
      CellOrigin(m_focus.row, m_focus.col, origin);
      StartEditing(m_focus.row, m_focus.col, point - origin, kEditByMouse);
      break;
    case MousePrepareDrag:
      // The press prepared a drag that never happened.
      if (CGridCellBase* cell = CellAt(m_focus.row, m_focus.col)) {
        CellOrigin(m_focus.row, m_focus.col, origin);
        cell->Click(point - origin);
      }
      SendMessageToParent(m_clickDownCell.row, m_clickDownCell.col, NotifyClick);
      SendMessageToParent(m_clickDownCell.row, m_clickDownCell.col, NotifySelectionChanging);
      ClearSelection();
      SendMessageToParent(m_clickDownCell.row, m_clickDownCell.col, NotifySelectionChanged);
      break;
    case MouseSizingColumn:
    case MouseSizingRow: FinishSizing(point); break;
    default:
      SendMessageToParent(m_focus.row, m_focus.col, NotifySelectionChanged);
      if (CGridCellBase* cell = CellAt(m_focus.row, m_focus.col)) {
        CellOrigin(m_focus.row, m_focus.col, origin);
        cell->Click(point - origin);
      }
      SendMessageToParent(m_clickDownCell.row, m_clickDownCell.col, NotifyClick);
      break;
  }
  m_mouseMode = MouseNone;
  viewport()->setCursor(Qt::ArrowCursor);
  if (m_clickDownCell.IsValid()) PostCommandToParent();
}

void CGridCtrl::OnLButtonDblClk(QPoint point) {
  // Qt delivers the second press before the double click: undo what it began.
  StopAutoScroll();
  if (m_sizingLine >= 0) viewport()->update();
  m_sizingLine = -1;
  if (m_mouseMode == MouseSizingColumn)
    m_mouseMode = MouseOverColumnDivider;
  else if (m_mouseMode == MouseSizingRow)
    m_mouseMode = MouseOverRowDivider;
  else if (m_mouseMode != MouseOverColumnDivider && m_mouseMode != MouseOverRowDivider)
    m_mouseMode = MouseNone;
  if (m_mouseMode == MouseNone) HoverDividers(point);

  const CCellID cell = CellFromPoint(point, true);
  if (!cell.IsValid()) return;
  if (m_mouseMode == MouseOverColumnDivider) {
    const int col = DividerAt(Qt::Horizontal, point);
    if (col >= 0) AutoSizeColumn(col, m_autoSizeScope, true);
    viewport()->update();
  } else if (m_mouseMode == MouseOverRowDivider) {
    const int row = DividerAt(Qt::Vertical, point);
    if (row >= 0) AutoSizeRow(row);
    viewport()->update();
  } else if (m_mouseMode == MouseNone) {
    QPoint origin;
    CellOrigin(cell.row, cell.col, origin);
    const bool header = cell.row < m_headerRows || cell.col < m_headerCols;
    if (!header && TextRectContains(cell, point)) StartEditing(cell.row, cell.col, point - origin, kEditByMouse);
    if (CGridCellBase* clicked = CellAt(cell.row, cell.col)) clicked->DoubleClick(point - origin);
    SendMessageToParent(cell.row, cell.col, NotifyDoubleClick);
  }
}

void CGridCtrl::OnRButtonUp(QPoint point) {
  EndFocusEdit();
  const CCellID cell = CellFromPoint(point, true);
  if (!cell.IsValid()) {
    SendMessageToParent(-1, -1, NotifyRightClick);
    return;
  }
  MoveFocusTo(std::max(cell.row, m_headerRows), std::max(cell.col, m_headerCols));
  QPoint origin;
  CellOrigin(cell.row, cell.col, origin);
  if (CGridCellBase* clicked = CellAt(cell.row, cell.col)) clicked->RightClick(point - origin);
  SendMessageToParent(cell.row, cell.col, NotifyRightClick);
}

void CGridCtrl::OnCaptureChanged() {
  StopAutoScroll();
  if (m_mouseMode == MouseDragging) m_mouseMode = MouseNone;
}

// While the button is held outside the cells, each tick moves the focus one
// row (column) on, which scrolls once it leaves the view, and extends the
// selection to the edge the pointer is beyond.
void CGridCtrl::OnAutoScroll() {
  const QPoint p = m_cursorPoint;
  const QRect client = viewport()->rect();
  const int headerWidth = HeaderColumnsWidth();
  const int headerHeight = HeaderRowsHeight();
  const int x = std::clamp(p.x(), 0, std::max(0, client.right()));
  const int y = std::clamp(p.y(), 0, std::max(0, client.bottom()));
  if (p.y() > client.bottom()) {
    OnKeyDown(Qt::Key_Down, Qt::NoModifier);
    SelectByMode(CellFromPoint(QPoint(x, client.bottom()), true));
  } else if (p.y() < headerHeight) {
    OnKeyDown(Qt::Key_Up, Qt::NoModifier);
    SelectByMode(CellFromPoint(QPoint(x, headerHeight + 1), true));
  }
  if (p.x() > client.right()) {
    OnKeyDown(Qt::Key_Right, Qt::NoModifier);
    SelectByMode(CellFromPoint(QPoint(client.right(), y), true));
  } else if (p.x() < headerWidth) {
    OnKeyDown(Qt::Key_Left, Qt::NoModifier);
    SelectByMode(CellFromPoint(QPoint(headerWidth + 1, y), true));
  }
}

}  // namespace vorenx
