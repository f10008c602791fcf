// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One thread's connection to the records database, and the write transaction
// every change runs in. Qt SQL connections belong to the thread that made
// them, so each store object has its own, under a name no other has, removed
// from Qt's list when the object goes.

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include "records/RecordsLocation.h"

class QSqlError;
class QSqlQuery;

namespace vorenx {

class RecordsConnection {
 public:
  explicit RecordsConnection(RecordsLocation location);
  ~RecordsConnection();
  RecordsConnection(const RecordsConnection&) = delete;
  RecordsConnection& operator=(const RecordsConnection&) = delete;

  // Connects; on failure `error` names the file or server and the engine's reason.
  bool Open(QString* error);
  QSqlDatabase& Database() { return m_db; }
  bool IsPostgres() const { return m_location.engine == RecordsLocation::Engine::Postgres; }
  const RecordsLocation& Location() const { return m_location; }
  // "the records server 127.0.0.1:5432 (database vorenx)" or "the records file /path".
  QString Describe() const;

 private:
  RecordsLocation m_location;
  QString m_name;
  QSqlDatabase m_db;
};

// The engine's own words for `error`, driver text and database text joined.
QString EngineText(const QSqlError& error);

// Prepares `sql`, binds `values` in order and runs it; on failure `error`
// gets `doing` and the engine's reason. Values are only ever bound, never
// written into the statement.
bool RunQuery(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error,
              const QString& doing = QString());

// A transaction that holds the database's one write lock from its start, so
// that two benches appending to the audit chain or counting certificates wait
// for each other: BEGIN IMMEDIATE on SQLite, a transaction-level advisory lock
// on PostgreSQL. Rolled back unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(RecordsConnection& connection) : m_connection(connection) {}
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  bool Begin(QString* error);
  bool Commit(QString* error);

 private:
  RecordsConnection& m_connection;
  bool m_open = false;
};

// The name of the user this process runs as ("unknown" when there is none).
QString SystemUserName();

}  // namespace vorenx
