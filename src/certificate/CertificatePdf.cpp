// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "certificate/CertificatePdf.h"

#include <QGuiApplication>
#include <QObject>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTranslator>
#include <memory>

#include "certificate/CalibrationCertificate.h"
#include "platform/Translations.h"
#include "records/CertificateTexts.h"

namespace vorenx {

bool WriteCertificatePdf(const CertificateData& data, const QString& path, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = CertificateWords::tr("The certificate could not be written to %1: %2").arg(path, why);
    return false;
  };
  // Fonts and painting need the GUI side of Qt, even without a screen.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return fail(CertificateWords::tr("the program has no graphical application to draw it with (start it with "
                            "QGuiApplication; the offscreen platform is enough)"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  bool painted = false;
  {
    // The certificate speaks the lab's certificate language, whatever the window's.
    const std::unique_ptr<QTranslator> language = LoadVorenxTranslator(data.lab.certificateLanguage);
    const ScopedCertificateLanguage words(language.get());
    QPdfWriter writer(&file);
    writer.setPageLayout(CalibrationCertificate::DefaultPageLayout());
    writer.setResolution(600);
    writer.setTitle(CertificateWords::tr("Calibration certificate %1").arg(CertificateIdText(data)));
    writer.setCreator(data.software.isEmpty() ? QStringLiteral("Vorenx") : data.software);
    painted = CalibrationCertificate(data).Paint(writer);
  }
  if (!painted) {
    file.cancelWriting();  // the temporary file goes with `file`
    return fail(CertificateWords::tr("the PDF could not be painted"));
  }
  if (file.error() != QFileDevice::NoError || file.size() <= 0) {
    const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                             : CertificateWords::tr("nothing was written (is the disk full?)");
    file.cancelWriting();
    return fail(why);
  }
  if (!file.commit()) return fail(file.errorString());
  return true;
}

}  // namespace vorenx
