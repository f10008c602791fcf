// CGridCtrl: construction, counts and structure, cells and item access,
// focus and selection bookkeeping, colours, fonts and notifications.
#include "grid/GridCtrl.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <algorithm>
#include <new>

namespace vorenx {

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);

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
  m_destroying = true;
  ClearAll();
}

// ---------------------------------------------------------------- messages

long CGridCtrl::SendMessageToParent(int row, int col, int code) {
  if (!m_owner) return 0;
  GridNotification note;
  note.window = this;
  note.id = m_controlId;
  note.code = code;
  note.row = row;
  note.col = col;
  return m_owner->OnGridNotify(&note);
}

void CGridCtrl::SendCacheHint(const CCellRange& range) {
  if (!m_owner) return;
  GridCacheHint hint;
  hint.window = this;
  hint.id = m_controlId;
  hint.code = NotifyCacheHint;
  hint.range = range;
  m_owner->OnGridNotify(&hint);
}

void CGridCtrl::ReportMessage(const QString& text) const {
  if (m_reportMessage) m_reportMessage(text);
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

// ---------------------------------------------------------------- cells

CGridDefaultCell* CGridCtrl::DefaultsFor(bool headerRow, bool headerColumn) const {
  return m_defaults[(headerRow ? 2 : 0) + (headerColumn ? 1 : 0)].get();
}

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int row, int col) {
  std::unique_ptr<CGridCellBase> cell = m_cellFactory ? m_cellFactory(row, col) : std::make_unique<CGridCell>();
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetPosition(row, col);
  unsigned state = cell->GetState();
  if (col < m_headerCols) state |= CellHeader | CellHeaderColumn;
  if (row < m_headerRows) state |= CellHeader | CellHeaderRow;
  cell->SetState(state);
  if (const CGridDefaultCell* defaults = cell->GetDefaults()) cell->SetFormat(defaults->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  if (m_virtualMode || row < 0 || row >= m_rows || col < 0 || col >= m_cols) return;
  std::unique_ptr<CGridCellBase>& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(StoredColumn(col))];
  if (!slot) return;
  if (slot->IsSelected()) m_selection.erase(SelectionKey(row, col));
  slot->SetState(0);
  slot.reset();
}

CGridCellBase* CGridCtrl::StoredCell(int row, int col) const {
  if (m_virtualMode || !IsValid(row, col)) return nullptr;
  return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(StoredColumn(col))].get();
}

CGridCellBase* CGridCtrl::CellAt(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (m_virtualMode) return PrepareVirtualCell(row, col);
  CGridCellBase* cell = StoredCell(row, col);
  // A cell class may show something that follows from where it stands.
  if (cell) cell->SetPosition(row, col);
  return cell;
}

CGridCellBase* CGridCtrl::PrepareVirtualCell(int row, int col) const {
  const CGridDefaultCell* defaults = DefaultsFor(row < m_headerRows, col < m_headerCols);
  GridDispInfo disp;
  disp.window = const_cast<CGridCtrl*>(this);
  disp.id = m_controlId;
  disp.code = NotifyGetCellInfo;
  CellInfo& info = disp.item;
  info.row = row;
  info.col = col;
  info.mask = CellInfoMask::All;
  info.state = 0;
  info.format = defaults->GetFormat();
  info.image = defaults->GetImage();
  info.backColour = defaults->GetBackColour();
  info.textColour = defaults->GetTextColour();
  info.data = defaults->GetData();
  info.font = *defaults->GetFont();
  info.margin = defaults->GetMargin();
  if (m_selection.count(SelectionKey(row, col))) info.state |= CellSelected;
  if (row < m_headerRows) info.state |= CellHeader | CellHeaderRow;
  if (col < m_headerCols) info.state |= CellHeader | CellHeaderColumn;
  if (m_focus == CCellID{row, col}) info.state |= CellFocused;

  if (!m_destroying) {
    if (static_cast<std::size_t>(row) < m_rowOrder.size()) info.row = m_rowOrder[static_cast<std::size_t>(row)];
    info.col = StoredColumn(col);
    if (m_callback)
      m_callback(&disp, m_callbackWord);
    else if (m_owner)
      m_owner->OnGridNotify(&disp);
  }
  CGridCell* cell = m_virtualCell.get();
  cell->Reset();
  cell->SetState(info.state);
  cell->SetData(info.data);
  cell->SetImage(info.image);
  cell->SetFormat(info.format);
  cell->SetTextColour(info.textColour);
  cell->SetBackColour(info.backColour);
  cell->SetFont(&info.font);
  cell->SetMargin(info.margin);
  cell->SetText(info.text);
  cell->SetGrid(const_cast<CGridCtrl*>(this));
  info.row = row;
  info.col = col;
  return cell;
}

