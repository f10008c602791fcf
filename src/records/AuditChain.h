// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The audit trail: one entry per insert and per change, with who, when (UTC),
// what (before and after, as JSON) and why. Each entry's SHA-256 covers its
// own fields and the previous entry's hash, so one chain runs through the
// whole database: an entry changed, removed or moved breaks it at that entry.

#include <QString>

#include "records/LabRecords.h"
#include "records/RecordsConnection.h"

namespace vorenx {

struct AuditEntry {
  qint64 id = 0;          // the position in the chain, 1 for the first entry
  QString changedAt;      // "2026-12-08T09:03:07.123Z"
  QString technician;
  QString osUser;         // the system user the program ran as
  QString action;         // "add", "update", "approve", "amend", "supersede"
  QString entity;         // "instrument", "standard", "calibration"
  qint64 entityId = 0;
  QString before;         // JSON; "{}" for an insert
  QString after;          // JSON
  QString reason;
  QString prevHash;       // hex; empty for the first entry
  QString hash;           // hex
};

// The entry's hash from every field but `hash`.
QString AuditEntryHash(const AuditEntry& entry);

// Appends `entry` after the newest entry. Runs inside the caller's
// WriteTransaction, which already holds the database's write lock, so that
// no other writer reads the same previous hash.
bool AppendAudit(RecordsConnection& connection, AuditEntry entry, QString* error);

// Walks the chain from the first entry and reports the first that does not verify.
RecordsResult<ChainReport> VerifyAuditChain(RecordsConnection& connection);

}  // namespace vorenx
