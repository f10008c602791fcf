#pragma once
// What the journal records of the instrument: a reading built from the
// decoded state (numbers, units and function names of both displays), and
// where journals go by default.

#include <QString>

#include "journal/JournalFormat.h"
#include "link/InstrumentState.h"

namespace vorenx {

// The name of a display's function: "Voltage", "Current", "Loop" above;
// "Voltage", "Millivolt", "Current", "Current simulation", "TC Volt", "TC S" ... "TC T",
// "Resistance", "PT100/385" ... "Cu50/ITS" below; "Code N" for anything else.
QString JournalFunctionName(FunctionCode code);
// The unit of a reading of `code`, as the readings table writes it; empty
// for codes without one.
QString JournalUnit(FunctionCode code, bool celsius);

// The journal's record of `state` taken at `time`.
JournalReading MakeJournalReading(const InstrumentState& state, const LocalTime& time);

// $XDG_DATA_HOME/vorenx/journal, or ~/.local/share/vorenx/journal when
// XDG_DATA_HOME is unset, empty or not an absolute path.
QString DefaultJournalFolder();

}  // namespace vorenx
