// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog's setup form: its fields and rows, and what follows
// from choosing a function.
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QPushButton>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationResultsTable.h"
#include "calib_dialog/CalibrationTexts.h"

namespace vorenx {

namespace {

QLineEdit* NumberEdit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaximumWidth(90);
  return edit;
}

}  // namespace

QWidget* CCalibrationDlg::FieldRow(const std::vector<QWidget*>& parts, const std::vector<RowField>& fields) {
  // The parts side by side, and under them, full width, a red line for the
  // problems of each field in the row (hidden while there are none).
  auto* box = new QWidget;
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(1);
  auto* line = new QHBoxLayout;
  line->setContentsMargins(0, 0, 0, 0);
  line->setSpacing(6);
  for (QWidget* part : parts) line->addWidget(part);
  if (parts.size() > 1) line->addStretch(1);
  column->addLayout(line);
  for (const RowField& f : fields) {
    auto* problem = new QLabel;
    problem->setObjectName(QStringLiteral("problem_%1").arg(QLatin1String(f.name)));
    problem->setStyleSheet(QStringLiteral("color: #c00000;"));
    problem->setVisible(false);
    column->addWidget(problem);
    if (f.widget->objectName().isEmpty()) f.widget->setObjectName(QLatin1String(f.name));
    m_fields[f.field] = f.widget;
    m_problems[f.field] = problem;
    if (auto* edit = qobject_cast<QLineEdit*>(f.widget))
      connect(edit, &QLineEdit::textEdited, this, [this] { OnFieldEdited(); });
    else if (auto* box = qobject_cast<QComboBox*>(f.widget))
      connect(box, &QComboBox::activated, this, [this] { OnFieldEdited(); });
    else if (auto* spin = qobject_cast<QSpinBox*>(f.widget))
      connect(spin, &QSpinBox::valueChanged, this, [this] { OnFieldEdited(); });
  }
  return box;
}

QWidget* CCalibrationDlg::SpanRow(QLineEdit*& low, QLineEdit*& high, QLabel*& unit, SetupField lowField,
                                  SetupField highField, const std::array<const char*, 2>& names) {
  low = NumberEdit(QLatin1String(names[0]));
  high = NumberEdit(QLatin1String(names[1]));
  unit = new QLabel;
  return FieldRow({low, new QLabel(tr("to")), high, unit}, {{low, lowField, names[0]}, {high, highField, names[1]}});
}

QWidget* CCalibrationDlg::BuildAmbient() {
  // Measured before each run, never offered from an earlier calibration;
  // below the form, so that they are in sight however far it scrolls.
  auto* ambient = new QGroupBox(tr("Ambient conditions (now, before the run)"));
  ambient->setObjectName(QStringLiteral("ambient"));
  auto* rows = new QFormLayout(ambient);
  m_ambientTemperature = NumberEdit(QStringLiteral("ambientTemperature"));
  m_humidity = NumberEdit(QStringLiteral("humidity"));
  rows->addRow(tr("Temperature:"), FieldRow({m_ambientTemperature, new QLabel(QStringLiteral("\u2103"))},
                                            {{m_ambientTemperature, SetupField::AmbientTemperature, "ambientTemperature"}}));
  rows->addRow(tr("Relative humidity:"),
               FieldRow({m_humidity, new QLabel(QStringLiteral("%"))}, {{m_humidity, SetupField::Humidity, "humidity"}}));
  // Inset as the form's groups are in their scroll area.
  auto* box = new QWidget;
  auto* inset = new QVBoxLayout(box);
  inset->setContentsMargins(inset->contentsMargins().left(), 0, inset->contentsMargins().right() + 20, 0);
  inset->addWidget(ambient);
  box->setMaximumWidth(520);
  return box;
}

