// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/RecordsForms.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "platform/ScreenFit.h"

namespace vorenx {

namespace {

QLineEdit* Edit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(kMaxInstrumentTextLength);
  edit->setMinimumWidth(260);
  return edit;
}

// A date typed as the certificate gives it, "2027-01-10"; empty is allowed
// here and refused at the field when the form is checked.
QLineEdit* DateField(const QString& name, const QDate& date) {
  auto* edit = new QLineEdit(date.toString(Qt::ISODate));
  edit->setObjectName(name);
  edit->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
  edit->setMaximumWidth(140);
  return edit;
}

void AddButtons(QDialog& dialog, QFormLayout& rows) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  rows.addRow(buttons);
}

}  // namespace

CStandardDlg::CStandardDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Add Reference Standard"));
  auto* rows = new QFormLayout(this);
  m_serial = Edit(QStringLiteral("serial"));
  m_description = Edit(QStringLiteral("description"));
  m_certificate = Edit(QStringLiteral("certificate"));
  const QDate today = QDate::currentDate();
  m_calibratedOn = DateField(QStringLiteral("calibratedOn"), today);
  m_dueOn = DateField(QStringLiteral("dueOn"), today.addYears(1));
  m_accuracy = new AccuracyTableEdit;
  m_reason = Edit(QStringLiteral("reason"));
  m_reason->setMaxLength(kMaxReasonLength);
  m_reason->setPlaceholderText(tr("for example: new certificate DKD-5120 of 2026-03-02"));
  m_reasonTitle = new QLabel(tr("Reason for the change:"));
  // Each field with a red line under it for its problems (hidden while there are none).
  auto row = [&](QLabel* title, QWidget* field, int key) {
    auto* problem = new QLabel;
    problem->setObjectName(QStringLiteral("problem_%1").arg(field->objectName()));
    problem->setStyleSheet(QStringLiteral("color: #c00000;"));
    problem->setWordWrap(true);
    problem->setVisible(false);
    m_problems[key] = problem;
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(field);
    column->addWidget(problem);
    rows->addRow(title, box);
    return box;
  };
  row(new QLabel(tr("Serial number:")), m_serial, int(StandardField::Serial));
  row(new QLabel(tr("Description:")), m_description, int(StandardField::Description));
  row(new QLabel(tr("Certificate number:")), m_certificate, int(StandardField::CertificateNumber));
  row(new QLabel(tr("Calibrated on:")), m_calibratedOn, int(StandardField::CalibratedOn));
  row(new QLabel(tr("Due on:")), m_dueOn, int(StandardField::DueOn));
  rows->addRow(tr("Accuracy:"), m_accuracy);
  QWidget* reasonRow = row(m_reasonTitle, m_reason, kReasonRow);
  m_reasonTitle->setVisible(false);
  reasonRow->setVisible(false);
  AddButtons(*this, *rows);
  resize(860, 600);
}

void CStandardDlg::ShowStandard(const ReferenceStandard& standard) {
  m_read = standard;
  m_editing = true;
  setWindowTitle(tr("Edit Reference Standard %1").arg(standard.serial));
  m_serial->setText(standard.serial);
  m_serial->setReadOnly(true);
  m_description->setText(standard.description);
  m_certificate->setText(standard.certificateNumber);
  m_calibratedOn->setText(standard.calibratedOn.toString(Qt::ISODate));
  m_dueOn->setText(standard.dueOn.toString(Qt::ISODate));
  m_accuracy->SetTable(standard.accuracy);
  m_reasonTitle->setVisible(true);
  m_reason->parentWidget()->setVisible(true);
  ShowProblems({});
}

QDate CStandardDlg::DateOf(const QLineEdit* edit) { return QDate::fromString(edit->text().trimmed(), Qt::ISODate); }

ReferenceStandard CStandardDlg::Standard() const {
  ReferenceStandard s = m_read;
  s.serial = m_serial->text().trimmed();
  s.description = m_description->text().trimmed();
  s.certificateNumber = m_certificate->text().trimmed();
  s.calibratedOn = DateOf(m_calibratedOn);
  s.dueOn = DateOf(m_dueOn);
  s.accuracy = m_accuracy->Table();
  return s;
}

QString CStandardDlg::Reason() const { return m_reason->text().trimmed(); }

