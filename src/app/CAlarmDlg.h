// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// "Alarms...": the high and low limit and the hysteresis of each display,
// the beep and the program run when an alarm is raised. OK keeps the dialog
// open while a field is wrong and says why under the fields.

#include <QDialog>
#include <array>

#include "app/AlarmSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorenx {

class CAlarmDlg : public QDialog {
  Q_OBJECT

 public:
  // `upperUnit`, `lowerUnit`: the units the displays show now (the limits' unit).
  CAlarmDlg(const AlarmSettings& settings, const QString& upperUnit, const QString& lowerUnit,
            QWidget* parent = nullptr);

  // The settings as the fields hold them; valid only when Problem() is empty.
  AlarmSettings Settings() const;
  // Why the fields cannot be taken; empty when they can.
  QString Problem() const;

  // The fields, for tests: display 0 upper, 1 lower.
  QLineEdit* HighField(int display) const { return m_fields[display].high; }
  QLineEdit* LowField(int display) const { return m_fields[display].low; }
  QLineEdit* HysteresisField(int display) const { return m_fields[display].hysteresis; }
  QCheckBox* BeepBox() const { return m_beep; }
  QLineEdit* ProgramField() const { return m_program; }
  QLabel* ProblemLabel() const { return m_problem; }
  QPushButton* OkButton() const { return m_ok; }

  void accept() override;

 private:
  struct Fields {
    QLineEdit* high = nullptr;
    QLineEdit* low = nullptr;
    QLineEdit* hysteresis = nullptr;
  };
  QWidget* CreateDisplayGroup(const QString& title, const QString& unit, const AlarmLimits& limits, Fields& fields);
  void ChooseProgram();

  std::array<Fields, 2> m_fields;
  QCheckBox* m_beep = nullptr;
  QLineEdit* m_program = nullptr;
  QLabel* m_problem = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace vorenx
