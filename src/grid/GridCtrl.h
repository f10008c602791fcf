#pragma once
// CGridCtrl: a table of cells on a scroll area, with non-scrolling header rows
// at the top and header columns at the left. This header covers the structure
// (counts, sizes, column order, cell storage, default cells, cell factory),
// item access, geometry, scroll bars, notifications, fonts and system colours,
// the painting of the viewport, and the comma-separated export.
//
// The grid has no locks: every operation, its painting and its event handling
// run on the window's thread.

#include <QAbstractScrollArea>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>
#include <deque>

#include "grid/GridCell.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridImageList.h"
#include "grid/GridSizes.h"
#include "grid/GridTypes.h"

namespace vorenx {

// Grid line choices.
inline constexpr int GVL_NONE = 0;
inline constexpr int GVL_HORZ = 1;
inline constexpr int GVL_VERT = 2;
inline constexpr int GVL_BOTH = 3;

// Scroll requests, as the scroll bars' own codes.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

class CGridCtrl : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Makes the cells of the grid; the grid tells each one its grid, position,
  // header bits and default format. Stands for the cell class of the design.
  using CellFactory = std::function<std::unique_ptr<CGridCellBase>(int row, int col)>;
  // Fills a cell's record in VirtualMode instead of the owner.
  using CellCallback = std::function<bool(GridDispInfo* info, std::intptr_t userWord)>;
  // Shows a failure message to the user (a message box by default).
  using MessageReporter = std::function<void(const QString& text)>;

  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // --- owner, notifications, messages ---
  void SetOwner(GridOwner* owner) { m_owner = owner; }
  GridOwner* Owner() const { return m_owner; }
  void SetDlgCtrlID(int id) { m_controlId = id; }
  int DlgCtrlID() const { return m_controlId; }
  // Sends `code` for (row, col) to the owner; 0 without an owner.
  long SendMessageToParent(int row, int col, int code);
  void SetMessageReporter(MessageReporter reporter) { m_reportMessage = std::move(reporter); }
  void ReportMessage(const QString& text) const;

  // --- counts ---
  int RowCount() const { return m_rows; }
  int ColumnCount() const { return m_cols; }
  int HeaderRows() const { return m_headerRows; }
  int HeaderColumns() const { return m_headerCols; }
  bool ResizeRows(int rows);
  bool ResizeColumns(int cols);
  bool SetHeaderRows(int n);
  bool SetHeaderColumns(int n);
  // Inserts a row before `row` (not a header row) with `heading` in column 0;
  // returns the row or -1.
  int InsertRowAt(const QString& heading, int row);
  bool ClearAll();
  bool IsValid(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

  // --- cells ---
  CGridCellBase* CellAt(int row, int col) const;
  bool ApplyCellInfo(const CellInfo& info);
  QString CellText(int row, int col) const;
  bool ChangeCellText(int row, int col, const QString& text);
  unsigned CellState(int row, int col) const;
  bool ChangeCellState(int row, int col, unsigned state);
  bool IsCellSelected(int row, int col) const;
  bool IsCellEditable(CCellID cell) const;
  void MarkModified(int row, int col);
  bool IsModified() const { return m_modified; }
  void SetModified(bool modified) { m_modified = modified; }
  CGridDefaultCell* DefaultsFor(bool headerRow, bool headerColumn) const;
  void SetCellFactory(CellFactory factory) { m_cellFactory = std::move(factory); }
  virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);
  // Takes the cell out of the selection, clears its state and deletes it.
  virtual void DestroyCell(int row, int col);

  // --- sizes ---
  int RowHeight(int row) const;
  int ColumnWidth(int col) const;
  bool ChangeRowHeight(int row, int height);
  bool ChangeColumnWidth(int col, int width);
  int HeaderRowsHeight() const;
  int HeaderColumnsWidth() const;
  int TotalHeight() const { return static_cast<int>(m_rowHeights.Total()); }
  int TotalWidth() const { return static_cast<int>(m_colWidths.Total()); }
  bool AutoSizeColumn(int col, unsigned scope = 0, bool updateScroll = true);
  bool AutoSizeRow(int row);
  void AutoSizeColumns();
  // The column order: display column -> storage column.
  const std::vector<int>& ColumnOrder() const { return m_columnOrder; }
  bool SetColumnOrder(const std::vector<int>& order);

