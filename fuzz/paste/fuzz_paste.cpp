// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Drives the grid's paste placement with arbitrary text, target cells and
// hidden rows and columns. Properties (abort on violation):
//  - every placed field lies inside the grid, on a shown row and column, at
//    or after the target;
//  - fields of one line go to strictly increasing columns of one row, and
//    lines to strictly increasing rows;
//  - no field holds a separator (LF, tab, comma) or leading or trailing
//    white space;
//  - the 8-bit copy block of any text ends with exactly one 0 byte added.
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "grid/GridClipboardText.h"

using namespace vorenx;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  const int rows = data[0] % 40;
  const int cols = data[1] % 40;
  const int row = static_cast<int>(data[2] % 48) - 4;
  const int col = static_cast<int>(data[3] % 48) - 4;
  const std::uint32_t hiddenRows = data[4] * 0x01010101u;
  const std::uint32_t hiddenCols = data[5] * 0x01010101u;
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 6), static_cast<qsizetype>(size - 6));

  const auto shown = [](std::uint32_t hidden) {
    return [hidden](int i) { return (hidden >> (i % 32)) & 1u ? 0 : 20; };
  };
  const GridAxis rowAxis{rows, 0, 0, 0, shown(hiddenRows)};
  const GridAxis colAxis{cols, 0, 0, 0, shown(hiddenCols)};
  const std::vector<PastedField> placed = PlacePastedText(text, row, col, rowAxis, colAxis);
  int lastRow = -1;
  int lastCol = -1;
  for (const PastedField& field : placed) {
    Check(field.row >= 0 && field.row < rows && field.col >= 0 && field.col < cols);
    Check(field.row >= row && field.col >= col);
    Check(rowAxis.size(field.row) > 0 && colAxis.size(field.col) > 0);
    if (field.row == lastRow) {
      Check(field.col > lastCol);
    } else {
      Check(field.row > lastRow);
    }
    lastRow = field.row;
    lastCol = field.col;
    Check(!field.text.contains(QLatin1Char('\n')) && !field.text.contains(QLatin1Char('\t')) &&
          !field.text.contains(QLatin1Char(',')));
    Check(field.text == field.text.trimmed());
  }
  const QByteArray block = EncodeCopyBlock(text);
  Check(!block.isEmpty() && block.back() == '\0' && block.size() == text.toLocal8Bit().size() + 1);
  return 0;
}
