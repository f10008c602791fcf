// CGridCtrl::SaveToFile: the table as comma-separated text. UTF-8 with a
// byte-order mark and CR LF line ends; see docs/readings-csv.md.
#include <QFile>

#include "grid/GridCtrl.h"

namespace vorenx {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

// A field as it stands, or quoted when it holds a separator, a quote or a line
// break, so that no text can split or shift the columns of a line.
QByteArray CsvField(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r')) return utf8;
  utf8.replace("\"", "\"\"");
  return '"' + utf8 + '"';
}

bool WriteAll(QFile& file, const QByteArray& bytes) {
  return bytes.isEmpty() || file.write(bytes) == bytes.size();
}

}  // namespace

bool CGridCtrl::SaveToFile(const QString& path) {
  QFile file(path);
  // Unbuffered, so a full disk shows in the write that meets it.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    ReportMessage(tr("Cannot open the file \"%1\": %2").arg(path, file.errorString()));
    return false;
  }
  const int columns = m_cols;
  QByteArray chunk;
  chunk.reserve(kChunk + 1024);
  bool ok = true;
  for (int row = 0; row < m_rows && ok; ++row) {
    // The first row without a value in column 2 ends the export.
    if (CellText(row, 2).isEmpty()) break;
    if (row == 0) chunk += "\xEF\xBB\xBF";
    for (int col = 0; col < columns; ++col) {
      chunk += CsvField(CellText(row, col));
      chunk += col + 1 < columns ? QByteArrayView(",") : QByteArrayView("\r\n");
    }
    if (chunk.size() >= kChunk) {
      ok = WriteAll(file, chunk);
      chunk.clear();
    }
  }
  ok = ok && WriteAll(file, chunk);
  file.close();
  ok = ok && file.error() == QFileDevice::NoError;
  if (!ok) {
    ReportMessage(tr("Unable to save grid list"));
    return false;
  }
  return true;
}

}  // namespace vorenx
