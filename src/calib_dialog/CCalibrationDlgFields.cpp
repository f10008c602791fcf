// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibration dialog's fields: filling them from a setup, reading a
// setup and the ambient conditions back with every problem, and showing the
// problems in red at their fields.
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "calib_dialog/CCalibrationDlg.h"
#include "records/CertificateWords.h"
#include "calib_dialog/CalibrationTexts.h"

namespace vorenx {

namespace {

void Select(QComboBox* box, int data) {
  const int index = box->findData(data);
  if (index >= 0) box->setCurrentIndex(index);
}

// `text` broken into lines of at most `width` pixels at spaces. A label that
// wraps by itself asks its layout for height-for-width, which a form in a
// scroll area does not give, and gets squeezed.
QString Wrapped(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(QLatin1Char('\n'));
}

// The problems of fields that could be read, after those that could not: a
// check of a field that kept its default would only confuse.
std::vector<SetupProblem> AfterUnread(std::vector<SetupProblem> unread, const std::vector<SetupProblem>& checked) {
  std::vector<SetupProblem> all = unread;
  for (const SetupProblem& p : checked) {
    const bool known = std::any_of(unread.begin(), unread.end(), [&](const SetupProblem& u) { return u.field == p.field; });
    if (!known) all.push_back(p);
  }
  return all;
}

}  // namespace

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
  // A setup saved before the resolution was kept has none: it is asked for.
  m_resolution->setText(s.resolution > 0.0 ? NumberText(s.resolution) : QString());
  Select(m_rule, static_cast<int>(s.rule));
  UpdateInputControls();
}

void CCalibrationDlg::ShowNewSetup(CalibrationSetup setup) {
  if (!(setup.resolution > 0.0)) setup.resolution = kDefaultResolution;
  ShowSetup(setup);
}

void CCalibrationDlg::ClearEnvironment() {
  m_ambientTemperature->clear();
  m_humidity->clear();
}

Environment CCalibrationDlg::FormEnvironment(std::vector<SetupProblem>* problems) const {
  Environment e;
  std::vector<SetupProblem> unread;
  auto read = [&](QLineEdit* edit, SetupField field, std::optional<double>& into) {
    if (edit->text().trimmed().isEmpty()) return;  // missing: the check below says so
    double value = 0.0;
    if (ParseNumberField(edit->text(), value))
      into = value;
    else
      unread.push_back({field, tr("Enter a number, for example 21.5.")});
  };
  read(m_ambientTemperature, SetupField::AmbientTemperature, e.temperatureC);
  read(m_humidity, SetupField::Humidity, e.humidityPercent);
  if (problems) *problems = AfterUnread(unread, ValidateEnvironment(e));
  return e;
}

std::vector<SetupProblem> CCalibrationDlg::FormProblems(CalibrationSetup* setup, Environment* environment) const {
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  std::vector<SetupProblem> problems, more;
  const CalibrationSetup s = FormSetup(&problems);
  const Environment e = FormEnvironment(&more);
  problems.insert(problems.end(), more.begin(), more.end());
  if (setup) *setup = s;
  if (environment) *environment = e;
  return problems;
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
  // Empty reads as not entered (0), which the checks refuse.
  s.resolution = 0.0;
  if (!m_resolution->text().trimmed().isEmpty()) number(m_resolution, SetupField::Resolution, s.resolution);
  s.rule = static_cast<DecisionRule>(m_rule->currentData().toInt());

  if (problems) {
    // A field that could not be read keeps its default for the checks, whose
    // problems with it would only confuse; the "not a number" message stands.
    auto range = [this](FunctionCode f, bool c, double& lo, double& hi) { m_host.LowerRange(f, c, lo, hi); };
    std::vector<SetupProblem> checked = ValidateSetup(s, range);
    for (SetupProblem& p : checked)  // the field shows the band in % of the tolerance, not as a fraction
      if (p.field == SetupField::SettleBand)
        p.message = tr("The band must be more than 0 and at most 100 % of the tolerance.");
    std::vector<SetupProblem> all = AfterUnread(unread, checked);
    const bool resolutionShown =
        std::any_of(all.begin(), all.end(), [](const SetupProblem& p) { return p.field == SetupField::Resolution; });
    if (!resolutionShown && !(s.resolution > 0.0))
      all.push_back({SetupField::Resolution, tr("Enter the resolution of the instrument under test: its last digit "
                                                "in output units, more than 0.")});
    std::stable_sort(all.begin(), all.end(), [](const SetupProblem& a, const SetupProblem& b) { return a.field < b.field; });
    *problems = std::move(all);
  }
  return s;
}

void CCalibrationDlg::OnFieldEdited() {
  const bool shown = std::any_of(m_problems.begin(), m_problems.end(),
                                 [](const auto& entry) { return !entry.second->isHidden(); });
  if (!shown) return;
  ShowProblems(FormProblems(nullptr, nullptr), false);
}

void CCalibrationDlg::ShowProblems(const std::vector<SetupProblem>& problems, bool focusFirst) {
  for (auto& [field, label] : m_problems) {
    QStringList lines;
    const int width = std::max(200, m_tag->width());
    for (const SetupProblem& p : problems)
      if (p.field == field) lines << Wrapped(p.message, label->fontMetrics(), width);
    label->setText(lines.join(QLatin1Char('\n')));
    label->setVisible(!lines.isEmpty());
  }
  if (focusFirst && !problems.empty()) {
    QWidget* first = Field(problems.front().field);
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

}  // namespace vorenx
