// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: the title tip, offered for the cell under the mouse when its
// text is clipped, hidden before scrolling, editing and on any key.
#include "grid/GridCtrl.h"
#include "grid/TitleTip.h"

namespace vorenx {

void CGridCtrl::EnableTitleTips(bool on) {
  m_titleTips = on;
  if (!on) HideTitleTip();
}

void CGridCtrl::HideTitleTip() {
  if (m_titleTip) m_titleTip->Hide();
}

void CGridCtrl::OfferTitleTip(QPoint point) {
  if (!m_titleTips || m_mouseMode != MouseNone) return;
  if (m_titleTip && m_titleTip->isVisible() && !m_titleTip->HoverRect().contains(point)) m_titleTip->Hide();
  const CCellID id = CellFromPoint(point, true);
  CGridCellBase* cell = CellAt(id.row, id.col);
  CRect rect;
  if (!cell || cell->IsEditing() || !CellRect(id.row, id.col, rect)) return;
  const QString text = cell->GetTitleTipText();
  if (text.isEmpty()) return;
  if (!m_titleTip) {
    m_titleTip = std::make_unique<CTitleTip>();
    m_titleTip->Create(this);
  }
  CRect textRect = rect;
  cell->AdjustTitleTipRect(textRect);
  m_titleTip->Show(textRect, text, rect, cell->GetFont(), m_titleTipTextColour, m_titleTipBackColour);
}

}  // namespace vorenx
