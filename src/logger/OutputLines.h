// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The lines vorenx-logger prints on standard output, one per reading, in the
// three formats --format offers. Numbers are the journal's (the shortest text
// that reads back as the same value, "." whatever the locale). Pure.

#include <QString>
#include <QStringList>

#include "logger/ChildLines.h"
#include "logger/LoggerOptions.h"

namespace vorenx::logger {

// The first line of the output: the CSV header; empty for the other formats.
QString OutputHeader(OutputFormat format);

// One reading of the instrument on `port`, "\n" included. `alarms` are the
// alarms active at this reading ("upper above 20"), empty when none.
//   text:  2026-12-08T09:03:07.123+01:00 COM4 upper 12.001 V Voltage, lower 25.5 ℃ TC K
//   csv:   2026-12-08T09:03:07.123+01:00,COM4,12.001,V,25.5,℃,Voltage,TC K,
//   jsonl: {"time":"…","port":"COM4","upper":{"value":12.001,"unit":"V","function":"Voltage"},"lower":{…}}
// A value that is not a finite number is "nan"/"inf" in text, empty in CSV, null in JSON.
QString OutputLine(OutputFormat format, int port, const LoggedReading& reading, const QStringList& alarms);

// `text` as a JSON string, quotes included.
QString JsonString(const QString& text);

}  // namespace vorenx::logger
