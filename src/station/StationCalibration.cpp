// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The station's calibration engine: the run it feeds, the link a run drives
// the instrument through (every setting is a request change plus a queued
// command that the worker sends, never a library call from this thread), and
// the defaults and ranges a run's setup starts from.
#include "station/InstrumentStation.h"

namespace vorenx {

std::unique_ptr<CalibrationRun> InstrumentStation::CreateRun(const CalibrationSetup& setup, RunKind kind,
                                                             QString* why) {
  if (m_run && !m_run->Ended()) {
    if (why) *why = tr("Another calibration run is still in progress.");
    return nullptr;
  }
  auto run = std::make_unique<CalibrationRun>(*this, setup, kind);
  // The run starts from the status its views were last told, not from the
  // link's flag: the worker reports a change before it sets the flag, and a
  // run that started from the flag would take the report that follows for
  // no change at all (and miss a drop of the link after it).
  run->OnConnection(m_reportedConnected);
  if (m_reportedConnected) run->OnReading(m_link.State());
  m_run = run.get();
  return run;
}

void InstrumentStation::EndCalibrationRun(const QString& reason) {
  if (m_run && !m_run->Ended()) m_run->Abort(reason);
}

CalibrationSetup InstrumentStation::CurrentDefaults() {
  const InstrumentState s = m_link.Request();
  CalibrationSetup setup;
  if (IsLowerFunction(s.lowerFunction)) setup.inputFunction = s.lowerFunction;
  setup.wiring = s.wiring >= fc::kTwoWire && s.wiring <= fc::kFourWire ? s.wiring : fc::kTwoWire;
  setup.celsius = s.celsius;
  LowerRange(setup.inputFunction, setup.celsius, setup.inputLow, setup.inputHigh);
  setup.outputFunction = IsUpperFunction(s.upperFunction) ? s.upperFunction : fc::kUpperCurrent;
  const bool volts = setup.outputFunction == fc::kUpperVoltage;
  setup.outputLow = volts ? 0.0 : 4.0;
  setup.outputHigh = volts ? 10.0 : 20.0;
  return setup;
}

void InstrumentStation::LowerRange(FunctionCode function, bool celsius, double& low, double& high) {
  float h = 0.0f;
  float l = 0.0f;
  m_display.SFGetRange(function, &h, &l, celsius ? 1 : 0);
  low = l;
  high = h;
}

void InstrumentStation::RequestUpper(FunctionCode function) {
  m_link.ChangeRequest(
      CDeviceLink::Side::Upper, [function](InstrumentState& r) { r.upperFunction = function; }, m_commands,
      {CmdSetUpper, 0});
}

void InstrumentStation::RequestLower(const LowerRequest& request) {
  bool functionChanged = m_link.Request().lowerFunction != request.function;
  // Commands of one type merge: a queued function change must not become a
  // value change that keeps the old table.
  for (const SettingCommand& c : m_commands.Snapshot())
    functionChanged = functionChanged || (c.type == CmdSetSource && c.argument == 1);
  m_link.ChangeRequest(
      CDeviceLink::Side::Lower,
      [&request](InstrumentState& r) {
        r.lowerFunction = request.function;
        r.wiring = request.wiring;
        r.celsius = request.celsius;
        r.outputOff = !request.outputOn;
        r.lowerValue = static_cast<float>(request.value);
      },
      m_commands, {CmdSetSource, functionChanged ? 1 : 0});
}

void InstrumentStation::ChooseInterval(int index) {
  m_chosenInterval = index;
  m_link.SetIntervalIndex(m_fastPolling ? 0 : m_chosenInterval);
}

void InstrumentStation::SetFastPolling(bool fast) {
  m_fastPolling = fast;
  m_link.SetIntervalIndex(fast ? 0 : m_chosenInterval);
}

int InstrumentStation::SourceDecimals(FunctionCode function, double value) {
  return m_display.SFGetDecimalLen(function, static_cast<float>(value));
}

}  // namespace vorenx
