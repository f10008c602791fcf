// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridCellBase.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QStringList>
#include <algorithm>

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "grid/TextFormat.h"

namespace vorenx {

namespace {

bool IsPrinting(const QPainter& dc) {
  const int type = dc.device() ? dc.device()->devType() : 0;
  return type == QInternal::Printer;
}

void Line(QPainter& dc, int x0, int y0, int x1, int y1) { dc.drawLine(x0, y0, x1, y1); }

// A one-pixel frame on the outermost pixels of [left, right) x [top, bottom).
void FrameRect(QPainter& dc, const CRect& r, COLORREF colour) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  dc.setPen(QPen(ToQColor(colour), 0));
  dc.setBrush(Qt::NoBrush);
  dc.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

// The sunken edge: dark at the top and left, light at the bottom and right.
void DrawSunkenEdge(QPainter& dc, const CRect& r, COLORREF dark, COLORREF light) {
  dc.setPen(QPen(ToQColor(dark), 0));
  Line(dc, r.left, r.top, r.right - 1, r.top);
  Line(dc, r.left, r.top, r.left, r.bottom - 1);
  dc.setPen(QPen(ToQColor(light), 0));
  Line(dc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
}

// The sort arrow of row 0 of the sort column: s pixels wide, at (left, top).
void DrawSortArrow(QPainter& dc, bool ascending, int left, int top, int s, COLORREF shadow,
                   COLORREF highlight) {
  const QPoint up[3] = {{left, top + s}, {left + s / 2, top}, {left + s, top + s}};
  const QPoint down[3] = {{left, top}, {left + s / 2, top + s}, {left + s, top}};
  const QPoint* p = ascending ? up : down;
  const QPoint offset(1, 1);
  dc.setPen(QPen(ToQColor(highlight), 0));
  for (int i = 0; i < 3; ++i) dc.drawLine(p[i] + offset, p[(i + 1) % 3] + offset);
  dc.setPen(QPen(ToQColor(shadow), 0));
  for (int i = 0; i < 3; ++i) dc.drawLine(p[i], p[(i + 1) % 3]);
}

}  // namespace

CGridDefaultCell* CGridCellBase::GetDefaults() const {
  CGridCtrl* grid = GetGrid();
  return grid ? grid->DefaultsFor(IsHeaderRow(), IsHeaderColumn()) : nullptr;
}

void CGridCellBase::CopyFrom(const CGridCellBase& source) {
  if (&source == this) return;
  SetGrid(source.GetGrid());
  SetText(source.GetText());
  SetImage(source.GetImage());
  SetData(source.GetData());
  SetState(source.m_state);
  SetFormat(source.GetFormat());
  SetTextColour(source.GetTextColour());
  SetBackColour(source.GetBackColour());
  SetFont(source.UsesDefaultFont() ? nullptr : source.GetFont());
  SetMargin(source.GetMargin());
}

COLORREF CGridCellBase::ResolvedTextColour(const CGridDefaultCell& defaults) const {
  const COLORREF own = GetTextColour();
  return own == CLR_DEFAULT ? defaults.GetTextColour() : own;
}

void CGridCellBase::DrawRaisedBorder(QPainter& dc, CRect& rect) const {
  const CGridCtrl* grid = GetGrid();
  dc.setPen(QPen(ToQColor(grid->SysColour(COLOR_BTNHIGHLIGHT)), 0));
  Line(dc, rect.right, rect.top, rect.left, rect.top);
  Line(dc, rect.left, rect.top, rect.left, rect.bottom);
  dc.setPen(QPen(ToQColor(grid->SysColour(COLOR_3DDKSHADOW)), 0));
  Line(dc, rect.right, rect.top, rect.right, rect.bottom);
  Line(dc, rect.right, rect.bottom, rect.left, rect.bottom);
  rect.Deflate(1);
}

void CGridCellBase::DrawCellText(QPainter& dc, const CRect& rect) const {
  const unsigned format = GetFormat() | DT_NOPREFIX;
  if (!IsVerticalFont(GetFont())) {
    DrawFormattedText(dc, rect.ToQRect(), GetText(), format);
    return;
  }
  // Vertical text runs upwards from the bottom-left corner.
  dc.save();
  dc.translate(rect.left, rect.bottom);
  dc.rotate(-90);
  DrawFormattedText(dc, QRect(0, 0, rect.Height(), rect.Width()), GetText(), format);
  dc.restore();
}

bool CGridCellBase::Draw(QPainter* dc, int row, int col, CRect rect, bool eraseBackground) {
  CGridCtrl* grid = GetGrid();
  if (!grid || !dc || rect.Width() <= 0 || rect.Height() <= 0) return false;
  const CGridDefaultCell* defaults = GetDefaults();
  if (!defaults) return false;
  dc->save();
  dc->setBackgroundMode(Qt::TransparentMode);

  COLORREF textColour = ResolvedTextColour(*defaults);
  COLORREF backColour = GetBackColour();
  if (backColour == CLR_DEFAULT)
    backColour = defaults->GetBackColour();
  else
    eraseBackground = true;

  const bool selected = (GetState() & CellSelected) != 0;
  CRect widened = rect;
  widened.WidenRightBottom(1);
  if (IsFocused() || IsDropTarget()) {
    if (selected) {
      backColour = grid->SysColour(COLOR_HIGHLIGHT);
      textColour = grid->SysColour(COLOR_HIGHLIGHTTEXT);
      eraseBackground = true;
    }
    rect = widened;
    if (eraseBackground && backColour != CLR_DEFAULT) dc->fillRect(rect.ToQRect(), ToQColor(backColour));
    const bool lines = grid->GridLines() != GVL_NONE;
    if (lines) rect.WidenRightBottom(-1);
    if (grid->FrameFocusCell()) FrameRect(*dc, rect, textColour);
    if (!lines) rect.WidenRightBottom(-1);
  } else if (selected) {
    dc->fillRect(widened.ToQRect(), ToQColor(grid->SysColour(COLOR_HIGHLIGHT)));
    textColour = grid->SysColour(COLOR_HIGHLIGHTTEXT);
  } else if (eraseBackground && backColour != CLR_DEFAULT) {
    dc->fillRect(widened.ToQRect(), ToQColor(backColour));
  }
  dc->setPen(QPen(ToQColor(textColour), 0));

  if (IsHeader() && grid->GridLines() != GVL_NONE) {
    const CCellID focus = grid->FocusCell();
    if (grid->TrackFocusHeaders() && focus.IsValid() && (focus.row == row || focus.col == col)) {
      CRect edge = rect;
      edge.WidenRightBottom(1);
      DrawSunkenEdge(*dc, edge, grid->SysColour(COLOR_3DDKSHADOW), grid->SysColour(COLOR_BTNHIGHLIGHT));
      rect.Deflate(1);
    } else {
      DrawRaisedBorder(*dc, rect);
    }
    dc->setPen(QPen(ToQColor(textColour), 0));
  }

  if (!IsPrinting(*dc))
    if (const QFont* font = GetCFont()) dc->setFont(*font);

  rect.Deflate(static_cast<int>(GetMargin()));
  rect.WidenRightBottom(1);

  if (const CImageList* images = grid->ImageList(); images && GetImage() >= 0 && images->Knows(GetImage())) {
    const QSize size = images->ImageSize();
    if (rect.left + size.width() <= rect.right && rect.top + size.height() <= rect.bottom)
      images->Draw(*dc, GetImage(), QPoint(rect.left, rect.top));
  }

  if (row == 0 && col == grid->SortColumn()) {
    const QFontMetrics metrics(dc->font(), dc->device());
    int s = metrics.height() - 4;
    if (s >= rect.Height()) s = rect.Height() - 4;
    const bool vertical = IsVerticalFont(GetFont());
    if (s > 0 && rect.left + s < rect.right) {
      const int top = rect.bottom - s - 2;
      const int left = vertical ? (rect.right + rect.left - s) / 2 : rect.right - s;
      DrawSortArrow(*dc, grid->SortAscending(), left, top, s, grid->SysColour(COLOR_BTNSHADOW),
                    grid->SysColour(COLOR_BTNHIGHLIGHT));
      dc->setPen(QPen(ToQColor(textColour), 0));
      if (!vertical) rect.right -= s;
    }
  }

  AdjustTextRect(rect);
  rect.WidenRightBottom(1);
  DrawCellText(*dc, rect);
  dc->restore();
  return true;
}

bool CGridCellBase::AdjustTextRect(CRect& rect) const {
  const CGridCtrl* grid = GetGrid();
  const CImageList* images = grid ? grid->ImageList() : nullptr;
  if (images && images->Knows(GetImage()))
    rect.left += images->ImageSize().width() + 1 + static_cast<int>(GetMargin());
  return true;
}

QSize CGridCellBase::MeasureText(const QString& text, QPainter* dc) const {
  const CGridDefaultCell* defaults = GetDefaults();
  const CGridCtrl* grid = GetGrid();
  QPaintDevice* device = dc ? dc->device() : nullptr;
  if (!device && !text.isEmpty() && grid) device = grid->viewport();
  if (!device || text.isEmpty())
    return defaults ? QSize(defaults->GetWidth(), defaults->GetHeight()) : QSize(0, 0);

  const QFont* own = GetCFont();
  const QFont font = own ? *own : (dc ? dc->font() : grid->font());
  const QFontMetrics metrics(font, device);
  const unsigned format = GetFormat();
  QSize size;
  if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
    size = QSize(metrics.horizontalAdvance(text), metrics.height());
  } else {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
      widest = std::max(widest, metrics.horizontalAdvance(line));
    // The lines' layout gives the height; the widest line is the width.
    const int height = MeasureFormattedText(metrics, QRect(0, 0, widest + 1, 0), text, format | DT_CALCRECT).height();
    size = QSize(widest, height);
  }
  const int margin = static_cast<int>(GetMargin());
  size += QSize(2 * margin, 2 * margin);
  if (IsVerticalFont(GetFont())) return QSize(size.height(), size.width() + 4 * margin);
  return size;
}

QSize CGridCellBase::MeasureCell(QPainter* dc) const {
  QSize size = MeasureText(GetText(), dc);
  const CGridCtrl* grid = GetGrid();
  const CImageList* images = grid ? grid->ImageList() : nullptr;
  const int margin = static_cast<int>(GetMargin());
  int imageWidth = 0;
  int imageHeight = 0;
  if (GetImage() >= 0 && images && images->Knows(GetImage())) {
    imageWidth = images->ImageSize().width() + (size.width() > 2 * margin ? margin : 0);
    imageHeight = images->ImageSize().height() + 2 * margin;
  }
  size.setWidth(size.width() + imageWidth + 1);
  size.setHeight(std::max(size.height(), imageHeight) + 1);
  if (IsHeader()) size += QSize(1, 1);
  return size;
}

bool CGridCellBase::BeginEdit(int, int, const CRect&, QPoint, int, int) { return false; }

bool CGridCellBase::Print(QPainter* dc, int, int, CRect rect) {
  CGridCtrl* grid = GetGrid();
  if (!grid || !dc || rect.Width() <= 0 || rect.Height() <= 0) return false;
  const CGridDefaultCell* defaults = GetDefaults();
  if (grid->PrintColours() && !defaults) return false;
  dc->save();
  dc->setBackgroundMode(Qt::TransparentMode);

  COLORREF textColour = 0;
  if (grid->PrintColours()) {
    const COLORREF own = GetBackColour();
    COLORREF fill = CLR_DEFAULT;
    if (IsHeader())
      fill = own == CLR_DEFAULT ? defaults->GetBackColour() : own;
    else if (own != CLR_DEFAULT && own != defaults->GetBackColour())
      fill = own;
    textColour = ResolvedTextColour(*defaults);
    if (dc->device() && dc->device()->colorCount() == 2 && fill == CLR_DEFAULT) {
      textColour = MakeColourRef(static_cast<int>(RedOf(textColour) * 0.3),
                                 static_cast<int>(GreenOf(textColour) * 0.59),
                                 static_cast<int>(BlueOf(textColour) * 0.11));
    }
    if (fill != CLR_DEFAULT) {
      CRect widened = rect;
      widened.WidenRightBottom(1);
      dc->fillRect(widened.ToQRect(), ToQColor(fill));
    }
  }
  dc->setPen(QPen(ToQColor(textColour), 0));
  if (const QFont* font = GetCFont()) dc->setFont(*font);

  if (grid->GridLines() != GVL_NONE && IsHeader()) {
    DrawRaisedBorder(*dc, rect);
    dc->setPen(QPen(ToQColor(textColour), 0));
  }
  const int margin = static_cast<int>(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  if (const CImageList* images = grid->ImageList(); images && images->Knows(GetImage())) {
    images->Draw(*dc, GetImage(), QPoint(rect.left, rect.top));
    rect.left += images->ImageSize().width() + margin;
  }
  DrawCellText(*dc, rect);
  dc->restore();
  return true;
}

bool CGridCellBase::SetCellCursor() {
  if (CGridCtrl* grid = GetGrid()) grid->viewport()->setCursor(Qt::ArrowCursor);
  return true;
}

}  // namespace vorenx
