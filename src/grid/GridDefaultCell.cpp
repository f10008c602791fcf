// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridDefaultCell.h"

#include <QApplication>
#include <QFontMetrics>

#include "grid/TextFormat.h"

namespace vorenx {

CGridDefaultCell::CGridDefaultCell() {
  m_format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  const LOGFONT messageFont = LogFontFromQFont(QApplication::font());
  SetFont(&messageFont);
}

void CGridDefaultCell::Reset() {
  const LOGFONT font = *GetFont();
  CGridCtrl* grid = m_grid;
  CGridCell::Reset();
  m_grid = grid;
  m_format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  SetFont(&font);
}

void CGridDefaultCell::SetFont(const LOGFONT* logFont) {
  if (!logFont) return;
  CGridCell::SetFont(logFont);
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    // No screen to measure on.
    SetMargin(3);
    m_width = 40;
    m_height = 16;
    return;
  }
  const QFontMetrics metrics(*GetCFont());
  SetMargin(static_cast<unsigned>(metrics.horizontalAdvance(QStringLiteral(" "))));
  m_width = metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX "));
  m_height = metrics.height() * 3 / 2;
}

// A default cell always holds a font: the constructor sets one and a null
// font is refused.
const LOGFONT* CGridDefaultCell::GetFont() const { return &OwnFontRecord()->logFont; }
const QFont* CGridDefaultCell::GetCFont() const { return &OwnFontRecord()->font; }

}  // namespace vorenx
