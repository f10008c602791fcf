// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The records database's schema, the same on SQLite and PostgreSQL, built by
// numbered migrations. Each applied migration is a row of `schema_version`;
// they are applied when a store opens, all in one transaction. Migrations only
// add (tables, nullable columns or columns with defaults, indexes), so a
// program one schema behind keeps working on a database migrated by a newer
// one; a database no program of this schema can use is refused, never written.

#include <QString>
#include <vector>

#include "records/LabRecords.h"
#include "records/RecordsConnection.h"

namespace vorenx {

struct Migration {
  int version = 0;
  // The oldest program schema that can still use a database at this version:
  // 1 for a migration that only adds (every older program keeps working).
  int oldestReader = 0;
  QString description;
  // Run on both engines; "%KEY%" stands for each engine's generated key column.
  std::vector<QString> statements;
  std::vector<QString> sqliteOnly;
  std::vector<QString> postgresOnly;
};

// The program's migrations, oldest first.
const std::vector<Migration>& RecordsMigrations();

// Makes sure the database behind `connection` is a records database (or
// empty), not one this program cannot use, sets the engine's options (SQLite:
// WAL, foreign keys, synchronous FULL) and applies the migrations it lacks.
// Returns the schema version it is at. A foreign or damaged file and a newer
// schema are refused before anything is written.
RecordsResult<int> PrepareSchema(RecordsConnection& connection, const std::vector<Migration>& migrations);

}  // namespace vorenx
