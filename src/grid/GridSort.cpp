// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: sorting the rows by a column, and the clicks on header cells
// that sort and select.
#include <QApplication>
#include <algorithm>

#include "grid/GridCtrl.h"

namespace vorenx {

int CGridCtrl::CompareTexts(const CGridCellBase& a, const CGridCellBase& b, std::intptr_t) {
  // Case-sensitive comparison is code unit by code unit; a prefix comes first.
  const int order = QString::compare(a.GetText(), b.GetText(), Qt::CaseSensitive);
  return (order > 0) - (order < 0);
}

bool CGridCtrl::SortByText(int col, bool ascending) {
  return SortWith(m_compare ? m_compare : CompareFunc(&CGridCtrl::CompareTexts), col, ascending, 0);
}

bool CGridCtrl::SortWith(const CompareFunc& compare, int col, bool ascending, std::intptr_t data) {
  if (col < 0 || col >= m_cols || !compare) return false;
  if (m_sortColumn >= 0) InvalidateCell(0, m_sortColumn);
  m_sortColumn = col;
  InvalidateCell(0, col);
  m_sortAscending = ascending;
  ClearSelection();
  ResetTopLeft();
  if (m_virtualMode) {
    if (!m_virtualCompare || m_headerRows >= static_cast<int>(m_rowOrder.size())) return true;
    // Descending swaps the arguments: a negated "less" is no ordering.
    const VirtualCompareFunc& before = m_virtualCompare;
    std::sort(m_rowOrder.begin() + m_headerRows, m_rowOrder.end(),
              [&](int a, int b) { return ascending ? before(a, b) : before(b, a); });
  } else {
    SortRows(m_headerRows, m_rows - 1, ascending, col, compare, data);
  }
  Repaint();
  return true;
}

void CGridCtrl::SortRows(int lo, int hi, bool ascending, int col, const CompareFunc& compare, std::intptr_t data) {
  if (lo >= hi) return;
  const std::size_t stored = static_cast<std::size_t>(StoredColumn(col));
  // Keys are the cells themselves: they move with their rows.
  const auto keyAt = [&](int row) -> const CGridCellBase* {
    return m_cells[static_cast<std::size_t>(row)][stored].get();
  };
  const auto order = [&](const CGridCellBase* a, const CGridCellBase* b) {
    if (!a || !b) return (a != nullptr) - (b != nullptr);
    return compare(*a, *b, data);
  };
  const auto swapRows = [&](int i, int j) {
    std::swap(m_cells[static_cast<std::size_t>(i)], m_cells[static_cast<std::size_t>(j)]);
    m_rowHeights.Swap(i, j);
  };
  QuickSortItems(lo, hi, ascending, keyAt, order, swapRows);
}

void CGridCtrl::HeaderRowClicked(CCellID cell) {
  if (m_sortOnHeaderClick) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ascending = !(cell.col == m_sortColumn && m_sortAscending);
    SortByText(cell.col, ascending);
    QApplication::restoreOverrideCursor();
    viewport()->update();
  }
  if (m_selectOnHeaderRowClick) {
    m_mouseMode = cell.col < m_headerCols ? MouseSelectAll : MouseSelectColumns;
    SelectByMode(cell);
  }
}

void CGridCtrl::HeaderColumnClicked(CCellID cell) {
  if (m_selectOnHeaderColumnClick) {
    m_mouseMode = cell.row < m_headerRows ? MouseSelectAll : MouseSelectRows;
    SelectByMode(cell);
  }
}

}  // namespace vorenx
