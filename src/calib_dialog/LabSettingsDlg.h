// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// "Laboratory...": the laboratory's identity its certificates carry (name,
// address, authorised signatory and role, country) and the language its
// certificates are printed in, kept in the program's
// settings file through records/LabSettings.h. OK keeps the fields; a country
// that is not a two-letter code is refused at its field and the dialog stays.

#include <QDialog>

#include "records/CertificateData.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vorenx {

class CLabSettingsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CLabSettingsDlg(QString settingsFile, QWidget* parent = nullptr);

  // The identity as the fields hold it.
  LabIdentity Lab() const;
  // The sentence shown under the fields when the identity cannot be kept.
  QLabel* Problem() const { return m_problem; }

 public slots:
  // Keeps the fields and closes, or shows why not and stays open.
  void accept() override;

 private:
  QString m_settingsFile;
  QLineEdit* m_name;
  QPlainTextEdit* m_address;
  QLineEdit* m_signatoryName;
  QLineEdit* m_signatoryRole;
  QLineEdit* m_country;
  QComboBox* m_language;
  QLabel* m_problem;
};

}  // namespace vorenx
