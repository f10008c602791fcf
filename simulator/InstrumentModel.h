// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The simulated calibrator's behaviour without any I/O: its settings, the
// readings it measures or sources at a given time, and its answer to each
// request of the serial protocol. Time is passed in, so tests control it.

#include <cstdint>
#include <optional>
#include <random>

#include "DutModel.h"
#include "Protocol.h"
#include "instrument/FunctionCode.h"

namespace vorenx::sim {

struct InstrumentSettings {
  FunctionCode upperFunction = fc::kUpperVoltage;  // 1..3
  FunctionCode lowerFunction = fc::kVolt;          // 5..26
  bool outputOn = false;
  bool cjc = false;
  bool celsius = true;
  bool hart = false;
  std::uint8_t wiring = 2;  // 2, 3 or 4 wires (mode byte bits 0-2)
  float sourceValue = 0.0f; // in the lower function's unit

  friend bool operator==(const InstrumentSettings&, const InstrumentSettings&) = default;
};

class InstrumentModel {
 public:
  explicit InstrumentModel(std::uint32_t noiseSeed = 1);

  // False (settings unchanged) for a code outside 1..3.
  bool SetUpper(std::uint8_t function);
  // False (settings unchanged) for a function outside 5..26, a mode with bit 7
  // set or a wiring other than 2/3/4, or a value that is not finite or does
  // not fit five digits.
  bool SetLower(std::uint8_t function, std::uint8_t mode, float value);
  const InstrumentSettings& Settings() const { return m_settings; }
  // Wires a transmitter as the instrument under test (nullopt: none). While the
  // lower function is the DUT's input and the output is on, the DUT's input is
  // the source value (a temperature in ℉ taken back to ℃); otherwise it sees its
  // input span's low end. While the upper function reads what the DUT drives,
  // the upper reading is the DUT's output, held within the display's range.
  // A set call made directly (not through Answer) reaches the DUT at the next
  // time passed in.
  void SetDut(const std::optional<DutSpec>& dutSpec);
  bool HasDut() const { return m_dut.has_value(); }

  // Readings at `seconds` since power-on, in the functions' units.
  double UpperReading(double seconds);
  // Exactly the source value while the output is on; a measured value otherwise.
  double LowerReading(double seconds);
  // The 24-byte status reply for `seconds`.
  qelhard::Reply StatusReply(double seconds, std::uint16_t sequence);
  // The answer to one request; false for a command it does not know (no answer).
  bool Answer(const qelhard::Request& request, double seconds, qelhard::Reply& reply);

 private:
  double Noise(double amplitude);
  // A temperature given in ℃, in the unit the settings choose.
  double InUnit(double celsius) const;
  // What the DUT's input sees under the present settings.
  double DutInput() const;
  // Brings the DUT on to `seconds` and hands it the present input.
  void SyncDut(double seconds);

  InstrumentSettings m_settings;
  std::minstd_rand m_random;
  std::optional<DutModel> m_dut;
};

}  // namespace vorenx::sim
