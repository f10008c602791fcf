#include "grid/GridCell.h"

#include <QWidget>

#include "grid/GridDefaultCell.h"

namespace vorenx {

CGridCell::CGridCell() = default;
CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const LOGFONT* logFont) {
  if (!logFont) {
    m_ownFont.reset();
    return;
  }
  if (!m_ownFont) m_ownFont = std::make_unique<OwnFont>();
  m_ownFont->logFont = *logFont;
  m_ownFont->font = QFontFromLogFont(*logFont);
}

unsigned CGridCell::GetFormat() const {
  if (m_format != kDefaultFormat) return m_format;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetFormat() : 0;
}

const LOGFONT* CGridCell::GetFont() const {
  if (m_ownFont) return &m_ownFont->logFont;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetFont() : nullptr;
}

const QFont* CGridCell::GetCFont() const {
  if (m_ownFont) return &m_ownFont->font;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetCFont() : nullptr;
}

unsigned CGridCell::GetMargin() const {
  if (m_margin != kDefaultMargin) return m_margin;
  const CGridDefaultCell* defaults = GetDefaults();
  return defaults && defaults != this ? defaults->GetMargin() : 0;
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  m_text.clear();
  m_data = 0;
  m_image = -1;
  m_format = kDefaultFormat;
  m_textColour = CLR_DEFAULT;
  m_backColour = CLR_DEFAULT;
  m_ownFont.reset();
  m_margin = kDefaultMargin;
  m_editing = false;
  m_grid = nullptr;
  m_editor = nullptr;
}

// In-place editing is not built yet: no cell starts an edit.
bool CGridCell::BeginEdit(int, int, const CRect&, QPoint, int, int) { return false; }

void CGridCell::EndEdit() {
  if (m_editor) m_editor->close();
}

void CGridCell::EditorClosed() {
  m_editing = false;
  m_editor = nullptr;
}

}  // namespace vorenx
