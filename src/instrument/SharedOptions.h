// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The options several programs share, defined once: their names, value names
// and descriptions, and the reading of their values with one wording for one
// fault. --dut and --records are checked by their own floors' parsers
// (the simulator's and the records'); their faults read "--dut: WHY" and
// "--records: WHY" (OptionProblemText).

#include <QString>
#include <optional>

#include "instrument/PortOption.h"
#include "platform/CommandLine.h"

namespace vorenx::options {

enum class Repeat { Once, Repeatable };

OptionSpec Port(Repeat repeat);  // --port N=PATH
OptionSpec Simulate();           // --simulate
OptionSpec Dut();                // --dut DESCRIPTION
OptionSpec Records();            // --records URL
OptionSpec Journal();            // --journal DIR
OptionSpec NoJournal();          // --no-journal

// One --port value; nullopt with `error` "--port wants N=PATH with N from 0 to 19, not ...".
std::optional<PortAssignment> ReadPort(const QString& value, QString* error);

// "--dut describes a transmitter wired to the simulated calibrator: give --simulate too".
QString DutWithoutSimulateText();

// --journal and --no-journal as given: the folder (empty for none given) or,
// in `error`, why they cannot be used together.
bool ReadJournal(const CommandLine& line, QString* folder, bool* none, QString* error);

// "--x: WHY", for a value its own parser refused with a reason.
QString OptionProblemText(const QString& option, const QString& why);

}  // namespace vorenx::options
