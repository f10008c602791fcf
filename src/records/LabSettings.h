// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The laboratory's identity in the program's settings file (vorenx.ini,
// QSettings' INI format, group "lab"): name, address, authorised signatory
// and role, country, and the language its certificates are printed in (not
// the window's). Read by every program that issues certificates.

#include <QString>
#include <vector>

#include "records/CertificateData.h"

namespace vorenx {

// The identity kept in `settingsFile`; empty fields where nothing is kept.
LabIdentity LoadLabIdentity(const QString& settingsFile);
// Keeps `lab` in `settingsFile` (fields trimmed; an empty field is removed);
// false with a sentence in `error` when the file cannot be written.
bool SaveLabIdentity(const LabIdentity& lab, const QString& settingsFile, QString* error = nullptr);

// The longest address kept (names and roles: kMaxInstrumentTextLength).
inline constexpr int kMaxLabAddressLength = 1000;

// What is wrong with `lab` before it is kept, as a sentence; empty when
// nothing is: a field too long, or a country that is not two capital letters.
QString LabIdentityProblem(const LabIdentity& lab);

// The languages a certificate can be printed in, the setting's value first
// ("" for English), each with its name as written in that language.
struct CertificateLanguage {
  QString code;
  QString name;
};
const std::vector<CertificateLanguage>& CertificateLanguages();

}  // namespace vorenx
