#include "calib/CalibrationStore.h"

#include <QDir>

namespace vorenx {

namespace {

QString XdgFolder(const char* variable, const char* fallback) {
  QString folder = qEnvironmentVariable(variable);
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) folder = QDir::homePath() + QLatin1String(fallback);
  return folder;
}

}  // namespace

QString DefaultCalibrationsFolder() {
  return QDir(XdgFolder("XDG_DATA_HOME", "/.local/share")).filePath(QStringLiteral("vorenx/calibrations"));
}

QString DefaultSetupFile() {
  return QDir(XdgFolder("XDG_CONFIG_HOME", "/.config")).filePath(QStringLiteral("vorenx/calibration-setup.json"));
}

CalibrationStore::CalibrationStore(QString folder, QString setupFile)
    : m_folder(std::move(folder)), m_setupFile(std::move(setupFile)) {}

// A first version: saving and loading follow.
QString CalibrationStore::Save(const CalibrationRecord&, QString* error) {
  if (error) *error = QStringLiteral("Saving calibration records is not available yet.");
  return QString();
}
std::optional<RunResult> CalibrationStore::LastAsLeft(const QString&) const { return std::nullopt; }
bool CalibrationStore::SaveSetup(const CalibrationSetup&, QString* error) {
  if (error) *error = QStringLiteral("Saving the calibration setup is not available yet.");
  return false;
}
std::optional<CalibrationSetup> CalibrationStore::LoadSetup() const { return std::nullopt; }

}  // namespace vorenx
