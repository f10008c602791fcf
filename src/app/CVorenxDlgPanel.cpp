// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The settings panel: the handlers that turn the user's choices into the
// link's request and a queued command, the show/hide rules of the lower
// group's shared places, the label texts, and the refresh that brings the
// controls into line with the instrument's decoded state.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTabBar>

#include "app/CEditEx.h"
#include "app/EditRules.h"
#include "app/CVorenxDlg.h"
#include "app/FunctionTexts.h"

namespace vorenx {

namespace {
enum LowerTab { kTabVol = 0, kTabCurr = 1, kTabResis = 2, kTabRtd = 3, kTabTc = 4 };

// Sets a control only where it differs, so that an unchanged control is left alone.
void SetChecked(QCheckBox* box, bool checked) {
  if (box->isChecked() != checked) box->setChecked(checked);
}
void SetIndex(QComboBox* list, int index) {
  if (list->currentIndex() != index) list->setCurrentIndex(index);
}
}  // namespace

void CVorenxDlg::UpdateSpanLabel() { m_spanLabel->setText(UpperSpanText(m_upperList->currentIndex())); }

void CVorenxDlg::UpdateUnitLabel() {
  if (!m_outBox->isChecked()) return;
  m_unitLabel->setText(UnitText(m_link.Request().lowerFunction, m_celsiusBox->isChecked()));
}

void CVorenxDlg::UpdateRangeLabel() {
  const InstrumentState request = m_link.Request();
  m_rangeLabel->setText(RangeText(m_display, request.lowerFunction, request.celsius));
}

void CVorenxDlg::ShowTabControls() {
  for (QWidget* w : std::initializer_list<QWidget*>{m_divLabel, m_voltUnitList, m_hartBox, m_simulationBox,
                                                    m_wiringList, m_tcList, m_cjcBox, m_rtdList, m_celsiusBox})
    w->hide();
  const bool out = m_outBox->isChecked();
  switch (m_tabs->currentIndex()) {
    case kTabVol:
      m_divLabel->show();
      m_voltUnitList->show();
      break;
    case kTabCurr:
      m_hartBox->setVisible(out);
      m_simulationBox->setVisible(out);
      break;
    case kTabResis:
      m_wiringList->setVisible(!out);
      break;
    case kTabRtd:
      m_celsiusBox->show();
      m_rtdList->show();
      m_wiringList->setVisible(!out);
      break;
    case kTabTc:
      m_celsiusBox->show();
      m_tcList->show();
      m_cjcBox->show();
      break;
    default:
      break;
  }
}

void CVorenxDlg::ApplyOutputState() {
  const bool out = m_outBox->isChecked();
  const int tab = m_tabs->currentIndex();
  m_wiringList->setVisible(!out && (tab == kTabResis || tab == kTabRtd));
  if (tab == kTabCurr) {
    m_hartBox->setVisible(out);
    m_simulationBox->setVisible(out);
  }
  m_sourceValue->setEnabled(out);
  m_unitLabel->setVisible(out);
  m_rangeLabel->setVisible(out);
  UpdateUnitLabel();
}

int CVorenxDlg::PanelLowerFunction() const {
  int code = -1;
  switch (m_tabs->currentIndex()) {
    case kTabVol: {
      const int unit = m_voltUnitList->currentIndex();
      if (unit == 0) code = fc::kMilliVolt;
      if (unit == 1) code = fc::kVolt;
      break;
    }
    case kTabCurr:
      code = m_simulationBox->isChecked() ? fc::kCurrentSimulate : fc::kCurrent;
      break;
    case kTabResis:
      code = fc::kResistance;
      break;
    case kTabRtd:
      if (m_rtdList->currentIndex() >= 0) code = m_rtdList->currentIndex() + fc::kRtdFirst;
      break;
    case kTabTc:
      if (m_tcList->currentIndex() >= 0) code = m_tcList->currentIndex() + fc::kTcVolt;
      break;
    default:
      break;
  }
  return code;
}

bool CVorenxDlg::OutputOffForNewFunction() {
  const int code = PanelLowerFunction();
  if (code < 0 || code == m_link.Request().lowerFunction || !m_outBox->isChecked()) return false;
  // Disabling the value field may take the focus from it: that is no commit.
  const QScopedValueRollback programChange(m_programChange, true);
  m_outBox->setChecked(false);
  ApplyOutputState();
  return true;
}

void CVorenxDlg::BuildLowerCommand() {
  const int code = PanelLowerFunction();
  const bool out = m_outBox->isChecked();
  const bool cjc = m_cjcBox->isChecked();
  const bool hart = m_hartBox->isChecked();
  const bool celsius = m_celsiusBox->isChecked();
  const int wiring = m_wiringList->currentIndex();
  // The request, its pending flag and the command change as one step, so the
  // worker's copy of the decoded state cannot overwrite this change.
  m_link.ChangeRequest(
      CDeviceLink::Side::Lower,
      [&](InstrumentState& r) {
        r.outputOff = !out;
        r.cjc = cjc;
        r.hart = hart;
        r.celsius = celsius;
        if (wiring >= 0) r.wiring = static_cast<FunctionCode>(wiring + fc::kTwoWire);
        if (code >= 0) r.lowerFunction = static_cast<FunctionCode>(code);
      },
      m_commands, {CmdSetLower, 0});
  UpdateUnitLabel();
  UpdateRangeLabel();
}

void CVorenxDlg::OnTabChanged() {
  OutputOffForNewFunction();
  ShowTabControls();
  ApplyOutputState();
  BuildLowerCommand();
}

void CVorenxDlg::OnOutClicked() {
  ApplyOutputState();
  BuildLowerCommand();
}

void CVorenxDlg::OnUpperFunctionChanged() {
  UpdateSpanLabel();
  const int index = m_upperList->currentIndex();
  if (index < 0 || index > 2) return;
  m_link.ChangeRequest(
      CDeviceLink::Side::Upper,
      [index](InstrumentState& r) { r.upperFunction = static_cast<FunctionCode>(index + fc::kUpperVoltage); },
      m_commands, {CmdSetUpper, 0});
}

void CVorenxDlg::OnVoltUnitChanged() {
  const int i = m_voltUnitList->currentIndex();
  // "mV" always sends; "V" only when the request is not on volts already.
  if (!(i == 0 || (i == 1 && m_link.Request().lowerFunction != fc::kVolt))) return;
  const bool switchedOff = OutputOffForNewFunction();
  m_link.ChangeRequest(
      CDeviceLink::Side::Lower,
      [i, switchedOff](InstrumentState& r) {
        r.lowerFunction = i == 0 ? fc::kMilliVolt : fc::kVolt;
        if (switchedOff) r.outputOff = true;
      },
      m_commands, {CmdSetLower, 0});
  UpdateUnitLabel();
  UpdateRangeLabel();
}

void CVorenxDlg::OnCelsiusClicked() {
  // The source value keeps the temperature it stands for: its number is
  // converted to the new unit, written with the field's decimals.
  const bool celsius = m_celsiusBox->isChecked();
  if (IsTemperature(PanelLowerFunction()) && !m_sourceValue->text().trimmed().isEmpty()) {
    const double v = m_sourceValue->GetValue();
    const double converted = celsius ? (v - 32.0) * 5.0 / 9.0 : v * 9.0 / 5.0 + 32.0;
    m_sourceValue->setText(editrules::FormatFixed(converted, m_sourceValue->Decimals()));
  }
  BuildLowerCommand();
}

void CVorenxDlg::OnIntervalChanged() {
  // A calibration run keeps the fastest interval; the choice counts after it.
  m_station.ChooseInterval(ChosenIntervalIndex());
}

int CVorenxDlg::ChosenIntervalIndex() const { return std::max(m_intervalList->currentIndex(), 0); }

void CVorenxDlg::RefreshOnWindowThread(const InstrumentState& s, bool upperCurrent, bool lowerCurrent) {
  if (upperCurrent && !m_link.UpperPending() && IsUpperFunction(s.upperFunction) &&
      s.upperFunction - 1 != m_upperList->currentIndex()) {
    m_upperList->setCurrentIndex(s.upperFunction - 1);
    UpdateSpanLabel();
  }
  // Nothing of the lower side is touched while the user's change waits.
  if (!lowerCurrent || m_link.LowerPending()) return;

  const bool out = !s.outputOff;
  if (m_outBox->isChecked() != out) {
    m_outBox->setChecked(out);
    ApplyOutputState();
  }
  SetChecked(m_cjcBox, s.cjc);
  SetChecked(m_hartBox, s.hart);
  SetChecked(m_celsiusBox, s.celsius);
  if (s.wiring >= fc::kTwoWire && s.wiring <= fc::kFourWire) SetIndex(m_wiringList, s.wiring - fc::kTwoWire);

  const int g = s.lowerFunction;
  int tab = -1;
  if (g == fc::kVolt || g == fc::kMilliVolt) {
    tab = kTabVol;
    SetIndex(m_voltUnitList, g == fc::kVolt ? 1 : 0);
  } else if (g == fc::kCurrent || g == fc::kCurrentSimulate) {
    tab = kTabCurr;
    SetChecked(m_simulationBox, g == fc::kCurrentSimulate);
  } else if (g >= fc::kTcVolt && g <= fc::kTcLast) {
    tab = kTabTc;
    SetIndex(m_tcList, g - fc::kTcVolt);
  } else if (g == fc::kResistance) {
    tab = kTabResis;
  } else if (IsRtd(g)) {
    tab = kTabRtd;
    SetIndex(m_rtdList, g - fc::kRtdFirst);
  } else {
    return;
  }
  if (tab != m_tabs->currentIndex()) {
    {
      const QSignalBlocker block(m_tabs);
      m_tabs->setCurrentIndex(tab);
    }
    ShowTabControls();
  }
  // The labels follow the function the instrument reports from its first
  // frame on: the request catches up with the frame only after this refresh,
  // so texts made from it would still name the function before.
  if (m_outBox->isChecked()) m_unitLabel->setText(UnitText(s.lowerFunction, m_celsiusBox->isChecked()));
  m_rangeLabel->setText(RangeText(m_display, s.lowerFunction, s.celsius));
}

}  // namespace vorenx
