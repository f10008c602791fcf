// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What a logging process tells the process that started it, one line each on
// its standard output (tab-separated, UTF-8, "\n"): every reading as the
// journal keeps it with the alarms on at it, connection changes, where its
// journal is, its statistics and how it ended. Pure: encoded and decoded here, tested without a process.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "journal/JournalFormat.h"

namespace vorenx::logger {

// One display's reading as the lines carry it.
struct ChannelReading {
  float value = 0.0f;  // NaN and infinities travel as they are
  QString unit;
  QString function;
};

struct LoggedReading {
  QString time;  // the journal's timestamp ("2026-12-08T09:03:07.123+01:00")
  ChannelReading upper;
  ChannelReading lower;
  QStringList alarms;  // the alarms on at this reading ("upper above 20 mA")
};

struct ChildEnd {
  int code = 0;                     // the logging process's exit status
  qint64 readings = 0;              // readings it took
  qint64 journalReadings = -1;      // readings its journal holds on disk; -1 without one
  QString reason;                   // why it ended, in words
};

struct ChildLine {
  enum class Kind { Reading, Status, Journal, Statistics, End, Unknown };
  Kind kind = Kind::Unknown;
  LoggedReading reading;  // Reading
  QString text;           // Status ("Connected", "DisConnected"), Journal (the file's path),
                          // Statistics (one display's, in words)
  ChildEnd end;           // End
};

QByteArray EncodeReading(const JournalReading& reading, int utcOffsetSeconds, const QStringList& alarms = {});
QByteArray EncodeStatus(const QString& status);
QByteArray EncodeJournal(const QString& path);
QByteArray EncodeStatistics(const QString& text);
QByteArray EncodeEnd(const ChildEnd& end);
// One line without its "\n"; Kind::Unknown when it is not one of the above.
ChildLine DecodeChildLine(const QByteArray& line);

// The shortest text that reads back as the same float, "." whatever the
// locale; "nan", "inf" or "-inf" otherwise.
QString ReadingNumber(float value);

}  // namespace vorenx::logger
