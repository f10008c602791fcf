// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The records a lab keeps on a database: its register of instruments, the
// reference standards it calibrates with, every calibration with its
// certificate number and revisions, and a hash-chained audit trail of every
// change. One interface, two engines (SQLite for one bench, PostgreSQL for a
// lab's server; see docs/lab-records.md). Every call returns a result with a
// message for the user; nothing is thrown across it.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "records/CalibrationRecord.h"

namespace vorenx {

enum class RecordsError {
  None,
  Invalid,       // a field the caller gave is refused (too long, empty, NUL); nothing written
  NotFound,      // no such instrument, standard or calibration
  Conflict,      // someone else changed it since it was read; the result holds the current values
  Refused,       // the operation is not allowed in this state (amend without a reason, ...)
  NotRecords,    // the database is not a Vorenx records database, or is damaged; never written
  NewerSchema,   // the database was made by a newer program; never written
  Connection,    // the server cannot be reached or refused the login
  Database,      // any other failure the engine reported
};

// A value, or what went wrong. A Conflict carries the current value too.
template <typename T>
struct RecordsResult {
  T value{};
  RecordsError error = RecordsError::None;
  QString message;

  bool ok() const { return error == RecordsError::None; }
  static RecordsResult Ok(T v) { return RecordsResult{std::move(v), RecordsError::None, {}}; }
  static RecordsResult Fail(RecordsError e, QString text, T current = T{}) {
    return RecordsResult{std::move(current), e, std::move(text)};
  }
};

// Who makes a change and why. The system user name is added by the store.
struct Actor {
  QString technician;
  QString reason;  // required to amend an approved calibration; kept in the audit trail
};

enum class ServiceState { InService, OutOfService, Retired };
QString ServiceStateText(ServiceState state);  // "in-service", "out-of-service", "retired"
std::optional<ServiceState> ServiceStateFromText(const QString& text);

struct Instrument {
  qint64 id = 0;  // 0 until stored
  QString tag;    // unique in the lab
  QString description;
  QString manufacturer;
  QString model;
  QString serial;
  QString location;
  QString owner;  // the owner or customer
  int intervalDays = 365;
  ServiceState state = ServiceState::InService;
  // Optimistic locking: an update names the version it was read at.
  int version = 0;
  QString changedBy;    // technician (system user) of the last change
  QDateTime changedAt;  // UTC

  friend bool operator==(const Instrument&, const Instrument&) = default;
};

struct ReferenceStandard {
  qint64 id = 0;
  QString serial;  // unique in the lab
  QString description;
  QString certificateNumber;  // the standard's own certificate
  QDate calibratedOn;
  QDate dueOn;
  // The standard's accuracy from its own certificate; empty for the
  // documented defaults (DefaultAccuracySpecs).
  std::vector<AccuracySpec> accuracy;

  // Overdue on `date` when its due date has passed (due on the day is not overdue).
  bool IsOverdue(const QDate& date) const { return dueOn.isValid() && dueOn < date; }
  friend bool operator==(const ReferenceStandard&, const ReferenceStandard&) = default;
};

// Where a problem of a reference standard is, for the form to show it at its field.
enum class StandardField { Serial, Description, CertificateNumber, CalibratedOn, DueOn, Accuracy };
struct StandardProblem {
  StandardField field = StandardField::Serial;
  int row = -1;     // the accuracy table's row (from 0) for StandardField::Accuracy; -1 for the table as a whole
  QString message;  // a sentence that names the field

  friend bool operator==(const StandardProblem&, const StandardProblem&) = default;
};
inline constexpr int kMaxAccuracyRows = 200;
// Every reason AddStandard and UpdateStandard refuse `standard` for, in the
// order of its fields (texts, a missing date, a due date before the
// calibration, each accuracy row's AccuracySpecProblem); empty when none.
std::vector<StandardProblem> StandardProblems(const ReferenceStandard& standard);

enum class CalibrationState { Draft, Approved, Superseded };
QString CalibrationStateText(CalibrationState state);  // "draft", "approved", "superseded"
std::optional<CalibrationState> CalibrationStateFromText(const QString& text);

// A run's verdict as the lists show it: "pass", "fail", "indeterminate",
// "incomplete", or empty when the run was not done.
QString VerdictText(const std::optional<RunResult>& run);

// A stored calibration without its runs: what the lists show.
struct CalibrationSummary {
  qint64 id = 0;
  QString certificateNumber;  // "VX-2026-000123"; shared by all revisions
  int revision = 1;
  qint64 supersedes = 0;  // the revision this one replaces, 0 for the first
  qint64 instrumentId = 0;
  QString tag;
  qint64 standardId = 0;
  QString technician;
  QDateTime started;   // UTC; the earliest start of its runs
  QDateTime finished;  // UTC; the latest end of its runs
  QString asFoundVerdict;
  QString asLeftVerdict;
  CalibrationState state = CalibrationState::Draft;

  friend bool operator==(const CalibrationSummary&, const CalibrationSummary&) = default;
};

struct StoredCalibration {
  CalibrationSummary summary;
  CalibrationRecord record;
};

// One line of the due list: what the list shows of an instrument (the whole
// entry comes from FindInstrument) and of its newest calibration.
struct DueInstrument {
  qint64 id = 0;
  QString tag;
  QString description;
  QString location;
  int intervalDays = 0;

  friend bool operator==(const DueInstrument&, const DueInstrument&) = default;
};

struct LastCalibration {
  qint64 id = 0;
  QString certificateNumber;
  QDateTime finished;  // UTC
  QString asFoundVerdict;
  QString asLeftVerdict;

