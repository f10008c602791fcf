// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The window's language: the program's translations (vorenx_LANG.qm) and Qt's
// own (qtbase_LANG.qm), chosen from --lang or the system's locale.

#include <QString>
#include <QStringList>
#include <memory>

class QTranslator;

namespace vorenx {

// The folders searched for vorenx_*.qm, first match wins: $VORENX_TRANSLATIONS,
// the installed share/vorenx/translations beside the program's bin folder,
// the build tree's translations folder, /usr/share/vorenx/translations.
QStringList TranslationFolders();

// A translator for `language` ("de", "zh_CN", "de_DE.UTF-8"...), or null when
// there is no translation for it (English, the texts' own language, has none).
std::unique_ptr<QTranslator> LoadVorenxTranslator(const QString& language);

// Installs the translations for `language` (empty: QLocale::system()) into the
// application. Returns false when a language was asked for that has no
// translation; the texts then stay as written. Call once, after the
// application object exists.
bool InstallTranslations(const QString& language);

}  // namespace vorenx
