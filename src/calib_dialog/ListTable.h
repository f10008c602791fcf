// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The read-only lists of the register windows: whole rows selected one at a
// time, no row numbers, the last column stretched. Named for the tests.

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace vorenx {

inline QTableWidget* ListTable(const QString& name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

}  // namespace vorenx