QWidget* CCalibrationDlg::BuildForm() {
  auto* form = new QWidget;
  auto* column = new QVBoxLayout(form);

  auto* dut = new QGroupBox(tr("Instrument under test"));
  auto* dutRows = new QFormLayout(dut);
  m_tag = new QLineEdit;
  m_description = new QLineEdit;
  m_technician = new QLineEdit;
  dutRows->addRow(tr("Tag:"), FieldRow({m_tag}, {{m_tag, SetupField::Tag, "tag"}}));
  dutRows->addRow(tr("Description:"),
                  FieldRow({m_description}, {{m_description, SetupField::Description, "description"}}));
  dutRows->addRow(tr("Technician:"), FieldRow({m_technician}, {{m_technician, SetupField::Technician, "technician"}}));
  m_tagCompleter = new QCompleter(this);
  m_tagCompleter->setCaseSensitivity(Qt::CaseInsensitive);
  m_tag->setCompleter(m_tagCompleter);
  m_standard = new QComboBox;
  m_standard->setObjectName(QStringLiteral("standard"));
  m_standard->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_standard->setMinimumContentsLength(24);
  m_addStandard = new QPushButton(tr("Add standard..."));
  m_addStandard->setObjectName(QStringLiteral("addStandard"));
  m_addStandard->setAutoDefault(false);
  auto* standardRow = new QWidget;
  auto* standardLine = new QHBoxLayout(standardRow);
  standardLine->setContentsMargins(0, 0, 0, 0);
  standardLine->addWidget(m_standard, 1);
  standardLine->addWidget(m_addStandard);
  dutRows->addRow(tr("Reference standard:"), standardRow);
  connect(m_standard, &QComboBox::activated, this, [this] { OnStandardChosen(); });
  connect(m_addStandard, &QPushButton::clicked, this, [this] { AddStandard(); });
  column->addWidget(dut);

  auto* input = new QGroupBox(tr("Input (sourced on the lower display)"));
  auto* inputRows = new QFormLayout(input);
  m_inputFunction = new QComboBox;
  m_inputFunction->setObjectName(QStringLiteral("inputFunctionList"));
  for (int code = fc::kLowerFirst; code <= fc::kLowerLast; ++code) m_inputFunction->addItem(ShownFunctionName(code), code);
  m_wiring = new QComboBox;
  m_wiring->setObjectName(QStringLiteral("wiring"));
  for (const FunctionCode wiring : {fc::kTwoWire, fc::kThreeWire, fc::kFourWire}) m_wiring->addItem(ShownWiringName(wiring), wiring);
  m_tempUnit = new QComboBox;
  m_tempUnit->setObjectName(QStringLiteral("temperatureUnit"));
  m_tempUnit->addItem(QStringLiteral("\u2103"), 1);
  m_tempUnit->addItem(QStringLiteral("\u2109"), 0);
  inputRows->addRow(tr("Function:"), FieldRow({m_inputFunction, m_wiring, m_tempUnit},
                                              {{m_inputFunction, SetupField::InputFunction, "inputFunction"}}));
  inputRows->addRow(tr("Span:"), SpanRow(m_inputLow, m_inputHigh, m_inputUnit, SetupField::InputLow,
                                         SetupField::InputHigh, {"inputLow", "inputHigh"}));
  column->addWidget(input);

  auto* output = new QGroupBox(tr("Output (measured on the upper display)"));
  auto* outputRows = new QFormLayout(output);
  m_outputFunction = new QComboBox;
  m_outputFunction->setObjectName(QStringLiteral("outputFunctionList"));
  for (int code = fc::kUpperVoltage; code <= fc::kUpperLoop; ++code) m_outputFunction->addItem(ShownFunctionName(code), code);
  m_transfer = new QComboBox;
  m_transfer->setObjectName(QStringLiteral("transfer"));
  m_transfer->addItem(tr("Linear"), static_cast<int>(OutputTransfer::Linear));
  m_transfer->addItem(tr("Square root"), static_cast<int>(OutputTransfer::SquareRoot));
  outputRows->addRow(tr("Function:"), FieldRow({m_outputFunction, m_transfer},
                                               {{m_outputFunction, SetupField::OutputFunction, "outputFunction"}}));
  outputRows->addRow(tr("Span:"), SpanRow(m_outputLow, m_outputHigh, m_outputUnit, SetupField::OutputLow,
                                          SetupField::OutputHigh, {"outputLow", "outputHigh"}));
  column->addWidget(output);

  auto* test = new QGroupBox(tr("Test"));
  auto* testRows = new QFormLayout(test);
  m_points = new QLineEdit;
  m_points->setToolTip(tr("Points in % of the input span, separated by \", \" or \";\"; decimals with \".\""));
  testRows->addRow(tr("Test points (%):"), FieldRow({m_points}, {{m_points, SetupField::Points, "points"}}));
  m_runDown = new QCheckBox(tr("Run down again (hysteresis)"));
  m_runDown->setObjectName(QStringLiteral("runDown"));
  testRows->addRow(QString(), m_runDown);
  m_tolerance = NumberEdit(QStringLiteral("tolerance"));
  m_toleranceUnit = new QComboBox;
  m_toleranceUnit->setObjectName(QStringLiteral("toleranceUnit"));
  m_toleranceUnit->addItem(tr("% of span"), static_cast<int>(ToleranceUnit::PercentOfSpan));
  m_toleranceUnit->addItem(tr("output units"), static_cast<int>(ToleranceUnit::OutputUnits));
  testRows->addRow(tr("Tolerance: \u00B1"),
                   FieldRow({m_tolerance, m_toleranceUnit}, {{m_tolerance, SetupField::Tolerance, "tolerance"}}));
  m_resolution = NumberEdit(QStringLiteral("resolution"));
  m_resolution->setToolTip(tr("The last digit of the instrument under test's output; half of it enters each "
                              "point's uncertainty"));
  m_resolutionUnit = new QLabel;
  m_resolutionUnit->setObjectName(QStringLiteral("resolutionUnit"));
  testRows->addRow(tr("Resolution:"), FieldRow({m_resolution, m_resolutionUnit},
                                               {{m_resolution, SetupField::Resolution, "resolution"}}));
  m_rule = new QComboBox;
  m_rule->addItem(tr("Simple acceptance"), static_cast<int>(DecisionRule::SimpleAcceptance));
  m_rule->addItem(tr("Guard band (w = U)"), static_cast<int>(DecisionRule::GuardBand));
  m_rule->setToolTip(tr("Simple acceptance: a point passes within the tolerance. Guard band: it passes within the "
                        "tolerance less its uncertainty U, fails beyond the tolerance plus U, and is indeterminate "
                        "between. The certificate states the rule."));
  testRows->addRow(tr("Decision rule:"), FieldRow({m_rule}, {{m_rule, SetupField::Rule, "rule"}}));
  m_settleReadings = new QSpinBox;
  m_settleReadings->setObjectName(QStringLiteral("settleReadings"));
  m_settleReadings->setRange(1, 100);
  m_settleBand = NumberEdit(QStringLiteral("settleBand"));
  m_settleTimeout = NumberEdit(QStringLiteral("settleTimeout"));
  testRows->addRow(tr("Settled when:"),
                   FieldRow({m_settleReadings, new QLabel(tr("readings within")), m_settleBand,
                             new QLabel(tr("% of the tolerance"))},
                            {{m_settleReadings, SetupField::SettleReadings, "settleReadings"},
                             {m_settleBand, SetupField::SettleBand, "settleBand"}}));
  testRows->addRow(tr("Waiting:"),
                   FieldRow({m_settleTimeout, new QLabel(tr("s at most; a point not settled by then fails"))},
                            {{m_settleTimeout, SetupField::SettleTimeout, "settleTimeout"}}));
  column->addWidget(test);

  column->addStretch(1);

  connect(m_inputFunction, &QComboBox::activated, this, [this] { OnInputFunctionChosen(); });
  connect(m_tempUnit, &QComboBox::activated, this, [this] { OnInputFunctionChosen(); });
  connect(m_outputFunction, &QComboBox::activated, this, [this] { OnOutputFunctionChosen(); });

  // Many problems at once make the form taller than the dialog: it scrolls.
  auto* scroll = new QScrollArea;
  scroll->setWidget(form);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setMinimumWidth(form->sizeHint().width() + 20);
  scroll->setMaximumWidth(520);
  return scroll;
}

