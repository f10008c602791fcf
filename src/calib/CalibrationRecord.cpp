#include "calib/CalibrationRecord.h"

namespace vorenx {

// A first version: the reading and writing of records follows.
QByteArray RecordToJson(const CalibrationRecord&) { return QByteArray(); }
std::optional<CalibrationRecord> RecordFromJson(const QByteArray&, QString* error) {
  if (error) *error = QStringLiteral("Reading calibration records is not available yet.");
  return std::nullopt;
}
QByteArray SetupToJson(const CalibrationSetup&) { return QByteArray(); }
std::optional<CalibrationSetup> SetupFromJson(const QByteArray&, QString* error) {
  if (error) *error = QStringLiteral("Reading calibration setups is not available yet.");
  return std::nullopt;
}

}  // namespace vorenx
