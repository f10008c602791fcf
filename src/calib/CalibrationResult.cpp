// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/CalibrationResult.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorenx {

namespace {

const PointResult* Find(const RunResult& run, double percent, bool down) {
  const auto it = std::find_if(run.points.begin(), run.points.end(),
                               [&](const PointResult& p) { return p.percent == percent && p.down == down; });
  return it == run.points.end() ? nullptr : &*it;
}

}  // namespace

QString RunKindText(RunKind kind) {
  return kind == RunKind::AsFound ? QStringLiteral("As-found") : QStringLiteral("As-left");
}

bool RunPasses(const RunResult& run) {
  return run.complete && !run.points.empty() &&
         std::all_of(run.points.begin(), run.points.end(), [](const PointResult& p) { return p.pass; });
}

PointVerdict RunVerdict(const RunResult& run) {
  if (!run.complete || run.points.empty()) return PointVerdict::Fail;
  std::vector<PointVerdict> verdicts;
  verdicts.reserve(run.points.size());
  for (const PointResult& p : run.points)
    verdicts.push_back(p.verdict ? *p.verdict : (p.pass ? PointVerdict::Pass : PointVerdict::Fail));
  return CombineVerdicts(verdicts);
}

const PointResult* LargestError(const RunResult& run) {
  const PointResult* largest = nullptr;
  for (const PointResult& p : run.points) {
    if (!std::isfinite(p.errorPercent)) continue;
    if (!largest || std::abs(p.errorPercent) > std::abs(largest->errorPercent)) largest = &p;
  }
  return largest;
}

std::optional<double> Hysteresis(const RunResult& run) {
  std::optional<double> largest;
  for (const PointResult& up : run.points) {
    if (up.down) continue;
    const PointResult* down = Find(run, up.percent, true);
    if (!down) continue;
    const double difference = std::abs(up.errorPercent - down->errorPercent);
    // A point measured only one way (a timeout without readings) tells nothing.
    if (!std::isfinite(difference)) continue;
    if (!largest || difference > *largest) largest = difference;
  }
  return largest;
}

std::vector<double> DriftAgainst(const RunResult& current, const RunResult& previous) {
  std::vector<double> drift;
  drift.reserve(current.points.size());
  for (const PointResult& p : current.points) {
    const PointResult* before = Find(previous, p.percent, p.down);
    drift.push_back(before ? p.errorPercent - before->errorPercent : std::numeric_limits<double>::quiet_NaN());
  }
  return drift;
}

}  // namespace vorenx
