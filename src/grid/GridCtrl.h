// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CGridCtrl: a table of cells on a scroll area, with non-scrolling header rows
// at the top and header columns at the left. This header holds the whole class
// and all of its state; its implementation is one file per concern:
//   GridCtrl.cpp       construction, counts and structure
//   GridCells.cpp      cells and item access, the cell factory, VirtualMode
//   GridSettings.cpp   behaviour flags, colours, fonts, notifications
//   GridGeometry.cpp   sizes, cell geometry, auto-sizing
//   GridScroll.cpp     scroll bars, scrolling, the wheel, EnsureVisible
//   GridPaint.cpp      painting (through CMemDCGrid), single-cell repaints
//   GridSelection.cpp  focus and selection
//   GridMouse.cpp      the mouse: selecting, dividers, clicks, auto-scroll
//   GridKeyboard.cpp   keys, Tab, characters that start editing
//   GridSort.cpp       sorting and header clicks
//   GridSave.cpp       comma-separated export
//   GridEditing.cpp    starting, finishing and refusing edits (the box: InPlaceEdit.*)
//   GridClipboard.cpp  copy, cut, paste, select all (text: GridClipboardText.*)
//   GridTitleTips.cpp  offering the tip of a clipped cell (the tip: TitleTip.*)
//   GridDragDrop.cpp   dragging cells and columns out, text and columns in
//   GridPrint.cpp      printing pages (page arithmetic: PrintLayout.*)
// The arithmetic under the mouse, keys, scrolling and sorting is in
// GridArithmetic.* and needs no widget.
//
// The grid has no locks: every operation, its painting and its event handling
// run on the window's thread.

#include <QAbstractScrollArea>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>
#include <deque>

#include "grid/GridArithmetic.h"
#include "grid/GridCell.h"
#include "grid/GridConstants.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridImageList.h"
#include "grid/GridSizes.h"
#include "grid/PrintLayout.h"
#include "grid/GridTypes.h"

namespace vorenx {

class CTitleTip;

// What a print job knows of its pages: the range, the page being printed and
// the rectangle the header or footer is drawn in.
struct CPrintInfo {
  int minPage = 1;
  int maxPage = 0;
  int currentPage = 1;
  QRect drawRect;
};

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
  // Orders two cells for sorting: negative, zero or positive.
  using CompareFunc = std::function<int(const CGridCellBase& a, const CGridCellBase& b, std::intptr_t data)>;
  // VirtualMode: whether the owner's row a comes before row b.
  using VirtualCompareFunc = std::function<bool(int a, int b)>;

  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // --- owner, notifications, messages ---
  void SetOwner(GridOwner* owner) { m_owner = owner; }
  GridOwner* Owner() const { return m_owner; }
  void SetDlgCtrlID(int id) { m_controlId = id; }
  // Posts the notice of a finished click (control id, code 0) to the owner.
  void PostCommandToParent();
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
  // The bar's position: the pixel offset of the scrolling part.
  int ScrollPos(Qt::Orientation o) const;
  void OnVScroll(int code, int trackPos = 0);
  void OnHScroll(int code, int trackPos = 0);

