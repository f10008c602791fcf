// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: the dividers between header cells: which one lies under the
// pointer, and dragging one to resize its row or column, with an inverted
// line that follows the pointer until the button is released.
#include <algorithm>

#include "grid/GridCtrl.h"

namespace vorenx {

bool CGridCtrl::MouseOverColumnResizeArea(QPoint point) const {
  if (!m_allowColumnResize || point.y() < 0 || point.y() >= HeaderRowsHeight()) return false;
  return DividerAt(Qt::Horizontal, point) >= 0;
}

bool CGridCtrl::MouseOverRowResizeArea(QPoint point) const {
  if (!m_allowRowResize || point.x() < 0 || point.x() >= HeaderColumnsWidth()) return false;
  return DividerAt(Qt::Vertical, point) >= 0;
}

int CGridCtrl::DividerAt(Qt::Orientation o, QPoint point) const {
  const bool columns = o == Qt::Horizontal;
  QPoint extent;
  VisibleCellRange(&extent);
  const CCellID cell = CellFromPoint(point, true);
  QPoint origin;
  const bool known = cell.IsValid() && CellOrigin(cell.row, cell.col, origin);
  return DividerItem(Axis(o), columns ? point.x() : point.y(), known ? (columns ? cell.col : cell.row) : -1,
                     columns ? origin.x() : origin.y(), columns ? extent.x() : extent.y(), m_resizeCaptureRange,
                     columns ? m_grabHiddenColumns : m_grabHiddenRows);
}

void CGridCtrl::HoverDividers(QPoint point) {
  if (MouseOverColumnResizeArea(point)) {
    viewport()->setCursor(Qt::SizeHorCursor);
    m_mouseMode = MouseOverColumnDivider;
  } else if (MouseOverRowResizeArea(point)) {
    viewport()->setCursor(Qt::SizeVerCursor);
    m_mouseMode = MouseOverRowDivider;
  } else if (m_mouseMode != MouseNone) {
    viewport()->setCursor(Qt::ArrowCursor);
    m_mouseMode = MouseNone;
  }
}

void CGridCtrl::StartSizing(Qt::Orientation o, QPoint point) {
  const bool columns = o == Qt::Horizontal;
  const int index = DividerAt(o, point);
  const CCellID cell = CellFromPoint(point, true);
  QPoint origin;
  if (index < 0) {
    m_mouseMode = MouseNone;
    return;
  }
  // The start of the divider's row or column: the cell's own start, less the
  // sizes between it and the divider's item when that lies before it.
  int start = 0;
  if (cell.IsValid() && CellOrigin(cell.row, cell.col, origin)) {
    start = columns ? origin.x() : origin.y();
    const int from = columns ? cell.col : cell.row;
    for (int i = index; i < from; ++i) start -= columns ? ColumnWidth(i) : RowHeight(i);
    for (int i = from; i < index; ++i) start += columns ? ColumnWidth(i) : RowHeight(i);
  } else {
    // Past the last item: its start is the extent less its size.
    QPoint extent;
    VisibleCellRange(&extent);
    start = columns ? extent.x() - ColumnWidth(index) : extent.y() - RowHeight(index);
  }
  m_sizingIndex = index;
  m_sizingStart = start;
  m_mouseMode = columns ? MouseSizingColumn : MouseSizingRow;
  UpdateSizingLine(point);
}

// The point kept within the room the divider may move in: from the start of
// its row or column to one client width (height) past it.
QPoint CGridCtrl::ClampToSizing(QPoint point) const {
  const int width = viewport()->width();
  const int height = viewport()->height();
  if (m_mouseMode == MouseSizingColumn) {
    const int high = m_sizingStart + 1 + width - HeaderColumnsWidth();
    return QPoint(std::clamp(point.x(), m_sizingStart, std::max(m_sizingStart, high)), std::clamp(point.y(), 0, std::max(0, height - 1)));
  }
  const int high = m_sizingStart + 1 + height - HeaderRowsHeight();
  return QPoint(std::clamp(point.x(), 0, std::max(0, width - 1)), std::clamp(point.y(), m_sizingStart, std::max(m_sizingStart, high)));
}

void CGridCtrl::UpdateSizingLine(QPoint point) {
  const bool columns = m_mouseMode == MouseSizingColumn;
  const auto lineRect = [&](int at) {
    return columns ? QRect(at, 0, 2, viewport()->height()) : QRect(0, at, viewport()->width(), 2);
  };
  if (m_sizingLine >= 0) viewport()->update(lineRect(m_sizingLine));
  const QPoint clamped = ClampToSizing(point);
  m_sizingLine = columns ? clamped.x() : clamped.y();
  viewport()->update(lineRect(m_sizingLine));
}

void CGridCtrl::FinishSizing(QPoint point) {
  const bool columns = m_mouseMode == MouseSizingColumn;
  m_sizingLine = -1;
  if (point != m_buttonDownPoint && point != QPoint(0, 0) && m_sizingIndex >= 0) {
    const QPoint clamped = ClampToSizing(point);
    const int least = (columns ? m_allowHideColumns : m_allowHideRows) ? 0 : 1;
    const int size = std::max((columns ? clamped.x() : clamped.y()) - m_sizingStart, least);
    if (columns)
      ChangeColumnWidth(m_sizingIndex, size);
    else
      ChangeRowHeight(m_sizingIndex, size);
  }
  m_sizingIndex = -1;
  UpdateScrollBars();
  viewport()->update();
}

}  // namespace vorenx
