// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CAlarmDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorenx {

namespace {

// Reads one field into `value`; on failure `why` names it.
bool ReadField(const QLineEdit* field, const QString& name, std::optional<double>& value, QString& why) {
  QString reason;
  if (ParseLimitField(field->text(), value, &reason)) return true;
  why = name + QStringLiteral(": ") + reason;
  return false;
}

}  // namespace

CAlarmDlg::CAlarmDlg(const AlarmSettings& settings, const QString& upperUnit, const QString& lowerUnit,
                     QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Alarms"));
  auto* layout = new QVBoxLayout(this);
  auto* displays = new QHBoxLayout;
  displays->addWidget(CreateDisplayGroup(tr("Upper"), upperUnit, settings.upper, m_fields[0]));
  displays->addWidget(CreateDisplayGroup(tr("Lower"), lowerUnit, settings.lower, m_fields[1]));
  layout->addLayout(displays);

  m_beep = new QCheckBox(tr("Beep when an alarm is raised"), this);
  m_beep->setChecked(settings.beep);
  layout->addWidget(m_beep);
  auto* programRow = new QHBoxLayout;
  programRow->addWidget(new QLabel(tr("Run program:"), this));
  m_program = new QLineEdit(settings.program, this);
  m_program->setObjectName(QStringLiteral("program"));
  m_program->setPlaceholderText(tr("none"));
  m_program->setToolTip(
      tr("Started when an alarm is raised, with the display (upper or lower), the reading and the limit as its "
         "three arguments; never through a shell."));
  programRow->addWidget(m_program, 1);
  auto* browse = new QPushButton(tr("Browse..."), this);
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &CAlarmDlg::ChooseProgram);
  programRow->addWidget(browse);
  layout->addLayout(programRow);

  m_problem = new QLabel(this);
  m_problem->setObjectName(QStringLiteral("problem"));
  m_problem->setStyleSheet(QStringLiteral("color: #c00000"));
  m_problem->setWordWrap(true);
  layout->addWidget(m_problem);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAlarmDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CAlarmDlg::reject);
  layout->addWidget(buttons);
}

QWidget* CAlarmDlg::CreateDisplayGroup(const QString& title, const QString& unit, const AlarmLimits& limits,
                                       Fields& fields) {
  auto* group = new QGroupBox(unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit), this);
  auto* form = new QFormLayout(group);
  fields.high = new QLineEdit(LimitFieldText(limits.high), group);
  fields.low = new QLineEdit(LimitFieldText(limits.low), group);
  fields.hysteresis = new QLineEdit(AlarmNumberText(limits.hysteresis), group);
  fields.high->setPlaceholderText(tr("none"));
  fields.low->setPlaceholderText(tr("none"));
  form->addRow(tr("High limit:"), fields.high);
  form->addRow(tr("Low limit:"), fields.low);
  form->addRow(tr("Hysteresis:"), fields.hysteresis);
  return group;
}

void CAlarmDlg::ChooseProgram() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Alarm Program"), m_program->text());
  if (!path.isEmpty()) m_program->setText(path);
}

AlarmSettings CAlarmDlg::Settings() const {
  AlarmSettings s;
  QString ignored;
  AlarmLimits* limits[2] = {&s.upper, &s.lower};
  for (int d = 0; d < 2; ++d) {
    ReadField(m_fields[d].high, {}, limits[d]->high, ignored);
    ReadField(m_fields[d].low, {}, limits[d]->low, ignored);
    std::optional<double> hysteresis;
    ReadField(m_fields[d].hysteresis, {}, hysteresis, ignored);
    limits[d]->hysteresis = hysteresis.value_or(0.0);
  }
  s.beep = m_beep->isChecked();
  s.program = m_program->text().trimmed();
  return s;
}

QString CAlarmDlg::Problem() const {
  const char* names[2] = {"upper", "lower"};
  for (int d = 0; d < 2; ++d) {
    std::optional<double> unused;
    QString why;
    const QString display = QLatin1String(names[d]);
    if (!ReadField(m_fields[d].high, display + QStringLiteral(" high limit"), unused, why) ||
        !ReadField(m_fields[d].low, display + QStringLiteral(" low limit"), unused, why) ||
        !ReadField(m_fields[d].hysteresis, display + QStringLiteral(" hysteresis"), unused, why))
      return why;
  }
  return AlarmSettingsProblem(Settings());
}

void CAlarmDlg::accept() {
  const QString problem = Problem();
  m_problem->setText(problem);
  if (problem.isEmpty()) QDialog::accept();
}

}  // namespace vorenx