void CCalibrationDlg::UpdateInputControls() {
  const int code = m_inputFunction->currentData().toInt();
  m_wiring->setEnabled(TakesWiring(code));
  m_tempUnit->setEnabled(IsTemperature(code));
  const bool celsius = m_tempUnit->currentData().toInt() == 1;
  m_inputUnit->setText(FunctionUnit(code, celsius));
  m_outputUnit->setText(FunctionUnit(m_outputFunction->currentData().toInt(), celsius));
  m_resolutionUnit->setText(m_outputUnit->text());
  // Before a run the results' columns carry the units of the setup in the form.
  if (m_table && !m_run && !m_record.asFound && !m_record.asLeft) {
    CalibrationSetup units;
    units.inputFunction = static_cast<FunctionCode>(code);
    units.celsius = celsius;
    units.outputFunction = static_cast<FunctionCode>(m_outputFunction->currentData().toInt());
    m_table->ShowColumnsFor(units);
  }
}

void CCalibrationDlg::OnInputFunctionChosen() {
  // A function (or unit) the user picks brings its full range as the span.
  double low = 0.0, high = 0.0;
  m_host.LowerRange(static_cast<FunctionCode>(m_inputFunction->currentData().toInt()),
                    m_tempUnit->currentData().toInt() == 1, low, high);
  if (low < high) {
    m_inputLow->setText(NumberText(low));
    m_inputHigh->setText(NumberText(high));
  }
  UpdateInputControls();
}

void CCalibrationDlg::OnOutputFunctionChosen() {
  const bool voltage = m_outputFunction->currentData().toInt() == fc::kUpperVoltage;
  m_outputLow->setText(NumberText(voltage ? 0.0 : 4.0));
  m_outputHigh->setText(NumberText(voltage ? 10.0 : 20.0));
  // A resolution in the other unit would mean nothing.
  m_resolution->setText(NumberText(kDefaultResolution));
  UpdateInputControls();
}

}  // namespace vorenx
