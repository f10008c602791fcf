// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The abstract cell of the grid control: state bits and the operations every
// cell class provides. CGridCell (the stored cell) and CGridDefaultCell (the
// four per-grid defaults) implement it. The grid decides where and when a cell
// is drawn; the cell decides how.

#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

#include "grid/GridTypes.h"

namespace vorenx {

class CGridDefaultCell;

class CGridCellBase {
 public:
  CGridCellBase() = default;
  virtual ~CGridCellBase() = default;
  CGridCellBase(const CGridCellBase&) = delete;
  CGridCellBase& operator=(const CGridCellBase&) = delete;

  virtual void SetText(const QString& text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(std::intptr_t data) = 0;
  virtual void SetState(unsigned state) { m_state = state; }
  virtual void SetFormat(unsigned format) = 0;
  virtual void SetTextColour(COLORREF colour) = 0;
  virtual void SetBackColour(COLORREF colour) = 0;
  virtual void SetFont(const LOGFONT* logFont) = 0;
  virtual void SetMargin(unsigned margin) = 0;
  virtual void SetGrid(CGridCtrl* grid) = 0;
  virtual void SetPosition(int row, int col) = 0;

  virtual QString GetText() const = 0;
  virtual QString GetTitleTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual std::intptr_t GetData() const = 0;
  virtual unsigned GetState() const { return m_state; }
  virtual unsigned GetFormat() const = 0;
  virtual COLORREF GetTextColour() const = 0;
  virtual COLORREF GetBackColour() const = 0;
  virtual const LOGFONT* GetFont() const = 0;
  // The Qt font to draw with; nullptr when there is none.
  virtual const QFont* GetCFont() const = 0;
  virtual CGridCtrl* GetGrid() const = 0;
  virtual QWidget* GetEditor() const = 0;
  virtual unsigned GetMargin() const = 0;
  // The grid's default cell for this cell's header position; nullptr without a grid.
  virtual CGridDefaultCell* GetDefaults() const;
  virtual bool UsesDefaultFont() const = 0;
  virtual bool IsEditing() const = 0;

  // These test the stored state, not GetState().
  bool IsFocused() const { return m_state & CellFocused; }
  bool IsHeader() const { return m_state & CellHeader; }
  bool IsHeaderColumn() const { return m_state & CellHeaderColumn; }
  bool IsHeaderRow() const { return m_state & CellHeaderRow; }
  bool IsSelected() const { return m_state & CellSelected; }
  bool IsReadOnly() const { return m_state & CellReadOnly; }
  bool IsModified() const { return m_state & CellModified; }
  bool IsDropTarget() const { return m_state & CellDropTarget; }

  // Copies every attribute of `source` (defaults resolved for format and margin).
  virtual void CopyFrom(const CGridCellBase& source);
  virtual void Reset() { m_state = 0; }

  // Paints the cell into `rect` (its last pixel column and row belong to the
  // grid lines). False, with nothing painted, for an empty rectangle, a missing
  // painter, or a cell without grid or default cell.
  virtual bool Draw(QPainter* dc, int row, int col, CRect rect, bool eraseBackground = true);
  virtual bool AdjustTextRect(CRect& rect) const;
  virtual bool AdjustTitleTipRect(CRect& rect) const { return AdjustTextRect(rect); }
  // The size `text` needs in this cell, margins included. Without a painter the
  // grid's window is measured against; without text or grid, the default size.
  virtual QSize MeasureText(const QString& text, QPainter* dc = nullptr) const;
  virtual QSize MeasureCell(QPainter* dc = nullptr) const;
  virtual bool BeginEdit(int row, int col, const CRect& rect, QPoint point, int controlId, int firstChar);
  virtual bool AcceptEditText(const QString&) { return true; }
  virtual void EndEdit() {}
  virtual bool Print(QPainter* dc, int row, int col, CRect rect);
  virtual void EditorClosed() {}
  virtual void MouseOver() {}
  virtual void Click(QPoint) {}
  virtual void ClickDown(QPoint) {}
  virtual void RightClick(QPoint) {}
  virtual void DoubleClick(QPoint) {}
  virtual bool SetCellCursor();

 protected:
  // Text colour to draw with: own, or the default cell's for CLR_DEFAULT.
  COLORREF ResolvedTextColour(const CGridDefaultCell& defaults) const;
  // The raised border of a header cell (light top-left, dark bottom-right),
  // then the rectangle shrinks by one pixel on each side.
  void DrawRaisedBorder(QPainter& dc, CRect& rect) const;
  // The text routine shared by Draw and Print.
  void DrawCellText(QPainter& dc, const CRect& rect) const;

  unsigned m_state = 0;
};

}  // namespace vorenx
