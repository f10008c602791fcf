// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "log/CReadingsLog.h"

#include <QCoreApplication>

#include "log/CReadingIndexCell.h"

namespace vorenx {

namespace {

// The header as the file writes it; the table shows it in the window's language.
const char* const kHeaders[] = {QT_TRANSLATE_NOOP("vorenx::CReadingsLog", "Index"),
                                QT_TRANSLATE_NOOP("vorenx::CReadingsLog", "Time"),
                                QT_TRANSLATE_NOOP("vorenx::CReadingsLog", "Upper"),
                                QT_TRANSLATE_NOOP("vorenx::CReadingsLog", "Lower")};
const int kWidths[] = {48, 105, 80, 80};

CellInfo TextAndFormat(int row, int col, const QString& text, unsigned format) {
  CellInfo info;
  info.row = row;
  info.col = col;
  info.mask = CellInfoMask::Text | CellInfoMask::Format;
  info.format = format;
  info.text = text;
  return info;
}

}  // namespace

CReadingsLog::CReadingsLog(CGridCtrl& grid, SampleHistory& history, UserDialogs& dialogs, LocalTimeSource clock)
    : m_grid(grid), m_history(history), m_dialogs(dialogs), m_clock(std::move(clock)), m_menu(grid) {
  AddMenuEntries();
  m_grid.SetMessageReporter([this](const QString& text) { m_dialogs.ShowMessage(nullptr, text); });
  m_grid.SetCellFactory([](int row, int col) -> std::unique_ptr<CGridCellBase> {
    if (col == 0 && row >= 1) return std::make_unique<CReadingIndexCell>();
    return std::make_unique<CGridCell>();
  });
}

void CReadingsLog::SetUpReadingsTable() {
  m_grid.AllowSelection(false);
  m_grid.AllowEditing(false);
  m_grid.AllowRowResize(false);
  m_grid.AllowColumnResize(false);

  m_grid.ResizeRows(kStartRows);
  m_grid.ResizeColumns(4);
  m_grid.SetHeaderRows(1);
  m_grid.SetHeaderColumns(1);
  // The export ends before the first row without an upper reading (column 2).
  m_grid.SetSaveEndColumn(2);
  for (int col = 0; col < 4; ++col) m_grid.ChangeColumnWidth(col, kWidths[col]);
  QStringList saved;
  for (int col = 0; col < 4; ++col) {
    saved << QString::fromLatin1(kHeaders[col]);
    m_grid.ApplyCellInfo(
        TextAndFormat(0, col, QCoreApplication::translate("vorenx::CReadingsLog", kHeaders[col]), kHeaderFormat));
  }
  m_grid.SetSavedFirstRow(saved);

  m_grid.ChangeRowHeight(0, kHeaderRowHeight);
  for (int row = 1; row < m_grid.RowCount(); ++row) {
    m_grid.ChangeRowHeight(row, kReadingRowHeight);
    m_grid.ApplyCellInfo(TextAndFormat(row, 0, QString::number(row), kIndexFormat));
  }
}

void CReadingsLog::InsertReadingRow() {
  // A reader scrolled down to older rows keeps them where they are: the view
  // moves down with them by the new row's height. At the top the newest row
  // comes into view.
  const int scrolled = m_grid.ScrollPos(Qt::Vertical);
  if (m_grid.InsertRowAt(QStringLiteral("1"), 1) < 0) return;
  if (m_grid.RowCount() > 1) m_grid.ChangeRowHeight(1, kReadingRowHeight);
  if (scrolled > 0) m_grid.OnVScroll(SB_THUMBPOSITION, scrolled + m_grid.RowHeight(1));
  // Index cells made by this log follow their row by themselves; the new one
  // gets the Index format like every other. Cells made before the log took
  // over the grid's cell factory (they sit at the bottom) need rewriting.
  const int last = m_grid.RowCount() - 1;
  const bool followRows = dynamic_cast<const CReadingIndexCell*>(m_grid.CellAt(last, 0)) != nullptr;
  for (int row = 1; row <= (followRows ? 1 : last); ++row)
    m_grid.ApplyCellInfo(TextAndFormat(row, 0, QString::number(row), kIndexFormat));
}

bool CReadingsLog::SetNewestCell(int col, const QString& text) {
  if (col < 0 || col >= m_grid.ColumnCount() || m_grid.RowCount() <= 1) return false;
  return m_grid.ApplyCellInfo(TextAndFormat(1, col, text, col == 0 ? kIndexFormat : kReadingFormat));
}

void CReadingsLog::UpdateReadingsTable() {
  InsertReadingRow();
  if (m_history.SampleCount() == 0) return;
  // The count was a hint: the history may have been emptied since.
  const bool written = m_history.WithNewestTexts([this](const QString& time, const QString& upper,
                                                        const QString& lower) {
    SetNewestCell(1, time);
    SetNewestCell(2, upper);
    SetNewestCell(3, lower);
  });
  if (written) m_grid.Repaint();
}

void CReadingsLog::UpdateReadingsTable(const QString& time, const QString& upper, const QString& lower) {
  InsertReadingRow();
  SetNewestCell(1, time);
  SetNewestCell(2, upper);
  SetNewestCell(3, lower);
  m_grid.Repaint();
}

QString CReadingsLog::ProposedFileName(const LocalTime& time) {
  return QString::asprintf("%02d-%02d-%02d  %02d-%02d", time.year, time.month, time.day, time.hour, time.minute);
}

SaveFileRequest CReadingsLog::SaveRequest(const LocalTime& time) {
  SaveFileRequest request;
  request.initialName = ProposedFileName(time);
  request.defaultSuffix = QStringLiteral("csv");
  request.filter = QStringLiteral("Excel(*.csv)");
  request.confirmCreate = true;
  request.confirmOverwrite = false;
  return request;
}

void CReadingsLog::OnSaveData() {
  const LocalTime now = m_clock ? m_clock() : SystemLocalTime();
  QString path;
  if (!m_dialogs.AskSaveFileName(nullptr, SaveRequest(now), path) || path.isEmpty()) return;
  m_grid.SaveToFile(path);
}

}  // namespace vorenx
