// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vorenx {

namespace {

// "de_DE.UTF-8" -> "de_DE"; "zh-CN" -> "zh_CN".
QString LanguageName(const QString& language) {
  QString name = language.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  name.replace(QLatin1Char('-'), QLatin1Char('_'));
  return name;
}

bool IsEnglish(const QString& name) {
  return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX") ||
         name.startsWith(QLatin1String("en"));
}

}  // namespace

QStringList TranslationFolders() {
  QStringList folders;
  const QString fromEnvironment = qEnvironmentVariable("VORENX_TRANSLATIONS");
  if (!fromEnvironment.isEmpty()) folders << fromEnvironment;
  if (QCoreApplication::instance())
    folders << QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/vorenx/translations"));
#ifdef VORENX_BUILD_TRANSLATIONS
  folders << QStringLiteral(VORENX_BUILD_TRANSLATIONS);
#endif
  folders << QStringLiteral("/usr/share/vorenx/translations");
  return folders;
}

std::unique_ptr<QTranslator> LoadVorenxTranslator(const QString& language) {
  const QString name = LanguageName(language);
  if (IsEnglish(name)) return nullptr;
  const QLocale locale(name);
  for (const QString& folder : TranslationFolders()) {
    auto translator = std::make_unique<QTranslator>();
    // QTranslator tries "vorenx_zh_CN", then "vorenx_zh": a region without its own file takes the language's.
    if (translator->load(locale, QStringLiteral("vorenx"), QStringLiteral("_"), folder)) return translator;
  }
  return nullptr;
}

bool InstallTranslations(const QString& language) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  const QString asked = language.isEmpty() ? QLocale::system().name() : language;
  std::unique_ptr<QTranslator> own = LoadVorenxTranslator(asked);
  if (!own) return language.isEmpty() || IsEnglish(LanguageName(language));
  // Qt's own texts (the standard buttons, the file dialog) in the same language, where installed.
  auto qt = std::make_unique<QTranslator>(app);
  if (qt->load(QLocale(LanguageName(asked)), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qt.release());
  own->setParent(app);
  QCoreApplication::installTranslator(own.release());
  return true;
}

}  // namespace vorenx
