// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: sizes, cell geometry and auto-sizing.
#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "grid/GridCtrl.h"

namespace vorenx {

int CGridCtrl::RowHeight(int row) const {
  return row >= 0 && row < m_rows ? static_cast<int>(m_rowHeights.At(row)) : -1;
}

int CGridCtrl::ColumnWidth(int col) const {
  return col >= 0 && col < m_cols ? static_cast<int>(m_colWidths.At(StoredColumn(col))) : -1;
}

bool CGridCtrl::ChangeRowHeight(int row, int height) {
  if (row < 0 || row >= m_rows || height < 0) return false;
  m_rowHeights.Set(row, static_cast<unsigned>(height));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

bool CGridCtrl::ChangeColumnWidth(int col, int width) {
  if (col < 0 || col >= m_cols || width < 0) return false;
  m_colWidths.Set(StoredColumn(col), static_cast<unsigned>(width));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

int CGridCtrl::HeaderRowsHeight() const { return static_cast<int>(m_rowHeights.SumOfFirst(m_headerRows)); }

int CGridCtrl::HeaderColumnsWidth() const {
  int width = 0;
  for (int c = 0; c < m_headerCols; ++c) width += ColumnWidth(c);
  return width;
}

bool CGridCtrl::AutoSizeColumn(int col, unsigned scope, bool updateScroll) {
  if (col < 0 || col >= m_cols || ColumnWidth(col) == 0) return false;
  if (scope == 0) scope = m_autoSizeScope;
  const int first = (scope & 0x1) ? 0 : m_headerRows;
  const int last = (scope & 0x2) ? m_rows - 1 : m_headerRows - 1;
  if (m_virtualMode) SendCacheHint(CCellRange{first, col, last, col});
  int width = -1;
  for (int r = first; r <= last; ++r)
    if (const CGridCellBase* cell = CellAt(r, col)) width = std::max(width, cell->MeasureCell().width());
  if (m_virtualMode) SendCacheHint(CCellRange{});
  // Nothing measured: the width stays (a width of 0 would hide the column).
  if (width >= 0) m_colWidths.Set(StoredColumn(col), static_cast<unsigned>(width));
  ResetTopLeft();
  if (updateScroll) UpdateScrollBars();
  return true;
}

bool CGridCtrl::AutoSizeRow(int row) {
  if (row < 0 || row >= m_rows || RowHeight(row) == 0) return false;
  if (m_virtualMode) SendCacheHint(CCellRange{row, 0, row, m_cols - 1});
  int height = -1;
  for (int c = 0; c < m_cols; ++c)
    if (const CGridCellBase* cell = CellAt(row, c)) height = std::max(height, cell->MeasureCell().height());
  if (m_virtualMode) SendCacheHint(CCellRange{});
  if (height >= 0) m_rowHeights.Set(row, static_cast<unsigned>(height));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

void CGridCtrl::AutoSizeColumns() {
  for (int c = 0; c < m_cols; ++c)
    if (ColumnWidth(c) > 0) AutoSizeColumn(c, 0, false);
  UpdateScrollBars();
}

// ---------------------------------------------------------------- geometry

// The first scrolling column (row) whose start lies at or past the scroll
// position `pos`, never beyond the last one.
int CGridCtrl::FirstScrollingAt(Qt::Orientation o, int pos) const {
  if (o == Qt::Horizontal) {
    int col = m_headerCols;
    for (int x = 0; x < pos && col < m_cols - 1; ++col) x += ColumnWidth(col);
    return col;
  }
  const std::int64_t target = m_rowHeights.SumOfFirst(m_headerRows) + pos;
  return std::max(m_headerRows, std::min(m_rowHeights.FirstWithSumAtLeast(target), m_rows - 1));
}

CCellID CGridCtrl::TopLeftCell() const {
  if (m_topLeftCached) return m_topLeft;
  m_topLeft = CCellID{FirstScrollingAt(Qt::Vertical, verticalScrollBar()->value()),
                      FirstScrollingAt(Qt::Horizontal, horizontalScrollBar()->value())};
  m_topLeftCached = true;
  return m_topLeft;
}

bool CGridCtrl::CellOrigin(int row, int col, QPoint& point) const {
  if (!IsValid(row, col)) return false;
  const CCellID topLeft = TopLeftCell();
  if (col >= m_headerCols && col < topLeft.col) return false;
  if (row >= m_headerRows && row < topLeft.row) return false;
  int x = 0;
  if (col < m_headerCols) {
    for (int c = 0; c < col; ++c) x += ColumnWidth(c);
  } else {
    x = HeaderColumnsWidth();
    for (int c = topLeft.col; c < col; ++c) x += ColumnWidth(c);
  }
  int y = 0;
  if (row < m_headerRows) {
    y = static_cast<int>(m_rowHeights.SumOfFirst(row));
  } else {
    y = HeaderRowsHeight() + static_cast<int>(m_rowHeights.SumOfFirst(row) - m_rowHeights.SumOfFirst(topLeft.row));
  }
  point = QPoint(x, y);
  return true;
}

bool CGridCtrl::CellRect(int row, int col, CRect& rect) const {
  QPoint origin;
  if (!CellOrigin(row, col, origin)) return false;
  rect.left = origin.x();
  rect.top = origin.y();
  rect.right = rect.left + ColumnWidth(col) - 1;
  rect.bottom = rect.top + RowHeight(row) - 1;
  return true;
}

bool CGridCtrl::IsCellVisible(int row, int col) const {
  QPoint origin;
  if (!CellOrigin(row, col, origin)) return false;
  return origin.x() < ClientWidth() && origin.y() < ClientHeight();
}

CCellRange CGridCtrl::VisibleCellRange(QPoint* extent) const {
  const CCellID topLeft = TopLeftCell();
  const int clientRight = ClientWidth();
  const int clientBottom = ClientHeight();
  int bottom = HeaderRowsHeight();
  int row = topLeft.row;
  for (; row < m_rows; ++row) {
    bottom += RowHeight(row);
    if (bottom >= clientBottom) {
      bottom = clientBottom;
      break;
    }
  }
  int right = HeaderColumnsWidth();
  int col = topLeft.col;
  for (; col < m_cols; ++col) {
    right += ColumnWidth(col);
    if (right >= clientRight) {
      right = clientRight;
      break;
    }
  }
  if (extent) *extent = QPoint(right, bottom);
  return CCellRange{topLeft.row, topLeft.col, std::min(row, m_rows - 1), std::min(col, m_cols - 1)};
}

}  // namespace vorenx
