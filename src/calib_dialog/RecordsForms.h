#pragma once
// Two small forms on the lab's records: a new reference standard ("Add
// standard..." in the calibration dialog) and an instrument's fields (the
// register window's "Edit"). They only collect the fields; the store checks
// them and says what is wrong, and the caller shows that.

#include <QDialog>

#include "records/LabRecords.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

namespace vorenx {

class CStandardDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CStandardDlg(QWidget* parent = nullptr);
  ReferenceStandard Standard() const;

 private:
  QLineEdit* m_serial;
  QLineEdit* m_description;
  QLineEdit* m_certificate;
  QDateEdit* m_calibratedOn;
  QDateEdit* m_dueOn;
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
