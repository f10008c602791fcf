// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The journal's file format as plain functions: one CSV line (UTF-8, CR LF)
// per reading, comment lines starting with "#", and the file's name. No I/O
// here, so tests and the bench drive the text directly.

#include <QByteArray>
#include <QString>

#include "platform/Clock.h"
#include "platform/FileText.h"

namespace vorenx {

// One display's reading as the journal keeps it.
struct JournalChannel {
  float value = 0.0f;
  QString unit;      // "V", "mA", "mV", "Ω", "℃", "℉" or empty
  QString function;  // "Voltage", "TC K", "PT100/385", ...

  friend bool operator==(const JournalChannel&, const JournalChannel&) = default;
};

// One reading: when it was taken (local time, with milliseconds) and both displays.
struct JournalReading {
  LocalTime time;
  JournalChannel upper;
  JournalChannel lower;
};

// The first line of every journal file, after a UTF-8 byte-order mark (so
// that spreadsheets read ℃, ℉ and Ω right, as in the readings export).
QByteArray JournalHeaderLine();

// The journal's timestamps are IsoTimestamp's (platform/FileText.h).
QString FormatJournalTimestamp(const LocalTime& time, int utcOffsetSeconds);
// The offset of the system's time zone from UTC at that local time, in seconds.
int LocalUtcOffsetSeconds(const LocalTime& time);

// The shortest text that reads back as the same float, with "." whatever the
// locale ("1.5", "-0.001", "1e-07"); empty for NaN and infinities.
QString FormatJournalNumber(float value);
// CSV fields are quoted by CsvField (platform/FileText.h).

// One reading as a line, CR LF included.
QByteArray JournalReadingLine(const JournalReading& reading, int utcOffsetSeconds);
// True when both readings have the same functions and units on both displays.
bool SameSetup(const JournalReading& a, const JournalReading& b);
// "# <timestamp> upper <function> <unit>, lower <function> <unit>" CR LF:
// written before the first reading and whenever a function or unit changes.
QByteArray JournalSetupLine(const JournalReading& reading, int utcOffsetSeconds);
// "# <timestamp> <text>" CR LF; CR and LF inside `text` become spaces, so a
// note is always one line.
QByteArray JournalNoteLine(const LocalTime& time, int utcOffsetSeconds, const QString& text);

// The file name of a run that started at `start`: "2026-12-08_09-03-07.csv"
// (no colons, so FAT-formatted sticks take it too); `sequence` > 1 appends
// "-2", "-3", ... for a second run started within the same second.
QString JournalFileName(const LocalTime& start, int sequence = 1);

}  // namespace vorenx
