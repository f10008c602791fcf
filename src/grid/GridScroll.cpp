// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: scroll bars, scrolling by every scroll request, the wheel and
// EnsureVisible. Scroll positions are pixels of the scrolling part.
#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "grid/GridCtrl.h"

namespace vorenx {

// ---------------------------------------------------------------- scroll bars

int CGridCtrl::BarExtent(Qt::Orientation o) const {
  return o == Qt::Vertical ? verticalScrollBar()->sizeHint().width() : horizontalScrollBar()->sizeHint().height();
}

QSize CGridCtrl::FullClientSize() const { return contentsRect().size(); }
int CGridCtrl::ClientWidth() const { return FullClientSize().width() - (m_vShown ? BarExtent(Qt::Vertical) : 0); }
int CGridCtrl::ClientHeight() const { return FullClientSize().height() - (m_hShown ? BarExtent(Qt::Horizontal) : 0); }

void CGridCtrl::ApplyScrollBar(Qt::Orientation o, bool shown, int range, int page) {
  QScrollBar* bar = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  bool& wasShown = o == Qt::Vertical ? m_vShown : m_hShown;
  (o == Qt::Vertical ? m_vRange : m_hRange) = range;
  (o == Qt::Vertical ? m_vPage : m_hPage) = page;
  if (shown != wasShown) {
    wasShown = shown;
    if (o == Qt::Vertical)
      setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    else
      setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  }
  // The bar's position is the pixel offset of the scrolling part; its
  // greatest value leaves one page of it in view.
  // Only what changed is set: every setter makes the bar redo its layout.
  if (bar->pageStep() != std::max(page, 1)) bar->setPageStep(std::max(page, 1));
  if (bar->singleStep() != std::max(page / 10, 1)) bar->setSingleStep(std::max(page / 10, 1));
  const int maximum = shown ? std::max(0, range + 1 - page) : 0;
  if (bar->minimum() != 0 || bar->maximum() != maximum) bar->setRange(0, maximum);
}

void CGridCtrl::UpdateScrollBars() {
  ResetTopLeft();
  if (!m_allowDraw || m_inScrollUpdate) return;
  const QSize full = FullClientSize();
  if (full.isEmpty()) return;
  m_inScrollUpdate = true;
  int availableWidth = full.width() - HeaderColumnsWidth();
  int availableHeight = full.height() - HeaderRowsHeight();
  if (availableWidth <= 0 || availableHeight <= 0) {
    ApplyScrollBar(Qt::Vertical, false, 0, 0);
    ApplyScrollBar(Qt::Horizontal, false, 0, 0);
    m_inScrollUpdate = false;
    return;
  }
  const int scrollHeight = TotalHeight() - HeaderRowsHeight();
  const int scrollWidth = TotalWidth() - HeaderColumnsWidth();
  if (scrollHeight > availableHeight) availableWidth -= BarExtent(Qt::Vertical);
  if (scrollWidth > availableWidth) availableHeight -= BarExtent(Qt::Horizontal);
  // The horizontal bar may have made the rows no longer fit.
  if (scrollHeight <= full.height() - HeaderRowsHeight() && scrollHeight > availableHeight)
    availableWidth -= BarExtent(Qt::Vertical);
  const bool showV = scrollHeight > availableHeight;
  const bool showH = scrollWidth > availableWidth;
  const int vRange = showV ? scrollHeight - 1 : 0;
  const int hRange = showH ? scrollWidth - 1 : 0;
  ApplyScrollBar(Qt::Vertical, showV, vRange, vRange >= 1 ? availableHeight : 0);
  ApplyScrollBar(Qt::Horizontal, showH, hRange, hRange >= 1 ? availableWidth : 0);
  m_inScrollUpdate = false;
  ResetTopLeft();
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (m_inResize || m_inScrollUpdate) return;
  m_inResize = true;
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->EndEdit();
  UpdateScrollBars();
  m_inResize = false;
}

void CGridCtrl::scrollContentsBy(int, int) {
  HideTitleTip();
  ResetTopLeft();
  if (m_allowDraw) viewport()->update();
}

GridAxis CGridCtrl::Axis(Qt::Orientation o) const {
  const CCellID topLeft = TopLeftCell();
  if (o == Qt::Vertical)
    return GridAxis{m_rows, m_headerRows, HeaderRowsHeight(), topLeft.row, [this](int r) { return RowHeight(r); }};
  return GridAxis{m_cols, m_headerCols, HeaderColumnsWidth(), topLeft.col, [this](int c) { return ColumnWidth(c); }};
}

int CGridCtrl::ScrollPos(Qt::Orientation o) const {
  return (o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar())->value();
}

int CGridCtrl::ScrollTargetFor(Qt::Orientation o, int code, int trackPos) const {
  const bool vertical = o == Qt::Vertical;
  const QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  const int page = vertical ? ClientHeight() - HeaderRowsHeight() : ClientWidth() - HeaderColumnsWidth();
  return ScrollTarget(Axis(o), code, bar->value(), bar->maximum(), page, trackPos);
}

// One scroll request along one axis: rows and heights for the vertical bar,
// columns and widths for the horizontal one.
void CGridCtrl::ScrollBy(Qt::Orientation o, int code, int trackPos) {
  if (code < SB_LINEUP || code > SB_BOTTOM) return;
  EndFocusEdit();
  QScrollBar* bar = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  const int pos = ScrollTargetFor(o, code, trackPos);
  if (pos != bar->value()) bar->setValue(pos);
  ResetTopLeft();
}

void CGridCtrl::OnVScroll(int code, int trackPos) { ScrollBy(Qt::Vertical, code, trackPos); }
void CGridCtrl::OnHScroll(int code, int trackPos) { ScrollBy(Qt::Horizontal, code, trackPos); }

// The bar's arrows, its trough and its ends step as the scroll requests do
// (a line is a row or a column); the bar has already moved its slider by its
// own step when this runs, so the slider is put where the request leads.
void CGridCtrl::OnBarAction(Qt::Orientation o, int action) {
  int code = -1;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    default: return;  // the thumb: its position is the scroll position
  }
  EndFocusEdit();
  QScrollBar* bar = o == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
  bar->setSliderPosition(ScrollTargetFor(o, code, 0));
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const bool horizontal = delta.y() == 0 && delta.x() != 0;
  const WheelScroll steps = WheelScrollFor(horizontal ? delta.x() : delta.y(), m_wheelLines);
  for (int i = 0; i < steps.count; ++i) {
    const int before = ScrollPos(horizontal ? Qt::Horizontal : Qt::Vertical);
    ScrollBy(horizontal ? Qt::Horizontal : Qt::Vertical, steps.code, 0);
    if (ScrollPos(horizontal ? Qt::Horizontal : Qt::Vertical) == before) break;  // at the end
  }
  event->accept();
}

