// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: cells and item access, the cell factory, VirtualMode cells.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace vorenx {

// ---------------------------------------------------------------- cells

CGridDefaultCell* CGridCtrl::DefaultsFor(bool headerRow, bool headerColumn) const {
  return m_defaults[(headerRow ? 2 : 0) + (headerColumn ? 1 : 0)].get();
}

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int row, int col) {
  std::unique_ptr<CGridCellBase> cell = m_cellFactory ? m_cellFactory(row, col) : std::make_unique<CGridCell>();
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetPosition(row, col);
  unsigned state = cell->GetState();
  if (col < m_headerCols) state |= CellHeader | CellHeaderColumn;
  if (row < m_headerRows) state |= CellHeader | CellHeaderRow;
  cell->SetState(state);
  if (const CGridDefaultCell* defaults = cell->GetDefaults()) cell->SetFormat(defaults->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  if (m_virtualMode || row < 0 || row >= m_rows || col < 0 || col >= m_cols) return;
  std::unique_ptr<CGridCellBase>& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(StoredColumn(col))];
  if (!slot) return;
  if (slot->IsSelected()) m_selection.erase(SelectionKey(row, col));
  slot->SetState(0);
  slot.reset();
}

CGridCellBase* CGridCtrl::StoredCell(int row, int col) const {
  if (m_virtualMode || !IsValid(row, col)) return nullptr;
  return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(StoredColumn(col))].get();
}

CGridCellBase* CGridCtrl::CellAt(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (m_virtualMode) return PrepareVirtualCell(row, col);
  CGridCellBase* cell = StoredCell(row, col);
  // A cell class may show something that follows from where it stands.
  if (cell) cell->SetPosition(row, col);
  return cell;
}

CGridCellBase* CGridCtrl::PrepareVirtualCell(int row, int col) const {
  const CGridDefaultCell* defaults = DefaultsFor(row < m_headerRows, col < m_headerCols);
  GridDispInfo disp;
  disp.window = const_cast<CGridCtrl*>(this);
  disp.id = m_controlId;
  disp.code = NotifyGetCellInfo;
  CellInfo& info = disp.item;
  info.row = row;
  info.col = col;
  info.mask = CellInfoMask::All;
  info.state = 0;
  info.format = defaults->GetFormat();
  info.image = defaults->GetImage();
  info.backColour = defaults->GetBackColour();
  info.textColour = defaults->GetTextColour();
  info.data = defaults->GetData();
  info.font = *defaults->GetFont();
  info.margin = defaults->GetMargin();
  if (m_selection.count(SelectionKey(row, col))) info.state |= CellSelected;
  if (row < m_headerRows) info.state |= CellHeader | CellHeaderRow;
  if (col < m_headerCols) info.state |= CellHeader | CellHeaderColumn;
  if (m_focus == CCellID{row, col}) info.state |= CellFocused;

  if (!m_destroying) {
    if (static_cast<std::size_t>(row) < m_rowOrder.size()) info.row = m_rowOrder[static_cast<std::size_t>(row)];
    info.col = StoredColumn(col);
    if (m_callback)
      m_callback(&disp, m_callbackWord);
    else if (m_owner)
      m_owner->OnGridNotify(&disp);
  }
  CGridCell* cell = m_virtualCell.get();
  cell->Reset();
  cell->SetState(info.state);
  cell->SetData(info.data);
  cell->SetImage(info.image);
  cell->SetFormat(info.format);
  cell->SetTextColour(info.textColour);
  cell->SetBackColour(info.backColour);
  cell->SetFont(&info.font);
  cell->SetMargin(info.margin);
  cell->SetText(info.text);
  cell->SetGrid(const_cast<CGridCtrl*>(this));
  info.row = row;
  info.col = col;
  return cell;
}

bool CGridCtrl::ApplyCellInfo(const CellInfo& info) {
  if (m_virtualMode) return false;
  CGridCellBase* cell = CellAt(info.row, info.col);
  if (!cell) return false;
  MarkModified(info.row, info.col);
  if (info.mask & CellInfoMask::Text) cell->SetText(info.text);
  if (info.mask & CellInfoMask::Data) cell->SetData(info.data);
  if (info.mask & CellInfoMask::Image) cell->SetImage(info.image);
  if (info.mask & CellInfoMask::State) ChangeCellState(info.row, info.col, info.state);
  if (info.mask & CellInfoMask::Format) cell->SetFormat(info.format);
  if (info.mask & CellInfoMask::BackColour) cell->SetBackColour(info.backColour);
  if (info.mask & CellInfoMask::TextColour) cell->SetTextColour(info.textColour);
  if (info.mask & CellInfoMask::Font) cell->SetFont(&info.font);
  if (info.mask & CellInfoMask::Margin) cell->SetMargin(info.margin);
  return true;
}

QString CGridCtrl::CellText(int row, int col) const {
  const CGridCellBase* cell = CellAt(row, col);
  return cell ? cell->GetText() : QString();
}

bool CGridCtrl::ChangeCellText(int row, int col, const QString& text) {
  if (m_virtualMode) return false;
  CGridCellBase* cell = CellAt(row, col);
  if (!cell) return false;
  cell->SetText(text);
  MarkModified(row, col);
  return true;
}

unsigned CGridCtrl::CellState(int row, int col) const {
  const CGridCellBase* cell = CellAt(row, col);
  return cell ? cell->GetState() : 0;
}

bool CGridCtrl::ChangeCellState(int row, int col, unsigned state) {
  if (!IsValid(row, col)) return false;
  const std::uint64_t key = SelectionKey(row, col);
  const bool wasSelected = m_virtualMode ? m_selection.count(key) != 0 : (CellState(row, col) & CellSelected) != 0;
  const bool selected = (state & CellSelected) != 0;
  if (selected && !wasSelected)
    m_selection[key] = CCellID{row, col};
  else if (!selected && wasSelected)
    m_selection.erase(key);
  CGridCellBase* cell = StoredCell(row, col);
  if (m_virtualMode || !cell) return false;
  cell->SetState(state);
  return true;
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
  if (!m_allowSelection) return false;
  if (m_virtualMode) return m_selection.count(SelectionKey(row, col)) != 0;
  const CGridCellBase* cell = StoredCell(row, col);
  return cell && cell->IsSelected();
}

bool CGridCtrl::IsCellEditable(CCellID id) const {
  return m_editable && IsValid(id.row, id.col) && !(CellState(id.row, id.col) & CellReadOnly);
}

void CGridCtrl::MarkModified(int row, int col) {
  if ((col < 0 || col == m_sortColumn) && m_sortColumn >= 0) {
    const int old = m_sortColumn;
    m_sortColumn = -1;
    InvalidateCell(0, old);
  }
  if (CGridCellBase* cell = StoredCell(row, col)) cell->SetState(cell->GetState() | CellModified);
  m_modified = true;
}

}  // namespace vorenx
