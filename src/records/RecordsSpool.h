// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The bench's spool: finished runs kept in a SQLite file of this bench while
// the lab's server cannot be reached, sent when it answers again, oldest
// first. A run is known by its origin (the bench's own UUID for it): keeping
// it again replaces the pending copy in its place, and it leaves the spool
// only once the server has it.

#include <QString>
#include <optional>
#include <vector>

#include "records/CalibrationRecord.h"
#include "records/RecordsConnection.h"

namespace vorenx {

struct SpooledRun {
  QString origin;
  qint64 calibrationId = 0;  // the server's calibration it changes; 0 for a run the server has not seen
  qint64 standardId = 0;
  QString technician;
  CalibrationRecord record;
  int version = 1;  // counts the replacements, so that a copy sent is removed only if nothing newer came
};

class RecordsSpool {
 public:
  explicit RecordsSpool(const QString& path);

  // Opens (and makes) the spool file; `error` names the file and the reason.
  bool Open(QString* error);
  bool Put(const SpooledRun& run, QString* error);
  // Every pending run, oldest first; nullopt with `error` when the file cannot be read.
  std::optional<std::vector<SpooledRun>> Pending(QString* error);
  // How many runs wait, without reading them; nullopt with `error` when the file cannot be read.
  std::optional<int> Count(QString* error);
  // Removes the run `origin` if it is still at `version`.
  bool Remove(const QString& origin, int version, QString* error);
  const QString& Path() const { return m_path; }

 private:
  QString m_path;
  RecordsConnection m_connection;
  bool m_open = false;
};

// $XDG_DATA_HOME/vorenx/spool.sqlite.
QString DefaultSpoolPath();

}  // namespace vorenx