std::vector<StandardProblem> CStandardDlg::Problems() const {
  // What cannot be read at all is said first; the store's checks of the
  // same field or row would only repeat it less clearly.
  std::vector<StandardProblem> unread;
  ReferenceStandard s = Standard();
  s.accuracy = m_accuracy->Table(&unread);
  for (const auto& [edit, field, name] : {std::tuple{m_calibratedOn, StandardField::CalibratedOn, tr("Calibration date")},
                                          std::tuple{m_dueOn, StandardField::DueOn, tr("Due date")}})
    if (!edit->text().trimmed().isEmpty() && !DateOf(edit).isValid())
      unread.push_back({field, -1, tr("%1: write the date as YYYY-MM-DD, for example 2027-01-10.").arg(name)});
  std::vector<StandardProblem> all = unread;
  for (const StandardProblem& p : StandardProblems(s)) {
    const bool known = std::any_of(unread.begin(), unread.end(),
                                   [&](const StandardProblem& u) { return u.field == p.field && u.row == p.row; });
    if (!known) all.push_back(p);
  }
  if (m_editing && Reason().isEmpty())
    all.push_back({StandardField::Serial, kReasonRow,
                   tr("Reason: say why the standard's values change (a new certificate, a correction); the audit "
                      "trail keeps it.")});
  return all;
}

void CStandardDlg::ShowProblems(const std::vector<StandardProblem>& problems) {
  std::map<int, QStringList> lines;
  for (const StandardProblem& p : problems)
    if (p.row == kReasonRow) lines[kReasonRow] << p.message;
    else if (p.field != StandardField::Accuracy) lines[int(p.field)] << p.message;
  for (auto& [key, label] : m_problems) {
    label->setText(lines[key].join(QLatin1Char('\n')));
    label->setVisible(!lines[key].isEmpty());
  }
  m_accuracy->ShowProblems(problems);
}

void CStandardDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QRect fitted = FitWindowOnScreen(geometry(), frameGeometry(), screen());
  if (fitted != geometry()) setGeometry(fitted);
}

void CStandardDlg::accept() {
  const std::vector<StandardProblem> problems = Problems();
  ShowProblems(problems);
  if (problems.empty()) QDialog::accept();
}

CInstrumentEditDlg::CInstrumentEditDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Edit Instrument"));
  auto* rows = new QFormLayout(this);
  m_description = Edit(QStringLiteral("description"));
  m_manufacturer = Edit(QStringLiteral("manufacturer"));
  m_model = Edit(QStringLiteral("model"));
  m_serial = Edit(QStringLiteral("serial"));
  m_location = Edit(QStringLiteral("location"));
  m_owner = Edit(QStringLiteral("owner"));
  m_interval = new QSpinBox;
  m_interval->setObjectName(QStringLiteral("interval"));
  m_interval->setRange(1, 3650);
  m_interval->setSuffix(tr(" days"));
  m_state = new QComboBox;
  m_state->setObjectName(QStringLiteral("state"));
  for (const ServiceState s : {ServiceState::InService, ServiceState::OutOfService, ServiceState::Retired})
    m_state->addItem(ServiceStateText(s), static_cast<int>(s));
  rows->addRow(tr("Description:"), m_description);
  rows->addRow(tr("Manufacturer:"), m_manufacturer);
  rows->addRow(tr("Model:"), m_model);
  rows->addRow(tr("Serial number:"), m_serial);
  rows->addRow(tr("Location:"), m_location);
  rows->addRow(tr("Owner:"), m_owner);
  rows->addRow(tr("Interval:"), m_interval);
  rows->addRow(tr("State:"), m_state);
  AddButtons(*this, *rows);
}

void CInstrumentEditDlg::ShowInstrument(const Instrument& instrument) {
  m_read = instrument;
  setWindowTitle(tr("Edit Instrument %1").arg(instrument.tag));
  m_description->setText(instrument.description);
  m_manufacturer->setText(instrument.manufacturer);
  m_model->setText(instrument.model);
  m_serial->setText(instrument.serial);
  m_location->setText(instrument.location);
  m_owner->setText(instrument.owner);
  m_interval->setValue(instrument.intervalDays);
  m_state->setCurrentIndex(m_state->findData(static_cast<int>(instrument.state)));
}

Instrument CInstrumentEditDlg::Edited() const {
  Instrument i = m_read;
  i.description = m_description->text().trimmed();
  i.manufacturer = m_manufacturer->text().trimmed();
  i.model = m_model->text().trimmed();
  i.serial = m_serial->text().trimmed();
  i.location = m_location->text().trimmed();
  i.owner = m_owner->text().trimmed();
  i.intervalDays = m_interval->value();
  i.state = static_cast<ServiceState>(m_state->currentData().toInt());
  return i;
}

}  // namespace vorenx
