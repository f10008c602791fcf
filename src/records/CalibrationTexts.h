// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The texts of a calibration shared by the dialog, its results table and the
// certificate (function names and units are the instrument's FunctionName and
// FunctionUnit): numbers as the user types and reads them, the test points
// field, and the cells and verdict lines of the results. Pure functions.
//
// Numbers are always written with "." whatever the locale. A single number
// field also takes "," as its decimal mark (there are no thousands marks to
// confuse it with). The test points field separates points with ";", with
// whitespace, or with a comma followed by a space ("0, 25, 50"); a comma
// between two digits ("12,5") is refused, since it could be a decimal mark or
// a separator, and the user is asked to write "12.5".

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"
#include "instrument/FunctionTable.h"

namespace vorenx {

// The shortest text that reads back as `value`, with ".": "4", "0.25", "1e-07".
QString NumberText(double value);
// `value` with `decimals` fixed decimals and "."; "—" for a value that is not finite.
QString FixedText(double value, int decimals);
// A signed error in % of span with three decimals: "+0.125", "-1.000", "—".
QString ErrorText(double percent);

// Reads one number field. False for an empty, malformed or not finite text.
bool ParseNumberField(const QString& text, double& value);

// Reads the test points field; false with a sentence for the user in `error`.
bool ParsePointsField(const QString& text, std::vector<double>& points, QString& error);
// The points as the field shows them: "0, 25, 50, 75, 100".
QString PointsFieldText(const std::vector<double>& points);

// "PT100/385, 3-wire, 0 to 100 ℃" and "Current, 4 to 20 mA, linear".
QString InputSpanText(const CalibrationSetup& setup);
QString OutputSpanText(const CalibrationSetup& setup);
// "0.5 % of span (0.08 mA)".
QString ToleranceText(const CalibrationSetup& setup);
// "3 readings within 10 % of the tolerance, at most 60 s".
QString SettleRuleText(const SettleRule& rule);

// The columns of the results, with the units of this setup.
QStringList ResultColumnTitles(const CalibrationSetup& setup);
// One point's cells in the order of ResultColumnTitles; `drift` (% of span) is
// NaN when there is nothing to compare with.
QStringList ResultCells(const PointResult& point, double drift);
// A point's verdict as shown: its own (records from before verdicts were
// kept have `pass` alone), a point not settled always failing.
PointVerdict ShownVerdict(const PointResult& point);
// True when a point of `run` is shown failing (an indeterminate one is not).
bool AnyPointFails(const RunResult& run);
// "Pass", "Fail", "Indeterminate" (the guard band's zone between pass and
// fail) or "Fail (not settled)".
QString PointVerdictText(const PointResult& point);

// "As-found" or "As-left" in the certificate's or the window's language
// (CertificateWords); written files keep RunKindText's English.
QString RunKindWord(RunKind kind);

// The results table's columns: those of ResultColumnTitles with the point's
// expanded uncertainty ("U (mA)") and its test uncertainty ratio ("TUR")
// before the verdict; its cells in the same order.
QStringList ResultTableColumnTitles(const CalibrationSetup& setup);
QStringList ResultTableCells(const PointResult& point, double drift);
// U at k = 2 with two significant digits ("0.012"); "not recorded" for a
// point recorded before uncertainties were kept.
QString UncertaintyText(const PointResult& point);
// "3.2:1", with two significant digits cut down rather than rounded, so that
// a ratio under kMinimumTur never reads as 4.0:1; "—" when U is 0, and
// "not recorded" as for U.
QString TurText(const PointResult& point);
// True when the point's ratio is known and under kMinimumTur.
bool TurBelowMinimum(const PointResult& point);
// "As-found: FAIL. Largest error +1.000 % of span at 100 % up. Hysteresis 0.020 % of span."
// and, for a run that ended early, why; an indeterminate run also says at how
// many points ("As-found: INDETERMINATE (conformity could not be decided at 2 points).").
QString RunSummaryText(const RunResult& run);
// `withEndReason` false leaves out why a run ended early (said elsewhere).
QString RunSummaryText(const RunResult& run, bool withEndReason);
// The line of a run still going on: "As-found: in progress, 2 points recorded."
// or, once a point failed, "As-found: FAIL so far, in progress, 3 points recorded."
QString RunInProgressText(const RunResult& run);
// "PASS", "FAIL", "INDETERMINATE" for a complete run with no failing point
// whose conformity could not be decided at some, or "INCOMPLETE" for a run
// that ended before its last point (in the certificate's or window's language).
QString RunVerdictText(const RunResult& run);

// What a drift is measured against: "the last complete as-left, finished
// 2026-12-08 12:00:00 (UTC+01:00), record TT-101_2026-12-08_11-00-00.json"
// (without the record when `file` is empty).
QString DriftBasisText(const RunResult& asLeft, const QString& file);

// "2026-12-08 09:03:07 (UTC+01:00)"; "—" for an invalid time.
QString DateTimeText(const QDateTime& time);
// "12 s", "3 min 5 s", "2 h 10 min".
QString DurationText(qint64 seconds);
// When and for how long the run was interrupted by a lost link; empty when it never was.
QString InterruptionsText(const RunResult& run);

}  // namespace vorenx
