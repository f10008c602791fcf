// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The sentences a certificate states, worded once for both the PDF and the
// digital certificate (XML): the decision rule, each run's statement of
// conformity, the notes on low test uncertainty ratios and on square-root
// points at 0 %, the environment and reference standard ("not recorded" where
// the record has nothing, never a made-up value), the amendment, and the
// sentence on reproduction. Pure functions; numbers with ".".

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "records/CertificateData.h"

namespace vorenx {

// "not recorded": what a certificate says for a value the record lacks.
QString NotRecordedText();
// The laboratory's name, or "Laboratory not set" while none is set.
QString LabNameText(const LabIdentity& lab);
// "This certificate shall not be reproduced except in full without the
// written approval of the laboratory."
QString ReproductionStatement();
// "VX-2026-000123, revision 2", or a sentence saying that the certificate was
// not issued from the lab's records (a run kept on the bench only).
QString CertificateIdText(const CertificateData& data);
// "This certificate replaces certificate VX-2026-000123, revision 1."; empty
// for a first revision.
QString AmendmentStatement(const CertificateData& data);

// The verdict a point's conformity is stated by: its own verdict, or (records
// made before verdicts were kept) its pass; a point that never settled fails.
PointVerdict StatedVerdict(const PointResult& point);
// "Pass", "Fail", "Fail (not settled)", "Indeterminate".
QString PointConformityText(const PointResult& point);
// True when the point's test uncertainty ratio is below kMinimumTur.
bool TurIsLow(const PointResult& point);

// How conformity is decided under the setup's rule, with its tolerance.
QString DecisionRuleStatement(const CalibrationSetup& setup);
// A run's verdict in capitals as the certificate states it: "PASS", "FAIL",
// "INDETERMINATE", or "INCOMPLETE" for a run that ended early.
QString StatedRunVerdictText(const RunResult& run);
// "As-found: FAIL. Largest error +0.812 % of span at 100 % up. Hysteresis
// 0.020 % of span."
QString RunResultLine(const RunResult& run);
// One run's statement of conformity under that rule: conforms at every
// point, does not conform (which points fail), or could not be decided
// (which points are indeterminate); an incomplete run gets none.
QString ConformityStatement(const RunResult& run, const CalibrationSetup& setup);
// The overall conformity of `run`: nullopt when none is stated (incomplete,
// or no point at all).
std::optional<PointVerdict> StatedRunVerdict(const RunResult& run);

// How U is stated: k = 2, about 95 % for a normal distribution.
QString UncertaintyStatement();
// The note under a table with points below 4:1 (marked "*"), and the one for
// square-root points at 0 % whose U comes from the output side alone.
QString LowTurNote();
QString OutputSideOnlyNote();
bool AnyLowTur(const RunResult& run);
bool AnyOutputSideOnly(const RunResult& run);

// "23.1 \u2103" / "45 % RH", or "not recorded".
QString AmbientTemperatureText(const Environment& environment);
QString HumidityText(const Environment& environment);
// "Process calibrator, serial 1234, certificate C-77, calibrated 2026-01-10,
// due 2027-01-10" (with the reason when it was used overdue); "not recorded"
// for a record made before the standard was kept.
QString StandardUsedText(const std::optional<StandardUsed>& standard);

// The first and last day of the calibration (its runs' start and end, each in
// the run's own offset from UTC); invalid when the record has no run.
QDate FirstPerformanceDate(const CalibrationRecord& record);
QDate LastPerformanceDate(const CalibrationRecord& record);

}  // namespace vorenx
