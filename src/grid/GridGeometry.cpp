// CGridCtrl: sizes, cell geometry, scroll bars and scrolling.
#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "grid/GridCtrl.h"

namespace vorenx {

int CGridCtrl::RowHeight(int row) const {
  return row >= 0 && row < m_rows ? static_cast<int>(m_rowHeights.At(row)) : -1;
}

int CGridCtrl::ColumnWidth(int col) const {
  return col >= 0 && col < m_cols ? static_cast<int>(m_colWidths.At(StoredColumn(col))) : -1;
}

bool CGridCtrl::ChangeRowHeight(int row, int height) {
  if (row < 0 || row >= m_rows || height < 0) return false;
  m_rowHeights.Set(row, static_cast<unsigned>(height));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

bool CGridCtrl::ChangeColumnWidth(int col, int width) {
  if (col < 0 || col >= m_cols || width < 0) return false;
  m_colWidths.Set(StoredColumn(col), static_cast<unsigned>(width));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

int CGridCtrl::HeaderRowsHeight() const { return static_cast<int>(m_rowHeights.SumOfFirst(m_headerRows)); }

int CGridCtrl::HeaderColumnsWidth() const {
  int width = 0;
  for (int c = 0; c < m_headerCols; ++c) width += ColumnWidth(c);
  return width;
}

bool CGridCtrl::AutoSizeColumn(int col, unsigned scope, bool updateScroll) {
  if (col < 0 || col >= m_cols || ColumnWidth(col) == 0) return false;
  if (scope == 0) scope = m_autoSizeScope;
  const int first = (scope & 0x1) ? 0 : m_headerRows;
  const int last = (scope & 0x2) ? m_rows - 1 : m_headerRows - 1;
  if (m_virtualMode) SendCacheHint(CCellRange{first, col, last, col});
  int width = -1;
  for (int r = first; r <= last; ++r)
    if (const CGridCellBase* cell = CellAt(r, col)) width = std::max(width, cell->MeasureCell().width());
  if (m_virtualMode) SendCacheHint(CCellRange{});
  // Nothing measured: the width stays (a width of 0 would hide the column).
  if (width >= 0) m_colWidths.Set(StoredColumn(col), static_cast<unsigned>(width));
  ResetTopLeft();
  if (updateScroll) UpdateScrollBars();
  return true;
}

bool CGridCtrl::AutoSizeRow(int row) {
  if (row < 0 || row >= m_rows || RowHeight(row) == 0) return false;
  if (m_virtualMode) SendCacheHint(CCellRange{row, 0, row, m_cols - 1});
  int height = -1;
  for (int c = 0; c < m_cols; ++c)
    if (const CGridCellBase* cell = CellAt(row, c)) height = std::max(height, cell->MeasureCell().height());
  if (m_virtualMode) SendCacheHint(CCellRange{});
  if (height >= 0) m_rowHeights.Set(row, static_cast<unsigned>(height));
  ResetTopLeft();
  UpdateScrollBars();
  return true;
}

void CGridCtrl::AutoSizeColumns() {
  for (int c = 0; c < m_cols; ++c)
    if (ColumnWidth(c) > 0) AutoSizeColumn(c, 0, false);
  UpdateScrollBars();
}

// ---------------------------------------------------------------- geometry

CCellID CGridCtrl::TopLeftCell() const {
  if (m_topLeftCached) return m_topLeft;
  const int hpos = horizontalScrollBar()->value();
  const int vpos = verticalScrollBar()->value();
  int col = m_headerCols;
  for (int x = 0; x < hpos && col < m_cols - 1; ++col) x += ColumnWidth(col);
  int row = m_headerRows;
  for (int y = 0; y < vpos && row < m_rows - 1; ++row) y += RowHeight(row);
  m_topLeft = CCellID{row, col};
  m_topLeftCached = true;
  return m_topLeft;
}

bool CGridCtrl::CellOrigin(int row, int col, QPoint& point) const {
  if (!IsValid(row, col)) return false;
  const CCellID topLeft = TopLeftCell();
  if (col >= m_headerCols && col < topLeft.col) return false;
  if (row >= m_headerRows && row < topLeft.row) return false;
  int x = 0;
  if (col < m_headerCols) {
    for (int c = 0; c < col; ++c) x += ColumnWidth(c);
  } else {
    x = HeaderColumnsWidth();
    for (int c = topLeft.col; c < col; ++c) x += ColumnWidth(c);
  }
  int y = 0;
  if (row < m_headerRows) {
    y = static_cast<int>(m_rowHeights.SumOfFirst(row));
  } else {
    y = HeaderRowsHeight();
    for (int r = topLeft.row; r < row; ++r) y += RowHeight(r);
  }
  point = QPoint(x, y);
  return true;
}

bool CGridCtrl::CellRect(int row, int col, CRect& rect) const {
  QPoint origin;
  if (!CellOrigin(row, col, origin)) return false;
  rect.left = origin.x();
  rect.top = origin.y();
  rect.right = rect.left + ColumnWidth(col) - 1;
  rect.bottom = rect.top + RowHeight(row) - 1;
  return true;
}

bool CGridCtrl::IsCellVisible(int row, int col) const {
  QPoint origin;
  if (!CellOrigin(row, col, origin)) return false;
  return origin.x() < ClientWidth() && origin.y() < ClientHeight();
}

CCellRange CGridCtrl::VisibleCellRange(QPoint* extent) const {
  const CCellID topLeft = TopLeftCell();
  const int clientRight = ClientWidth();
  const int clientBottom = ClientHeight();
  int bottom = HeaderRowsHeight();
  int row = topLeft.row;
  for (; row < m_rows; ++row) {
    bottom += RowHeight(row);
    if (bottom >= clientBottom) {
      bottom = clientBottom;
      break;
    }
  }
  int right = HeaderColumnsWidth();
  int col = topLeft.col;
  for (; col < m_cols; ++col) {
    right += ColumnWidth(col);
    if (right >= clientRight) {
      right = clientRight;
      break;
    }
  }
  if (extent) *extent = QPoint(right, bottom);
  return CCellRange{topLeft.row, topLeft.col, std::min(row, m_rows - 1), std::min(col, m_cols - 1)};
}

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
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(std::max(page / 10, 1));
  bar->setRange(0, shown ? std::max(0, range + 1 - page) : 0);
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
  ResetTopLeft();
  if (m_allowDraw) viewport()->update();
}

// One scroll request along one axis; rows and heights for the vertical bar,
// columns and widths for the horizontal one.
void CGridCtrl::ScrollBy(Qt::Orientation o, int code, int trackPos) {
  const bool vertical = o == Qt::Vertical;
  QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  const int headerCount = vertical ? m_headerRows : m_headerCols;
  const int count = vertical ? m_rows : m_cols;
  const auto size = [&](int i) { return vertical ? RowHeight(i) : ColumnWidth(i); };
  const int page = vertical ? ClientHeight() - HeaderRowsHeight() : ClientWidth() - HeaderColumnsWidth();
  const CCellID topLeft = TopLeftCell();
  const int first = vertical ? topLeft.row : topLeft.col;
  int pos = bar->value();
  const int max = bar->maximum();
  switch (code) {
    case SB_LINEUP:
      if (pos >= 1 && first > headerCount) {
        int previous = first - 1;
        while (previous > headerCount && size(previous) == 0) --previous;
        pos = std::max(pos - size(previous), 0);
      }
      break;
    case SB_LINEDOWN:
      if (pos < max) {
        int next = first;
        while (next < count - 1 && size(next) == 0) ++next;
        if (next < count) pos += size(next);
      }
      break;
    case SB_PAGEUP:
      if (pos >= 1) pos = std::max(pos - page, 0);
      break;
    case SB_PAGEDOWN:
      if (pos < max) pos = std::min(max, pos + page);
      break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = max; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = trackPos; break;
    default: return;
  }
  bar->setValue(std::clamp(pos, 0, max));
  ResetTopLeft();
}

void CGridCtrl::OnVScroll(int code, int trackPos) { ScrollBy(Qt::Vertical, code, trackPos); }
void CGridCtrl::OnHScroll(int code, int trackPos) { ScrollBy(Qt::Horizontal, code, trackPos); }

void CGridCtrl::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  QWidget* focused = QApplication::focusWidget();
  const CCellRange visible = VisibleCellRange();
  // One line scroll per shown column (row) between the visible ones and the target.
  if (col >= m_headerCols) {
    for (int c = visible.maxCol + 1; c <= col; ++c)
      if (ColumnWidth(c) > 0) OnHScroll(SB_LINERIGHT);
    for (int c = col; c < visible.minCol; ++c)
      if (ColumnWidth(c) > 0) OnHScroll(SB_LINELEFT);
  }
  if (row >= m_headerRows) {
    for (int r = visible.maxRow + 1; r <= row; ++r)
      if (RowHeight(r) > 0) OnVScroll(SB_LINEDOWN);
    for (int r = row; r < visible.minRow; ++r)
      if (RowHeight(r) > 0) OnVScroll(SB_LINEUP);
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
