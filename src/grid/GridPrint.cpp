// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl: printing page by page on any paged device (QPrinter, a PDF
// writer). The owner's print loop calls BeginPrinting, PrintPage for each
// page, EndPrinting; PrintGridPages is such a loop. The page arithmetic is
// in PrintLayout.*; each cell prints itself (its Print shares Draw's text).
#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QVarLengthArray>

#include "grid/GridCtrl.h"
#include "grid/TextFormat.h"

namespace vorenx {

namespace {
const char kMeasureText[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
}  // namespace

bool CGridCtrl::BeginPrinting(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !dc->device()) return false;
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(10);
  font.setWeight(QFont::Normal);
  m_printFont = std::make_unique<QFont>(font);

  const QFontMetrics metrics(*m_printFont);
  const QString sample = QString::fromLatin1(kMeasureText).left(52);
  PrintMetrics& pm = m_printMetrics;
  pm = PrintMetrics{};
  pm.charHeight = metrics.height();
  pm.charWidth = metrics.horizontalAdvance(sample) / 52;
  const QPaintDevice* device = dc->device();
  pm.horzRes = device->width();
  pm.vertRes = device->height();
  pm.screenDpiX = logicalDpiX();
  pm.screenDpiY = logicalDpiY();
  pm.printerDpiX = device->logicalDpiX();
  pm.printerDpiY = device->logicalDpiY();
  pm.actualSize = m_printActualSize;

  const GridAxis rows{m_rows, m_headerRows, HeaderRowsHeight(), 0, [this](int r) { return RowHeight(r); }};
  const GridAxis cols{m_cols, m_headerCols, HeaderColumnsWidth(), 0, [this](int c) { return ColumnWidth(c); }};
  m_printLayout = ComputePrintLayout(pm, rows, cols, TotalWidth());
  info->minPage = 1;
  info->maxPage = m_printLayout.pageCount;
  info->currentPage = 1;
  return true;
}

void CGridCtrl::PrintPage(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !m_printFont) return;
  const PrintMetrics& pm = m_printMetrics;
  const PrintLayout& layout = m_printLayout;
  dc->save();
  dc->setFont(*m_printFont);
  dc->setWindow(-pm.leftMargin * pm.charWidth, 0, layout.paperWidth, layout.paperHeight);
  dc->setViewport(0, 0, pm.horzRes, pm.vertRes);

  const int width = layout.paperWidth - (pm.leftMargin + pm.rightMargin) * pm.charWidth;
  info->drawRect = QRect(0, 0, width, pm.headerLines * pm.charHeight);
  PrintHeader(dc, info);

  dc->save();
  dc->translate(0, (pm.headerLines + pm.gapLines) * pm.charHeight);
  const int page = info->currentPage;
  const int firstRow = layout.FirstRow(page);
  // The table may have changed since BeginPrinting: stay inside it.
  const int endRow = std::min(layout.EndRow(page, m_rows), m_rows);
  const int firstCol = layout.FirstColumn(page);
  const int endCol = std::min(layout.EndColumn(page, m_cols), m_cols);
  PrintRowHeadings(dc, firstRow, endRow);
  PrintColumnHeadings(dc, firstCol, endCol);
  int y = HeaderRowsHeight();
  for (int row = firstRow; row < endRow; ++row) {
    const int height = RowHeight(row);
    if (height <= 0) continue;
    PrintRowCells(dc, row, y, firstCol, endCol, row == firstRow);
    y += height;
  }
  dc->restore();

  dc->save();
  dc->translate(0, layout.paperHeight - pm.footerLines * pm.charHeight);
  info->drawRect = QRect(0, 0, width, pm.footerLines * pm.charHeight);
  PrintFooter(dc, info);
  dc->restore();
  dc->restore();
}

void CGridCtrl::EndPrinting(QPainter*, CPrintInfo*) { m_printFont.reset(); }

void CGridCtrl::PrintCell(QPainter* dc, int row, int col, int x, int y, bool top, bool left) {
  const int width = ColumnWidth(col);
  const int height = RowHeight(row);
  if (width <= 0 || height <= 0) return;
  const CRect rect{x, y, x + width - 1, y + height - 1};
  if (CGridCellBase* cell = CellAt(row, col)) {
    cell->SetPosition(row, col);
    cell->Print(dc, row, col, rect);
  }
  dc->setPen(QPen(Qt::black, 0));
  if (m_gridLines & GVL_HORZ) {
    dc->drawLine(x, rect.bottom, rect.right, rect.bottom);
    if (top) dc->drawLine(x, y, rect.right, y);
  }
  if (m_gridLines & GVL_VERT) {
    dc->drawLine(rect.right, y, rect.right, rect.bottom);
    if (left) dc->drawLine(x, y, x, rect.bottom);
  }
}

