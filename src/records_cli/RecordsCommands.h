// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The commands of vorenx-records, one function each: they read or change the
// lab's records through a LabRecords, write what they have to say to `out`
// (results) and `err` (problems), and return the program's exit code. No
// process, no global state: the tests call them on a records file of their own.

#include <QDate>
#include <QString>
#include <QTextStream>
#include <optional>

#include "records/CertificateData.h"
#include "records/LabRecords.h"

namespace vorenx::records_cli {

// The exit codes, for scripts (also in the man page).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;        // the command could not do what was asked (unknown certificate, a bad file, ...)
inline constexpr int kExitNoRecords = 2;     // the records cannot be opened or the server cannot be reached
inline constexpr int kExitBrokenChain = 3;   // verify: the audit trail does not verify
inline constexpr int kExitUsage = 64;        // wrong arguments (EX_USAGE)

// The register: one line per instrument, tab-separated, after a header line.
int ListInstruments(LabRecords& records, QTextStream& out, QTextStream& err);

// The due list on `today`: instruments not retired, never calibrated first,
// then soonest due; with `withinDays`, only those overdue or due within that
// many days. Overdue ones are marked OVERDUE.
int ListDue(LabRecords& records, const QDate& today, std::optional<int> withinDays, QTextStream& out, QTextStream& err);

// Every revision of certificate `number`, and the points of its newest revision.
int ShowCertificate(LabRecords& records, const QString& number, QTextStream& out, QTextStream& err);
// The digital calibration certificate (XML) of the newest revision of
// `number`, issued now with `lab` as the laboratory, on `out`.
int ShowCertificateDcc(LabRecords& records, const QString& number, const LabIdentity& lab, QTextStream& out,
                       QTextStream& err);

// Every calibration, all revisions, as CSV: to `file` (written whole, or not
// at all) or to `out` when `file` is empty.
int ExportCsv(LabRecords& records, const QString& file, QTextStream& out, QTextStream& err);

// Imports every *.json record of `folder` once, by the system user; the files
// are only read. Exits 0 unless a file could not be read or stored: a file
// changed since its import is reported but does not fail the run, since the
// records keep the first import and every later run would fail on it again.
int ImportFolder(LabRecords& records, const QString& folder, QTextStream& out, QTextStream& err);

// Checks the audit trail: kExitOk when intact, kExitBrokenChain when not.
int VerifyTrail(LabRecords& records, QTextStream& out, QTextStream& err);

// A time as the tool writes it: UTC, ISO 8601, "2026-03-01T09:00:00Z"; empty when invalid.
QString UtcText(const QDateTime& time);

}  // namespace vorenx::records_cli
