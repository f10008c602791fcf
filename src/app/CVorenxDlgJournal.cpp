// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The main window's side of the readings journal, which the station writes:
// starting it, and "Open Journal Folder". Its failures reach the status
// line's tooltip through the station (ConnectStation).
#include <QDesktopServices>
#include <QUrl>

#include "app/CVorenxDlg.h"
#include "log/CReadingsLog.h"
#include "platform/UserDialogs.h"

namespace vorenx {

namespace {
const char* const kOpenJournalFolder = "Open Journal Folder";
}  // namespace

void CVorenxDlg::StartJournal(const QString& folder) {
  m_openFolder = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  AddLogMenuEntries();
  m_station.StartJournal(folder);
}

ReadingsMenu& CVorenxDlg::ReadingsContextMenu() { return m_log->Menu(); }

void CVorenxDlg::AddJournalMenuEntry() {
  // The log owns the table's context menu ("Copy All", "Print..."); the
  // journal's entry joins them, greyed out when no journal is written.
  m_log->Menu().AddEntry(
      QString::fromLatin1(kOpenJournalFolder), [this] { OnOpenJournalFolder(); },
      [this] { return Journal() != nullptr; });
}

void CVorenxDlg::OnOpenJournalFolder() {
  if (!Journal()) return;
  const QString folder = Journal()->Folder();
  if (!m_openFolder || !m_openFolder(folder))
    m_userDialogs->ShowMessage(nullptr, tr("Cannot open the journal folder %1").arg(folder));
}

}  // namespace vorenx
