// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: painting. A paint goes through an off-screen image of the dirty
// rectangle (CMemDCGrid) and reaches the viewport in one copy; the viewport is
// never erased by itself (it is opaque), so nothing flickers. Only the cells
// the dirty rectangle touches are asked to draw, in four passes (corner,
// header columns, header rows, scrolling cells), grid lines last. While the
// grid has the keyboard focus a frame in the highlight colour lies over the
// viewport's edge: the focus cell alone cannot show it, as a grid may have no
// focus cell (an owner may clear it as rows arrive) or have it scrolled out
// of view.
#include <QPaintEvent>
#include <QScrollBar>

#include "grid/GridCtrl.h"
#include "grid/GridMemDC.h"

namespace vorenx {

void CGridCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect clip = event->rect();
  if (m_doubleBuffer) {
    CMemDCGrid memory(painter, clip, ToQColor(m_backgroundColour));
    DrawGrid(memory.Painter(), clip);
    DrawFocusFrame(memory.Painter());
    DrawSizingLine(memory.Painter());
  } else {
    DrawGrid(painter, clip);
    DrawFocusFrame(painter);
    DrawSizingLine(painter);
  }
}

namespace {
constexpr int kFocusFrameWidth = 2;
}  // namespace

QRegion CGridCtrl::FocusFrameRegion() const {
  const QRect all = viewport()->rect();
  return QRegion(all).subtracted(
      QRegion(all.adjusted(kFocusFrameWidth, kFocusFrameWidth, -kFocusFrameWidth, -kFocusFrameWidth)));
}

// Every paint draws the whole frame; the painter's clip keeps it to the dirty
// rectangle, so a cell repainted at the edge does not wipe it.
void CGridCtrl::DrawFocusFrame(QPainter& dc) const {
  if (!m_allowDraw || !hasFocus()) return;
  const QColor colour = palette().color(QPalette::Highlight);
  for (const QRect& part : FocusFrameRegion()) dc.fillRect(part, colour);
}

void CGridCtrl::UpdateFocusFrame() {
  if (m_allowDraw) viewport()->update(FocusFrameRegion());
}

void CGridCtrl::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  UpdateFocusFrame();
}

void CGridCtrl::DrawGrid(QPainter& dc, const QRect& clip) {
  if (!m_allowDraw || clip.isEmpty()) return;
  FillBackground(dc, clip);
  const int headerHeight = HeaderRowsHeight();
  const int headerWidth = HeaderColumnsWidth();
  const CCellID topLeft = TopLeftCell();
  QPoint extent;
  const CCellRange visible = VisibleCellRange(&extent);
  if (m_virtualMode) SendCacheHint(visible);

  PaintCellPass(dc, clip, 0, m_headerRows - 1, 0, m_headerCols - 1, 0, 0);
  PaintCellPass(dc, clip, topLeft.row, visible.maxRow, 0, m_headerCols - 1, 0, headerHeight);
  PaintCellPass(dc, clip, 0, m_headerRows - 1, topLeft.col, visible.maxCol, headerWidth, 0);
  PaintCellPass(dc, clip, topLeft.row, visible.maxRow, topLeft.col, visible.maxCol, headerWidth, headerHeight);
  DrawGridLines(dc, visible, extent);

  dc.setPen(Qt::NoPen);
  if (m_virtualMode) SendCacheHint(CCellRange{});
}

void CGridCtrl::PaintCellPass(QPainter& dc, const QRect& clip, int row0, int row1, int col0, int col1, int x0,
                              int y0) {
  int top = y0;
  for (int row = row0; row <= row1; ++row) {
    const int height = RowHeight(row);
    if (height <= 0) continue;
    if (top > clip.bottom()) break;
    const int bottom = top + height - 1;
    if (bottom >= clip.top()) {
      int left = x0;
      for (int col = col0; col <= col1; ++col) {
        const int width = ColumnWidth(col);
        if (width <= 0) continue;
        if (left > clip.right()) break;
        const int right = left + width - 1;
        if (right >= clip.left()) {
          if (CGridCellBase* cell = CellAt(row, col)) {
            cell->SetPosition(row, col);
            cell->Draw(&dc, row, col, CRect{left, top, right, bottom}, false);
          }
        }
        left = right + 1;
      }
    }
    top = bottom + 1;
  }
}

