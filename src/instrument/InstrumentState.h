// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The state of both displays: held once as decoded from the last good status
// frame and once as the settings the program wants to send.

#include "instrument/FunctionCode.h"

namespace vorenx {

struct InstrumentState {
  FunctionCode upperFunction = fc::kUpperVoltage;  // 1 Voltage, 2 Current, 3 Loop
  float upperValue = 0.0f;
  FunctionCode lowerFunction = fc::kVolt;          // 5..26
  bool outputOff = false;                          // source output is off
  float lowerValue = 0.0f;                         // in the request: the source value to send
  bool cjc = false;                                // cold-junction compensation on
  bool celsius = false;                            // temperatures in ℃ (false: ℉)
  bool hart = false;
  FunctionCode wiring = fc::kTwoWire;              // 28, 29, 30, or 31 decoded only

  friend bool operator==(const InstrumentState&, const InstrumentState&) = default;
};

}  // namespace vorenx
