// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Where a bench keeps the calibrations it runs: in the lab's records, or,
// while the lab's server cannot be reached, in the bench's spool until it
// answers again. A keeper belongs to one thread; a bench that sends its
// spool in the background gives that thread a keeper of its own (the two
// meet in the databases, and a run sent by both is stored once).

#include <QString>
#include <memory>

#include "records/LabRecords.h"
#include "records/RecordsLocation.h"
#include "records/RecordsSpool.h"

namespace vorenx {

// What the bench remembers of the calibration it is keeping.
struct KeptRun {
  QString origin;            // the bench's UUID for it, given at the first keep
  qint64 calibrationId = 0;  // the records' id once it reached them
  QString certificateNumber;
};

enum class KeptWhere { Records, Spool };

// The window's words for a run kept in the spool.
QString SpooledText();  // "saved on this bench, will be sent to the lab database"

class RecordsKeeper {
 public:
  RecordsKeeper(RecordsLocation location, QString spoolPath);

  // The records, opened on first use and again after the server was lost;
  // null with `error` when they cannot be opened.
  LabRecords* Records(QString* error);
  // A lab's server (PostgreSQL): only then does a run go to the spool.
  bool IsShared() const { return m_location.engine == RecordsLocation::Engine::Postgres; }

  // Stores the record of `run` (a new draft the first time, the same draft
  // changed after), or spools it while the server is away or while older
  // runs wait in the spool (they are sent first).
  RecordsResult<KeptWhere> Keep(const CalibrationRecord& record, qint64 standardId, const Actor& who, KeptRun& run);
  // Sends the spooled runs, oldest first, until one fails; the count sent.
  RecordsResult<int> SendPending();
  // How many runs wait in the spool (0 when it cannot be read).
  int PendingCount();

 private:
  // Stores `record` as the run `origin` in the records; `calibrationId` 0 for a new one.
  RecordsResult<CalibrationSummary> Store(LabRecords& records, const CalibrationRecord& record, qint64 standardId,
                                          const Actor& who, const QString& origin, qint64 calibrationId);
  // After a failure: true when the server no longer answers (the
  // connection is dropped, to be opened again next time).
  bool LostServer(const RecordsResult<CalibrationSummary>& failure);

  RecordsLocation m_location;
  RecordsSpool m_spool;
  std::unique_ptr<LabRecords> m_records;
};

}  // namespace vorenx
