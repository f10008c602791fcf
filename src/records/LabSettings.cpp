// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "records/LabSettings.h"

#include <QObject>
#include <QRegularExpression>
#include <QSettings>
#include <algorithm>

namespace vorenx {

namespace {

struct LabKey {
  const char* key;
  QString LabIdentity::*field;
};

constexpr LabKey kKeys[] = {
    {"lab/name", &LabIdentity::name},
    {"lab/address", &LabIdentity::address},
    {"lab/signatoryName", &LabIdentity::signatoryName},
    {"lab/signatoryRole", &LabIdentity::signatoryRole},
    {"lab/country", &LabIdentity::country},
    {"lab/certificateLanguage", &LabIdentity::certificateLanguage},
};

}  // namespace

LabIdentity LoadLabIdentity(const QString& settingsFile) {
  LabIdentity lab;
  if (settingsFile.isEmpty()) return lab;
  const QSettings settings(settingsFile, QSettings::IniFormat);
  for (const LabKey& k : kKeys) lab.*k.field = settings.value(QLatin1String(k.key)).toString();
  return lab;
}

QString LabIdentityProblem(const LabIdentity& lab) {
  static const QRegularExpression code(QStringLiteral("^[A-Z]{2}$"));
  const QString country = lab.country.trimmed();
  for (const QString* field : {&lab.name, &lab.signatoryName, &lab.signatoryRole})
    if (field->size() > kMaxInstrumentTextLength)
      return CertificateWords::tr("A name or role is kept up to %1 characters.").arg(kMaxInstrumentTextLength);
  if (lab.address.size() > kMaxLabAddressLength)
    return CertificateWords::tr("The address is kept up to %1 characters.").arg(kMaxLabAddressLength);
  const QString language = lab.certificateLanguage.trimmed();
  const auto& languages = CertificateLanguages();
  if (std::none_of(languages.begin(), languages.end(), [&](const CertificateLanguage& l) { return l.code == language; }))
    return CertificateWords::tr("Certificates cannot be printed in \"%1\".").arg(language.left(20));
  if (!country.isEmpty() && !code.match(country).hasMatch())
    return CertificateWords::tr("The country is a code of two capital letters (ISO 3166-1, for example \"DE\" or \"GB\"), not \"%1\".")
        .arg(country.left(20));
  return {};
}

const std::vector<CertificateLanguage>& CertificateLanguages() {
  static const std::vector<CertificateLanguage> languages = {
      {QString(), QStringLiteral("English")},
      {QStringLiteral("de"), QStringLiteral("Deutsch")},
      {QStringLiteral("zh_CN"), QStringLiteral("简体中文")},
  };
  return languages;
}

bool SaveLabIdentity(const LabIdentity& lab, const QString& settingsFile, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (const QString problem = LabIdentityProblem(lab); !problem.isEmpty()) return fail(problem);
  if (settingsFile.isEmpty()) return fail(CertificateWords::tr("There is no settings file to keep the laboratory in."));
  QSettings settings(settingsFile, QSettings::IniFormat);
  for (const LabKey& k : kKeys) {
    const QString value = (lab.*k.field).trimmed();
    if (value.isEmpty())
      settings.remove(QLatin1String(k.key));
    else
      settings.setValue(QLatin1String(k.key), value);
  }
  settings.sync();
  if (settings.status() != QSettings::NoError)
    return fail(CertificateWords::tr("The laboratory could not be kept in %1.").arg(settingsFile));
  return true;
}

}  // namespace vorenx
