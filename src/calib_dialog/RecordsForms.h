// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Two small forms on the lab's records: a reference standard with its
// accuracy table ("Add standard..." in the calibration dialog, the register
// window's standards) and an instrument's fields (the register window's
// "Edit"). The store checks what they hand on again and says what is wrong,
// and the caller shows that.

#include <QDialog>
#include <map>
#include <vector>

#include "calib_dialog/AccuracyTableEdit.h"
#include "records/LabRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vorenx {

// A reference standard, new or kept: serial, description, its certificate's
// number and dates, and its accuracy table. OK reads the fields and checks
// them as the store does; each problem is shown in red at its field and the
// form stays open, so nothing is handed on until the standard can be kept.
class CStandardDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CStandardDlg(QWidget* parent = nullptr);
  // Fills the form with a kept standard to change: its serial stays, and a
  // reason for the change is asked for.
  void ShowStandard(const ReferenceStandard& standard);
  ReferenceStandard Standard() const;
  QString Reason() const;
  // Every problem of the fields as they are (a missing reason included, as
  // a problem of no StandardField: its `row` is kReasonRow).
  std::vector<StandardProblem> Problems() const;
  static constexpr int kReasonRow = -2;

  AccuracyTableEdit* AccuracyTable() const { return m_accuracy; }
  // Checks the fields; closes with Accepted only when there is no problem.
  void accept() override;

 private:
  // Kept within the screen it opens on (its size may not fit at a large scale factor).
  void showEvent(QShowEvent* event) override;
  // A date field's date; invalid for an empty field or one that is not a date.
  static QDate DateOf(const QLineEdit* edit);
  void ShowProblems(const std::vector<StandardProblem>& problems);

  ReferenceStandard m_read;
  bool m_editing = false;
  QLineEdit* m_serial;
  QLineEdit* m_description;
  QLineEdit* m_certificate;
  QLineEdit* m_calibratedOn;
  QLineEdit* m_dueOn;
  AccuracyTableEdit* m_accuracy;
  QLabel* m_reasonTitle;
  QLineEdit* m_reason;
  std::map<int, QLabel*> m_problems;  // by StandardField, and kReasonRow for the reason
};

class CInstrumentEditDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CInstrumentEditDlg(QWidget* parent = nullptr);
  // Fills the fields; the id, tag and version go back unchanged with Edited().
  void ShowInstrument(const Instrument& instrument);
  Instrument Edited() const;

 private:
  Instrument m_read;
  QLineEdit* m_description;
  QLineEdit* m_manufacturer;
  QLineEdit* m_model;
  QLineEdit* m_serial;
  QLineEdit* m_location;
  QLineEdit* m_owner;
  QSpinBox* m_interval;
  QComboBox* m_state;
};

}  // namespace vorenx
