// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One calibration of one instrument: the setup, the calibrator it was done
// with, and its as-found and as-left runs. Kept as a JSON file per record in
// the calibrations folder (see docs/calibration-data.md), so that the next
// as-found of the same tag can show its drift against the last as-left.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"
#include "calib/Uncertainty.h"

namespace vorenx {

// The reference standard a calibration was done with, as it stood then: its
// identity and certificate, and the accuracy table the uncertainties were
// computed from (the documented defaults when the lab entered none).
struct StandardUsed {
  QString serial;
  QString description;
  QString certificateNumber;
  QDate calibratedOn;
  QDate dueOn;
  std::vector<AccuracySpec> accuracy;
  bool defaultAccuracy = true;  // `accuracy` is the documented default table
  QString overdueReason;        // the user's reason for using it past its due date; empty otherwise

  friend bool operator==(const StandardUsed&, const StandardUsed&) = default;
};

struct CalibrationRecord {
  CalibrationSetup setup;
  QString calibrator;  // "Vorenx calibrator on COM4 (/dev/ttyUSB0)"
  // None in records made before they were kept: shown as "not recorded".
  std::optional<StandardUsed> standard;
  Environment environment;
  std::optional<RunResult> asFound;
  std::optional<RunResult> asLeft;

  friend bool operator==(const CalibrationRecord&, const CalibrationRecord&) = default;
};

// The record as a JSON document (UTF-8, "." decimals, ISO 8601 times).
QByteArray RecordToJson(const CalibrationRecord& record);
// Reads a record back; nullopt (and `error` set) for a document that is not one.
std::optional<CalibrationRecord> RecordFromJson(const QByteArray& json, QString* error = nullptr);

// "2026-12-08T09:03:07.123+01:00": the time in its own zone with milliseconds
// and the offset from UTC ("+00:00", never "Z"), as the journal writes it;
// empty for an invalid time.
QString FormatRecordTime(const QDateTime& time);

// The setup alone (the last run's setup, offered again next time).
QByteArray SetupToJson(const CalibrationSetup& setup);
std::optional<CalibrationSetup> SetupFromJson(const QByteArray& json, QString* error = nullptr);

}  // namespace vorenx
