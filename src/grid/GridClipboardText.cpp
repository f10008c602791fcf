// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridClipboardText.h"

#include <QMimeData>

namespace vorenx {

QString CopyText(const CCellRange& range, const GridAxis& rows, const GridAxis& cols, const SelectedText& text) {
  QString out;
  if (!range.IsValid()) return out;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (rows.size(row) == 0) continue;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (cols.size(col) == 0) continue;
      bool selected = false;
      const QString field = text(row, col, selected);
      if (selected) out += field;
      if (col < range.maxCol) out += QLatin1Char('\t');
    }
    if (row < range.maxRow) out += QLatin1String("\r\n");
  }
  return out;
}

QByteArray EncodeCopyBlock(const QString& text) {
  QByteArray block = text.toLocal8Bit();
  block.append('\0');
  return block;
}

QMimeData* MakeCopyMimeData(const QString& text) {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kGridTextMime), EncodeCopyBlock(text));
  data->setText(text);
  return data;
}

bool OffersText(const QMimeData* data) {
  return data && (data->hasFormat(QString::fromLatin1(kGridTextMime)) || data->hasText());
}

QString TextFromMimeData(const QMimeData* data) {
  if (!data) return {};
  const QString mime = QString::fromLatin1(kGridTextMime);
  if (data->hasFormat(mime)) {
    const QByteArray block = data->data(mime);
    const qsizetype end = block.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? block : block.left(end));
  }
  return data->text();
}

std::vector<PastedField> PlacePastedText(const QString& text, int row, int col, const GridAxis& rows,
                                         const GridAxis& cols) {
  std::vector<PastedField> placed;
  if (row < 0 || col < 0) return placed;
  int r = row;
  qsizetype start = 0;
  while (start < text.size() && r < rows.count) {
    while (r < rows.count && rows.size(r) == 0) ++r;
    if (r >= rows.count) break;
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0) end = text.size();
    int c = col;
    qsizetype fieldStart = start;
    for (qsizetype i = start; i <= end && c < cols.count; ++i) {
      if (i != end && text[i] != QLatin1Char('\t') && text[i] != QLatin1Char(',')) continue;
      while (c < cols.count && cols.size(c) == 0) ++c;
      if (c >= cols.count) break;
      placed.push_back({r, c, text.mid(fieldStart, i - fieldStart).trimmed()});
      ++c;
      fieldStart = i + 1;
    }
    start = end + 1;
    ++r;
  }
  return placed;
}

}  // namespace vorenx
