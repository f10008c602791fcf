// The calibration dialog's setup form: its fields, filling them from a setup,
// reading a setup back with every problem, and showing the problems in red at
// their fields.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "calib/CCalibrationDlg.h"
#include "calib/CalibrationTexts.h"

namespace vorenx {

namespace {

void Select(QComboBox* box, int data) {
  const int index = box->findData(data);
  if (index >= 0) box->setCurrentIndex(index);
}

QLineEdit* NumberEdit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaximumWidth(90);
  return edit;
}

// A word between fields, level with their text while a problem shows below them.
QLabel* Between(const QString& text) {
  auto* label = new QLabel(text);
  label->setMinimumHeight(QLineEdit().sizeHint().height());
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

bool TakesWiring(int code) { return code == fc::kResistance || IsRtd(code); }

}  // namespace

QWidget* CCalibrationDlg::WithProblem(QWidget* field, SetupField which, const char* name) {
  auto* box = new QWidget;
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(1);
  column->addWidget(field);
  auto* problem = new QLabel;
  problem->setObjectName(QStringLiteral("problem_%1").arg(QLatin1String(name)));
  problem->setStyleSheet(QStringLiteral("color: #c00000;"));
  problem->setWordWrap(true);
  problem->setVisible(false);
  column->addWidget(problem);
  if (field->objectName().isEmpty()) field->setObjectName(QLatin1String(name));
  m_fields[which] = field;
  m_problems[which] = problem;
  return box;
}

QWidget* CCalibrationDlg::BuildForm() {
  auto* form = new QWidget;
  form->setMaximumWidth(480);
  auto* column = new QVBoxLayout(form);
  column->setContentsMargins(0, 0, 0, 0);

  auto* dut = new QGroupBox(tr("Instrument under test"));
  auto* dutRows = new QFormLayout(dut);
  m_tag = new QLineEdit;
  m_description = new QLineEdit;
  m_technician = new QLineEdit;
  dutRows->addRow(tr("Tag:"), WithProblem(m_tag, SetupField::Tag, "tag"));
  dutRows->addRow(tr("Description:"), WithProblem(m_description, SetupField::Description, "description"));
  dutRows->addRow(tr("Technician:"), WithProblem(m_technician, SetupField::Technician, "technician"));
  column->addWidget(dut);

  auto* input = new QGroupBox(tr("Input (sourced on the lower display)"));
  auto* inputRows = new QFormLayout(input);
  m_inputFunction = new QComboBox;
  for (int code = fc::kLowerFirst; code <= fc::kLowerLast; ++code) m_inputFunction->addItem(FunctionName(code), code);
  m_wiring = new QComboBox;
  m_wiring->setObjectName(QStringLiteral("wiring"));
  m_wiring->addItem(tr("2-wire"), fc::kTwoWire);
  m_wiring->addItem(tr("3-wire"), fc::kThreeWire);
  m_wiring->addItem(tr("4-wire"), fc::kFourWire);
  m_tempUnit = new QComboBox;
  m_tempUnit->setObjectName(QStringLiteral("temperatureUnit"));
  m_tempUnit->addItem(QStringLiteral("\u2103"), 1);
  m_tempUnit->addItem(QStringLiteral("\u2109"), 0);
  auto* functionRow = new QWidget;
  auto* functionLine = new QHBoxLayout(functionRow);
  functionLine->setContentsMargins(0, 0, 0, 0);
  functionLine->addWidget(m_inputFunction, 1);
  functionLine->addWidget(m_wiring);
  functionLine->addWidget(m_tempUnit);
  inputRows->addRow(tr("Function:"), WithProblem(functionRow, SetupField::InputFunction, "inputFunction"));
  m_inputFunction->setObjectName(QStringLiteral("inputFunctionList"));
  m_inputLow = NumberEdit(QStringLiteral("inputLow"));
  m_inputHigh = NumberEdit(QStringLiteral("inputHigh"));
  m_inputUnit = Between(QString());
  auto* inputSpan = new QWidget;
  auto* inputLine = new QHBoxLayout(inputSpan);
  inputLine->setContentsMargins(0, 0, 0, 0);
  inputLine->addWidget(WithProblem(m_inputLow, SetupField::InputLow, "inputLow"), 0, Qt::AlignTop);
  inputLine->addWidget(Between(tr("to")), 0, Qt::AlignTop);
  inputLine->addWidget(WithProblem(m_inputHigh, SetupField::InputHigh, "inputHigh"), 0, Qt::AlignTop);
  inputLine->addWidget(m_inputUnit, 1, Qt::AlignTop);
  inputRows->addRow(tr("Span:"), inputSpan);
  column->addWidget(input);

  auto* output = new QGroupBox(tr("Output (measured on the upper display)"));
  auto* outputRows = new QFormLayout(output);
  m_outputFunction = new QComboBox;
  for (int code = fc::kUpperVoltage; code <= fc::kUpperLoop; ++code) m_outputFunction->addItem(FunctionName(code), code);
  m_transfer = new QComboBox;
  m_transfer->setObjectName(QStringLiteral("transfer"));
  m_transfer->addItem(tr("Linear"), static_cast<int>(OutputTransfer::Linear));
  m_transfer->addItem(tr("Square root"), static_cast<int>(OutputTransfer::SquareRoot));
  auto* outputFunctionRow = new QWidget;
  auto* outputFunctionLine = new QHBoxLayout(outputFunctionRow);
  outputFunctionLine->setContentsMargins(0, 0, 0, 0);
  outputFunctionLine->addWidget(m_outputFunction, 1);
  outputFunctionLine->addWidget(m_transfer);
  outputRows->addRow(tr("Function:"), WithProblem(outputFunctionRow, SetupField::OutputFunction, "outputFunction"));
  m_outputFunction->setObjectName(QStringLiteral("outputFunctionList"));
  m_outputLow = NumberEdit(QStringLiteral("outputLow"));
  m_outputHigh = NumberEdit(QStringLiteral("outputHigh"));
  m_outputUnit = Between(QString());
  auto* outputSpan = new QWidget;
  auto* outputLine = new QHBoxLayout(outputSpan);
  outputLine->setContentsMargins(0, 0, 0, 0);
  outputLine->addWidget(WithProblem(m_outputLow, SetupField::OutputLow, "outputLow"), 0, Qt::AlignTop);
  outputLine->addWidget(Between(tr("to")), 0, Qt::AlignTop);
  outputLine->addWidget(WithProblem(m_outputHigh, SetupField::OutputHigh, "outputHigh"), 0, Qt::AlignTop);
  outputLine->addWidget(m_outputUnit, 1, Qt::AlignTop);
  outputRows->addRow(tr("Span:"), outputSpan);
  column->addWidget(output);

  auto* test = new QGroupBox(tr("Test"));
  auto* testRows = new QFormLayout(test);
  m_points = new QLineEdit;
  m_points->setToolTip(tr("Points in % of the input span, separated by \", \" or \";\"; decimals with \".\""));
  m_runDown = new QCheckBox(tr("Run down again (hysteresis)"));
  m_runDown->setObjectName(QStringLiteral("runDown"));
  auto* pointsBox = WithProblem(m_points, SetupField::Points, "points");
  pointsBox->layout()->addWidget(m_runDown);
  testRows->addRow(tr("Test points (%):"), pointsBox);
  m_tolerance = NumberEdit(QStringLiteral("tolerance"));
  m_toleranceUnit = new QComboBox;
  m_toleranceUnit->setObjectName(QStringLiteral("toleranceUnit"));
  m_toleranceUnit->addItem(tr("% of span"), static_cast<int>(ToleranceUnit::PercentOfSpan));
  m_toleranceUnit->addItem(tr("output units"), static_cast<int>(ToleranceUnit::OutputUnits));
  auto* toleranceRow = new QWidget;
  auto* toleranceLine = new QHBoxLayout(toleranceRow);
  toleranceLine->setContentsMargins(0, 0, 0, 0);
  toleranceLine->addWidget(WithProblem(m_tolerance, SetupField::Tolerance, "tolerance"), 0, Qt::AlignTop);
  toleranceLine->addWidget(m_toleranceUnit, 1, Qt::AlignTop);
  testRows->addRow(tr("Tolerance: \u00B1"), toleranceRow);
  m_settleReadings = new QSpinBox;
  m_settleReadings->setObjectName(QStringLiteral("settleReadings"));
  m_settleReadings->setRange(1, 100);
  m_settleBand = NumberEdit(QStringLiteral("settleBand"));
  m_settleTimeout = NumberEdit(QStringLiteral("settleTimeout"));
  auto* settleRow = new QWidget;
  auto* settleLine = new QHBoxLayout(settleRow);
  settleLine->setContentsMargins(0, 0, 0, 0);
  settleLine->addWidget(WithProblem(m_settleReadings, SetupField::SettleReadings, "settleReadings"), 0, Qt::AlignTop);
  settleLine->addWidget(Between(tr("readings within")), 0, Qt::AlignTop);
  settleLine->addWidget(WithProblem(m_settleBand, SetupField::SettleBand, "settleBand"), 0, Qt::AlignTop);
  settleLine->addWidget(Between(tr("% of the tolerance")), 1, Qt::AlignTop);
  testRows->addRow(tr("Settled when:"), settleRow);
  auto* timeoutRow = new QWidget;
  auto* timeoutLine = new QHBoxLayout(timeoutRow);
  timeoutLine->setContentsMargins(0, 0, 0, 0);
  timeoutLine->addWidget(WithProblem(m_settleTimeout, SetupField::SettleTimeout, "settleTimeout"), 0, Qt::AlignTop);
  timeoutLine->addWidget(Between(tr("s at most; a point that has not settled by then fails")), 1, Qt::AlignTop);
  testRows->addRow(tr("Waiting:"), timeoutRow);
  column->addWidget(test);
  column->addStretch(1);

  connect(m_inputFunction, &QComboBox::activated, this, [this] { OnInputFunctionChosen(); });
  connect(m_tempUnit, &QComboBox::activated, this, [this] { OnInputFunctionChosen(); });
  connect(m_outputFunction, &QComboBox::activated, this, [this] { OnOutputFunctionChosen(); });
  return form;
}

void CCalibrationDlg::ShowSetup(const CalibrationSetup& s) {
  m_tag->setText(s.tag);
  m_description->setText(s.description);
  m_technician->setText(s.technician);
  Select(m_inputFunction, s.inputFunction);
  Select(m_wiring, s.wiring);
  Select(m_tempUnit, s.celsius ? 1 : 0);
  m_inputLow->setText(NumberText(s.inputLow));
  m_inputHigh->setText(NumberText(s.inputHigh));
  Select(m_outputFunction, s.outputFunction);
  m_outputLow->setText(NumberText(s.outputLow));
  m_outputHigh->setText(NumberText(s.outputHigh));
  Select(m_transfer, static_cast<int>(s.transfer));
  m_points->setText(PointsFieldText(s.pointsPercent));
  m_runDown->setChecked(s.runDown);
  m_tolerance->setText(NumberText(s.tolerance));
  Select(m_toleranceUnit, static_cast<int>(s.toleranceUnit));
  m_settleReadings->setValue(s.settle.readings);
  m_settleBand->setText(NumberText(s.settle.bandFraction * 100.0));
  m_settleTimeout->setText(NumberText(s.settle.timeoutSeconds));
  UpdateInputControls();
}

CalibrationSetup CCalibrationDlg::FormSetup(std::vector<SetupProblem>* problems) const {
  CalibrationSetup s;
  std::vector<SetupProblem> unread;
  auto number = [&](QLineEdit* edit, SetupField field, double& into) {
    if (ParseNumberField(edit->text(), into)) return;
    // Not a number: no other check compares with it.
    into = std::nan("");
    unread.push_back({field, tr("Enter a number, for example 4 or 0.5.")});
  };
  s.tag = m_tag->text();
  s.description = m_description->text();
  s.technician = m_technician->text();
  s.inputFunction = static_cast<FunctionCode>(m_inputFunction->currentData().toInt());
  s.wiring = static_cast<FunctionCode>(m_wiring->currentData().toInt());
  s.celsius = m_tempUnit->currentData().toInt() == 1;
  number(m_inputLow, SetupField::InputLow, s.inputLow);
  number(m_inputHigh, SetupField::InputHigh, s.inputHigh);
  s.outputFunction = static_cast<FunctionCode>(m_outputFunction->currentData().toInt());
  number(m_outputLow, SetupField::OutputLow, s.outputLow);
  number(m_outputHigh, SetupField::OutputHigh, s.outputHigh);
  s.transfer = static_cast<OutputTransfer>(m_transfer->currentData().toInt());
  QString pointsError;
  if (!ParsePointsField(m_points->text(), s.pointsPercent, pointsError))
    unread.push_back({SetupField::Points, pointsError});
  s.runDown = m_runDown->isChecked();
  number(m_tolerance, SetupField::Tolerance, s.tolerance);
  s.toleranceUnit = static_cast<ToleranceUnit>(m_toleranceUnit->currentData().toInt());
  s.settle.readings = m_settleReadings->value();
  double band = s.settle.bandFraction * 100.0;
  number(m_settleBand, SetupField::SettleBand, band);
  s.settle.bandFraction = band / 100.0;
  number(m_settleTimeout, SetupField::SettleTimeout, s.settle.timeoutSeconds);

  if (problems) {
    // A field that could not be read keeps its default for the checks, whose
    // problems with it would only confuse; the "not a number" message stands.
    std::vector<SetupProblem> all = unread;
    auto range = [this](FunctionCode f, bool c, double& lo, double& hi) { m_host.LowerRange(f, c, lo, hi); };
    for (const SetupProblem& p : ValidateSetup(s, range)) {
      const bool known = std::any_of(unread.begin(), unread.end(), [&](const SetupProblem& u) { return u.field == p.field; });
      if (known) continue;
      // The field shows the band in % of the tolerance, not as a fraction.
      if (p.field == SetupField::SettleBand)
        all.push_back({p.field, tr("The band must be more than 0 and at most 100 % of the tolerance.")});
      else
        all.push_back(p);
    }
    std::stable_sort(all.begin(), all.end(), [](const SetupProblem& a, const SetupProblem& b) { return a.field < b.field; });
    *problems = std::move(all);
  }
  return s;
}

void CCalibrationDlg::ShowProblems(const std::vector<SetupProblem>& problems) {
  for (auto& [field, label] : m_problems) {
    QStringList lines;
    for (const SetupProblem& p : problems)
      if (p.field == field) lines << p.message;
    label->setText(lines.join(QLatin1Char('\n')));
    label->setVisible(!lines.isEmpty());
  }
  if (!problems.empty()) {
    QWidget* first = Field(problems.front().field);
    if (first == m_fields[SetupField::InputFunction]) first = m_inputFunction;
    if (first == m_fields[SetupField::OutputFunction]) first = m_outputFunction;
    if (first) first->setFocus(Qt::OtherFocusReason);
  }
}

QWidget* CCalibrationDlg::Field(SetupField field) const {
  const auto it = m_fields.find(field);
  return it == m_fields.end() ? nullptr : it->second;
}

QLabel* CCalibrationDlg::ProblemLabel(SetupField field) const {
  const auto it = m_problems.find(field);
  return it == m_problems.end() ? nullptr : it->second;
}

void CCalibrationDlg::UpdateInputControls() {
  const int code = m_inputFunction->currentData().toInt();
  m_wiring->setEnabled(TakesWiring(code));
  m_tempUnit->setEnabled(IsTemperature(code));
  const bool celsius = m_tempUnit->currentData().toInt() == 1;
  m_inputUnit->setText(FunctionUnit(code, celsius));
  m_outputUnit->setText(FunctionUnit(m_outputFunction->currentData().toInt(), celsius));
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
  UpdateInputControls();
}

}  // namespace vorenx
