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

// While it lives, CertificateWords::tr() on this thread translates with
// `translator` (null: English). Nests; the previous language comes back.
class ScopedCertificateLanguage {
 public:
  explicit ScopedCertificateLanguage(const QTranslator* translator);
  ~ScopedCertificateLanguage();
  ScopedCertificateLanguage(const ScopedCertificateLanguage&) = delete;
  ScopedCertificateLanguage& operator=(const ScopedCertificateLanguage&) = delete;

 private:
  const QTranslator* m_previous;
  bool m_previousWindow;
};

// While it lives, CertificateWords::tr() on this thread speaks the window's
// language (the application's installed translators): for the records
// layer's texts the dialogs show. A certificate language set inside it wins.
class ScopedWindowWords {
 public:
  ScopedWindowWords();
  ~ScopedWindowWords();
  ScopedWindowWords(const ScopedWindowWords&) = delete;
  ScopedWindowWords& operator=(const ScopedWindowWords&) = delete;

 private:
  const QTranslator* m_previous;
  bool m_previousWindow;
};

}  // namespace vorenx
