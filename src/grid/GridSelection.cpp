// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: the focus cell and the selection.
#include <algorithm>
#include <vector>

#include "grid/GridCtrl.h"

namespace vorenx {

CCellID CGridCtrl::MoveFocusTo(int row, int col) {
  if (CCellID{row, col} == m_focus) return m_focus;
  // A position in the headers moves to the first cell after them.
  if (row != -1 && row < m_headerRows) row = m_headerRows;
  if (col != -1 && col < m_headerCols) col = m_headerCols;
  const CCellID previous = m_focus;
  const CCellID next = IsValid(row, col) ? CCellID{row, col} : CCellID{};
  if (next == previous) return previous;
  m_focus = next;

  // The cell that lost or gained the focus, and (when the headers follow the
  // focus) the header cells of a row or column that changed.
  const auto repaint = [this](CCellID cell, CCellID other) {
    if (!IsValid(cell.row, cell.col)) return;
    RedrawCell(cell.row, cell.col);
    if (!m_trackFocusHeaders) return;
    if (cell.col != other.col)
      for (int r = 0; r < m_headerRows; ++r) RedrawCell(r, cell.col);
    if (cell.row != other.row)
      for (int c = 0; c < m_headerCols; ++c) RedrawCell(cell.row, c);
  };
  if (CGridCellBase* old = StoredCell(previous.row, previous.col)) old->SetState(old->GetState() & ~CellFocused);
  repaint(previous, next);
  if (CGridCellBase* cell = StoredCell(next.row, next.col)) cell->SetState(cell->GetState() | CellFocused);
  repaint(next, previous);
  return previous;
}

void CGridCtrl::ClearSelection() {
  m_previousSelection.clear();
  // Deselect whatever is selected, also while selecting or drawing is off.
  std::vector<CCellID> selected;
  selected.reserve(m_selection.size());
  for (const auto& [key, id] : m_selection) selected.push_back(id);
  for (const CCellID id : selected) SetSelected(id.row, id.col, false);
  m_selection.clear();
  MoveFocusTo(-1, -1);
}

void CGridCtrl::ClearSelectionAndFocus() {
  for (const auto& [key, id] : m_selection) {
    if (CGridCellBase* cell = StoredCell(id.row, id.col)) cell->SetState(cell->GetState() & ~CellSelected);
    InvalidateCell(id.row, id.col);
  }
  m_selection.clear();
  m_previousSelection.clear();
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->SetState(cell->GetState() & ~CellFocused);
  m_focus = CCellID{};
}

bool CGridCtrl::SetSelected(int row, int col, bool selected) {
  const unsigned state = CellState(row, col);
  const bool was = m_virtualMode ? m_selection.count(SelectionKey(row, col)) != 0 : (state & CellSelected) != 0;
  if (was == selected) return false;
  ChangeCellState(row, col, selected ? state | CellSelected : state & ~CellSelected);
  InvalidateCell(row, col);
  return true;
}

void CGridCtrl::RepaintCell(int row, int col, QPainter* dc) {
  if (dc)
    RedrawCell(row, col, dc);
  else
    InvalidateCell(row, col);
}

void CGridCtrl::SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool paintNow, bool select) {
  (void)paintNow;  // Qt repaints a window only from its paint event: both ways invalidate.
  if (!m_allowSelection || !m_allowDraw) return;
  if (minRow != -1 && minRow < m_headerRows) minRow = m_headerRows;
  if (maxRow != -1 && maxRow < m_headerRows) maxRow = m_headerRows;
  if (minCol != -1 && minCol < FirstSelectableColumn()) minCol = m_headerCols;
  if (maxCol != -1 && maxCol < FirstSelectableColumn()) maxCol = m_headerCols;
  const CCellRange range{minRow, minCol, maxRow, maxCol};

  if (select) {
    std::vector<CCellID> selected;
    selected.reserve(m_selection.size());
    for (const auto& [key, id] : m_selection) selected.push_back(id);
    for (const CCellID id : selected) {
      const unsigned state = CellState(id.row, id.col);
      ChangeCellState(id.row, id.col, state & ~CellSelected);
      if (!range.InRange(id.row, id.col)) InvalidateCell(id.row, id.col);
    }
    m_selection.clear();
    if (!(m_listMode && m_singleRowSelection)) {
      if (minRow == -1) return;
      // A Ctrl-drag adds to what was selected when it began.
      for (const auto& [key, id] : m_previousSelection)
        if (IsValid(id.row, id.col)) SetSelected(id.row, id.col, true);
    }
  }
  if (!range.IsValid()) return;
  const int lastRow = std::min(maxRow, m_rows - 1);
  const int lastCol = std::min(maxCol, m_cols - 1);
  for (int r = minRow; r <= lastRow; ++r)
    for (int c = minCol; c <= lastCol; ++c) {
      if (select) {
        // Everything was deselected above: select without looking.
        ChangeCellState(r, c, CellState(r, c) | CellSelected);
        InvalidateCell(r, c);
      } else {
        SetSelected(r, c, false);
      }
    }
}

