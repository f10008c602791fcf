// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The functions of both displays, once: which display each belongs to, the
// names the views show for it, and its unit; the names of the wiring. Each
// view keeps its own wording, so an entry holds one name per view.

#include <QString>
#include <span>

#include "instrument/FunctionCode.h"

namespace vorenx {

enum class DisplaySide { Upper, Lower };

struct FunctionInfo {
  FunctionCode code;
  DisplaySide side;
  const char* name;       // readings journal, calibration: "Voltage", "TC K", "PT100/385"
  const char* probeName;  // vorenx-probe: "VOL V", "TC K", "RTD PT100/385", "RESIS"
  const char* lcdLabel;   // the meter's function label: "MEAS V", "VOLT V", "OHMS"
  const char* choice;     // the window's list entry: "Voltage" (upper list), "V", "K", "PT100/385"
  const char* unit;       // UTF-8 "V", "mV", "mA", "Ω"; nullptr for temperatures (℃ or ℉)
};

// Every function, upper ones first, in code order.
std::span<const FunctionInfo> Functions();
// nullptr for a code that names no function (0, 4, 27, the wiring codes, ...).
const FunctionInfo* FindFunctionInfo(int code);

// "Voltage", "Current", "Loop" above; "Voltage", "Millivolt", "Current", "Current simulation",
// "TC Volt", "TC S" ... "TC T", "Resistance", "PT100/385" ... "Cu50/ITS" below; "Code N" otherwise.
QString FunctionName(int code);
// "V", "mV", "mA", "Ω", or "℃"/"℉" by `celsius` for the temperatures; empty for other codes.
QString FunctionUnit(int code, bool celsius);
QString TemperatureUnit(bool celsius);

// "2-wire", "3-wire", "4-wire", "no wiring" (28..31); empty for other codes.
QString WiringName(int code);
// FunctionName and WiringName in the window's language, for showing; files
// and records keep the English ones.
QString ShownFunctionName(int code);
QString ShownWiringName(int code);
// "Two-wire", "Three-wire", "Four-wire" (28..30), as the window's wiring list shows them; empty otherwise.
QString WiringLongName(int code);

}  // namespace vorenx
