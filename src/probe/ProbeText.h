#pragma once
// Texts of the vorenx-probe program: a decoded status frame as one line, the
// names of functions and wiring, and why a port could not be used.

#include <QString>
#include <cstdint>

#include "QelHard.h"
#include "link/InstrumentState.h"

namespace vorenx::probe {

// "COM4 (/dev/ttyUSB4)"
QString PortLabel(int port, const QString& path);
// "Voltage", "Current", "Loop"; "function N" for any other code.
QString UpperFunctionName(FunctionCode code);
// "VOL V", "TC K", "RTD PT100/385", "RESIS", ...; "function N" for any other code.
QString LowerFunctionName(FunctionCode code);
// "2-wire", "3-wire", "4-wire", "no wiring"; "wiring N" otherwise.
QString WiringName(FunctionCode code);
// Both displays with units, the flags and the wiring, on one line.
QString FormatState(const InstrumentState& state);
// "COM4 (/dev/ttyUSB4): no such device", "...: in use by another program", ...
QString DescribeProblem(int port, const qelhard::PortDiagnosis& diagnosis);

}  // namespace vorenx::probe