bool CGridCtrl::ApplyCellInfo(const CellInfo& info) {
  if (m_virtualMode) return false;
  CGridCellBase* cell = CellAt(info.row, info.col);
  if (!cell) return false;
  MarkModified(info.row, info.col);
  if (info.mask & CellInfoMask::Text) cell->SetText(info.text);
  if (info.mask & CellInfoMask::Data) cell->SetData(info.data);
  if (info.mask & CellInfoMask::Image) cell->SetImage(info.image);
  if (info.mask & CellInfoMask::State) ChangeCellState(info.row, info.col, info.state);
  if (info.mask & CellInfoMask::Format) cell->SetFormat(info.format);
  if (info.mask & CellInfoMask::BackColour) cell->SetBackColour(info.backColour);
  if (info.mask & CellInfoMask::TextColour) cell->SetTextColour(info.textColour);
  if (info.mask & CellInfoMask::Font) cell->SetFont(&info.font);
  if (info.mask & CellInfoMask::Margin) cell->SetMargin(info.margin);
  return true;
}

QString CGridCtrl::CellText(int row, int col) const {
  const CGridCellBase* cell = CellAt(row, col);
  return cell ? cell->GetText() : QString();
}

bool CGridCtrl::ChangeCellText(int row, int col, const QString& text) {
  if (m_virtualMode) return false;
  CGridCellBase* cell = CellAt(row, col);
  if (!cell) return false;
  cell->SetText(text);
  MarkModified(row, col);
  return true;
}

unsigned CGridCtrl::CellState(int row, int col) const {
  const CGridCellBase* cell = CellAt(row, col);
  return cell ? cell->GetState() : 0;
}

bool CGridCtrl::ChangeCellState(int row, int col, unsigned state) {
  if (!IsValid(row, col)) return false;
  const std::uint64_t key = SelectionKey(row, col);
  const bool wasSelected = m_virtualMode ? m_selection.count(key) != 0 : (CellState(row, col) & CellSelected) != 0;
  const bool selected = (state & CellSelected) != 0;
  if (selected && !wasSelected)
    m_selection[key] = CCellID{row, col};
  else if (!selected && wasSelected)
    m_selection.erase(key);
  CGridCellBase* cell = StoredCell(row, col);
  if (m_virtualMode || !cell) return false;
  cell->SetState(state);
  return true;
}

bool CGridCtrl::IsCellSelected(int row, int col) const {
  if (!m_allowSelection) return false;
  if (m_virtualMode) return m_selection.count(SelectionKey(row, col)) != 0;
  const CGridCellBase* cell = StoredCell(row, col);
  return cell && cell->IsSelected();
}

bool CGridCtrl::IsCellEditable(CCellID id) const {
  return m_editable && IsValid(id.row, id.col) && !(CellState(id.row, id.col) & CellReadOnly);
}

void CGridCtrl::MarkModified(int row, int col) {
  if ((col < 0 || col == m_sortColumn) && m_sortColumn >= 0) {
    const int old = m_sortColumn;
    m_sortColumn = -1;
    InvalidateCell(0, old);
  }
  if (CGridCellBase* cell = StoredCell(row, col)) cell->SetState(cell->GetState() | CellModified);
  m_modified = true;
}

// ---------------------------------------------------------------- focus and selection

CCellID CGridCtrl::MoveFocusTo(int row, int col) {
  const CCellID previous = m_focus;
  if (CGridCellBase* old = StoredCell(previous.row, previous.col)) old->SetState(old->GetState() & ~CellFocused);
  RedrawCell(previous.row, previous.col);
  m_focus = IsValid(row, col) ? CCellID{row, col} : CCellID{};
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->SetState(cell->GetState() | CellFocused);
  RedrawCell(m_focus.row, m_focus.col);
  return previous;
}

void CGridCtrl::ClearSelection() {
  for (const auto& [key, id] : m_selection) {
    if (CGridCellBase* cell = StoredCell(id.row, id.col)) cell->SetState(cell->GetState() & ~CellSelected);
    RedrawCell(id.row, id.col);
  }
  m_selection.clear();
}

void CGridCtrl::SelectRange(const CCellRange& range) {
  if (!m_allowSelection) return;
  SendMessageToParent(range.minRow, range.minCol, NotifySelectionChanging);
  ClearSelection();
  if (range.IsValid())
    for (int r = range.minRow; r <= std::min(range.maxRow, m_rows - 1); ++r)
      for (int c = range.minCol; c <= std::min(range.maxCol, m_cols - 1); ++c) {
        ChangeCellState(r, c, CellState(r, c) | CellSelected);
        RedrawCell(r, c);
      }
  SendMessageToParent(range.minRow, range.minCol, NotifySelectionChanged);
}

