// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Texts of the vorenx-probe program: a decoded status frame as one line, the
// names of functions and wiring, and why a port could not be used.

#include <QString>
#include <cstdint>

#include "PortProblemText.h"
#include "QelHard.h"
#include "instrument/InstrumentState.h"

namespace vorenx::probe {

// The port wording is the library's (PortProblemText.h).
using qelhard::DescribeProblem;
using qelhard::PortLabel;

// "Voltage", "Current", "Loop"; "function N" for any other code.
QString UpperFunctionName(FunctionCode code);
// "VOL V", "TC K", "RTD PT100/385", "RESIS", ...; "function N" for any other code.
QString LowerFunctionName(FunctionCode code);
// "2-wire", "3-wire", "4-wire", "no wiring"; "wiring N" otherwise.
QString WiringName(FunctionCode code);
// Both displays with units, the flags and the wiring, on one line.
QString FormatState(const InstrumentState& state);

}  // namespace vorenx::probe