  // --- geometry and scrolling ---
  CCellID TopLeftCell() const;
  bool CellOrigin(int row, int col, QPoint& point) const;
  bool CellRect(int row, int col, CRect& rect) const;
  bool IsCellVisible(int row, int col) const;
  // The visible cells; `extent` gets the right and bottom of the pixels they cover.
  CCellRange VisibleCellRange(QPoint* extent = nullptr) const;
  CCellRange SelectedCellRange() const;
  void UpdateScrollBars();
  void EnsureVisible(int row, int col);
  // The scroll range as the design states it: 0 .. scrolling size - 1 while
  // the bar is shown, else 0; the page is the room the scrolling part has.
  int ScrollRangeMax(Qt::Orientation o) const { return o == Qt::Vertical ? m_vRange : m_hRange; }
  int ScrollPage(Qt::Orientation o) const { return o == Qt::Vertical ? m_vPage : m_hPage; }
  bool IsScrollBarShown(Qt::Orientation o) const { return o == Qt::Vertical ? m_vShown : m_hShown; }
  void OnVScroll(int code, int trackPos = 0);
  void OnHScroll(int code, int trackPos = 0);

  // --- focus and selection (the bookkeeping; the mouse and keys drive it elsewhere) ---
  CCellID FocusCell() const { return m_focus; }
  CCellID MoveFocusTo(int row, int col);
  void ClearSelection();
  void SelectRange(const CCellRange& range);
  void AllowSelection(bool allow);
  bool IsSelectionAllowed() const { return m_allowSelection; }

  // --- behaviour flags ---
  bool VirtualMode() const { return m_virtualMode; }
  void SetVirtualMode(bool on);
  void SetCallbackFunc(CellCallback callback, std::intptr_t userWord);
  void AllowEditing(bool allow) { m_editable = allow; }
  bool IsEditable() const { return m_editable; }
  void AllowRowResize(bool allow) { m_allowRowResize = allow; }
  void AllowColumnResize(bool allow) { m_allowColumnResize = allow; }
  bool IsRowResizeAllowed() const { return m_allowRowResize; }
  bool IsColumnResizeAllowed() const { return m_allowColumnResize; }
  void SetRedraw(bool allow, bool resetScrollBars = false);
  bool IsDrawingAllowed() const { return m_allowDraw; }
  int GridLines() const { return m_gridLines; }
  void SetGridLines(int lines);
  bool FrameFocusCell() const { return m_frameFocus; }
  void SetFrameFocusCell(bool on) { m_frameFocus = on; }
  bool TrackFocusHeaders() const { return m_trackFocusHeaders; }
  void SetTrackFocusHeaders(bool on) { m_trackFocusHeaders = on; }
  bool PrintColours() const { return m_printColours; }
  void SetPrintColours(bool on) { m_printColours = on; }
  int SortColumn() const { return m_sortColumn; }
  bool SortAscending() const { return m_sortAscending; }
  void SetSortColumn(int col);
  void SetSortAscending(bool ascending);
  unsigned AutoSizeScope() const { return m_autoSizeScope; }
  void SetAutoSizeScope(unsigned scope) { m_autoSizeScope = scope; }
  CImageList* ImageList() const { return m_imageList; }
  void SetImageList(CImageList* list) { m_imageList = list; }
  int WheelScrollLines() const { return m_wheelLines; }

  // --- colours and fonts ---
  // A system colour by index, from the grid's palette.
  COLORREF SysColour(int index) const;
  COLORREF BackgroundColour() const { return m_backgroundColour; }
  void SetBackgroundColour(COLORREF colour) { m_backgroundColour = colour; }
  COLORREF GridLineColour() const { return m_gridLineColour; }
  void SetGridLineColour(COLORREF colour) { m_gridLineColour = colour; }
  // Gives the font to all four default cells and repaints.
  void SetGridFont(const QFont& font);
  // The normal default cell's font.
  QFont GridFont() const;
  void OnSysColorChange();