void CGridCtrl::ClearSelectionAndFocus() {
  ClearSelection();
  m_previousSelection.clear();
  if (CGridCellBase* cell = StoredCell(m_focus.row, m_focus.col)) cell->SetState(cell->GetState() & ~CellFocused);
  m_focus = CCellID{};
}

void CGridCtrl::AllowSelection(bool allow) {
  ClearSelectionAndFocus();
  m_allowSelection = allow;
  ClearSelectionAndFocus();
}

CCellRange CGridCtrl::SelectedCellRange() const {
  if (m_selection.empty()) return CCellRange{m_rows, m_cols, -1, -1};
  CCellRange range{m_rows, m_cols, -1, -1};
  for (const auto& [key, id] : m_selection) {
    range.minRow = std::min(range.minRow, id.row);
    range.minCol = std::min(range.minCol, id.col);
    range.maxRow = std::max(range.maxRow, id.row);
    range.maxCol = std::max(range.maxCol, id.col);
  }
  return range;
}

// ---------------------------------------------------------------- flags

void CGridCtrl::SetVirtualMode(bool on) {
  if (on == m_virtualMode) return;
  ClearAll();
  m_virtualMode = on;
}

void CGridCtrl::SetCallbackFunc(CellCallback callback, std::intptr_t userWord) {
  m_callback = std::move(callback);
  m_callbackWord = userWord;
}

void CGridCtrl::SetRedraw(bool allow, bool resetScrollBars) {
  m_allowDraw = allow;
  if (!allow) return;
  if (resetScrollBars) UpdateScrollBars();
  Repaint();
}

void CGridCtrl::SetGridLines(int lines) {
  m_gridLines = std::clamp(lines, GVL_NONE, GVL_BOTH);
  Repaint();
}

void CGridCtrl::SetSortColumn(int col) {
  m_sortColumn = IsValid(0, col) ? col : -1;
  Repaint();
}

void CGridCtrl::SetSortAscending(bool ascending) {
  m_sortAscending = ascending;
  Repaint();
}

bool CGridCtrl::SetColumnOrder(const std::vector<int>& order) {
  if (static_cast<int>(order.size()) != m_cols) return false;
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (int c = 0; c < m_cols; ++c)
    if (sorted[static_cast<std::size_t>(c)] != c) return false;
  m_columnOrder = order;
  ResetTopLeft();
  Repaint();
  return true;
}

// ---------------------------------------------------------------- colours and fonts

COLORREF CGridCtrl::SysColour(int index) const {
  QPalette::ColorRole role = QPalette::Window;
  switch (index) {
    case COLOR_WINDOW: role = QPalette::Base; break;
    case COLOR_WINDOWTEXT: role = QPalette::Text; break;
    case COLOR_HIGHLIGHT: role = QPalette::Highlight; break;
    case COLOR_HIGHLIGHTTEXT: role = QPalette::HighlightedText; break;
    case COLOR_BTNFACE: role = QPalette::Button; break;
    case COLOR_BTNSHADOW: role = QPalette::Dark; break;
    case COLOR_BTNHIGHLIGHT: role = QPalette::Light; break;
    case COLOR_3DDKSHADOW: role = QPalette::Shadow; break;
    case COLOR_INFOBK: role = QPalette::ToolTipBase; break;
    default: break;
  }
  return FromQColor(palette().color(QPalette::Active, role));
}

void CGridCtrl::OnSysColorChange() {
  const COLORREF text = SysColour(COLOR_WINDOWTEXT);
  const COLORREF window = SysColour(COLOR_WINDOW);
  const COLORREF face = SysColour(COLOR_BTNFACE);
  const COLORREF shadow = SysColour(COLOR_BTNSHADOW);
  for (const auto& cell : m_defaults) {
    if (cell->GetTextColour() == m_cachedWindowText) cell->SetTextColour(text);
    if (cell->GetBackColour() == m_cachedWindow)
      cell->SetBackColour(window);
    else if (cell->GetBackColour() == m_cachedButtonFace)
      cell->SetBackColour(face);
  }
  if (m_backgroundColour == m_cachedButtonShadow) m_backgroundColour = shadow;
  m_cachedWindowText = text;
  m_cachedWindow = window;
  m_cachedButtonFace = face;
  m_cachedButtonShadow = shadow;
  Repaint();
}

void CGridCtrl::SetGridFont(const QFont& font) {
  const LOGFONT logFont = LogFontFromQFont(font);
  for (const auto& cell : m_defaults) cell->SetFont(&logFont);
  Repaint();
}

QFont CGridCtrl::GridFont() const { return *DefaultsFor(false, false)->GetCFont(); }

void CGridCtrl::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  switch (event->type()) {
    case QEvent::FontChange: SetGridFont(font()); break;
    case QEvent::PaletteChange: OnSysColorChange(); break;
    default: break;
  }
}

}  // namespace vorenx
