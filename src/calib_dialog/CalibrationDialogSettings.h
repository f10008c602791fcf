// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the calibration dialog keeps of itself between runs of the program: its
// window size, the folders where certificates and CSV files were last
// saved, where the lab's records are and the bench's reference standard. An INI file through QSettings, `vorenx.ini` beside the last setup
// (by default $XDG_CONFIG_HOME/vorenx/). The main window keeps nothing.

#include <QDate>
#include <QSize>
#include <QString>

#include "records/LabRecords.h"

namespace vorenx {

class CalibrationDialogSettings {
 public:
  explicit CalibrationDialogSettings(QString file) : m_file(std::move(file)) {}

  // The size last saved; invalid when none (or an unusable one) was.
  QSize WindowSize() const;
  void SetWindowSize(const QSize& size);
  // The folder of the last file saved of this suffix ("pdf", "csv"); empty when none.
  QString LastFolder(const QString& suffix) const;
  void SetLastFolder(const QString& suffix, const QString& folder);
  // The reference standard last used on this bench (records/standard, by
  // serial), with its id, certificate, dates and accuracy table, so that a
  // run can start while the lab's server is away and its uncertainties come
  // from the standard's own table; an empty serial when none was chosen. An
  // accuracy entry that does not read back leaves the table empty (the
  // documented defaults) rather than part of it.
  ReferenceStandard Standard() const;
  void SetStandard(const ReferenceStandard& standard);

 private:
  QString m_file;
};

}  // namespace vorenx
