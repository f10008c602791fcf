// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A calibration's results as CSV, in the journal's conventions: UTF-8 with a
// byte-order mark, CR LF, numbers with "." in the shortest form that reads
// back as the same 32-bit value (as the journal's readings), units in their
// own columns, ISO 8601 local times with the UTC offset, and
// "#" comment lines for the setup.

#include <QByteArray>

#include "records/CalibrationRecord.h"
#include "platform/SpreadsheetCsv.h"

namespace vorenx {

QByteArray CalibrationCsv(const CalibrationRecord& record);

// The same lines for a spreadsheet in a user's locale: the dialect's
// separator and decimal mark, numbers without an exponent, and the Time
// column as "2026-12-09 14:03:05" local time, which spreadsheets read as a
// date-time (the UTC offset and milliseconds are left out).
QByteArray CalibrationSpreadsheetCsv(const CalibrationRecord& record, const SpreadsheetDialect& dialect);

}  // namespace vorenx
