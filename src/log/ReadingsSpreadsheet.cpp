// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// "Export for a Spreadsheet...": the rows the export writes, in the form a
// spreadsheet in the user's locale reads as numbers and date-times.
#include <QRegularExpression>
#include <QSaveFile>

#include "log/CReadingsLog.h"

#include <QCoreApplication>
#include "platform/SpreadsheetCsv.h"

namespace vorenx {

namespace {

// "05/03  07:08:01" of the table, with the year of `now`; a day later in the
// year than today's is from last year (a run over New Year).
QString DateTimeCell(const QString& text, const LocalTime& now) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d\\d)/(\\d\\d)  (\\d\\d):(\\d\\d):(\\d\\d)$"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return text;
  LocalTime t{now.year, m.captured(2).toInt(), m.captured(1).toInt(), m.captured(3).toInt(),
              m.captured(4).toInt(), m.captured(5).toInt(), 0};
  if (t.month > now.month || (t.month == now.month && t.day > now.day)) --t.year;
  return SpreadsheetDateTime(t);
}

// "1.500V" as the number and its unit; a text without a number stays whole.
void SplitValue(const QString& text, const SpreadsheetDialect& dialect, QStringList& fields) {
  static const QRegularExpression pattern(QStringLiteral("^(-?\\d+(?:\\.\\d+)?)(.*)$"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) {
    fields << text << QString();
    return;
  }
  fields << SpreadsheetNumber(m.captured(1), dialect) << m.captured(2);
}

}  // namespace

QByteArray CReadingsLog::SpreadsheetText(const SpreadsheetDialect& dialect, const LocalTime& now) const {
  if (m_grid.ColumnCount() < 4) return QByteArray();
  QByteArray out;
  for (int row = 0; row < m_grid.RowCount(); ++row) {
    if (m_grid.CellText(row, 2).isEmpty()) break;  // the rows the export writes
    QStringList fields;
    if (row == 0) {
      out += "\xEF\xBB\xBF";
      fields << m_grid.CellText(0, 0) << m_grid.CellText(0, 1) << m_grid.CellText(0, 2)
             << m_grid.CellText(0, 2) + QStringLiteral(" unit") << m_grid.CellText(0, 3)
             << m_grid.CellText(0, 3) + QStringLiteral(" unit");
    } else {
      fields << m_grid.CellText(row, 0) << DateTimeCell(m_grid.CellText(row, 1), now);
      SplitValue(m_grid.CellText(row, 2), dialect, fields);
      SplitValue(m_grid.CellText(row, 3), dialect, fields);
    }
    out += SpreadsheetLine(fields, dialect);
  }
  return out;
}

void CReadingsLog::OnSaveForSpreadsheet() {
  const LocalTime now = m_clock ? m_clock() : SystemLocalTime();
  QString path;
  if (!m_dialogs.AskSaveFileName(nullptr, SaveRequest(now), path) || path.isEmpty()) return;
  const QByteArray text = SpreadsheetText(SpreadsheetDialectFor(), now);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
    m_dialogs.ShowMessage(nullptr,
                          QCoreApplication::translate("vorenx::CReadingsLog", "The readings could not be written to %1: %2").arg(path, file.errorString()));
}

}  // namespace vorenx
