// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The lab records for the dialog tests: a keeper on a SQLite file in a test's
// temporary folder, with one reference standard in good standing.

#include <QDate>
#include <QDir>
#include <memory>

#include "records/RecordsKeeper.h"

namespace vorenx::testing {

inline std::unique_ptr<RecordsKeeper> TestKeeper(const QString& folder) {
  RecordsLocation location;
  location.path = QDir(folder).filePath(QStringLiteral("records.sqlite"));
  auto keeper = std::make_unique<RecordsKeeper>(location, QDir(folder).filePath(QStringLiteral("spool.sqlite")));
  QString error;
  if (LabRecords* records = keeper->Records(&error)) {
    const QDate today = QDate::currentDate();
    records->AddStandard({0, QStringLiteral("RS-1"), QStringLiteral("Reference calibrator"), QStringLiteral("RC-17"),
                          today.addMonths(-6), today.addMonths(6), {}},
                         Actor{QStringLiteral("A. Tester"), {}});
  }
  return keeper;
}

}  // namespace vorenx::testing
