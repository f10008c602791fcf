// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings log's commands for its users: "Copy All", "Print..." and
// "Export for a Spreadsheet..." (ReadingsSpreadsheet.cpp).
#include <QClipboard>
#include <QGuiApplication>

#include "grid/GridClipboardText.h"

#include <QCoreApplication>
#include "log/CReadingsLog.h"

namespace vorenx {

void CReadingsLog::AddMenuEntries() {
  m_menu.AddEntry(QCoreApplication::translate("vorenx::CReadingsLog", "Copy All"), [this] { OnCopyAll(); });
  m_menu.AddEntry(QCoreApplication::translate("vorenx::CReadingsLog", "Print..."), [this] { OnPrint(); });
  m_menu.AddEntry(QCoreApplication::translate("vorenx::CReadingsLog", "Export for a Spreadsheet..."), [this] { OnSaveForSpreadsheet(); });
}

QString CReadingsLog::CopyAllText() const {
  QString text;
  const int cols = m_grid.ColumnCount();
  // Same rows as the export: the header, then the readings up to the first
  // row without an Upper text.
  for (int row = 0; row < m_grid.RowCount(); ++row) {
    if (m_grid.CellText(row, 2).isEmpty()) break;
    for (int col = 0; col < cols; ++col) {
      if (col > 0) text += QLatin1Char('\t');
      text += m_grid.CellText(row, col);
    }
    text += QLatin1String("\r\n");
  }
  return text;
}

void CReadingsLog::OnCopyAll() { QGuiApplication::clipboard()->setMimeData(MakeCopyMimeData(CopyAllText())); }

void CReadingsLog::OnPrint() {
  CGridCtrl& grid = m_grid;
  m_dialogs.PreviewPrint([&grid](QPagedPaintDevice& device, const PrintProgressFn& progress) {
    return PrintGridPages(grid, device, progress);
  });
}

}  // namespace vorenx
