// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calibrate_cli/RunPlan.h"

#include <QFile>
#include <QStringList>
#include <cmath>

#include "calib/CalibrationMath.h"
#include "calib/Uncertainty.h"

namespace vorenx::calibrate_cli {

namespace {

QString Problems(const std::vector<SetupProblem>& problems) {
  QStringList sentences;
  for (const SetupProblem& p : problems) sentences << p.message;
  return sentences.join(QLatin1Char(' '));
}

QString StandardList(const std::vector<ReferenceStandard>& registered, const QDate& today) {
  QStringList names;
  for (const ReferenceStandard& s : registered)
    names << (s.IsOverdue(today) ? QStringLiteral("%1 (overdue since %2)").arg(s.serial, s.dueOn.toString(Qt::ISODate))
                                 : s.serial);
  return names.join(QStringLiteral(", "));
}

}  // namespace

std::optional<CalibrationSetup> PrepareSetup(const CalibrateOptions& options, const RangeLookup& range,
                                             Refusal* refusal) {
  auto refuse = [refusal](const QString& message) -> std::optional<CalibrationSetup> {
    *refusal = {kExitRefused, message};
    return std::nullopt;
  };
  QFile file(options.setupFile);
  if (!file.open(QIODevice::ReadOnly))
    return refuse(QStringLiteral("The setup file %1 cannot be read: %2").arg(options.setupFile, file.errorString()));
  if (file.size() > kMaxSetupFileBytes)
    return refuse(QStringLiteral("The setup file %1 is too large to be a calibration setup.").arg(options.setupFile));
  QString why;
  std::optional<CalibrationSetup> setup = SetupFromJson(file.read(kMaxSetupFileBytes + 1), &why);
  if (!setup) return refuse(QStringLiteral("%1: %2").arg(options.setupFile, why));

  // A setup saved before the resolution was kept holds 0: the command line's is always there.
  if (!(options.resolution > 0.0) || !std::isfinite(options.resolution))
    return refuse(QStringLiteral("--resolution must be above 0 (the last digit of the instrument under test in "
                                 "output units), not %1.")
                      .arg(FormatCalibrationNumber(options.resolution)));
  setup->resolution = options.resolution;
  if (options.rule) setup->rule = *options.rule;
  if (const std::vector<SetupProblem> problems = ValidateSetup(*setup, range); !problems.empty())
    return refuse(QStringLiteral("The setup %1 cannot be run: %2").arg(options.setupFile, Problems(problems)));
  return setup;
}

QString EnvironmentProblem(const Environment& environment) {
  const std::vector<SetupProblem> problems = ValidateEnvironment(environment);
  return problems.empty() ? QString() : QStringLiteral("--environment: %1").arg(Problems(problems));
}

StandardChoice ChooseStandard(const std::vector<ReferenceStandard>& registered, const QString& serial,
                              const std::optional<QString>& overdueReason, const QDate& today) {
  StandardChoice choice;
  const ReferenceStandard* chosen = nullptr;
  if (registered.empty()) {
    choice.refusal = {kExitRefused, QStringLiteral("The register holds no reference standard: add the one used "
                                                   "(the Instruments window of vorenx) before a calibration.")};
    return choice;
  }
  if (serial.isEmpty()) {
    if (registered.size() > 1) {
      choice.refusal = {kExitUsage, QStringLiteral("The register holds %1 reference standards: choose one with "
                                                   "--standard SERIAL (%2).")
                                        .arg(registered.size())
                                        .arg(StandardList(registered, today))};
      return choice;
    }
    chosen = &registered.front();
  } else {
    for (const ReferenceStandard& s : registered)
      if (s.serial == serial) chosen = &s;
    if (!chosen) {
      choice.refusal = {kExitRefused, QStringLiteral("The register holds no reference standard %1; it holds %2.")
                                          .arg(serial, StandardList(registered, today))};
      return choice;
    }
  }
  if (chosen->IsOverdue(today) && !overdueReason) {
    choice.refusal = {kExitRefused, QStringLiteral("The reference standard %1 was due on %2 and is overdue: it is "
                                                   "used only with --accept-overdue-standard REASON.")
                                        .arg(chosen->serial, chosen->dueOn.toString(Qt::ISODate))};
    return choice;
  }
  choice.standard = *chosen;
  return choice;
}

StandardUsed UsedStandard(const ReferenceStandard& standard, const QString& overdueReason) {
  StandardUsed used;
  used.serial = standard.serial;
  used.description = standard.description;
  used.certificateNumber = standard.certificateNumber;
  used.calibratedOn = standard.calibratedOn;
  used.dueOn = standard.dueOn;
  used.defaultAccuracy = standard.accuracy.empty();
  used.accuracy = used.defaultAccuracy ? DefaultAccuracySpecs() : standard.accuracy;
  used.overdueReason = overdueReason;
  return used;
}

}  // namespace vorenx::calibrate_cli
