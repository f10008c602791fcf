// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: construction, counts and structure.
#include "grid/GridCtrl.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <algorithm>
#include <new>

#include "grid/TitleTip.h"

namespace vorenx {

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  // Drops are offered to the grid; without AllowDragAndDrop it refuses them.
  viewport()->setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(Qt::Vertical, action); });
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int action) { OnBarAction(Qt::Horizontal, action); });

  m_cachedWindowText = SysColour(COLOR_WINDOWTEXT);
  m_cachedWindow = SysColour(COLOR_WINDOW);
  m_cachedButtonFace = SysColour(COLOR_BTNFACE);
  m_cachedButtonShadow = SysColour(COLOR_BTNSHADOW);
  m_wheelLines = QApplication::wheelScrollLines();

  for (int i = 0; i < 4; ++i) {
    m_defaults[i] = std::make_unique<CGridDefaultCell>();
    m_defaults[i]->SetGrid(this);
    m_defaults[i]->SetTextColour(m_cachedWindowText);
    m_defaults[i]->SetBackColour(i == 0 ? m_cachedWindow : m_cachedButtonFace);
  }
  m_backgroundColour = m_cachedButtonShadow;
  m_virtualCell = std::make_unique<CGridCell>();
  m_reportMessage = [](const QString& text) {
    QMessageBox::warning(nullptr, QApplication::applicationName(), text);
  };
}

CGridCtrl::~CGridCtrl() {
  StopAutoScroll();
  m_destroying = true;
  // An open edit box would report its end to a grid half destroyed.
  CloseEditors();
  ClearAll();
}

// ---------------------------------------------------------------- counts