// Where `steps` line scrolls along one axis lead, worked out at once instead
// of moving the bar step by step (a target far away in a long table is
// reached in one move).
int CGridCtrl::LineScrollsTarget(Qt::Orientation o, int code, int steps) const {
  const bool vertical = o == Qt::Vertical;
  const QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  const int page = vertical ? ClientHeight() - HeaderRowsHeight() : ClientWidth() - HeaderColumnsWidth();
  GridAxis axis = Axis(o);
  int pos = bar->value();
  for (int i = 0; i < steps; ++i) {
    const int next = ScrollTarget(axis, code, pos, bar->maximum(), page, 0);
    if (next == pos) break;
    pos = next;
    axis.first = FirstScrollingAt(o, pos);
  }
  return pos;
}

void CGridCtrl::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  QWidget* focused = QApplication::focusWidget();
  const CCellRange visible = VisibleCellRange();
  // One line scroll per shown column (row) between the visible ones and the target.
  const auto shownBetween = [](int from, int to, const auto& size) {
    int count = 0;
    for (int i = from; i <= to; ++i) count += size(i) > 0;
    return count;
  };
  const auto width = [this](int c) { return ColumnWidth(c); };
  const auto height = [this](int r) { return RowHeight(r); };
  if (col >= m_headerCols) {
    if (const int n = shownBetween(visible.maxCol + 1, col, width); n > 0)
      OnHScroll(SB_THUMBPOSITION, LineScrollsTarget(Qt::Horizontal, SB_LINERIGHT, n));
    if (const int n = shownBetween(col, visible.minCol - 1, width); n > 0)
      OnHScroll(SB_THUMBPOSITION, LineScrollsTarget(Qt::Horizontal, SB_LINELEFT, n));
  }
  if (row >= m_headerRows) {
    if (const int n = shownBetween(visible.maxRow + 1, row, height); n > 0)
      OnVScroll(SB_THUMBPOSITION, LineScrollsTarget(Qt::Vertical, SB_LINEDOWN, n));
    if (const int n = shownBetween(row, visible.minRow - 1, height); n > 0)
      OnVScroll(SB_THUMBPOSITION, LineScrollsTarget(Qt::Vertical, SB_LINEUP, n));
  }
  // A cell still cut off at the right or bottom edge: one more step while it helps.
  CRect rect;
  for (int guard = 0; guard < m_cols && m_hShown && CellRect(row, col, rect) && rect.right >= ClientWidth() &&
                      rect.left > HeaderColumnsWidth();
       ++guard) {
    const int before = horizontalScrollBar()->value();
    OnHScroll(SB_LINERIGHT);
    if (horizontalScrollBar()->value() == before) break;
  }
  for (int guard = 0; guard < m_rows && m_vShown && CellRect(row, col, rect) && rect.bottom >= ClientHeight() &&
                      rect.top > HeaderRowsHeight();
       ++guard) {
    const int before = verticalScrollBar()->value();
    OnVScroll(SB_LINEDOWN);
    if (verticalScrollBar()->value() == before) break;
  }
  if (focused) focused->setFocus();
}

}  // namespace vorenx