void CGridCtrl::DrawGridLines(QPainter& dc, const CCellRange& visible, QPoint extent) {
  const int headerHeight = HeaderRowsHeight();
  const int headerWidth = HeaderColumnsWidth();
  // Over an empty range a line would run from its start back to one pixel
  // before it, which still paints that pixel.
  if (extent.x() <= headerWidth || extent.y() <= headerHeight) return;
  dc.setPen(QPen(ToQColor(m_gridLineColour), 0));
  if (m_gridLines & GVL_VERT) {
    int x = headerWidth;
    for (int col = visible.minCol; col >= 0 && col <= visible.maxCol; ++col) {
      const int width = ColumnWidth(col);
      if (width <= 0) continue;
      x += width;
      dc.drawLine(x - 1, headerHeight, x - 1, extent.y() - 1);
    }
  }
  if (m_gridLines & GVL_HORZ) {
    int y = headerHeight;
    for (int row = visible.minRow; row >= 0 && row <= visible.maxRow; ++row) {
      const int height = RowHeight(row);
      if (height <= 0) continue;
      y += height;
      dc.drawLine(headerWidth, y - 1, extent.x() - 1, y - 1);
    }
  }
}

// The line that follows a divider being dragged, inverting what lies under it.
void CGridCtrl::DrawSizingLine(QPainter& dc) const {
  if (m_sizingLine < 0) return;
  const QRect line = m_mouseMode == MouseSizingColumn ? QRect(m_sizingLine, 0, 2, viewport()->height())
                                                      : QRect(0, m_sizingLine, viewport()->width(), 2);
  dc.save();
  dc.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  dc.fillRect(line, Qt::white);
  dc.restore();
}

void CGridCtrl::FillBackground(QPainter& dc, const QRect& clip) {
  const int cl = clip.left();
  const int ct = clip.top();
  const int cr = clip.right() + 1;
  const int cb = clip.bottom() + 1;
  const int w = HeaderColumnsWidth();
  const int h = HeaderRowsHeight();
  QPoint extent;
  VisibleCellRange(&extent);
  const int r = extent.x();
  const int b = extent.y();
  const auto fill = [&dc](int left, int top, int right, int bottom, COLORREF colour) {
    if (right > left && bottom > top) dc.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
  };
  if (cl < w && ct < h) fill(cl, ct, w, h, DefaultsFor(true, true)->GetBackColour());
  if (cl < w && ct < b) fill(cl, std::max(ct, h), w, b, DefaultsFor(false, true)->GetBackColour());
  if (ct < h && w < cr && cl < r) fill(std::max(w - 1, cl), ct, r, h, DefaultsFor(true, false)->GetBackColour());
  fill(std::max(cl, w), std::max(ct, h), std::min(r, cr), std::min(b, cb), DefaultsFor(false, false)->GetBackColour());
  if (r < cr) fill(r, ct, cr, cb, m_backgroundColour);
  if (b < cb && cl < r) fill(cl, b, r, cb, m_backgroundColour);
}

void CGridCtrl::Repaint() {
  if (m_allowDraw) viewport()->update();
}

bool CGridCtrl::InvalidateCell(int row, int col) {
  CRect rect;
  if (!m_allowDraw || !IsValid(row, col) || !IsCellVisible(row, col) || !CellRect(row, col, rect)) return false;
  viewport()->update(QRect(QPoint(rect.left, rect.top), QPoint(rect.right + 1, rect.bottom + 1)));
  return true;
}

bool CGridCtrl::RedrawCell(int row, int col, QPainter* dc) {
  CRect rect;
  if (!m_allowDraw || !IsValid(row, col) || !IsCellVisible(row, col) || !CellRect(row, col, rect)) return false;
  if (!dc) {
    // A window is painted only from its paint event: the cell is painted there.
    viewport()->update(QRect(QPoint(rect.left, rect.top), QPoint(rect.right + 1, rect.bottom + 1)));
    return true;
  }
  CGridCellBase* cell = CellAt(row, col);
  if (!cell) return false;
  cell->SetPosition(row, col);
  cell->Draw(dc, row, col, rect, true);
  if (!cell->IsHeader()) {
    dc->save();
    dc->setPen(QPen(ToQColor(m_gridLineColour), 0));
    if (m_gridLines & GVL_HORZ) dc->drawLine(rect.left, rect.bottom, rect.right + 1, rect.bottom);
    if (m_gridLines & GVL_VERT) dc->drawLine(rect.right, rect.top, rect.right, rect.bottom + 1);
    dc->restore();
  }
  return true;
}

}  // namespace vorenx
