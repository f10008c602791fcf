// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/PointLines.h"

#include <QStringList>
#include <cmath>

#include "calib/CalibrationMath.h"

namespace vorenx::calibrate_cli {

namespace {

QString Value(double value, int significant) {
  return std::isfinite(value) ? QString::number(value, 'g', significant) : QStringLiteral("none");
}

QString KindWord(RunKind kind) { return kind == RunKind::AsFound ? QStringLiteral("as-found") : QStringLiteral("as-left"); }

}  // namespace

QString PointHeaderLine() {
  return QStringLiteral("run\tpercent\tdirection\tapplied\texpected\tmeasured\terror_percent_of_span\tU\tTUR\tverdict");
}

QString PointLine(RunKind kind, const PointResult& p) {
  const std::optional<PointUncertainty>& u = p.uncertainty;
  const QString verdict = p.verdict ? PointVerdictText(*p.verdict) : PointVerdictText(p.pass ? PointVerdict::Pass : PointVerdict::Fail);
  QStringList fields{KindWord(kind),
                     FormatCalibrationNumber(p.percent),
                     p.down ? QStringLiteral("down") : QStringLiteral("up"),
                     FormatCalibrationNumber(p.applied),
                     Value(p.expected, 9),
                     Value(p.measured, 7),
                     Value(p.errorPercent, 4),
                     u ? FormatUncertainty(u->expanded) : QStringLiteral("none"),
                     u && u->tur ? QString::number(*u->tur, 'f', 1) : QStringLiteral("none"),
                     verdict};
  return fields.join(QLatin1Char('\t'));
}

QString RunVerdictWord(const RunResult& run) {
  return run.complete ? PointVerdictText(RunVerdict(run)) : QStringLiteral("incomplete");
}

void CompletePointVerdict(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table, PointResult& p) {
  if (!p.uncertainty) {
    PointUncertaintyInputs inputs;
    inputs.applied = p.applied;
    inputs.measured = p.measured;
    inputs.readingsStdDev = p.stdDev;
    inputs.readings = p.spreadReadings;
    p.uncertainty = EvaluatePointUncertainty(setup, table, inputs);
  }
  if (!p.verdict) {
    // A point that did not settle fails whatever its mean came to.
    p.verdict = p.settled ? DecidePoint(setup.rule, p.errorPercent, TolerancePercentOfSpan(setup),
                                        p.uncertainty->expandedPercentOfSpan)
                          : PointVerdict::Fail;
    p.pass = *p.verdict == PointVerdict::Pass;
  }
}

void CompleteRunVerdicts(const CalibrationSetup& setup, const std::vector<AccuracySpec>& table, RunResult& run) {
  for (PointResult& p : run.points) CompletePointVerdict(setup, table, p);
}

}  // namespace vorenx::calibrate_cli
