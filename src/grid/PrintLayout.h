// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The page arithmetic of printing a grid, as a plain function: the paper in
// logical units (the grid fitted to the page width, or at screen size split
// across pages), the room left for scrolling rows and columns, and where
// each page starts.

#include <vector>

#include "grid/GridArithmetic.h"

namespace vorenx {

struct PrintMetrics {
  int charWidth = 0;   // of the print font, logical units
  int charHeight = 0;
  int horzRes = 0;     // printable page in device pixels
  int vertRes = 0;
  int screenDpiX = 96;
  int screenDpiY = 96;
  int printerDpiX = 96;
  int printerDpiY = 96;
  bool actualSize = false;
  int leftMargin = 4;  // characters
  int rightMargin = 4;
  int headerLines = 2;  // text lines
  int footerLines = 2;
  int gapLines = 1;
};

struct PrintLayout {
  int paperWidth = 0;  // logical units, mapped onto horzRes x vertRes
  int paperHeight = 0;
  int usableWidth = 0;   // for scrolling columns
  int usableHeight = 0;  // for scrolling rows
  int pagesAcross = 1;
  int pagesDown = 1;
  int pageCount = 1;
  // The first non-header row (column) of each row page (column page).
  std::vector<int> rowStarts;
  std::vector<int> colStarts;

  // Pages count from 1: page p is in row page ceil(p / pagesAcross) and
  // column page p modulo pagesAcross (pagesAcross when 0).
  int RowPage(int page) const { return (page + pagesAcross - 1) / pagesAcross; }
  int ColumnPage(int page) const { return page % pagesAcross == 0 ? pagesAcross : page % pagesAcross; }
  // The rows [first, end) (columns) that page p prints.
  int FirstRow(int page) const;
  int EndRow(int page, int rowCount) const;
  int FirstColumn(int page) const;
  int EndColumn(int page, int colCount) const;
};

// a * b / c rounded to the nearest, in 64 bits; 0 when c is 0.
int MulDiv(int a, int b, int c);

// The first item of each page along an axis: the scrolling items are walked
// adding sizes, and whenever the sum passes `usable` a page starts with the
// item that did not fit. There is always at least one page.
std::vector<int> PageStarts(const GridAxis& axis, int usable);

// `rows` and `cols` give every row and column with their header counts;
// headerExtent of each is the height of the header rows (width of the header
// columns). totalWidth is the width of all columns.
PrintLayout ComputePrintLayout(const PrintMetrics& metrics, const GridAxis& rows, const GridAxis& cols,
                               int totalWidth);

}  // namespace vorenx