void CGridCtrl::SelectAll() {
  if (!m_allowSelection) return;
  SelectRange(m_headerRows, m_headerCols, m_rows - 1, m_cols - 1, false, true);
}

void CGridCtrl::SelectColumns(CCellID cell) {
  if (!m_allowSelection || !IsValid(cell.row, cell.col) || cell.col < m_headerCols) return;
  const int anchor = m_selectionStart.col >= m_headerCols && m_selectionStart.col < m_cols ? m_selectionStart.col : cell.col;
  const int first = m_singleColumnSelection ? cell.col : std::min(anchor, cell.col);
  const int last = m_singleColumnSelection ? cell.col : std::max(anchor, cell.col);
  SelectRange(m_headerRows, first, m_rows - 1, last, false, true);
}

void CGridCtrl::SelectRows(bool paintNow, bool select, CCellID cell) {
  if (!m_allowSelection || !IsValid(cell.row, cell.col) || cell.row < m_headerRows) return;
  const int anchor = m_selectionStart.row >= m_headerRows && m_selectionStart.row < m_rows ? m_selectionStart.row : cell.row;
  const bool single = m_listMode && m_singleRowSelection;
  const int first = single ? cell.row : std::min(anchor, cell.row);
  const int last = single ? cell.row : std::max(anchor, cell.row);
  SelectRange(first, FirstSelectableColumn(), last, m_cols - 1, paintNow, select);
}

void CGridCtrl::SelectCells(bool paintNow, bool select, CCellID cell) {
  if (!m_allowSelection || !IsValid(cell.row, cell.col) || cell.row < m_headerRows || cell.col < m_headerCols) return;
  const CCellID anchor = IsValid(m_selectionStart.row, m_selectionStart.col) ? m_selectionStart : cell;
  SelectRange(std::min(anchor.row, cell.row), std::min(anchor.col, cell.col), std::max(anchor.row, cell.row),
              std::max(anchor.col, cell.col), paintNow, select);
}

void CGridCtrl::SelectByMode(CCellID cell) {
  switch (m_mouseMode) {
    case MouseSelectAll: SelectAll(); break;
    case MouseSelectColumns: SelectColumns(cell); break;
    case MouseSelectRows: SelectRows(false, true, cell); break;
    case MouseSelectCells: SelectCells(false, true, cell); break;
    default: break;
  }
}

void CGridCtrl::AllowSelection(bool allow) {
  ClearSelectionAndFocus();
  m_allowSelection = allow;
  ClearSelectionAndFocus();
}

CCellRange CGridCtrl::SelectedCellRange() const {
  CCellRange range{m_rows, m_cols, -1, -1};
  for (const auto& [key, id] : m_selection) {
    range.minRow = std::min(range.minRow, id.row);
    range.minCol = std::min(range.minCol, id.col);
    range.maxRow = std::max(range.maxRow, id.row);
    range.maxCol = std::max(range.maxCol, id.col);
  }
  return range;
}

}  // namespace vorenx
