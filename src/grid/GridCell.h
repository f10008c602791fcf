#pragma once
// The ordinary stored cell: keeps its own attributes and takes every attribute
// it leaves unset (format 0xFFFFFFFF, CLR_DEFAULT, no font, margin 0xFFFFFFFF)
// from its grid's default cell for its header position.

#include <memory>

#include "grid/GridCellBase.h"

namespace vorenx {

inline constexpr unsigned kDefaultFormat = 0xFFFFFFFFu;
inline constexpr unsigned kDefaultMargin = 0xFFFFFFFFu;

class CGridCell : public CGridCellBase {
 public:
  CGridCell();
  ~CGridCell() override;

  void SetText(const QString& text) override { m_text = text; }
  void SetImage(int image) override { m_image = image; }
  void SetData(std::intptr_t data) override { m_data = data; }
  void SetFormat(unsigned format) override { m_format = format; }
  void SetTextColour(COLORREF colour) override { m_textColour = colour; }
  void SetBackColour(COLORREF colour) override { m_backColour = colour; }
  void SetFont(const LOGFONT* logFont) override;
  void SetMargin(unsigned margin) override { m_margin = margin; }
  void SetGrid(CGridCtrl* grid) override { m_grid = grid; }
  void SetPosition(int, int) override {}

  QString GetText() const override { return m_text; }
  int GetImage() const override { return m_image; }
  std::intptr_t GetData() const override { return m_data; }
  unsigned GetFormat() const override;
  COLORREF GetTextColour() const override { return m_textColour; }
  COLORREF GetBackColour() const override { return m_backColour; }
  const LOGFONT* GetFont() const override;
  const QFont* GetCFont() const override;
  CGridCtrl* GetGrid() const override { return m_grid; }
  QWidget* GetEditor() const override { return m_editor; }
  unsigned GetMargin() const override;
  bool UsesDefaultFont() const override { return !m_ownFont; }
  bool IsEditing() const override { return m_editing; }

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

  QString m_text;
  std::intptr_t m_data = 0;
  int m_image = -1;
  unsigned m_format = kDefaultFormat;
  COLORREF m_textColour = CLR_DEFAULT;
  COLORREF m_backColour = CLR_DEFAULT;
  std::unique_ptr<OwnFont> m_ownFont;
  unsigned m_margin = kDefaultMargin;
  bool m_editing = false;
  CGridCtrl* m_grid = nullptr;
  QWidget* m_editor = nullptr;
};

}  // namespace vorenx
