// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vorenx {

namespace {
// Per thread: a certificate drawn on one thread never changes another's words.
thread_local const QTranslator* t_language = nullptr;
thread_local bool t_window = false;  // the window's language, not t_language
}  // namespace

QString CertificateWords::tr(const char* source, const char* disambiguation, int n) {
  QString text;
  if (t_window)
    text = QCoreApplication::translate("vorenx::CertificateWords", source, disambiguation, n);
  else if (t_language)
    text = t_language->translate("vorenx::CertificateWords", source, disambiguation, n);
  if (text.isEmpty()) text = QString::fromUtf8(source);
  if (n >= 0) text.replace(QLatin1String("%n"), QString::number(n));
  return text;
}

namespace detail {
ScopedWordsRestore::ScopedWordsRestore() : m_previous(t_language), m_previousWindow(t_window) {}

ScopedWordsRestore::~ScopedWordsRestore() {
  t_language = m_previous;
  t_window = m_previousWindow;
}
}  // namespace detail

ScopedCertificateLanguage::ScopedCertificateLanguage(const QTranslator* translator) {
  t_language = translator;
  t_window = false;
}

ScopedWindowWords::ScopedWindowWords() { t_window = true; }

}  // namespace vorenx
