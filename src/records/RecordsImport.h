// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The one-time move of a folder of JSON record files into the lab's records:
// each file once (ImportRecord knows a record by its tag and start time), the
// files only read. Used by the office's tool and by the window at its first
// use of the records.

#include <QString>
#include <functional>

#include "records/LabRecords.h"

namespace vorenx {

struct ImportCounts {
  int files = 0;
  int imported = 0;
  int already = 0;
  int changed = 0;  // changed since their import: reported, not imported again
  int failed = 0;   // not a record, unreadable, refused by the records
  // Set when the records themselves failed (server away, not a records
  // database): the files after it were not tried.
  RecordsError stoppedBy = RecordsError::None;
  QString stoppedWhy;
};

// Imports every *.json of `folder` (by file name), calling `report` with a
// line per file ("NAME: imported VX-...", "NAME: already imported (...)", ...).
// A folder that does not exist imports nothing and is not an error.
ImportCounts ImportRecordFiles(LabRecords& records, const QString& folder, const Actor& importer,
                               const std::function<void(const QString& line)>& report);

// "3 files: 2 imported, 1 already imported, 0 changed since their import, 0 failed".
QString ImportSummary(const ImportCounts& counts);

}  // namespace vorenx
