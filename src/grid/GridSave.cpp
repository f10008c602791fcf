// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CGridCtrl::SaveToFile: the table as comma-separated text. UTF-8 with a
// byte-order mark and CR LF line ends; see docs/readings-csv.md.
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "grid/GridCtrl.h"
#include "platform/FileText.h"

namespace vorenx {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

bool WriteAll(QFile& file, const QByteArray& bytes) {
  return bytes.isEmpty() || file.write(bytes) == bytes.size();
}

// The table's lines (with the byte-order mark when there are any), handed to
// `file` in blocks of whole lines; false as soon as a block fails.
bool WriteTable(const CGridCtrl& grid, int endColumn, QFile& file) {
  const int columns = grid.ColumnCount();
  const QStringList& firstRow = grid.SavedFirstRow();
  QByteArray chunk;
  chunk.reserve(kChunk + 1024);
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (endColumn >= 0 && grid.CellText(row, endColumn).isEmpty()) break;
    if (row == 0) chunk += "\xEF\xBB\xBF";
    for (int col = 0; col < columns; ++col) {
      // Quoted when it holds a separator, a quote or a line break, so that
      // no text can split or shift the columns of a line.
      const QString text = row == 0 && col < firstRow.size() ? firstRow[col] : grid.CellText(row, col);
      chunk += CsvField(text).toUtf8();
      chunk += col + 1 < columns ? QByteArrayView(",") : QByteArrayView("\r\n");
    }
    if (chunk.size() >= kChunk) {
      if (!WriteAll(file, chunk)) return false;
      chunk.clear();
    }
  }
  return WriteAll(file, chunk);
}

bool WriteAndClose(const CGridCtrl& grid, int endColumn, QFile& file, bool sync) {
  bool ok = WriteTable(grid, endColumn, file);
  if (ok && sync) ok = ::fdatasync(file.handle()) == 0;
  file.close();
  return ok && file.error() == QFileDevice::NoError;
}

}  // namespace

bool CGridCtrl::SaveToFile(const QString& path) {
  // An existing file is replaced only once the whole table is written: the
  // lines go to NAME.partial beside it first, which is renamed over it at the
  // end. A failure part-way leaves the older file as it was and the lines
  // written so far in NAME.partial. Anything else (a new file, a device) is
  // written in place.
  const QFileInfo info(path);
  const QString target = info.isSymLink() ? info.canonicalFilePath() : path;
  if (!target.isEmpty() && QFileInfo(target).isFile()) {
    QFile check(target);
    // Replacing needs the right to write the file itself, as writing it in place does.
    if (!check.open(QIODevice::WriteOnly | QIODevice::Append)) {
      ReportMessage(tr("Cannot open the file \"%1\": %2").arg(path, check.errorString()));
      return false;
    }
    check.close();
    const QString partialPath = target + QStringLiteral(".partial");
    QFile partial(partialPath);
    if (partial.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
      if (!WriteAndClose(*this, m_saveEndColumn, partial, true)) {
        ReportMessage(tr("Unable to save grid list") + QLatin1Char('\n') +
                      tr("%1 was left as it was; the lines written before the failure are in %2.")
                          .arg(path, partialPath));
        return false;
      }
      partial.setPermissions(QFile::permissions(target));
      if (::rename(QFile::encodeName(partialPath).constData(), QFile::encodeName(target).constData()) != 0) {
        ReportMessage(tr("Unable to save grid list") + QLatin1Char('\n') +
                      tr("%1 was left as it was; the readings are in %2: %3")
                          .arg(path, partialPath, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
      }
      return true;
    }
    // The folder takes no new file (it is read-only, the file is not): write in place.
  }
  QFile file(path);
  // Unbuffered, so a full disk shows in the write that meets it.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    ReportMessage(tr("Cannot open the file \"%1\": %2").arg(path, file.errorString()));
    return false;
  }
  if (!WriteAndClose(*this, m_saveEndColumn, file, false)) {
    ReportMessage(tr("Unable to save grid list"));
    return false;
  }
  return true;
}

}  // namespace vorenx