  // --- painting ---
  void Repaint();
  bool InvalidateCell(int row, int col);
  // Repaints one cell soon (Qt paints only from a paint event).
  bool RedrawCell(int row, int col);
  // Paints everything that `clip` touches; the viewport's paint handler calls it.
  virtual void DrawGrid(QPainter& dc, const QRect& clip);
  void FillBackground(QPainter& dc, const QRect& clip);

  // --- export ---
  // Writes the table as comma-separated text (see docs/readings-csv.md).
  bool SaveToFile(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  using GridRow = std::vector<std::unique_ptr<CGridCellBase>>;

  int StoredColumn(int col) const { return m_columnOrder[static_cast<std::size_t>(col)]; }
  CGridCellBase* StoredCell(int row, int col) const;
  std::unique_ptr<CGridCellBase> NewCell(int row, int col);
  void ResetTopLeft() const { m_topLeftCached = false; }
  static std::uint64_t SelectionKey(int row, int col) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32) | static_cast<std::uint32_t>(row);
  }
  int BarExtent(Qt::Orientation o) const;
  void SetHeaderBits(int row, int col, bool header, unsigned bits);
  void ClearSelectionAndFocus();
  void SendCacheHint(const CCellRange& range);
  QSize FullClientSize() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void ApplyScrollBar(Qt::Orientation o, bool shown, int range, int page);
  void ScrollBy(Qt::Orientation o, int code, int trackPos);
  void PaintCellPass(QPainter& dc, const QRect& clip, int row0, int row1, int col0, int col1, int x0,
                     int y0);
  void DrawGridLines(QPainter& dc, const CCellRange& visible, QPoint extent);
  CGridCellBase* PrepareVirtualCell(int row, int col) const;

  // Owner and messages.
  GridOwner* m_owner = nullptr;
  int m_controlId = 0;
  MessageReporter m_reportMessage;

  // Colours.
  COLORREF m_backgroundColour = 0;
  COLORREF m_gridLineColour = MakeColourRef(0xC0, 0xC0, 0xC0);
  COLORREF m_cachedWindowText = 0;
  COLORREF m_cachedWindow = 0;
  COLORREF m_cachedButtonFace = 0;
  COLORREF m_cachedButtonShadow = 0;

  // Behaviour.
  bool m_virtualMode = false;
  bool m_editable = true;
  bool m_modified = false;
  bool m_allowDraw = true;
  bool m_allowSelection = true;
  bool m_trackFocusHeaders = true;
  bool m_frameFocus = true;
  bool m_printColours = true;
  bool m_titleTips = true;
  bool m_wantTab = true;
  bool m_allowRowResize = true;
  bool m_allowColumnResize = true;
  bool m_destroying = false;
  int m_gridLines = GVL_BOTH;
  unsigned m_autoSizeScope = 3;
  int m_wheelLines = 3;

  // Structure.
  int m_rows = 0;
  int m_headerRows = 0;
  int m_cols = 0;
  int m_headerCols = 0;
  GridSizes m_rowHeights;
  GridSizes m_colWidths;
  std::vector<int> m_columnOrder;
  std::vector<int> m_rowOrder;  // VirtualMode only
  std::deque<GridRow> m_cells;

  // Default cells: normal, header column, header row, corner.
  std::unique_ptr<CGridDefaultCell> m_defaults[4];
  CellFactory m_cellFactory;
  CImageList* m_imageList = nullptr;

  // Focus, selection, sorting.
  CCellID m_focus;
  CCellID m_selectionStart;
  std::unordered_map<std::uint64_t, CCellID> m_selection;
  std::unordered_map<std::uint64_t, CCellID> m_previousSelection;
  mutable CCellID m_topLeft;
  mutable bool m_topLeftCached = false;
  int m_sortColumn = -1;
  bool m_sortAscending = true;

  // VirtualMode.
  CellCallback m_callback;
  std::intptr_t m_callbackWord = 0;
  mutable std::unique_ptr<CGridCell> m_virtualCell;

  // Scroll bars as last set.
  bool m_vShown = false;
  bool m_hShown = false;
  int m_vRange = 0;
  int m_hRange = 0;
  int m_vPage = 0;
  int m_hPage = 0;
  bool m_inResize = false;
  bool m_inScrollUpdate = false;
};

}  // namespace vorenx
