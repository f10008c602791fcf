// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What a run records of one point: the settled mean and its spread, how well
// it is known (the uncertainty budget with the run's accuracy table) and its
// verdict under the setup's decision rule.
#include <QDateTime>
#include <cmath>

#include "calib/CalibrationRun.h"

namespace vorenx {

namespace {

// The verdict of a point whose budget could not be completed (its reading
// lies beyond what the accuracy table covers, which Start checked over the
// span widened by the tolerance, so the reading is out of tolerance or close
// to it): simple acceptance needs no U; a guard band cannot pass it without
// one, so it fails beyond the tolerance and is indeterminate within.
PointVerdict VerdictWithoutU(DecisionRule rule, double errorPercent, double tolerancePercent) {
  const PointVerdict simple = DecidePoint(DecisionRule::SimpleAcceptance, errorPercent, tolerancePercent, 0.0);
  if (rule == DecisionRule::SimpleAcceptance) return simple;
  return simple == PointVerdict::Pass ? PointVerdict::Indeterminate : PointVerdict::Fail;
}

}  // namespace

void CalibrationRun::RecordPoint(bool settled) {
  const TestStep& step = m_steps[static_cast<std::size_t>(m_step)];
  PointResult p;
  p.percent = step.percent;
  p.down = step.down;
  p.applied = m_applied;
  p.expected = ExpectedOutput(m_setup, m_applied);
  p.measured = m_tracker.Value();
  p.errorPercent = std::isfinite(p.measured) ? ErrorPercentOfSpan(m_setup, p.measured, p.expected)
                                             : std::nan("");
  p.settled = settled;
  p.readings = m_tracker.ReadingCount();
  if (m_tracker.WindowCount() > 0) {
    p.spread = m_tracker.Spread();
    p.spreadReadings = m_tracker.WindowCount();
  }
  if (const double sd = m_tracker.StdDev(); std::isfinite(sd)) p.stdDev = sd;

  QString missing;
  const PointUncertainty u =
      EvaluatePointUncertainty(m_setup, m_accuracy, {p.applied, p.measured, p.stdDev, m_tracker.WindowCount()},
                               &missing);
  const double tolerance = TolerancePercentOfSpan(m_setup);
  if (!settled || !std::isfinite(p.errorPercent)) {
    p.verdict = PointVerdict::Fail;  // timed out or nothing read: no verdict can be better
  } else if (missing.isEmpty()) {
    p.verdict = DecidePoint(m_setup.rule, p.errorPercent, tolerance, u.expandedPercentOfSpan);
  } else {
    p.verdict = VerdictWithoutU(m_setup.rule, p.errorPercent, tolerance);
  }
  // A budget with a missing line would understate U: none is kept instead.
  if (missing.isEmpty()) p.uncertainty = u;
  p.pass = p.verdict == PointVerdict::Pass;
  p.time = QDateTime::currentDateTime();
  m_result.points.push_back(p);
  emit pointRecorded(static_cast<int>(m_result.points.size()) - 1);
}

}  // namespace vorenx
