#pragma once
// A calibration's results as CSV, in the journal's conventions: UTF-8 with a
// byte-order mark, CR LF, numbers with "." in the shortest form that reads
// back as the same 32-bit value (as the journal's readings), units in their
// own columns, ISO 8601 local times with the UTC offset, and
// "#" comment lines for the setup.

#include <QByteArray>

#include "calib/CalibrationRecord.h"

namespace vorenx {

QByteArray CalibrationCsv(const CalibrationRecord& record);

}  // namespace vorenx
