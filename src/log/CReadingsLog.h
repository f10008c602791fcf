// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The readings log: lays out the readings table (Index, Time, Upper, Lower;
// newest first), adds the newest sample of the history at the top after each
// poll, and exports the table as a comma-separated file.
//
// Every function here is a plain call on the window's thread: the worker's
// updates reach it through the station, so no paint or export ever sees a
// half-made row.

#include <QString>

#include "link/SampleHistory.h"
#include "grid/GridCtrl.h"
#include "log/ReadingsMenu.h"
#include "platform/Clock.h"
#include "platform/SpreadsheetCsv.h"
#include "platform/UserDialogs.h"

namespace vorenx {

inline constexpr unsigned kHeaderFormat = 0x5;      // centred, vertically centred
inline constexpr unsigned kIndexFormat = 0x8025;    // centred, single line, end ellipsis
inline constexpr unsigned kReadingFormat = 0x8026;  // right-aligned, single line, end ellipsis
inline constexpr int kStartRows = 16;               // the header and 15 numbered empty rows
inline constexpr int kHeaderRowHeight = 25;
inline constexpr int kReadingRowHeight = 20;

class CReadingsLog {
 public:
  // Takes the history by reference so that the log needs nothing else of the link.
  CReadingsLog(CGridCtrl& grid, SampleHistory& history, UserDialogs& dialogs,
               LocalTimeSource clock = SystemClock());

  void SetUpReadingsTable();
  // Inserts a row at the top and fills it from the newest sample, if any.
  void UpdateReadingsTable();
  // Inserts a row at the top and fills it with a sample's texts taken before
  // (by the worker, with the poll that made the sample).
  void UpdateReadingsTable(const QString& time, const QString& upper, const QString& lower);
  void InsertReadingRow();
  // Writes `text` into row 1 of `col`; false without that column or a data row.
  bool SetNewestCell(int col, const QString& text);
  // The SaveData button: ask for a file, then export.
  void OnSaveData();

  // The table's context menu (right click, the Menu key) with "Copy All"
  // and "Print..."; the window may add entries of its own.
  ReadingsMenu& Menu() { return m_menu; }
  // The readings as tab-separated lines ending in CR LF, the header line
  // first: the rows an export writes.
  QString CopyAllText() const;
  // "Copy All": that text on the clipboard.
  void OnCopyAll();
  // "Print...": the print dialog with a preview of the whole table.
  void OnPrint();
  // The export's rows for a spreadsheet: Index, Time as "2026-03-05 07:08:01"
  // (the year taken from `now`), each value as a number and its unit, in the
  // dialect's separator and decimal mark.
  QByteArray SpreadsheetText(const SpreadsheetDialect& dialect, const LocalTime& now) const;
  // "Export for a Spreadsheet...": ask for a file, then write that text in
  // the user's locale.
  void OnSaveForSpreadsheet();

  // "yyyy-mm-dd  hh-mm" of the local time (two spaces).
  static QString ProposedFileName(const LocalTime& time);
  // The save-as dialog of both exports: a CSV file named after `time`; asks
  // before creating a new file, replaces an existing one without asking.
  static SaveFileRequest SaveRequest(const LocalTime& time);

 private:
  void AddMenuEntries();

  CGridCtrl& m_grid;
  SampleHistory& m_history;
  UserDialogs& m_dialogs;
  LocalTimeSource m_clock;
  ReadingsMenu m_menu;
};

}  // namespace vorenx
