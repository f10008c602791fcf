// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: editing. When an in-place edit may start, how its result is
// taken over or refused, the edits made without a box (Delete, cut, paste,
// a drop), and editing going on in the next cell after Tab or an arrow key.
#include <QGuiApplication>

#include "grid/GridCtrl.h"
#include "grid/InPlaceEdit.h"

namespace vorenx {

void CGridCtrl::StartEditing(int row, int col, QPoint point, int firstChar) {
  HideTitleTip();
  if (!IsValid(row, col) || !m_editable) return;
  CGridCellBase* cell = CellAt(row, col);
  if (!cell || cell->IsReadOnly()) return;
  EnsureVisible(row, col);
  CRect rect;
  if (!IsCellVisible(row, col) || !CellRect(row, col, rect)) return;
  if (SendMessageToParent(row, col, NotifyBeginEdit) < 0) return;
  cell->BeginEdit(row, col, rect, point, kInPlaceEditId, firstChar);
}

bool CGridCtrl::AcceptEdit(int row, int col, const QString& text) {
  CGridCellBase* cell = CellAt(row, col);
  return !cell || cell->AcceptEditText(text);
}

void CGridCtrl::EndEditing() {
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->EndEdit();
}

bool CGridCtrl::SetTextUnmarked(int row, int col, const QString& text) {
  if (m_virtualMode) return false;
  CGridCellBase* cell = CellAt(row, col);
  if (!cell) return false;
  cell->SetText(text);
  return true;
}

bool CGridCtrl::TakeOverText(int row, int col, const QString& text, const QString& old) {
  // A refused edit leaves the cell as it was: its old text, not marked modified.
  SetTextUnmarked(row, col, text);
  if (AcceptEdit(row, col, text) && SendMessageToParent(row, col, NotifyEndEdit) >= 0) {
    MarkModified(row, col);
    RedrawCell(row, col);
    return true;
  }
  SetTextUnmarked(row, col, old);
  RedrawCell(row, col);
  return false;
}

void CGridCtrl::FinishEditing(int row, int col, const QString& text) {
  const QString old = CellText(row, col);
  if (text != old) TakeOverText(row, col, text, old);
  if (CGridCellBase* cell = CellAt(row, col)) cell->EditorClosed();
}

bool CGridCtrl::EditCellText(int row, int col, const QString& text) {
  if (!IsCellEditable(CCellID{row, col})) return false;
  if (SendMessageToParent(row, col, NotifyBeginEdit) < 0) return false;
  return TakeOverText(row, col, text, CellText(row, col));
}

void CGridCtrl::ClearSelectedCells() {
  if (!m_editable) return;
  // Editing may change the selection; work from a copy.
  std::vector<CCellID> cells;
  cells.reserve(m_selection.size());
  for (const auto& [key, cell] : m_selection) cells.push_back(cell);
  for (const CCellID& cell : cells) EditCellText(cell.row, cell.col, QString());
}

long CGridCtrl::OnEndInPlaceEdit(GridDispInfo* info) {
  if (m_destroying || !info) return 0;
  const int row = info->item.row;
  const int col = info->item.col;
  FinishEditing(row, col, info->item.text);
  const int lastKey = static_cast<int>(info->item.data);
  const int qtKey = QtKeyForVirtualKey(lastKey);
  if (qtKey != 0) {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    const bool back = qtKey == Qt::Key_Tab && (modifiers & Qt::ShiftModifier);
    OnKeyDown(back ? Qt::Key_Backtab : qtKey, modifiers & ~Qt::ControlModifier);
    StartEditing(m_focus.row, m_focus.col, QPoint(-1, -1), lastKey);
  }
  return 0;
}

void CGridCtrl::CloseEditors() {
  const QList<CInPlaceEdit*> editors = viewport()->findChildren<CInPlaceEdit*>();
  for (CInPlaceEdit* editor : editors) delete editor;
}

}  // namespace vorenx
