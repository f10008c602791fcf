// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Where calibrations are kept: one JSON record per calibration in
// $XDG_DATA_HOME/vorenx/calibrations/, and the last setup in
// $XDG_CONFIG_HOME/vorenx/calibration-setup.json. Files are written whole to a
// temporary name, synced and renamed, so a crash never leaves half a record.

#include <QString>
#include <optional>

#include "records/CalibrationRecord.h"

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
  // Writes `record` over the record file `path` it was saved to before: one
  // rename over the old file, then the folder synced, so that at every moment
  // a whole record is there under its name.
  bool SaveOver(const QString& path, const CalibrationRecord& record, QString* error = nullptr);
  // The complete as-left run of the newest record of `tag` that has one,
  // ignoring files that cannot be read and as-lefts that ended early (a drift
  // against half a run would compare with points that were never reached);
  // `file` gets the record's file name.
  std::optional<RunResult> LastAsLeft(const QString& tag, QString* file = nullptr) const;

  bool SaveSetup(const CalibrationSetup& setup, QString* error = nullptr);
  std::optional<CalibrationSetup> LoadSetup() const;

  const QString& Folder() const { return m_folder; }
  // The settings file beside the last setup (`vorenx.ini`, QSettings' INI).
  QString SettingsFile() const;

 private:
  QString m_folder;
  QString m_setupFile;
};

}  // namespace vorenx
