// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "journal/JournalReadings.h"

#include "instrument/FunctionTable.h"
#include "platform/FileText.h"

namespace vorenx {

JournalReading MakeJournalReading(const InstrumentState& s, const LocalTime& time) {
  JournalReading r;
  r.time = time;
  // The upper display never shows a temperature, so its unit ignores the ℃ flag.
  r.upper = {s.upperValue, FunctionUnit(s.upperFunction, false), FunctionName(s.upperFunction)};
  r.lower = {s.lowerValue, FunctionUnit(s.lowerFunction, s.celsius), FunctionName(s.lowerFunction)};
  return r;
}

QString DefaultJournalFolder() { return AppDataPath(QStringLiteral("journal")); }

}  // namespace vorenx
