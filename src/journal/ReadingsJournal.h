// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The readings journal: every reading handed to Append is written, in the
// order given, to one CSV file per run and forced to the disk within a
// second. The caller (the worker) only puts the reading into a bounded queue;
// a writer thread of the journal's own formats, writes and syncs.
//
// When writing fails (full disk, folder gone or read-only, device removed)
// the journal says so once through its observer, keeps the readings queued
// (up to the queue's bound), tries again every retry interval, and says so
// again when it writes once more. A block that could not be written whole is
// cut off and written again later, so the file never holds half a line.

#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "journal/JournalFile.h"
#include "journal/JournalFormat.h"

namespace vorenx {

// Told of the journal's trouble, on the journal's writer thread. Must not
// wait for another thread that may be waiting for the journal.
class JournalObserver {
 public:
  virtual ~JournalObserver() = default;
  // Writing failed; `message` names the file and the reason. Once per failure.
  virtual void JournalFailed(const QString& message) = 0;
  // Writing works again after a failure.
  virtual void JournalResumed(const QString& message) = 0;
};

struct JournalSettings {
  QString folder;             // where the run's file goes; created when missing
  LocalTime start;            // names the file
  std::size_t capacity = 100000;  // readings and notes held while writing fails
  int retryMs = 1000;         // pause between two attempts after a failure
  // Offset of local time from UTC for a timestamp; the system's zone by default.
  std::function<int(const LocalTime&)> utcOffset = &LocalUtcOffsetSeconds;
};

struct JournalCounts {
  std::uint64_t readingsWritten = 0;  // readings on disk (synced)
  std::uint64_t dropped = 0;          // readings refused because the queue was full
  std::uint64_t failures = 0;         // failure episodes reported
  std::uint64_t failedWrites = 0;     // attempts that failed, each retry counted
  std::uint64_t syncs = 0;
};

class ReadingsJournal {
 public:
  // Creates the folder when missing and starts the writer thread. The file
  // itself is opened by the writer; a failure there is reported like any other.
  ReadingsJournal(JournalSettings settings, JournalObserver* observer);
  // Writes what is queued (within one retry when writing fails), syncs and
  // ends the writer thread.
  ~ReadingsJournal();
  ReadingsJournal(const ReadingsJournal&) = delete;
  ReadingsJournal& operator=(const ReadingsJournal&) = delete;

  // Any thread; never waits for the disk. False when the queue was full and
  // the reading was dropped (the file then says how many were lost).
  bool Append(const JournalReading& reading);
  // A comment line, e.g. a connection change, in order with the readings.
  void Note(const LocalTime& time, const QString& text);

  // Waits until everything queued so far is synced or `timeoutMs` passed;
  // true when it is. For tests and the bench.
  bool WaitUntilSynced(int timeoutMs);

  QString Folder() const { return m_settings.folder; }
  // The run's file. It is created at construction under a name no other
  // journal holds ("-2", "-3", ... when the second's name is taken); when the
  // folder cannot take it yet, the writer creates it later and the name may
  // then still change.
  QString FilePath() const;
  JournalCounts Counts() const;
  // True while writing fails.
  bool Failing() const;

 private:
  struct Entry {
    JournalReading reading;
    QString note;  // empty: a reading
  };

  void Run();
  bool EnsureOpen();
  // Creates the run's file under the first free name of its second; true
  // when it did. Sets m_path (under m_lock) and m_lastError.
  bool CreateFile();
  // Formats `batch` (with the gap and loss notes that are due) and writes it
  // whole; on failure nothing of it stays in the file.
  bool WriteBatch(const std::deque<Entry>& batch, std::uint64_t dropped, const QString& gapNote);
  void ReportFailure();

  const JournalSettings m_settings;
  JournalObserver* const m_observer;
  QString m_path;  // written under m_lock by the writer; read there without it

  mutable std::mutex m_lock;
  std::condition_variable m_wake;
  std::condition_variable m_synced;
  std::deque<Entry> m_queue;      // under m_lock
  std::uint64_t m_queued = 0;     // entries ever queued, under m_lock
  std::uint64_t m_done = 0;       // entries ever synced, under m_lock
  std::uint64_t m_dropped = 0;    // readings dropped and not yet noted, under m_lock
  JournalCounts m_counts;         // under m_lock
  bool m_failing = false;         // under m_lock
  bool m_stop = false;            // under m_lock
  std::size_t m_inFlight = 0;     // entries taken out for writing, under m_lock

  // Writer thread only.
  JournalFile m_file;
  bool m_created = false;  // the run's file was made under its own name
  bool m_haveSetup = false;
  JournalReading m_lastSetup;
  QString m_failedSince;
  QString m_lastError;

  std::thread m_writer;  // last: started when everything else exists
};

}  // namespace vorenx
