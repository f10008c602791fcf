// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The ordinary stored cell: keeps its own attributes and takes every attribute
// it leaves unset (format 0xFFFFFFFF, CLR_DEFAULT, no font, margin 0xFFFFFFFF)
// from its grid's default cell for its header position.
//
// A grid holds one of these per cell, a million rows of them in a long
// readings log, so the cell is kept small: the text sits inside the object
// when it is short, and the attributes that most cells share with their
// default cell (data, image, colours, font, margin, the editor) live in a
// block that is made only when one of them is set to something of its own.

#include <memory>

#include "grid/CompactText.h"
#include "grid/GridCellBase.h"

namespace vorenx {

inline constexpr unsigned kDefaultFormat = 0xFFFFFFFFu;
inline constexpr unsigned kDefaultMargin = 0xFFFFFFFFu;

class CGridCell : public CGridCellBase {
 public:
  CGridCell();
  ~CGridCell() override;

  void SetText(const QString& text) override { m_text.Set(text); }
  void SetImage(int image) override;
  void SetData(std::intptr_t data) override;
  void SetFormat(unsigned format) override { m_format = format; }
  void SetTextColour(COLORREF colour) override;
  void SetBackColour(COLORREF colour) override;
  void SetFont(const LOGFONT* logFont) override;
  void SetMargin(unsigned margin) override;
  void SetGrid(CGridCtrl* grid) override { m_grid = grid; }
  void SetPosition(int, int) override {}

  QString GetText() const override { return m_text.Get(); }
  int GetImage() const override { return m_extras ? m_extras->image : -1; }
  std::intptr_t GetData() const override { return m_extras ? m_extras->data : 0; }
  unsigned GetFormat() const override;
  COLORREF GetTextColour() const override { return m_extras ? m_extras->textColour : CLR_DEFAULT; }
  COLORREF GetBackColour() const override { return m_extras ? m_extras->backColour : CLR_DEFAULT; }
  const LOGFONT* GetFont() const override;
  const QFont* GetCFont() const override;
  CGridCtrl* GetGrid() const override { return m_grid; }
  QWidget* GetEditor() const override { return m_extras ? m_extras->editor : nullptr; }
  unsigned GetMargin() const override;
  bool UsesDefaultFont() const override { return !OwnFontRecord(); }
  bool IsEditing() const override { return m_extras && m_extras->editing; }

  void Reset() override;
  bool BeginEdit(int row, int col, const CRect& rect, QPoint point, int controlId, int firstChar) override;
  void EndEdit() override;
  void EditorClosed() override;

 protected:
  // An own font: the record and the Qt font made from it once.
  struct OwnFont {
    LOGFONT logFont;
    QFont font;
  };
  // The attributes few cells have of their own; their values here are the
  // ones a cell without the block reports.
  struct Extras {
    std::intptr_t data = 0;
    int image = -1;
    COLORREF textColour = CLR_DEFAULT;
    COLORREF backColour = CLR_DEFAULT;
    unsigned margin = kDefaultMargin;
    bool editing = false;
    QWidget* editor = nullptr;
    std::unique_ptr<OwnFont> ownFont;
  };
  Extras& MutableExtras();
  const OwnFont* OwnFontRecord() const { return m_extras ? m_extras->ownFont.get() : nullptr; }
  void SetEditing(bool editing, QWidget* editor);

  unsigned m_format = kDefaultFormat;
  CompactText m_text;
  CGridCtrl* m_grid = nullptr;
  std::unique_ptr<Extras> m_extras;
};

}  // namespace vorenx
