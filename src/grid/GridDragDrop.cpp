// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: drag-and-drop through QDrag and QMimeData. Selected cells are
// dragged out as the clipboard's text; text dropped on an editable cell is
// pasted there; a header-row cell dragged sideways moves its column.
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "grid/GridClipboardText.h"
#include "grid/GridCtrl.h"

namespace vorenx {

void CGridCtrl::BeginDrag() {
  const bool columnDrag = m_draggedColumn >= 0;
  if (!m_allowDragAndDrop && !columnDrag) return;
  QMimeData* data = columnDrag ? new QMimeData : CopyTextFromGrid();
  if (!data) return;
  const CCellRange selected = SelectedCellRange();
  SendMessageToParent(selected.minRow, selected.minCol, NotifyBeginDrag);
  m_mouseMode = MouseDragging;
  auto* drag = new QDrag(viewport());
  drag->setMimeData(data);
  const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  // Cells moved elsewhere leave empty cells behind. A moved column keeps its
  // cells: clearing the selection there would lose the column's texts.
  if (result == Qt::MoveAction && !columnDrag) ClearSelectedCells();
  m_mouseMode = MouseNone;
  m_leftButtonDown = false;
  m_draggedColumn = -1;
}

void CGridCtrl::SetDropTarget(CCellID cell) {
  if (cell == m_dropTarget) return;
  if (CGridCellBase* old = StoredCell(m_dropTarget.row, m_dropTarget.col)) {
    old->SetState(old->GetState() & ~CellDropTarget);
    InvalidateCell(m_dropTarget.row, m_dropTarget.col);
  }
  m_dropTarget = cell;
  if (CGridCellBase* now = StoredCell(cell.row, cell.col)) {
    now->SetState(now->GetState() | CellDropTarget);
    InvalidateCell(cell.row, cell.col);
  }
}

Qt::DropAction CGridCtrl::DragEnter(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point, bool fromHere) {
  const bool columnDrag = fromHere && m_draggedColumn >= 0;
  const CCellID target = CellFromPoint(point, columnDrag);
  const Qt::DropAction effect = (keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  if (columnDrag) {
    const bool header = target.row >= 0 && target.row < m_headerRows && target.col >= m_headerCols;
    SetDropTarget(header ? target : CCellID{});
    return effect;
  }
  if (!m_allowDragAndDrop || !OffersText(data) || !IsCellEditable(target)) return Qt::IgnoreAction;
  SetDropTarget(target);
  return effect;
}

Qt::DropAction CGridCtrl::DragOver(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point, bool fromHere) {
  const bool columnDrag = fromHere && m_draggedColumn >= 0;
  const CCellID target = CellFromPoint(point, columnDrag);
  const bool header = target.row < m_headerRows || target.col < m_headerCols;
  bool refused;
  if (columnDrag)
    refused = !(target.IsValid() && target.row < m_headerRows && target.col >= m_headerCols);
  else
    refused = !m_allowDragAndDrop || !m_editable || !OffersText(data) || !target.IsValid() || header;
  if (refused) {
    DragLeave();
    return Qt::IgnoreAction;
  }
  if (!columnDrag && !IsCellEditable(target)) return Qt::IgnoreAction;
  SetDropTarget(target);
  return (keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

void CGridCtrl::DragLeave() { SetDropTarget(CCellID{}); }

bool CGridCtrl::Drop(const QMimeData* data, Qt::DropAction, QPoint point, bool fromHere) {
  m_mouseMode = MouseNone;
  const bool columnDrag = fromHere && m_draggedColumn >= 0;
  const CCellID target = columnDrag ? CellFromPoint(point, true) : m_dropTarget;
  if (!columnDrag) {
    if (!m_allowDragAndDrop) return false;
    if (!fromHere && !IsCellEditable(target)) return false;
  }
  DragLeave();
  if (!columnDrag) {
    if (!fromHere) return PasteTextToGrid(target.row, target.col, data, false);
    // A drop of the grid's own cells onto itself would mean a move of rows,
    // which only the owner of VirtualMode data can do.
    if (!m_virtualMode || m_rowOrder.empty() || !IsValid(target.row, target.col)) return false;
    const int from = m_clickDownCell.row;
    if (from < m_headerRows || from >= static_cast<int>(m_rowOrder.size())) return false;
    const int entry = m_rowOrder[static_cast<std::size_t>(from)];
    m_rowOrder.erase(m_rowOrder.begin() + from);
    m_rowOrder.insert(m_rowOrder.begin() + std::min(target.row, static_cast<int>(m_rowOrder.size())), entry);
    Repaint();
    return true;
  }
  if (!target.IsValid() || target.row >= m_headerRows || target.col < m_headerCols || target.col == m_draggedColumn)
    return false;
  std::vector<int> order = m_columnOrder;
  const int entry = order[static_cast<std::size_t>(m_draggedColumn)];
  order.erase(order.begin() + m_draggedColumn);
  order.insert(order.begin() + target.col, entry);
  m_draggedColumn = -1;
  SetColumnOrder(order);
  return true;
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event) {
  const bool fromHere = event->source() == viewport();
  if (!m_allowDragAndDrop && !(fromHere && m_draggedColumn >= 0)) {
    event->ignore();
    return;
  }
  // Accepted so that the moves follow; each move decides whether a drop may land.
  const Qt::DropAction effect = DragEnter(event->mimeData(), event->modifiers(), event->position().toPoint(), fromHere);
  event->setDropAction(effect == Qt::IgnoreAction ? event->proposedAction() : effect);
  event->accept();
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event) {
  const bool fromHere = event->source() == viewport();
  const Qt::DropAction effect = DragOver(event->mimeData(), event->modifiers(), event->position().toPoint(), fromHere);
  if (effect == Qt::IgnoreAction) {
    event->ignore();
    return;
  }
  event->setDropAction(effect);
  event->accept();
}

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent*) { DragLeave(); }

void CGridCtrl::dropEvent(QDropEvent* event) {
  const bool fromHere = event->source() == viewport();
  if (Drop(event->mimeData(), event->dropAction(), event->position().toPoint(), fromHere)) {
    event->acceptProposedAction();
  } else {
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
  }
}

}  // namespace vorenx
