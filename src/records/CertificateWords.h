// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The texts of the records layer that go onto certificates and into written
// files. They are translated only where a certificate is drawn for a language
// (ScopedCertificateLanguage), never by the window's language: the CSV, the
// JSON records and the digital certificate stay in English.

#include <QString>

class QTranslator;

namespace vorenx {

class CertificateWords {
 public:
  // `source` translated by the current certificate language, else as written.
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
};

}  // namespace vorenx
