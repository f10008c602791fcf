// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: behaviour flags, colours, fonts and notifications.
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "grid/GridCtrl.h"

#include <algorithm>

namespace vorenx {

// ---------------------------------------------------------------- messages

long CGridCtrl::SendMessageToParent(int row, int col, int code) {
  if (!m_owner) return 0;
  GridNotification note;
  note.window = this;
  note.id = m_controlId;
  note.code = code;
  note.row = row;
  note.col = col;
  return m_owner->OnGridNotify(&note);
}

void CGridCtrl::SendCacheHint(const CCellRange& range) {
  if (!m_owner) return;
  GridCacheHint hint;
  hint.window = this;
  hint.id = m_controlId;
  hint.code = NotifyCacheHint;
  hint.range = range;
  m_owner->OnGridNotify(&hint);
}

void CGridCtrl::PostCommandToParent() {
  // Queued on the grid, so it arrives after the release and never after the grid is gone.
  QMetaObject::invokeMethod(
      this, [this] { if (m_owner) m_owner->OnGridCommand(this, m_controlId, 0); }, Qt::QueuedConnection);
}

void CGridCtrl::ReportMessage(const QString& text) const {
  if (m_reportMessage) m_reportMessage(text);
}

// ---------------------------------------------------------------- flags

void CGridCtrl::SetVirtualMode(bool on) {
  if (on == m_virtualMode) return;
  ClearAll();
  m_virtualMode = on;
}

void CGridCtrl::SetCallbackFunc(CellCallback callback, std::intptr_t userWord) {
  m_callback = std::move(callback);
  m_callbackWord = userWord;
}

void CGridCtrl::SetRedraw(bool allow, bool resetScrollBars) {
  m_allowDraw = allow;
  if (!allow) return;
  if (resetScrollBars) UpdateScrollBars();
  Repaint();
}

void CGridCtrl::SetGridLines(int lines) {
  m_gridLines = std::clamp(lines, GVL_NONE, GVL_BOTH);
  Repaint();
}

void CGridCtrl::SetSortColumn(int col) {
  m_sortColumn = IsValid(0, col) ? col : -1;
  Repaint();
}

void CGridCtrl::SetSortAscending(bool ascending) {
  m_sortAscending = ascending;
  Repaint();
}

bool CGridCtrl::SetColumnOrder(const std::vector<int>& order) {
  if (static_cast<int>(order.size()) != m_cols) return false;
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (int c = 0; c < m_cols; ++c)
    if (sorted[static_cast<std::size_t>(c)] != c) return false;
  m_columnOrder = order;
  ResetTopLeft();
  Repaint();
  return true;
}

// ---------------------------------------------------------------- colours and fonts

COLORREF CGridCtrl::SysColour(int index) const {
  QPalette::ColorRole role = QPalette::Window;
  switch (index) {
    case COLOR_WINDOW: role = QPalette::Base; break;
    case COLOR_WINDOWTEXT: role = QPalette::Text; break;
    case COLOR_HIGHLIGHT: role = QPalette::Highlight; break;
    case COLOR_HIGHLIGHTTEXT: role = QPalette::HighlightedText; break;
    case COLOR_BTNFACE: role = QPalette::Button; break;
    case COLOR_BTNSHADOW: role = QPalette::Dark; break;
    case COLOR_BTNHIGHLIGHT: role = QPalette::Light; break;
    case COLOR_3DDKSHADOW: role = QPalette::Shadow; break;
    case COLOR_INFOBK: role = QPalette::ToolTipBase; break;
    default: break;
  }
  return FromQColor(palette().color(QPalette::Active, role));
}

void CGridCtrl::OnSysColorChange() {
  const COLORREF text = SysColour(COLOR_WINDOWTEXT);
  const COLORREF window = SysColour(COLOR_WINDOW);
  const COLORREF face = SysColour(COLOR_BTNFACE);
  const COLORREF shadow = SysColour(COLOR_BTNSHADOW);
  for (const auto& cell : m_defaults) {
    if (cell->GetTextColour() == m_cachedWindowText) cell->SetTextColour(text);
    if (cell->GetBackColour() == m_cachedWindow)
      cell->SetBackColour(window);
    else if (cell->GetBackColour() == m_cachedButtonFace)
      cell->SetBackColour(face);
  }
  if (m_backgroundColour == m_cachedButtonShadow) m_backgroundColour = shadow;
  m_cachedWindowText = text;
  m_cachedWindow = window;
  m_cachedButtonFace = face;
  m_cachedButtonShadow = shadow;
  Repaint();
}

void CGridCtrl::SetGridFont(const QFont& font) {
  const LOGFONT logFont = LogFontFromQFont(font);
  for (const auto& cell : m_defaults) cell->SetFont(&logFont);
  Repaint();
}

QFont CGridCtrl::GridFont() const { return *DefaultsFor(false, false)->GetCFont(); }

void CGridCtrl::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  switch (event->type()) {
    case QEvent::FontChange: SetGridFont(font()); break;
    case QEvent::PaletteChange: OnSysColorChange(); break;
    default: break;
  }
}

}  // namespace vorenx