void CGridCtrl::PrintRowCells(QPainter* dc, int row, int y, int firstCol, int endCol, bool firstRow) {
  // The cells first, then the row's grid lines in one stroke each: the same
  // lines as cell by cell, for a fraction of the drawing calls.
  const int height = RowHeight(row);
  int x = HeaderColumnsWidth();
  const int left = x;
  for (int col = firstCol; col < endCol; ++col) {
    const int width = ColumnWidth(col);
    if (width <= 0) continue;
    if (CGridCellBase* cell = CellAt(row, col)) {
      cell->SetPosition(row, col);
      cell->Print(dc, row, col, CRect{x, y, x + width - 1, y + height - 1});
    }
    x += width;
  }
  if (x == left || height <= 0) return;
  dc->setPen(QPen(Qt::black, 0));
  if (m_gridLines & GVL_HORZ) {
    dc->drawLine(left, y + height - 1, x - 1, y + height - 1);
    if (firstRow) dc->drawLine(left, y, x - 1, y);
  }
  if (m_gridLines & GVL_VERT) {
    QVarLengthArray<QLine, 16> lines;
    if (m_headerCols == 0) lines.append(QLine(left, y, left, y + height - 1));
    int edge = left;
    for (int col = firstCol; col < endCol; ++col) {
      const int width = ColumnWidth(col);
      if (width <= 0) continue;
      edge += width;
      lines.append(QLine(edge - 1, y, edge - 1, y + height - 1));
    }
    dc->drawLines(lines.constData(), static_cast<int>(lines.size()));
  }
}

void CGridCtrl::PrintRowHeadings(QPainter* dc, int firstRow, int endRow) {
  int y = HeaderRowsHeight();
  for (int row = firstRow; row < endRow; ++row) {
    int x = 0;
    for (int col = 0; col < m_headerCols; ++col) {
      PrintCell(dc, row, col, x, y, row == firstRow, col == 0);
      x += std::max(0, ColumnWidth(col));
    }
    y += std::max(0, RowHeight(row));
  }
}

void CGridCtrl::PrintColumnHeadings(QPainter* dc, int firstCol, int endCol) {
  // The corner cells belong to the pages that start at the first scrolling column.
  const bool corner = firstCol == m_headerCols;
  int y = 0;
  for (int row = 0; row < m_headerRows; ++row) {
    int x = 0;
    if (corner) {
      for (int col = 0; col < m_headerCols; ++col) {
        PrintCell(dc, row, col, x, y, row == 0, col == 0);
        x += std::max(0, ColumnWidth(col));
      }
    }
    x = HeaderColumnsWidth();
    for (int col = firstCol; col < endCol; ++col) {
      PrintCell(dc, row, col, x, y, row == 0, col == firstCol && !corner);
      x += std::max(0, ColumnWidth(col));
    }
    y += std::max(0, RowHeight(row));
  }
}

QString CGridCtrl::PrintTitle() const {
  for (const QWidget* w = this; w; w = w->parentWidget())
    if (!w->windowTitle().isEmpty()) return w->windowTitle();
  return {};
}

void CGridCtrl::PrintHeader(QPainter* dc, CPrintInfo* info) {
  QFont bold = *m_printFont;
  bold.setWeight(QFont::Bold);
  dc->save();
  dc->setFont(bold);
  dc->setBackgroundMode(Qt::TransparentMode);
  dc->setPen(Qt::black);
  const QRect rect = info->drawRect;
  DrawFormattedText(*dc, rect, PrintTitle(), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  DrawFormattedText(*dc, rect, QGuiApplication::applicationDisplayName(), DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->setPen(QPen(Qt::black, 0));
  dc->drawLine(rect.bottomLeft(), rect.bottomRight());
  dc->restore();
}

QString CGridCtrl::FooterPageText(const CPrintInfo& info) {
  return QStringLiteral("Page %1 of %2").arg(info.currentPage).arg(info.maxPage);
}

void CGridCtrl::PrintFooter(QPainter* dc, CPrintInfo* info) {
  QFont bold = *m_printFont;
  bold.setWeight(QFont::Bold);
  dc->save();
  const QRect rect = info->drawRect;
  dc->setPen(QPen(Qt::black, 0));
  dc->drawLine(rect.topLeft(), rect.topRight());
  dc->setFont(bold);
  dc->setBackgroundMode(Qt::TransparentMode);
  const QDateTime now = QDateTime::currentDateTime();
  const QString time = now.isValid() ? QLocale().toString(now, QLocale::ShortFormat) : QStringLiteral("Invalid DateTime");
  DrawFormattedText(*dc, rect, FooterPageText(*info), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  DrawFormattedText(*dc, rect, time, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->restore();
}

bool PrintGridPages(CGridCtrl& grid, QPagedPaintDevice& device, const PrintProgress& progress) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  CPrintInfo info;
  if (!grid.BeginPrinting(&painter, &info)) return false;
  bool complete = true;
  for (int page = info.minPage; page <= info.maxPage; ++page) {
    if (progress && !progress(page, info.maxPage)) {
      complete = false;
      break;
    }
    if (page > info.minPage) device.newPage();
    info.currentPage = page;
    grid.PrintPage(&painter, &info);
  }
  grid.EndPrinting(&painter, &info);
  painter.end();
  return complete;
}

}  // namespace vorenx
