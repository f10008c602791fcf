// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Where the lab's records are: a SQLite file (the default, one bench) or a
// PostgreSQL server given as postgresql://user@host:port/dbname. A password
// is never part of a location: libpq finds it in ~/.pgpass or PGPASSWORD.

#include <QString>
#include <optional>

namespace vorenx {

struct RecordsLocation {
  enum class Engine { Sqlite, Postgres };
  Engine engine = Engine::Sqlite;
  QString path;  // SQLite: the database file
  QString user;  // PostgreSQL: empty means libpq's default (the system user)
  QString host;
  int port = 5432;
  QString database;

  // The location as the user gives it again, without any password.
  QString Text() const;
  friend bool operator==(const RecordsLocation&, const RecordsLocation&) = default;
};

// $XDG_DATA_HOME/vorenx/records.sqlite.
RecordsLocation DefaultRecordsLocation();

// "postgresql://user@host:port/db" (also "postgres://"; port 5432 when left
// out), or an absolute path to a SQLite file. A URL with a password, a query,
// no host or no database is refused with the reason in `error`.
std::optional<RecordsLocation> ParseRecordsLocation(const QString& text, QString* error = nullptr);

// The records a program should open: `fromCommandLine` when it is not empty,
// else the "Records database" setting (key records/database of the INI file
// `settingsFile`), else DefaultRecordsLocation(). A value that does not parse
// is refused, not passed over: `error` says where it came from and why.
std::optional<RecordsLocation> ChooseRecordsLocation(const QString& fromCommandLine, const QString& settingsFile,
                                                     QString* error = nullptr);

}  // namespace vorenx
