// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog's certificates: the PDF and the digital certificate
// (XML), with the laboratory's identity from the settings ("Laboratory..." in
// the main window's menu).
#include <QDateTime>
#include <QLabel>

#include "calib_dialog/CCalibrationDlg.h"
#include "certificate/CertificatePdf.h"
#include "platform/FileText.h"
#include "records/DccWriter.h"
#include "records/LabSettings.h"

namespace vorenx {

bool CCalibrationDlg::IssueCertificate(CertificateData& data) {
  const LabIdentity lab = LoadLabIdentity(m_store.SettingsFile());
  if (m_kept.origin.isEmpty()) {
    // Nothing kept yet: a certificate of the runs as they are, without a number.
    data = CertificateData{};
    data.lab = lab;
    data.summary.tag = m_record.setup.tag;
    data.record = m_record;
    data.previousAsLeft = m_previousAsLeft;
    data.previousAsLeftCertificate = m_previousAsLeftFile;
    data.issued = QDateTime::currentDateTimeUtc();
    data.software = QStringLiteral("Vorenx %1").arg(VersionText());
    return true;
  }
  // A run that went to the spool may have been sent since: keeping it again
  // finds it in the records (it is stored once) and learns its number.
  if (m_kept.calibrationId == 0) m_keeper.Keep(m_record, m_keptStandard, Actor{m_record.setup.technician, {}}, m_kept);
  QString error;
  LabRecords* records = m_kept.calibrationId == 0 ? nullptr : m_keeper.Records(&error);
  if (!records) {
    m_dialogs->ShowMessage(this, tr("The certificate is issued when the calibration has reached the lab database: it is %1.")
                                     .arg(SpooledText()));
    return false;
  }
  RecordsResult<CertificateData> loaded = LoadCertificateData(*records, m_kept.calibrationId, lab);
  if (!loaded.ok()) {
    m_dialogs->ShowMessage(this, tr("The certificate cannot be issued: %1").arg(loaded.message));
    return false;
  }
  data = std::move(loaded.value);
  return true;
}

void CCalibrationDlg::SaveCertificate() {
  CertificateData data;
  if (!IssueCertificate(data)) return;
  QString path;
  if (!AskSavePath(tr("Save Certificate"), QStringLiteral("pdf"), tr("PDF files (*.pdf)"), path)) return;
  QString error;
  if (!WriteCertificatePdf(data, path, &error)) {
    m_dialogs->ShowMessage(this, error);
    return;
  }
  m_status->setText(tr("Certificate saved to %1.").arg(path));
}

void CCalibrationDlg::SaveDigitalCertificate() {
  CertificateData data;
  if (!IssueCertificate(data)) return;
  if (data.summary.certificateNumber.isEmpty()) {
    m_dialogs->ShowMessage(this, tr("The digital certificate is issued once the calibration is in the lab database."));
    return;
  }
  QString path;
  if (!AskSavePath(tr("Save Digital Certificate"), QStringLiteral("xml"), tr("Digital calibration certificates (*.xml)"),
                   path))
    return;
  QString error;
  if (!SaveDccXml(data, path, &error)) {
    m_dialogs->ShowMessage(this, error);
    return;
  }
  m_status->setText(tr("Digital certificate saved to %1.").arg(path));
}

}  // namespace vorenx
