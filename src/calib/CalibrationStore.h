#pragma once
// Where calibrations are kept: one JSON record per calibration in
// $XDG_DATA_HOME/vorenx/calibrations/, and the last setup in
// $XDG_CONFIG_HOME/vorenx/calibration-setup.json. Files are written whole to a
// temporary name, synced and renamed, so a crash never leaves half a record.

#include <QString>
#include <optional>

#include "calib/CalibrationRecord.h"

namespace vorenx {

// The default folders (XDG rules: an unset, empty or relative variable means
// ~/.local/share and ~/.config).
QString DefaultCalibrationsFolder();
QString DefaultSetupFile();

// The tag as the start of a file name: letters, digits, "-", "_" and "+" of
// the trimmed tag kept, anything else "_", at most 120 UTF-8 bytes;
// "untagged" when nothing is left.
QString TagFileName(const QString& tag);

class CalibrationStore {
 public:
  CalibrationStore(QString folder, QString setupFile);

  // Writes `record` (a new file named by tag and start time; an existing file
  // is never overwritten). Returns the path written, or empty with `error`.
  QString Save(const CalibrationRecord& record, QString* error = nullptr);
  // The as-left run of the newest record of `tag` that has one, ignoring
  // files that cannot be read.
  std::optional<RunResult> LastAsLeft(const QString& tag) const;

  bool SaveSetup(const CalibrationSetup& setup, QString* error = nullptr);
  std::optional<CalibrationSetup> LoadSetup() const;

  const QString& Folder() const { return m_folder; }

 private:
  QString m_folder;
  QString m_setupFile;
};

}  // namespace vorenx
