// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <pwd.h>
#include <unistd.h>

namespace vorenx {

namespace {

// The advisory lock every writer on a PostgreSQL records database takes
// ("Vorenx" in ASCII); advisory locks are per database.
constexpr qint64 kWriteLockKey = 0x566f72656e78;

QString UniqueConnectionName() {
  static std::atomic<quint64> counter{0};
  return QStringLiteral("vorenx-records-%1").arg(counter.fetch_add(1, std::memory_order_relaxed));
}

}  // namespace

RecordsConnection::RecordsConnection(RecordsLocation location)
    : m_location(std::move(location)), m_name(UniqueConnectionName()) {
  if (IsPostgres()) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    m_db.setHostName(m_location.host);
    m_db.setPort(m_location.port);
    m_db.setUserName(m_location.user);
    m_db.setDatabaseName(m_location.database);
    // No password: libpq reads ~/.pgpass and PGPASSWORD itself.
    m_db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=vorenx"));
  } else {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(m_location.path);
    // Another process holding the write lock is waited for, not failed at once.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
  }
}

RecordsConnection::~RecordsConnection() {
  if (m_db.isOpen()) m_db.close();
  m_db = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_name);
}

QString RecordsConnection::Describe() const {
  if (IsPostgres())
    return QStringLiteral("the records server %1:%2 (database %3)").arg(m_location.host).arg(m_location.port).arg(m_location.database);
  return QStringLiteral("the records file %1").arg(m_location.path);
}

bool RecordsConnection::Open(QString* error) {
  if (!m_db.isValid()) {
    *error = QStringLiteral("Cannot open %1: the Qt SQL driver %2 is not installed.")
                 .arg(Describe(), IsPostgres() ? QStringLiteral("QPSQL (libqt6sql6-psql)") : QStringLiteral("QSQLITE (libqt6sql6-sqlite)"));
    return false;
  }
  if (!IsPostgres()) {
    const QString folder = QFileInfo(m_location.path).absolutePath();
    if (!QDir().mkpath(folder)) {
      *error = QStringLiteral("Cannot make the folder %1 for the records file.").arg(folder);
      return false;
    }
  }
  if (m_db.open()) return true;
  *error = QStringLiteral("Cannot open %1: %2").arg(Describe(), EngineText(m_db.lastError()));
  return false;
}

QString EngineText(const QSqlError& error) {
  const QString database = error.databaseText().trimmed();
  const QString driver = error.driverText().trimmed();
  if (database.isEmpty()) return driver;
  if (driver.isEmpty() || database.contains(driver)) return database;
  return driver + QLatin1String(": ") + database;
}

bool RunQuery(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error, const QString& doing) {
  // A statement without values runs as it is: PostgreSQL prepares only
  // queries and data changes, not BEGIN or CREATE.
  bool ok = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
  if (ok && !values.isEmpty()) {
    // A null QString binds as SQL NULL; the records keep an empty text as "".
    // Only a null variant (QVariant(QMetaType(...))) is meant as NULL.
    for (const QVariant& v : values) {
      const bool emptyText = v.typeId() == QMetaType::QString && !v.isNull() && v.toString().isNull();
      query.addBindValue(emptyText ? QVariant(QStringLiteral("")) : v);
    }
    ok = query.exec();
  }
  if (!ok && error)
    *error = (doing.isEmpty() ? QString() : doing + QLatin1String(": ")) + EngineText(query.lastError());
  return ok;
}

WriteTransaction::~WriteTransaction() {
  if (!m_open) return;
  QSqlQuery rollback(m_connection.Database());
  rollback.exec(QStringLiteral("ROLLBACK"));
}

bool WriteTransaction::Begin(QString* error) {
  QSqlQuery q(m_connection.Database());
  const QString doing = QStringLiteral("Cannot start a change of the records");
  if (!m_connection.IsPostgres()) {
    m_open = RunQuery(q, QStringLiteral("BEGIN IMMEDIATE"), {}, error, doing);
    return m_open;
  }
  if (!RunQuery(q, QStringLiteral("BEGIN"), {}, error, doing)) return false;
  m_open = true;
  return RunQuery(q, QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kWriteLockKey}, error, doing);
}

bool WriteTransaction::Commit(QString* error) {
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("COMMIT"), {}, error, QStringLiteral("Cannot keep the change"))) return false;
  m_open = false;
  return true;
}

QString SystemUserName() {
  char buffer[4096];
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
    return QString::fromLocal8Bit(found->pw_name);
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? QStringLiteral("unknown") : user;
}

}  // namespace vorenx