bool CGridCtrl::ResizeRows(int rows) {
  if (rows < 0) return false;
  if (rows == m_rows) return true;
  ResetTopLeft();
  if (rows < m_headerRows) m_headerRows = rows;
  if (m_focus.row >= rows) m_focus = CCellID{};

  if (rows < m_rows) {
    if (!m_virtualMode) {
      for (int r = rows; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
      m_cells.resize(static_cast<std::size_t>(rows));
    }
    m_rows = rows;
    m_rowHeights.Resize(rows, 0);
  } else {
    const unsigned height = static_cast<unsigned>(DefaultsFor(false, false)->GetHeight());
    try {
      if (m_virtualMode) {
        m_rowHeights.Resize(rows, height);
        m_rows = rows;
      } else {
        while (m_rows < rows) {
          GridRow row(static_cast<std::size_t>(m_cols));
          for (int c = 0; c < m_cols; ++c) row[static_cast<std::size_t>(c)] = CreateCell(m_rows, c);
          m_cells.push_back(std::move(row));
          m_rowHeights.Insert(m_rows, height);
          ++m_rows;
        }
      }
    } catch (const std::bad_alloc&) {
      // The rows made so far stay; counts and storage agree.
      m_rowHeights.Resize(m_rows, height);
      ReportMessage(tr("Out of memory."));
      UpdateScrollBars();
      return false;
    }
  }
  if (m_virtualMode) {
    m_rowOrder.resize(static_cast<std::size_t>(m_rows));
    for (int r = 0; r < m_rows; ++r) m_rowOrder[static_cast<std::size_t>(r)] = r;
  }
  MarkModified(-1, -1);
  UpdateScrollBars();
  Repaint();
  return true;
}

bool CGridCtrl::ResizeColumns(int cols) {
  if (cols < 0) return false;
  if (cols == m_cols) return true;
  ResetTopLeft();
  if (cols < m_headerCols) m_headerCols = cols;
  if (m_focus.col >= cols) m_focus = CCellID{};
  // A change of the column count undoes moved columns; do it first so that
  // the columns removed are the last ones stored.
  for (int c = 0; c < m_cols; ++c) m_columnOrder[static_cast<std::size_t>(c)] = c;

  if (cols < m_cols) {
    if (!m_virtualMode) {
      for (int r = 0; r < m_rows; ++r) {
        for (int c = cols; c < m_cols; ++c) DestroyCell(r, c);
        m_cells[static_cast<std::size_t>(r)].resize(static_cast<std::size_t>(cols));
      }
    }
    m_colWidths.Resize(cols, 0);
  } else {
    const unsigned width = static_cast<unsigned>(DefaultsFor(false, true)->GetWidth());
    try {
      if (!m_virtualMode) {
        for (int r = 0; r < m_rows; ++r) {
          GridRow& row = m_cells[static_cast<std::size_t>(r)];
          row.reserve(static_cast<std::size_t>(cols));
          while (static_cast<int>(row.size()) < cols) row.push_back(CreateCell(r, static_cast<int>(row.size())));
        }
      }
      m_colWidths.Resize(cols, width);
      m_columnOrder.reserve(static_cast<std::size_t>(cols));
    } catch (const std::bad_alloc&) {
      // Undo the partly grown rows: the count never exceeds the cells stored.
      for (GridRow& row : m_cells) row.resize(static_cast<std::size_t>(m_cols));
      m_colWidths.Resize(m_cols, width);
      ReportMessage(tr("Out of memory."));
      return false;
    }
  }
  m_columnOrder.resize(static_cast<std::size_t>(cols));
  for (int c = 0; c < cols; ++c) m_columnOrder[static_cast<std::size_t>(c)] = c;
  m_cols = cols;
  MarkModified(-1, -1);
  UpdateScrollBars();
  Repaint();
  return true;
}

void CGridCtrl::SetHeaderBits(int row, int col, bool header, unsigned bits) {
  CGridCellBase* cell = StoredCell(row, col);
  if (!cell) return;
  const unsigned state = cell->GetState();
  if (header) {
    cell->SetState(state | bits);
    cell->SetTextColour(CLR_DEFAULT);
    cell->SetBackColour(CLR_DEFAULT);
    return;
  }
  // Leaving a header row (or column): a cell that stays in a header column
  // (or row) keeps CellHeader and its colours.
  const unsigned other = bits == (CellHeader | CellHeaderRow) ? CellHeaderColumn : CellHeaderRow;
  if (state & other) {
    cell->SetState(state & ~(bits & ~CellHeader));
  } else {
    cell->SetState(state & ~bits);
    cell->SetTextColour(CLR_DEFAULT);
    cell->SetBackColour(CLR_DEFAULT);
  }
}

bool CGridCtrl::SetHeaderRows(int n) {
  if (n < 0) return false;
  if (n == m_headerRows) return true;
  ClearSelectionAndFocus();
  ResetTopLeft();
  if (m_rows < n && !ResizeRows(n)) return false;
  if (!m_virtualMode) {
    const bool grows = n > m_headerRows;
    for (int r = std::min(n, m_headerRows); r < std::max(n, m_headerRows); ++r)
      for (int c = 0; c < m_cols; ++c) SetHeaderBits(r, c, grows, CellHeader | CellHeaderRow);
  }
  m_headerRows = n;
  UpdateScrollBars();
  Repaint();
  return true;
}

bool CGridCtrl::SetHeaderColumns(int n) {
  if (n < 0) return false;
  if (n == m_headerCols) return true;
  ClearSelectionAndFocus();
  ResetTopLeft();
  if (m_cols < n && !ResizeColumns(n)) return false;
  if (!m_virtualMode) {
    const bool grows = n > m_headerCols;
    for (int r = 0; r < m_rows; ++r)
      for (int c = std::min(n, m_headerCols); c < std::max(n, m_headerCols); ++c)
        SetHeaderBits(r, c, grows, CellHeader | CellHeaderColumn);
  }
  m_headerCols = n;
  UpdateScrollBars();
  Repaint();
  return true;
}

int CGridCtrl::InsertRowAt(const QString& heading, int row) {
  if (row < m_headerRows || row < 0 || row >= m_rows) return -1;
  ResetTopLeft();
  ClearSelectionAndFocus();
  if (m_cols == 0 && !ResizeColumns(1)) return -1;

  try {
    if (!m_virtualMode) {
      GridRow cells(static_cast<std::size_t>(m_cols));
      for (int c = 0; c < m_cols; ++c) cells[static_cast<std::size_t>(StoredColumn(c))] = CreateCell(row, c);
      m_cells.insert(m_cells.begin() + row, std::move(cells));
    } else {
      m_rowOrder.push_back(m_rows);
      for (int r = 0; r <= m_rows; ++r) m_rowOrder[static_cast<std::size_t>(r)] = r;
    }
    m_rowHeights.Insert(row, 0);
  } catch (const std::bad_alloc&) {
    ReportMessage(tr("Out of memory."));
    return -1;
  }
  ++m_rows;

  CGridCellBase* first = m_virtualMode ? nullptr : StoredCell(row, 0);
  if (first) {
    first->SetText(heading);
    first->SetState(first->GetState() | CellModified);
    m_rowHeights.Set(row, static_cast<unsigned>(std::max(0, first->MeasureText(heading).height())));
  }
  UpdateScrollBars();
  MarkModified(-1, -1);
  return row;
}

bool CGridCtrl::ClearAll() {
  ClearSelectionAndFocus();
  m_rowHeights.Clear();
  m_colWidths.Clear();
  if (m_virtualMode) {
    m_rowOrder.clear();
  } else {
    for (int r = 0; r < m_rows; ++r)
      for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
    m_cells.clear();
  }
  m_columnOrder.clear();
  m_focus = CCellID{};
  m_rows = m_headerRows = m_cols = m_headerCols = 0;
  ResetTopLeft();
  if (!m_destroying) {
    UpdateScrollBars();
    MarkModified(-1, -1);
  }
  return true;
}

}  // namespace vorenx
