// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The texts of the records layer that go onto certificates and into written
// files. They are translated only where a certificate is drawn for a language
// (ScopedCertificateLanguage) or where the window shows them
// (ScopedWindowWords), never otherwise: the CSV, the JSON records and the
// digital certificate stay in English.

#include <QString>

class QTranslator;

namespace vorenx {

class CertificateWords {
 public:
  // `source` translated by the current certificate language, or by the
  // window's inside ScopedWindowWords, else as written.
  // %n takes `n` as Qt's translate() does.
  static QString tr(const char* source, const char* disambiguation = nullptr, int n = -1);
};

namespace detail {
// Keeps this thread's choice of words (a certificate's language, the
// window's, or English) and puts it back when it ends: the scopes nest.
class ScopedWordsRestore {
 protected:
  ScopedWordsRestore();
  ~ScopedWordsRestore();
  ScopedWordsRestore(const ScopedWordsRestore&) = delete;
  ScopedWordsRestore& operator=(const ScopedWordsRestore&) = delete;

 private:
  const QTranslator* m_previous;
  bool m_previousWindow;
};
}  // namespace detail

// While it lives, CertificateWords::tr() on this thread translates with
// `translator` (null: English). Nests; the previous language comes back.
class ScopedCertificateLanguage : detail::ScopedWordsRestore {
 public:
  explicit ScopedCertificateLanguage(const QTranslator* translator);
};

// While it lives, CertificateWords::tr() on this thread speaks the window's
// language (the application's installed translators): for the records
// layer's texts the dialogs show. A certificate language set inside it wins.
class ScopedWindowWords : detail::ScopedWordsRestore {
 public:
  ScopedWindowWords();
};

}  // namespace vorenx
