// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The readings table's context menu: entries that the window adds (each a
// text, what it does, whether it can be chosen now and the window's key for
// it), shown on a right click on the table and by the Menu key.

#include <QKeySequence>
#include <QMetaObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QPoint;

namespace vorenx {

class CGridCtrl;

class ReadingsMenu {
 public:
  // Shows the menu on a right click on `grid` (which must outlive it).
  explicit ReadingsMenu(CGridCtrl& grid);
  ~ReadingsMenu();
  ReadingsMenu(const ReadingsMenu&) = delete;
  ReadingsMenu& operator=(const ReadingsMenu&) = delete;

  // `shortcut` is the key that runs the same command in the window; the menu
  // shows it beside the text.
  void AddEntry(const QString& text, std::function<void()> run, std::function<bool()> enabled = {},
                const QKeySequence& shortcut = {});
  // The menu as it would be shown now; tests look at it without showing it.
  std::unique_ptr<QMenu> CreateMenu() const;

 private:
  struct Entry {
    QString text;
    std::function<void()> run;
    std::function<bool()> enabled;
    QKeySequence shortcut;
  };
  void Show(const QPoint& globalPos) const;

  CGridCtrl& m_grid;
  std::vector<Entry> m_entries;
  QMetaObject::Connection m_request;
};

}  // namespace vorenx
