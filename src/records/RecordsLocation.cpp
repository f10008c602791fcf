// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/RecordsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include "platform/FileText.h"

namespace vorenx {

QString RecordsLocation::Text() const {
  if (engine == Engine::Sqlite) return path;
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setUserName(user);
  url.setHost(host);
  url.setPort(port);
  url.setPath(QLatin1Char('/') + database);
  return url.toString(QUrl::FullyEncoded);
}

RecordsLocation DefaultRecordsLocation() {
  RecordsLocation location;
  location.path = AppDataPath(QStringLiteral("records.sqlite"));
  return location;
}

std::optional<RecordsLocation> ParseRecordsLocation(const QString& text, QString* error) {
  auto refuse = [&](const QString& why) -> std::optional<RecordsLocation> {
    if (error) *error = why;
    return std::nullopt;
  };
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return refuse(QStringLiteral("No records location given."));
  if (!trimmed.contains(QLatin1String("://"))) {
    if (!QDir::isAbsolutePath(trimmed))
      return refuse(QStringLiteral("A records file must be given with its full path: %1").arg(trimmed));
    RecordsLocation location;
    location.path = QDir::cleanPath(trimmed);
    return location;
  }
  const QUrl url(trimmed, QUrl::StrictMode);
  if (!url.isValid()) return refuse(QStringLiteral("Not a records address: %1 (%2)").arg(trimmed, url.errorString()));
  const QString scheme = url.scheme().toLower();
  if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))
    return refuse(QStringLiteral("Unknown records address \"%1\": use postgresql://user@host:port/database").arg(scheme));
  if (!url.password().isEmpty())
    return refuse(QStringLiteral("A password in the records address is not kept: put it in ~/.pgpass or PGPASSWORD."));
  if (url.hasQuery() || url.hasFragment())
    return refuse(QStringLiteral("The records address takes no options after \"?\" or \"#\": %1").arg(trimmed));
  RecordsLocation location;
  location.engine = RecordsLocation::Engine::Postgres;
  location.user = url.userName(QUrl::FullyDecoded);
  location.host = url.host(QUrl::FullyDecoded);
  location.port = url.port(5432);
  QString database = url.path(QUrl::FullyDecoded);
  if (database.startsWith(QLatin1Char('/'))) database.remove(0, 1);
  location.database = database;
  if (location.host.isEmpty()) return refuse(QStringLiteral("The records address names no server: %1").arg(trimmed));
  if (location.database.isEmpty() || location.database.contains(QLatin1Char('/')))
    return refuse(QStringLiteral("The records address names no database (…/dbname): %1").arg(trimmed));
  return location;
}

std::optional<RecordsLocation> ChooseRecordsLocation(const QString& fromCommandLine, const QString& settingsFile,
                                                     QString* error) {
  QString why;
  if (!fromCommandLine.isEmpty()) {
    std::optional<RecordsLocation> given = ParseRecordsLocation(fromCommandLine, &why);
    if (!given && error) *error = QStringLiteral("--records: %1").arg(why);
    return given;
  }
  if (!settingsFile.isEmpty() && QFileInfo::exists(settingsFile)) {
    const QSettings settings(settingsFile, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
      if (error) *error = QStringLiteral("The settings file %1 cannot be read.").arg(settingsFile);
      return std::nullopt;
    }
    const QString kept = settings.value(QStringLiteral("records/database")).toString();
    if (!kept.trimmed().isEmpty()) {
      std::optional<RecordsLocation> set = ParseRecordsLocation(kept, &why);
      if (!set && error) *error = QStringLiteral("The records database set in %1: %2").arg(settingsFile, why);
      return set;
    }
  }
  return DefaultRecordsLocation();
}

}  // namespace vorenx
