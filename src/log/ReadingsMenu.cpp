// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "log/ReadingsMenu.h"

#include <QMenu>

#include "grid/GridCtrl.h"

namespace vorenx {

ReadingsMenu::ReadingsMenu(CGridCtrl& grid) : m_grid(grid) {
  m_grid.setContextMenuPolicy(Qt::CustomContextMenu);
  m_request = QObject::connect(&m_grid, &QWidget::customContextMenuRequested, &m_grid,
                   [this](const QPoint& pos) { Show(m_grid.mapToGlobal(pos)); });
}

// The grid may outlive the menu (it is a child widget, destroyed after the window's members).
ReadingsMenu::~ReadingsMenu() { QObject::disconnect(m_request); }

void ReadingsMenu::AddEntry(const QString& text, std::function<void()> run, std::function<bool()> enabled,
                            const QKeySequence& shortcut) {
  m_entries.push_back({text, std::move(run), std::move(enabled), shortcut});
}

std::unique_ptr<QMenu> ReadingsMenu::CreateMenu() const {
  auto menu = std::make_unique<QMenu>();
  for (const Entry& entry : m_entries) {
    QAction* action = menu->addAction(entry.text);
    action->setEnabled(!entry.enabled || entry.enabled());
    if (!entry.shortcut.isEmpty()) {
      action->setShortcut(entry.shortcut);
      action->setShortcutVisibleInContextMenu(true);
    }
    QObject::connect(action, &QAction::triggered, action, entry.run);
  }
  return menu;
}

void ReadingsMenu::Show(const QPoint& globalPos) const {
  if (m_entries.empty()) return;
  const std::unique_ptr<QMenu> menu = CreateMenu();
  menu->exec(globalPos);
}

}  // namespace vorenx
