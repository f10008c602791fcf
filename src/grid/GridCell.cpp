// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridCell.h"

#include <QWidget>

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "grid/InPlaceEdit.h"
#include "grid/TextFormat.h"

namespace vorenx {

CGridCell::CGridCell() = default;
CGridCell::~CGridCell() = default;

CGridCell::Extras& CGridCell::MutableExtras() {
  if (!m_extras) m_extras = std::make_unique<Extras>();
  return *m_extras;
}

// Each setter leaves the block unmade when the value is the one a cell
// without it reports anyway.
void CGridCell::SetImage(int image) {
  if (m_extras || image != -1) MutableExtras().image = image;
}

void CGridCell::SetData(std::intptr_t data) {
  if (m_extras || data != 0) MutableExtras().data = data;
}

void CGridCell::SetTextColour(COLORREF colour) {
  if (m_extras || colour != CLR_DEFAULT) MutableExtras().textColour = colour;
}

void CGridCell::SetBackColour(COLORREF colour) {
  if (m_extras || colour != CLR_DEFAULT) MutableExtras().backColour = colour;
}

void CGridCell::SetMargin(unsigned margin) {
  if (m_extras || margin != kDefaultMargin) MutableExtras().margin = margin;
}

void CGridCell::SetEditing(bool editing, QWidget* editor) {
  if (!m_extras && !editing && !editor) return;
  MutableExtras().editing = editing;
  m_extras->editor = editor;
}

void CGridCell::SetFont(const LOGFONT* logFont) {
  if (!logFont) {
    if (m_extras) m_extras->ownFont.reset();
    return;
  }
  Extras& extras = MutableExtras();
  if (!extras.ownFont) extras.ownFont = std::make_unique<OwnFont>();
  extras.ownFont->logFont = *logFont;
  extras.ownFont->font = QFontFromLogFont(*logFont);
}

unsigned CGridCell::GetFormat() const {
  if (m_format != kDefaultFormat) return m_format;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetFormat() : 0;
}

const LOGFONT* CGridCell::GetFont() const {
  if (const OwnFont* own = OwnFontRecord()) return &own->logFont;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetFont() : nullptr;
}

const QFont* CGridCell::GetCFont() const {
  if (const OwnFont* own = OwnFontRecord()) return &own->font;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetCFont() : nullptr;
}

unsigned CGridCell::GetMargin() const {
  const unsigned own = m_extras ? m_extras->margin : kDefaultMargin;
  if (own != kDefaultMargin) return own;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetMargin() : 0;
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  m_text.Clear();
  m_format = kDefaultFormat;
  m_extras.reset();
  m_grid = nullptr;
}

bool CGridCell::BeginEdit(int row, int col, const CRect& rect, QPoint, int controlId, int firstChar) {
  CGridCtrl* grid = GetGrid();
  if (!grid || IsEditing()) return false;
  const unsigned format = GetFormat();
  Qt::Alignment alignment = Qt::AlignLeft;
  if (format & DT_RIGHT) alignment = Qt::AlignRight;
  else if (format & DT_CENTER) alignment = Qt::AlignHCenter;
  // The box deletes itself when the edit ends; the grid then calls EditorClosed.
  auto* edit = new CInPlaceEdit(grid, rect, alignment, controlId, row, col, GetText(), firstChar);
  SetEditing(true, edit);
  return true;
}

void CGridCell::EndEdit() {
  // The box reports its end to the grid even when it was never shown.
  if (auto* edit = qobject_cast<CInPlaceEdit*>(GetEditor()))
    edit->EndEdit();
  else if (QWidget* editor = GetEditor())
    editor->close();
}

void CGridCell::EditorClosed() { SetEditing(false, nullptr); }

}  // namespace vorenx
