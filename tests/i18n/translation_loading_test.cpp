// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Finding and installing the translations, the --lang option, and the
// certificate's words that translate only inside a certificate's language.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include "app/AppOptions.h"
#include "platform/Translations.h"
#include "records/CertificateWords.h"
#include "records/LabSettings.h"

namespace vorenx {
namespace {

QString Translate(const QTranslator& t, const char* context, const char* source) {
  return t.translate(context, source);
}

TEST(TranslationLoadingTest, FindsEachLanguageAndNoneForEnglishOrAnUnknownOne) {
  const auto de = LoadVorenxTranslator(QStringLiteral("de_DE.UTF-8"));
  ASSERT_TRUE(de);
  EXPECT_EQ(Translate(*de, "vorenx::CVorenxDlg", "Laboratory..."), QStringLiteral("Labor..."));
  const auto zh = LoadVorenxTranslator(QStringLiteral("zh-CN"));
  ASSERT_TRUE(zh);
  EXPECT_EQ(Translate(*zh, "vorenx::CertificateWords", "Measurement uncertainty"), QStringLiteral("测量不确定度"));
  // A region without a file of its own takes its language's.
  EXPECT_TRUE(LoadVorenxTranslator(QStringLiteral("de_AT")));
  for (const char* none : {"en", "en_GB", "C", "POSIX", "", "xx", "fr_FR"})
    EXPECT_FALSE(LoadVorenxTranslator(QString::fromLatin1(none))) << none;
}

TEST(TranslationLoadingTest, InstallingAnUnknownLanguageIsRefusedAndEnglishNeedsNone) {
  EXPECT_FALSE(InstallTranslations(QStringLiteral("xx")));
  EXPECT_TRUE(InstallTranslations(QStringLiteral("en")));
  EXPECT_EQ(QCoreApplication::translate("vorenx::CVorenxDlg", "Laboratory..."), QStringLiteral("Laboratory..."));
}

TEST(TranslationLoadingTest, LangOptionTakesALanguageAndRefusesAnythingElse) {
  EXPECT_EQ(ParseAppOptions({QStringLiteral("--lang"), QStringLiteral("zh_CN")}).options.lang, QStringLiteral("zh_CN"));
  EXPECT_EQ(ParseAppOptions({QStringLiteral("--lang=de_DE.UTF-8")}).options.lang, QStringLiteral("de_DE.UTF-8"));
  for (const char* bad : {"", "../../etc/x", "de DE", "de_"}) {
    const ParsedOptions parsed = ParseAppOptions({QStringLiteral("--lang"), QString::fromLatin1(bad)});
    EXPECT_TRUE(parsed.error.contains(QLatin1String("--lang"))) << bad << ": " << parsed.error.toStdString();
  }
  EXPECT_TRUE(UsageText().contains(QLatin1String("--lang LANG")));
}

TEST(CertificateLanguageSetting, KeptWithTheLabAndOnlyALanguageCertificatesCanBePrintedIn) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("vorenx.ini"));
  LabIdentity lab;
  lab.name = QStringLiteral("Lab");
  EXPECT_TRUE(LoadLabIdentity(file).certificateLanguage.isEmpty());  // English unless set
  lab.certificateLanguage = QStringLiteral("zh_CN");
  ASSERT_TRUE(SaveLabIdentity(lab, file));
  EXPECT_EQ(LoadLabIdentity(file), lab);
  lab.certificateLanguage = QStringLiteral("fr");
  QString error;
  EXPECT_FALSE(SaveLabIdentity(lab, file, &error));
  EXPECT_TRUE(error.contains(QLatin1String("\"fr\""))) << error.toStdString();
  EXPECT_EQ(LoadLabIdentity(file).certificateLanguage, QStringLiteral("zh_CN"));
  for (const CertificateLanguage& l : CertificateLanguages())
    EXPECT_EQ(l.code.isEmpty(), !LoadVorenxTranslator(l.code)) << l.code.toStdString();
}

TEST(CertificateWordsTest, EnglishOutsideACertificateLanguageAndRestoredAfterIt) {
  const auto de = LoadVorenxTranslator(QStringLiteral("de"));
  const auto zh = LoadVorenxTranslator(QStringLiteral("zh_CN"));
  ASSERT_TRUE(de && zh);
  // The window's language does not reach them: the files written stay English.
  QCoreApplication::installTranslator(de.get());
  EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Measurement uncertainty"));
  {
    const ScopedCertificateLanguage german(de.get());
    EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Messunsicherheit"));
    {
      const ScopedCertificateLanguage chinese(zh.get());
      EXPECT_EQ(CertificateWords::tr("Page %1 of %2").arg(1).arg(2), QStringLiteral("第 1 页，共 2 页"));
    }
    EXPECT_EQ(CertificateWords::tr("Page %1 of %2").arg(1).arg(2), QStringLiteral("Seite 1 von 2"));
    // A text without a translation comes back as written.
    EXPECT_EQ(CertificateWords::tr("no such text"), QStringLiteral("no such text"));
  }
  EXPECT_EQ(CertificateWords::tr("Page %1 of %2").arg(1).arg(2), QStringLiteral("Page 1 of 2"));
  // Shown in a dialog they speak the window's language, and a certificate
  // drawn meanwhile keeps its own, English included.
  {
    const ScopedWindowWords shown;
    EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Messunsicherheit"));
    {
      const ScopedCertificateLanguage english(nullptr);
      EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Measurement uncertainty"));
      const ScopedCertificateLanguage chinese(zh.get());
      EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("测量不确定度"));
    }
    EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Messunsicherheit"));
  }
  EXPECT_EQ(CertificateWords::tr("Measurement uncertainty"), QStringLiteral("Measurement uncertainty"));
  QCoreApplication::removeTranslator(de.get());
}

}  // namespace
}  // namespace vorenx
