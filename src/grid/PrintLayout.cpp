// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace vorenx {

int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

std::vector<int> PageStarts(const GridAxis& axis, int usable) {
  std::vector<int> starts{axis.headerCount};
  long long sum = 0;
  for (int i = axis.headerCount; i < axis.count; ++i) {
    const int size = axis.size(i);
    sum += size;
    if (sum > usable && i > starts.back()) {
      starts.push_back(i);
      sum = size;
    }
  }
  return starts;
}

PrintLayout ComputePrintLayout(const PrintMetrics& m, const GridAxis& rows, const GridAxis& cols, int totalWidth) {
  PrintLayout layout;
  const int margins = (m.leftMargin + m.rightMargin) * m.charWidth;
  if (m.actualSize) {
    layout.paperWidth = MulDiv(m.horzRes, m.screenDpiX, m.printerDpiX) * 3 / 4;
    layout.paperHeight = MulDiv(m.vertRes, m.screenDpiY, m.printerDpiY) * 3 / 4;
  } else {
    layout.paperWidth = totalWidth + margins;
    layout.paperHeight = MulDiv(layout.paperWidth, m.vertRes, m.horzRes);
  }
  layout.usableHeight = layout.paperHeight - (m.headerLines + 2 * m.gapLines + m.footerLines) * m.charHeight -
                        rows.headerExtent;
  layout.usableWidth = layout.paperWidth - cols.headerExtent - margins;
  layout.rowStarts = PageStarts(rows, layout.usableHeight);
  layout.colStarts = m.actualSize ? PageStarts(cols, layout.usableWidth) : std::vector<int>{cols.headerCount};
  layout.pagesDown = static_cast<int>(layout.rowStarts.size());
  layout.pagesAcross = static_cast<int>(layout.colStarts.size());
  layout.pageCount = layout.pagesDown * layout.pagesAcross;
  return layout;
}

int PrintLayout::FirstRow(int page) const {
  const int index = std::clamp(RowPage(page) - 1, 0, static_cast<int>(rowStarts.size()) - 1);
  return rowStarts[static_cast<std::size_t>(index)];
}

int PrintLayout::EndRow(int page, int rowCount) const {
  const int index = RowPage(page);
  return index < static_cast<int>(rowStarts.size()) ? rowStarts[static_cast<std::size_t>(index)] : rowCount;
}

int PrintLayout::FirstColumn(int page) const {
  const int index = std::clamp(ColumnPage(page) - 1, 0, static_cast<int>(colStarts.size()) - 1);
  return colStarts[static_cast<std::size_t>(index)];
}

int PrintLayout::EndColumn(int page, int colCount) const {
  const int index = ColumnPage(page);
  return index < static_cast<int>(colStarts.size()) ? colStarts[static_cast<std::size_t>(index)] : colCount;
}

}  // namespace vorenx
