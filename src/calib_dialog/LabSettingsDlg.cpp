// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/LabSettingsDlg.h"
#include "records/CertificateWords.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "records/LabSettings.h"

namespace vorenx {

namespace {

QLineEdit* Field(const QString& name, const QString& text, int maxLength) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setMinimumWidth(320);
  return edit;
}

}  // namespace

CLabSettingsDlg::CLabSettingsDlg(QString settingsFile, QWidget* parent)
    : QDialog(parent), m_settingsFile(std::move(settingsFile)) {
  setWindowTitle(tr("Laboratory"));
  const LabIdentity lab = LoadLabIdentity(m_settingsFile);
  m_name = Field(QStringLiteral("labName"), lab.name, kMaxInstrumentTextLength);
  m_address = new QPlainTextEdit(lab.address);
  m_address->setObjectName(QStringLiteral("labAddress"));
  m_address->setTabChangesFocus(true);
  m_address->setFixedHeight(m_name->sizeHint().height() * 3);
  m_signatoryName = Field(QStringLiteral("signatoryName"), lab.signatoryName, kMaxInstrumentTextLength);
  m_signatoryRole = Field(QStringLiteral("signatoryRole"), lab.signatoryRole, kMaxInstrumentTextLength);
  m_country = Field(QStringLiteral("labCountry"), lab.country, 2);
  m_country->setPlaceholderText(tr("DE"));
  m_language = new QComboBox;
  m_language->setObjectName(QStringLiteral("certificateLanguage"));
  for (const CertificateLanguage& l : CertificateLanguages()) m_language->addItem(l.name, l.code);
  m_language->setCurrentIndex(std::max(0, m_language->findData(lab.certificateLanguage)));
  m_problem = new QLabel;
  m_problem->setObjectName(QStringLiteral("problem"));
  m_problem->setStyleSheet(QStringLiteral("color: #b00020"));
  m_problem->setWordWrap(true);
  m_problem->hide();

  auto* rows = new QFormLayout(this);
  rows->addRow(tr("Name:"), m_name);
  rows->addRow(tr("Address:"), m_address);
  rows->addRow(tr("Authorised signatory:"), m_signatoryName);
  rows->addRow(tr("Signatory's role:"), m_signatoryRole);
  rows->addRow(tr("Country (ISO 3166 code):"), m_country);
  rows->addRow(tr("Certificate language:"), m_language);
  rows->addRow(m_problem);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CLabSettingsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CLabSettingsDlg::reject);
  rows->addRow(buttons);
}

LabIdentity CLabSettingsDlg::Lab() const {
  LabIdentity lab;
  lab.name = m_name->text().trimmed();
  lab.address = m_address->toPlainText().trimmed();
  lab.signatoryName = m_signatoryName->text().trimmed();
  lab.signatoryRole = m_signatoryRole->text().trimmed();
  lab.country = m_country->text().trimmed().toUpper();
  lab.certificateLanguage = m_language->currentData().toString();
  return lab;
}

void CLabSettingsDlg::accept() {
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  QString error;
  if (!SaveLabIdentity(Lab(), m_settingsFile, &error)) {
    m_problem->setText(error);
    m_problem->show();
    if (!LabIdentityProblem(Lab()).isEmpty()) m_country->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace vorenx
