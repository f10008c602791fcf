// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the journal records of the instrument: a reading built from the
// decoded state (numbers, units and function names of both displays, as the
// instrument's FunctionName and FunctionUnit give them), and where journals
// go by default.

#include <QString>

#include "journal/JournalFormat.h"
#include "instrument/InstrumentState.h"

namespace vorenx {

// The journal's record of `state` taken at `time`.
JournalReading MakeJournalReading(const InstrumentState& state, const LocalTime& time);

// $XDG_DATA_HOME/vorenx/journal, or ~/.local/share/vorenx/journal when
// XDG_DATA_HOME is unset, empty or not an absolute path.
QString DefaultJournalFolder();

}  // namespace vorenx
