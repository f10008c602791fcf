// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The dialog's certificates: the digital certificate of the calibration kept
// in the records, with the laboratory of the settings, and the "Laboratory"
// dialog that keeps it.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/LabSettingsDlg.h"
#include "records/LabSettings.h"

namespace vorenx {
namespace {

class CertificateSaving : public ::testing::Test {
 protected:
  CertificateSaving()
      : store(dir.filePath("calibrations"), dir.filePath("calibration-setup.json")),
        keeper(testing::TestKeeper(dir.path())) {
    host.defaults = testing::DialogSetup();
    dlg = std::make_unique<CCalibrationDlg>(host, store, *keeper);
    dlg->SetDialogs(dialogs);
    testing::EnterEnvironment(*dlg);
  }
  QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  CalibrationStore store;
  std::unique_ptr<RecordsKeeper> keeper;
  testing::FakeCalibrationHost host;
  testing::FakeCalibrationDialogs dialogs;
  std::unique_ptr<CCalibrationDlg> dlg;
};

TEST_F(CertificateSaving, TheDigitalCertificateIsTheKeptCalibrationsWithTheLabOfTheSettings) {
  ASSERT_TRUE(SaveLabIdentity({"Bench Lab", "1 Street", "S. Igner", "Manager", "GB", ""}, store.SettingsFile()));
  auto* button = dlg->findChild<QPushButton*>(QStringLiteral("saveDcc"));
  ASSERT_TRUE(button);
  EXPECT_FALSE(button->isEnabled());  // nothing to certify yet
  ASSERT_TRUE(dlg->StartAsFound());
  for (int i = 0; i < 400 && dlg->ActiveRun() && !dlg->ActiveRun()->Ended(); ++i) host.Feed(1);
  QCoreApplication::processEvents();
  ASSERT_FALSE(dlg->Kept().certificateNumber.isEmpty());
  EXPECT_TRUE(button->isEnabled());

  dialogs.savePath = dir.filePath("certificate.xml");
  button->click();
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('|').toStdString();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].defaultSuffix, QStringLiteral("xml"));
  const QByteArray xml = Read(dialogs.savePath);
  EXPECT_TRUE(xml.contains("<dcc:uniqueIdentifier>" + dlg->Kept().certificateNumber.toUtf8() + "</dcc:uniqueIdentifier>"));
  EXPECT_TRUE(xml.contains("<dcc:content lang=\"en\">Bench Lab</dcc:content>"));
  EXPECT_TRUE(xml.contains("<dcc:content lang=\"en\">A. Tester</dcc:content>"));  // who calibrated

  // The PDF of the same calibration, and a path that cannot be written.
  dialogs.savePath = dir.filePath("certificate.pdf");
  dlg->SaveCertificate();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_TRUE(Read(dialogs.savePath).startsWith("%PDF-"));
  dialogs.savePath = dir.filePath("missing/certificate.xml");
  dlg->SaveDigitalCertificate();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("missing/certificate.xml")));
}

TEST(LabSettingsDialog, KeepsTheLabAndRefusesABadCountryAtItsField) {
  QTemporaryDir dir;
  const QString file = dir.filePath("vorenx.ini");
  ASSERT_TRUE(SaveLabIdentity({"Old Lab", "", "", "", "", ""}, file));
  CLabSettingsDlg dialog(file);
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("labName"));
  auto* country = dialog.findChild<QLineEdit*>(QStringLiteral("labCountry"));
  ASSERT_TRUE(name && country);
  EXPECT_EQ(name->text(), QStringLiteral("Old Lab"));
  name->setText(QStringLiteral("New Lab"));
  dialog.findChild<QPlainTextEdit*>(QStringLiteral("labAddress"))->setPlainText(QStringLiteral("1 Street\nTown"));
  dialog.findChild<QLineEdit*>(QStringLiteral("signatoryName"))->setText(QStringLiteral("S. Igner"));
  country->setText(QStringLiteral("1X"));
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.Problem()->isHidden());
  EXPECT_TRUE(dialog.Problem()->text().contains(QStringLiteral("two capital letters")));
  EXPECT_EQ(LoadLabIdentity(file).name, QStringLiteral("Old Lab"));  // nothing kept

  country->setText(QStringLiteral("gb"));  // taken in capitals
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const LabIdentity kept = LoadLabIdentity(file);
  EXPECT_EQ(kept.name, QStringLiteral("New Lab"));
  EXPECT_EQ(kept.address, QStringLiteral("1 Street\nTown"));
  EXPECT_EQ(kept.signatoryName, QStringLiteral("S. Igner"));
  EXPECT_EQ(kept.country, QStringLiteral("GB"));
}

}  // namespace
}  // namespace vorenx
