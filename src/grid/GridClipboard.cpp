// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: copy, cut, paste and select all, with the rules that enable
// them. The text itself is built and split in GridClipboardText.*.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include "grid/GridClipboardText.h"
#include "grid/GridCtrl.h"

namespace vorenx {

bool CGridCtrl::CanCopy() const { return !m_selection.empty(); }

bool CGridCtrl::CanCut() const { return m_editable && !m_selection.empty(); }

bool CGridCtrl::CanPaste() const {
  if (!m_focus.IsValid() || !IsCellEditable(m_focus)) return false;
  return OffersText(QGuiApplication::clipboard()->mimeData());
}

bool CGridCtrl::CanSelectAll() const { return m_allowSelection; }

QMimeData* CGridCtrl::CopyTextFromGrid() {
  const CCellRange range = SelectedCellRange();
  if (!range.IsValid()) return nullptr;
  if (m_virtualMode) SendCacheHint(range);
  const QString text = CopyText(range, Axis(Qt::Vertical), Axis(Qt::Horizontal),
                                [this](int row, int col, bool& selected) {
                                  const CGridCellBase* cell = CellAt(row, col);
                                  selected = cell && cell->IsSelected();
                                  return selected ? cell->GetText() : QString();
                                });
  if (m_virtualMode) SendCacheHint(CCellRange{});
  return MakeCopyMimeData(text);
}

void CGridCtrl::CopySelection() {
  if (QMimeData* data = CopyTextFromGrid()) QGuiApplication::clipboard()->setMimeData(data);
}

void CGridCtrl::CutSelection() {
  if (!m_editable) return;
  CopySelection();
  ClearSelectedCells();
}

void CGridCtrl::PasteSelection() {
  CCellID target = m_focus;
  const CCellRange selected = SelectedCellRange();
  if (selected.IsValid()) target = CCellID{selected.minRow, selected.minCol};
  if (!IsValid(target.row, target.col)) target = TopLeftCell();
  if (!IsValid(target.row, target.col)) return;
  if (CGridCellBase* cell = StoredCell(target.row, target.col); cell && cell->IsEditing()) {
    if (auto* edit = qobject_cast<QLineEdit*>(cell->GetEditor())) {
      edit->paste();
      return;
    }
  }
  PasteTextToGrid(target.row, target.col, QGuiApplication::clipboard()->mimeData(), true);
}

bool CGridCtrl::PasteTextToGrid(int row, int col, const QMimeData* data, bool selectPasted) {
  if (!IsValid(row, col) || !IsCellEditable(CCellID{row, col}) || !OffersText(data)) return false;
  int lastRow = row;
  int lastCol = col;
  // The axes see every row and column, headers included, from the target on.
  const GridAxis rows{m_rows, 0, 0, 0, [this](int r) { return RowHeight(r); }};
  const GridAxis cols{m_cols, 0, 0, 0, [this](int c) { return ColumnWidth(c); }};
  for (const PastedField& field : PlacePastedText(TextFromMimeData(data), row, col, rows, cols)) {
    EditCellText(field.row, field.col, field.text);
    if (CGridCellBase* cell = StoredCell(field.row, field.col))
      cell->SetState(cell->GetState() & ~CellSelected);
    m_selection.erase(SelectionKey(field.row, field.col));
    lastRow = std::max(lastRow, field.row);
    lastCol = std::max(lastCol, field.col);
  }
  if (selectPasted) {
    SelectRange(row, col, lastRow, lastCol, true, true);
  } else {
    ClearSelection();
    Repaint();
  }
  return true;
}

void CGridCtrl::SelectAllCommand() {
  SendMessageToParent(m_clickDownCell.row, m_clickDownCell.col, NotifySelectionChanging);
  SelectAll();
  SendMessageToParent(m_focus.row, m_focus.col, NotifySelectionChanged);
}

}  // namespace vorenx
