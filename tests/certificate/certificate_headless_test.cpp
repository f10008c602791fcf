// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A program without a QGuiApplication (a QCoreApplication only) is told that
// it cannot draw the certificate, instead of stopping on Qt's fatal error.
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CertificateSamples.h"
#include "certificate/CertificatePdf.h"

namespace vorenx::testing {
namespace {

TEST(CertificatePdfWithoutGui, IsRefusedWithAReasonAndWritesNothing) {
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(WriteCertificatePdf(FullCertificate(), dir.filePath(QStringLiteral("c.pdf")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("QGuiApplication"))) << error.toStdString();
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
}  // namespace vorenx::testing
