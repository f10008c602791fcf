// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The text the grid's clipboard and drags carry, as plain functions: building
// the copied block from a range of cells, and splitting pasted text into the
// cells it lands in. No widget is needed, so tests and the fuzz target drive
// them directly.

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "grid/GridArithmetic.h"
#include "grid/GridTypes.h"

class QMimeData;

namespace vorenx {

// The clipboard format of the copied block in the locale's 8-bit encoding,
// ending with one 0 byte. "text/plain" carries the same text as UTF-8.
inline constexpr char kGridTextMime[] = "application/x-vorenx-grid-text";

// The cell's text when it is selected, nothing for an unselected cell.
using SelectedText = std::function<QString(int row, int col, bool& selected)>;

// The copied text of `range`: rows with a non-zero height, columns with a
// non-zero width; fields separated by a tab, rows by CR LF (none after the
// last); an unselected cell gives an empty field.
QString CopyText(const CCellRange& range, const GridAxis& rows, const GridAxis& cols, const SelectedText& text);

// The block in the locale's 8-bit encoding with its terminating 0 byte.
QByteArray EncodeCopyBlock(const QString& text);

// The data a copy or a drag hands out: the 8-bit block and "text/plain".
QMimeData* MakeCopyMimeData(const QString& text);

// Whether the data offers text, and that text: the 8-bit block up to its
// first 0 byte, or else "text/plain".
bool OffersText(const QMimeData* data);
QString TextFromMimeData(const QMimeData* data);

struct PastedField {
  int row = 0;
  int col = 0;
  QString text;
};

// Where the fields of `text` land when pasted at (row, col): successive
// shown rows and columns (hidden ones, of size 0, are skipped); fields past
// the last row or column are dropped. Lines end at each LF (a CR before it
// is trimmed with the field), fields at each tab or comma, each trimmed of
// white space; a line end at the very end of the text starts no empty line.
std::vector<PastedField> PlacePastedText(const QString& text, int row, int col, const GridAxis& rows,
                                         const GridAxis& cols);

}  // namespace vorenx
