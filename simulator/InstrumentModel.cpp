// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "InstrumentModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ValueEncoding.h"
#include "instrument/StatusFrameLayout.h"

namespace vorenx::sim {
namespace {

// A slow sine of `period` seconds around `centre`.
double Drift(double seconds, double centre, double amplitude, double period) {
  return centre + amplitude * std::sin(2.0 * std::numbers::pi * seconds / period);
}

void PutValue(qelhard::Reply& frame, int signAt, int digitsAt, int exponentAt, double value) {
  const EncodedValue v = EncodeValue(value);
  frame[static_cast<std::size_t>(signAt)] = v.sign;
  for (std::size_t i = 0; i < v.digits.size(); ++i) frame[static_cast<std::size_t>(digitsAt) + i] = v.digits[i];
  frame[static_cast<std::size_t>(exponentAt)] = v.exponent;
}

}  // namespace

InstrumentModel::InstrumentModel(std::uint32_t noiseSeed) : m_random(noiseSeed) {}

bool InstrumentModel::SetUpper(std::uint8_t function) {
  if (!IsUpperFunction(function)) return false;
  m_settings.upperFunction = function;
  return true;
}

bool InstrumentModel::SetLower(std::uint8_t function, std::uint8_t mode, float value) {
  const std::uint8_t wiring = mode & lower_mode::kWiringMask;
  if (!IsLowerFunction(function) || (mode & lower_mode::kReserved) != 0 || wiring < 2 || wiring > 4 ||
      !std::isfinite(value) || std::fabs(value) > 99999.0f)
    return false;
  m_settings.lowerFunction = function;
  m_settings.wiring = wiring;
  m_settings.outputOn = (mode & lower_mode::kOutputOn) != 0;
  m_settings.cjc = (mode & lower_mode::kCjc) != 0;
  m_settings.celsius = (mode & lower_mode::kCelsius) != 0;
  m_settings.hart = (mode & lower_mode::kHart) != 0;
  m_settings.sourceValue = value;
  return true;
}

double InstrumentModel::Noise(double amplitude) {
  std::uniform_real_distribution<double> spread(-amplitude, amplitude);
  return spread(m_random);
}

double InstrumentModel::InUnit(double celsius) const {
  return m_settings.celsius ? celsius : celsius * 9.0 / 5.0 + 32.0;
}

void InstrumentModel::SetDut(const std::optional<DutSpec>& dutSpec) {
  m_dut.reset();
  if (dutSpec) m_dut.emplace(*dutSpec);
}

double InstrumentModel::DutInput() const {
  const DutSpec& dutSpec = m_dut->Description();
  if (m_settings.lowerFunction != dutSpec.input || !m_settings.outputOn) return dutSpec.inLow;
  const double value = m_settings.sourceValue;
  return IsTemperature(dutSpec.input) && !m_settings.celsius ? (value - 32.0) * 5.0 / 9.0 : value;
}

void InstrumentModel::SyncDut(double seconds) {
  if (m_dut) m_dut->Drive(DutInput(), seconds);
}

double InstrumentModel::UpperReading(double seconds) {
  if (m_dut && DutDrives(m_dut->Description().output, m_settings.upperFunction)) {
    SyncDut(seconds);
    return std::clamp(m_dut->Output(seconds), 0.0, UpperDisplayMax(m_dut->Description().output));
  }
  switch (m_settings.upperFunction) {
    case fc::kUpperCurrent:
      return Drift(seconds, 8.0, 0.5, 50.0) + Noise(0.002);
    case fc::kUpperLoop:
      return Drift(seconds, 12.0, 2.0, 90.0) + Noise(0.002);
    default:  // voltage: a 12 V supply drifting slowly
      return Drift(seconds, 12.0, 0.25, 60.0) + Noise(0.003);
  }
}

double InstrumentModel::LowerReading(double seconds) {
  if (m_settings.outputOn) return m_settings.sourceValue;
  const FunctionCode f = m_settings.lowerFunction;
  if (IsThermocouple(f)) return InUnit(Drift(seconds, 150.0, 2.0, 120.0) + Noise(0.05));
  if (IsRtd(f)) return InUnit(Drift(seconds, 23.0, 0.5, 180.0) + Noise(0.01));
  switch (f) {
    case fc::kMilliVolt:
      return Drift(seconds, 25.0, 0.5, 45.0) + Noise(0.005);
    case fc::kCurrent:
    case fc::kCurrentSimulate:
      return Drift(seconds, 10.0, 0.5, 70.0) + Noise(0.002);
    case fc::kTcVolt:
      return Drift(seconds, 4.1, 0.05, 120.0) + Noise(0.001);
    case fc::kResistance:
      return Drift(seconds, 110.0, 1.0, 100.0) + Noise(0.01);
    default:  // volts
      return Drift(seconds, 5.0, 0.1, 40.0) + Noise(0.001);
  }
}

qelhard::Reply InstrumentModel::StatusReply(double seconds, std::uint16_t sequence) {
  using F = StatusFrameLayout;
  qelhard::Reply frame{};
  frame[F::kUpperFunction] = UpperFrameCode(m_settings.upperFunction);
  PutValue(frame, F::kUpperSign, F::kUpperDigits, F::kUpperExponent, UpperReading(seconds));
  std::uint8_t flags = 0;
  if (m_settings.cjc) flags |= F::kFlagCjc;
  if (m_settings.celsius) flags |= F::kFlagCelsius;
  if (m_settings.hart) flags |= F::kFlagHart;
  if (m_settings.outputOn) flags |= F::kFlagOutputOn;
  frame[F::kFlags] = flags;
  frame[F::kLowerFunction] = LowerFrameCode(m_settings.lowerFunction);
  PutValue(frame, F::kLowerSign, F::kLowerDigits, F::kLowerExponent, LowerReading(seconds));
  frame[F::kWiring] = TakesWiring(m_settings.lowerFunction) ? m_settings.wiring : F::kNoWiringByte;
  qelhard::SealStatusReply(frame, sequence);
  return frame;
}

bool InstrumentModel::Answer(const qelhard::Request& request, double seconds, qelhard::Reply& reply) {
  using qelhard::Command;
  const std::uint16_t seq = qelhard::RequestSequence(request);
  SyncDut(seconds);  // the DUT settles under the input it had until now
  switch (qelhard::RequestCommand(request)) {
    case Command::Identify:
      reply = qelhard::BuildIdentifyReply(seq);
      return true;
    case Command::ReadStatus:
      reply = StatusReply(seconds, seq);
      return true;
    case Command::SetUpper:
      reply = qelhard::BuildAck(Command::SetUpper, seq, SetUpper(qelhard::SetUpperFunction(request)));
      return true;
    case Command::SetLower: {
      const qelhard::SetLowerArgs a = qelhard::ParseSetLower(request);
      reply = qelhard::BuildAck(Command::SetLower, seq, SetLower(a.function, a.mode, a.value));
      SyncDut(seconds);  // and follows the new one from now
      return true;
    }
  }
  return false;
}

}  // namespace vorenx::sim