  // --- focus and selection ---
  CCellID FocusCell() const { return m_focus; }
  CCellID MoveFocusTo(int row, int col);
  CCellID SelectionStartCell() const { return m_selectionStart; }
  void SetSelectionStartCell(CCellID cell) { m_selectionStart = cell; }
  // Empties the previous selection, the selection and the focus.
  void ClearSelection();
  // Selects (or deselects) the cells of the range; the previous selection of a
  // Ctrl-drag comes back in. paintNow repaints at once, else at the next paint.
  void SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool paintNow = false, bool select = true);
  void SelectAll();
  void SelectColumns(CCellID cell);
  void SelectRows(bool paintNow, bool select, CCellID cell);
  void SelectCells(bool paintNow, bool select, CCellID cell);
  void SelectByMode(CCellID cell);
  void AllowSelection(bool allow);
  bool IsSelectionAllowed() const { return m_allowSelection; }

  // --- mouse and keyboard ---
  CCellID CellFromPoint(QPoint point, bool allowHeaders = true) const;
  MouseMode CurrentMouseMode() const { return m_mouseMode; }
  CCellID ClickDownCell() const { return m_clickDownCell; }
  int AutoScrollTimerId() const { return m_autoScrollTimer; }
  virtual void HeaderRowClicked(CCellID cell);
  virtual void HeaderColumnClicked(CCellID cell);
  // Starts an in-place edit of the cell with the first character (kEditByMouse
  // for the mouse and F2, else the typed character or the key code).
  virtual void StartEditing(int row, int col, QPoint point, int firstChar);
  // What the grid asks of the keyboard (DLGC_* bits).
  unsigned DialogCode(bool ctrlHeld) const;
  bool ListMode() const { return m_listMode; }
  void SetListMode(bool on) { m_listMode = on; }
  void SetSingleRowSelection(bool on) { m_singleRowSelection = on; }
  void SetSingleColumnSelection(bool on) { m_singleColumnSelection = on; }
  void SetHeaderColumnsSelectable(bool on) { m_headerColumnsSelectable = on; }
  void SetSelectOnHeaderRowClick(bool on) { m_selectOnHeaderRowClick = on; }
  void SetSelectOnHeaderColumnClick(bool on) { m_selectOnHeaderColumnClick = on; }
  void SetSortOnHeaderClick(bool on) { m_sortOnHeaderClick = on; }
  void AllowHideRows(bool on) { m_allowHideRows = on; }
  void AllowHideColumns(bool on) { m_allowHideColumns = on; }
  void SetGrabHiddenRows(bool on) { m_grabHiddenRows = on; }
  void SetGrabHiddenColumns(bool on) { m_grabHiddenColumns = on; }
  bool WantTab() const { return m_wantTab; }
  void SetWantTab(bool on) { m_wantTab = on; }
  void SetTabLeavesGrid(bool on) { m_tabLeavesGrid = on; }
  void SetWheelScrollLines(int lines) { m_wheelLines = lines; }
  // Drag-and-drop of cells and of column headers: the press prepares a drag;
  // the drag itself comes with the clipboard work.
  void AllowDragAndDrop(bool on) { m_allowDragAndDrop = on; }
  void AllowColumnDragging(bool on) { m_allowColumnDragging = on; }
  int DraggedColumn() const { return m_draggedColumn; }

  // --- editing ---
  // Takes over the text of a finished edit, or puts the old text back when
  // the cell or the owner refuses it; then the cell's editor is closed.
  virtual void FinishEditing(int row, int col, const QString& text);
  virtual bool AcceptEdit(int row, int col, const QString& text);
  // Ends the focus cell's edit, if any.
  virtual void EndEditing();
  // An edit without a box, with the begin and end notifications; false when
  // refused or not editable.
  bool EditCellText(int row, int col, const QString& text);
  virtual void ClearSelectedCells();
  // The end notice of an in-place edit (code NotifyEndEdit, id 8; the data
  // word is the last key). Editing goes on in the next cell after Tab or a
  // navigation key.
  long OnEndInPlaceEdit(GridDispInfo* info);

  // --- title tips ---
  void EnableTitleTips(bool on);
  bool TitleTipsEnabled() const { return m_titleTips; }
  void SetTitleTipTextColour(COLORREF colour) { m_titleTipTextColour = colour; }
  void SetTitleTipBackColour(COLORREF colour) { m_titleTipBackColour = colour; }
  // The tip window, once one was offered; nullptr before.
  CTitleTip* TitleTip() const { return m_titleTip.get(); }
  // Shows the tip of the cell under `point` when its text is clipped.
  void OfferTitleTip(QPoint point);

  // --- printing ---
  // Printing at screen size over several pages across, instead of fitting
  // the grid's width to the page.
  bool PrintActualSize() const { return m_printActualSize; }
  void SetPrintActualSize(bool on) { m_printActualSize = on; }
  // Works out the pages for the painter's device; false without one.
  virtual bool BeginPrinting(QPainter* dc, CPrintInfo* info);
  // Prints page info->currentPage: header, column and row headings, the
  // page's cells with their grid lines, footer.
  virtual void PrintPage(QPainter* dc, CPrintInfo* info);
  virtual void EndPrinting(QPainter* dc, CPrintInfo* info);
  virtual void PrintHeader(QPainter* dc, CPrintInfo* info);
  virtual void PrintFooter(QPainter* dc, CPrintInfo* info);
  virtual void PrintColumnHeadings(QPainter* dc, int firstCol, int endCol);
  virtual void PrintRowHeadings(QPainter* dc, int firstRow, int endRow);
  virtual void PrintRowCells(QPainter* dc, int row, int y, int firstCol, int endCol, bool firstRow);
  // The layout the last BeginPrinting worked out.
  const PrintLayout& LastPrintLayout() const { return m_printLayout; }
  // "Page n of m".
  static QString FooterPageText(const CPrintInfo& info);

  // --- drag-and-drop ---
  // What a drop at `point` (viewport coordinates) would do; fromHere for a
  // drag that started in this grid.
  virtual Qt::DropAction DragEnter(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point, bool fromHere);
  virtual Qt::DropAction DragOver(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point, bool fromHere);
  virtual void DragLeave();
  // Pastes dropped text at the drop-target cell, or moves the dragged column
  // to the header cell it is dropped on.
  virtual bool Drop(const QMimeData* data, Qt::DropAction effect, QPoint point, bool fromHere);
  CCellID DropTargetCell() const { return m_dropTarget; }
  void SetDraggedColumn(int col) { m_draggedColumn = col; }

  // --- clipboard ---
  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste() const;
  bool CanSelectAll() const;
  // The selected cells as clipboard data (new, the caller owns it), or
  // nullptr without a selection.
  virtual QMimeData* CopyTextFromGrid();
  virtual bool PasteTextToGrid(int row, int col, const QMimeData* data, bool selectPasted);
  virtual void CopySelection();
  virtual void CutSelection();
  virtual void PasteSelection();
  virtual void SelectAllCommand();

  // --- sorting ---
  // Sorts the non-header rows by the texts of `col` (or by the owner's compare
  // function when one is set).
  bool SortByText(int col, bool ascending);
  bool SortWith(const CompareFunc& compare, int col, bool ascending, std::intptr_t data = 0);
  void SetCompareFunction(CompareFunc compare) { m_compare = std::move(compare); }
  void SetVirtualCompare(VirtualCompareFunc compare) { m_virtualCompare = std::move(compare); }
  // Text order, code unit by code unit, a shorter prefix first.
  static int CompareTexts(const CGridCellBase& a, const CGridCellBase& b, std::intptr_t data);

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
  // Paints one cell, with its grid lines, into `dc`; without a painter (Qt
  // paints a window only from its paint event) the cell is invalidated.
  bool RedrawCell(int row, int col, QPainter* dc = nullptr);
  // Paints everything that `clip` touches; the viewport's paint handler calls
  // it through an off-screen image, a printer straight.
  virtual void DrawGrid(QPainter& dc, const QRect& clip);
  void FillBackground(QPainter& dc, const QRect& clip);
  bool DoubleBuffering() const { return m_doubleBuffer; }
  void SetDoubleBuffering(bool on) { m_doubleBuffer = on; }

  // --- export ---
  // Writes the table as comma-separated text (see docs/readings-csv.md):
  // every row, or the rows before the first one whose cell in the end column
  // is empty.
  bool SaveToFile(const QString& path);
  // The column whose first empty cell ends SaveToFile's rows; -1: none.
  void SetSaveEndColumn(int column) { m_saveEndColumn = column; }
  // The first row's texts as SaveToFile writes them, when they differ from
  // the ones shown (a header shown in the user's language, written in the
  // file's own); columns beyond the list, or an empty list, write the cells.
  void SetSavedFirstRow(QStringList texts) { m_savedFirstRow = std::move(texts); }
  const QStringList& SavedFirstRow() const { return m_savedFirstRow; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  // Starts dragging the selected cells (their text) or a column header out
  // of the grid; a cell drag that ends in a move empties the cells.
  virtual void BeginDrag();
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

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
  GridAxis Axis(Qt::Orientation o) const;
  int FirstScrollingAt(Qt::Orientation o, int pos) const;
  int LineScrollsTarget(Qt::Orientation o, int code, int steps) const;
  int ScrollTargetFor(Qt::Orientation o, int code, int trackPos) const;
  void ScrollBy(Qt::Orientation o, int code, int trackPos);
  void OnBarAction(Qt::Orientation o, int action);
  void PaintCellPass(QPainter& dc, const QRect& clip, int row0, int row1, int col0, int col1, int x0,
                     int y0);
  void DrawGridLines(QPainter& dc, const CCellRange& visible, QPoint extent);
  void DrawSizingLine(QPainter& dc) const;
  // The keyboard focus shows as a frame inside the viewport's edge, over
  // whatever lies there, drawn only while the grid has the focus.
  QRegion FocusFrameRegion() const;
  void DrawFocusFrame(QPainter& dc) const;
  void UpdateFocusFrame();
  CGridCellBase* PrepareVirtualCell(int row, int col) const;
  // Selection helpers.
  int FirstSelectableColumn() const { return m_headerColumnsSelectable ? 0 : m_headerCols; }
  void RepaintCell(int row, int col, QPainter* dc);
  bool SetSelected(int row, int col, bool selected);
  // Mouse helpers.
  void OnLButtonDown(QPoint point, Qt::KeyboardModifiers modifiers);
  void OnMouseMove(QPoint point);
  void OnLButtonUp(QPoint point);
  void OnLButtonDblClk(QPoint point);
  void OnRButtonUp(QPoint point);
  void OnCaptureChanged();
  void OnAutoScroll();
  bool MouseOverColumnResizeArea(QPoint point) const;
  bool MouseOverRowResizeArea(QPoint point) const;
  // The row or column whose divider lies under the point, or -1.
  int DividerAt(Qt::Orientation o, QPoint point) const;
  void HoverDividers(QPoint point);
  void StartSizing(Qt::Orientation o, QPoint point);
  void FinishSizing(QPoint point);
  void UpdateSizingLine(QPoint point);
  QPoint ClampToSizing(QPoint point) const;
  void StopAutoScroll();
  bool TextRectContains(CCellID cell, QPoint point) const;
  void EndFocusEdit();
  // Keyboard helpers.
  bool OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void OnChar(QChar ch, Qt::KeyboardModifiers modifiers);
  bool ScrollWithoutFocus(int key, Qt::KeyboardModifiers modifiers);
  // Editing.
  bool SetTextUnmarked(int row, int col, const QString& text);
  bool TakeOverText(int row, int col, const QString& text, const QString& old);
  void CloseEditors();
  void HideTitleTip();
  void SetDropTarget(CCellID cell);
  // Printing.
  void PrintCell(QPainter* dc, int row, int col, int x, int y, bool top, bool left);
  QString PrintTitle() const;
  // Sorting.
  void SortRows(int lo, int hi, bool ascending, int col, const CompareFunc& compare, std::intptr_t data);

  // Owner and messages.
  GridOwner* m_owner = nullptr;
  int m_controlId = 0;
  MessageReporter m_reportMessage;
  int m_saveEndColumn = -1;
  QStringList m_savedFirstRow;

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
  bool m_tabLeavesGrid = false;
  bool m_doubleBuffer = true;
  bool m_listMode = false;
  bool m_singleRowSelection = false;
  bool m_singleColumnSelection = false;
  bool m_headerColumnsSelectable = false;
  bool m_selectOnHeaderRowClick = true;
  bool m_selectOnHeaderColumnClick = true;
  bool m_sortOnHeaderClick = false;
  bool m_allowHideRows = true;
  bool m_allowHideColumns = true;
  bool m_grabHiddenRows = true;
  bool m_grabHiddenColumns = true;
  bool m_allowDragAndDrop = false;
  bool m_allowColumnDragging = false;
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
  CompareFunc m_compare;
  VirtualCompareFunc m_virtualCompare;

  // Mouse.
  MouseMode m_mouseMode = MouseNone;
  CCellID m_clickDownCell;
  QPoint m_buttonDownPoint;
  QPoint m_lastMousePoint;
  QPoint m_cursorPoint;  // the pointer's last place, also outside the viewport
  bool m_leftButtonDown = false;
  int m_autoScrollTimer = 0;
  int m_autoScrollInterval = 25;
  int m_resizeCaptureRange = 3;
  int m_draggedColumn = -1;
  CCellID m_dropTarget;
  // The row or column whose divider is being dragged, the pixel where it
  // starts, and the inverted line's position (-1: none shown).
  int m_sizingIndex = -1;
  int m_sizingStart = 0;
  int m_sizingLine = -1;

  // VirtualMode.
  CellCallback m_callback;
  std::intptr_t m_callbackWord = 0;
  mutable std::unique_ptr<CGridCell> m_virtualCell;

  // Printing.
  bool m_printActualSize = false;
  std::unique_ptr<QFont> m_printFont;
  PrintMetrics m_printMetrics;
  PrintLayout m_printLayout;

  // Title tips.
  COLORREF m_titleTipTextColour = CLR_DEFAULT;
  COLORREF m_titleTipBackColour = CLR_DEFAULT;
  std::unique_ptr<CTitleTip> m_titleTip;

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

// Called before each page with (page, page count); false cancels the job.
using PrintProgress = std::function<bool(int page, int pageCount)>;

// The owner's print loop: every page of the grid onto `device`, a new page
// between them. False when the device cannot be painted or `progress`
// cancelled (the pages printed so far stay).
bool PrintGridPages(CGridCtrl& grid, QPagedPaintDevice& device, const PrintProgress& progress = {});

}  // namespace vorenx
