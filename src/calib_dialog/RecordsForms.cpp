#include "calib_dialog/RecordsForms.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace vorenx {

namespace {

QLineEdit* Edit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaxLength(kMaxInstrumentTextLength);
  edit->setMinimumWidth(260);
  return edit;
}

QDateEdit* DateEdit(const QString& name, const QDate& date) {
  auto* edit = new QDateEdit(date);
  edit->setObjectName(name);
  edit->setCalendarPopup(true);
  edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
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
  m_calibratedOn = DateEdit(QStringLiteral("calibratedOn"), today);
  m_dueOn = DateEdit(QStringLiteral("dueOn"), today.addYears(1));
  rows->addRow(tr("Serial number:"), m_serial);
  rows->addRow(tr("Description:"), m_description);
  rows->addRow(tr("Certificate number:"), m_certificate);
  rows->addRow(tr("Calibrated on:"), m_calibratedOn);
  rows->addRow(tr("Due on:"), m_dueOn);
  AddButtons(*this, *rows);
}

ReferenceStandard CStandardDlg::Standard() const {
  ReferenceStandard s;
  s.serial = m_serial->text().trimmed();
  s.description = m_description->text().trimmed();
  s.certificateNumber = m_certificate->text().trimmed();
  s.calibratedOn = m_calibratedOn->date();
  s.dueOn = m_dueOn->date();
  return s;
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