  friend bool operator==(const LastCalibration&, const LastCalibration&) = default;
};

struct DueEntry {
  DueInstrument instrument;
  std::optional<LastCalibration> last;  // the newest calibration that is not superseded
  QDate dueOn;  // last end + interval; invalid for an instrument never calibrated (due now)
};

struct DueFilter {
  QDate today;                         // the date the list is for (overdue: due before it)
  bool overdueOnly = false;            // only instruments past their due date or never calibrated
  std::optional<int> dueWithinDays;    // only those due on or before today + N days
};

// What an import did with one record file.
enum class ImportOutcome {
  Imported,            // stored as a new calibration (its instrument added to the register if new)
  AlreadyImported,     // the same file was imported before: nothing added
  ChangedSinceImport,  // a record of this tag and start time was imported, but the file differs now: not imported
};

struct ImportedRecord {
  ImportOutcome outcome = ImportOutcome::Imported;
  CalibrationSummary summary;  // the stored calibration (the earlier import's for the two others)
};

struct ChainReport {
  bool intact = true;
  qint64 entries = 0;
  qint64 firstBrokenId = 0;  // the first entry that does not verify; 0 when intact, or for a row with no entry
  QString problem;           // what is wrong with it
  QString newestHash;        // hex SHA-256 of the newest entry that verifies; empty for an empty trail
};

// Text limits: longer fields are refused at the field with a message.
inline constexpr int kMaxInstrumentTextLength = 200;   // description, manufacturer, ...
inline constexpr int kMaxReasonLength = 2000;

class LabRecords {
 public:
  virtual ~LabRecords() = default;

  // "postgresql://lab@records.example:5432/vorenx" or the SQLite file's path.
  virtual QString Where() const = 0;
  virtual RecordsResult<int> SchemaVersion() = 0;
  // Whether the database answers a trivial query now (a server may have gone).
  virtual bool Answers() = 0;

  // ---- the register ----
  virtual RecordsResult<Instrument> AddInstrument(const Instrument& instrument, const Actor& who) = 0;
  // Writes `edited` if the stored version is still `edited.version`; else a
  // Conflict naming who changed it and when, with the current values.
  virtual RecordsResult<Instrument> UpdateInstrument(const Instrument& edited, const Actor& who) = 0;
  virtual RecordsResult<Instrument> FindInstrument(const QString& tag) = 0;
  // Every instrument in the register, by tag.
  virtual RecordsResult<std::vector<Instrument>> Instruments() = 0;

  virtual RecordsResult<ReferenceStandard> AddStandard(const ReferenceStandard& standard, const Actor& who) = 0;
  // Every standard, by serial, each with its accuracy table.
  virtual RecordsResult<std::vector<ReferenceStandard>> Standards() = 0;
  // Changes the standard `standard.id` to `standard` (its serial stays what it
  // is): description, certificate number, dates and accuracy table, in one
  // transaction with one audit entry holding before and after. A reason is
  // required: the standard's values are the evidence of every calibration
  // made with it. NotFound for a standard not kept; nothing is written when
  // nothing changes.
  virtual RecordsResult<ReferenceStandard> UpdateStandard(const ReferenceStandard& standard, const Actor& who) = 0;
  // Notes in the audit trail that the overdue standard `standardId` is used
  // for calibrating `tag`, with the user's reason (required).
  virtual RecordsResult<ReferenceStandard> NoteOverdueStandard(qint64 standardId, const QString& tag, const Actor& who) = 0;

  // ---- calibrations ----
  // A new draft for the instrument of `record.setup.tag`, with a new
  // certificate number. `origin` is the bench's own name for the run (a
  // UUID): a second save of the same origin stores nothing and returns the
  // first, so that a run sent again after a lost answer arrives once.
  virtual RecordsResult<CalibrationSummary> SaveCalibration(const CalibrationRecord& record, qint64 standardId,
                                                            const Actor& who, const QString& origin = QString()) = 0;
  virtual RecordsResult<CalibrationSummary> Approve(qint64 calibrationId, const Actor& who) = 0;
  // A draft is changed in place; an approved calibration gets a new revision
  // (the old one superseded), and only with a reason; a superseded one is refused.
  virtual RecordsResult<CalibrationSummary> Amend(qint64 calibrationId, const CalibrationRecord& record,
                                                  const Actor& who) = 0;
  virtual RecordsResult<StoredCalibration> FindCalibration(qint64 calibrationId) = 0;
  // Every revision of the certificate `number`, oldest first; NotFound when there is none.
  virtual RecordsResult<std::vector<CalibrationSummary>> FindCertificate(const QString& number) = 0;
  // Every stored calibration, all revisions, by certificate number and revision.
  virtual RecordsResult<std::vector<CalibrationSummary>> Calibrations() = 0;
  // Stores a record read from the file `path` (whose bytes are `fileBytes`)
  // once: a record is known by its tag and start time. The file is not touched.
  virtual RecordsResult<ImportedRecord> ImportRecord(const CalibrationRecord& record, const QByteArray& fileBytes,
                                                     const QString& path, const Actor& who) = 0;

  // ---- lists ----
  // Instruments not retired, soonest due first (never calibrated first of all).
  virtual RecordsResult<std::vector<DueEntry>> DueList(const DueFilter& filter) = 0;
  // Every calibration of `tag`, all revisions, newest first.
  virtual RecordsResult<std::vector<CalibrationSummary>> History(const QString& tag) = 0;

  // ---- audit ----
  // Checks the chain entry by entry, then that every instrument, standard and
  // calibration row is what its newest audit entry says it is (a row changed,
  // added or removed behind the program's back is reported with that entry).
  virtual RecordsResult<ChainReport> VerifyAudit() = 0;
  // The hash of the newest audit entry (empty for an empty trail), for a
  // certificate to print: a later check finds entries removed after it.
  virtual RecordsResult<QString> NewestAuditHash() = 0;
};

}  // namespace vorenx
