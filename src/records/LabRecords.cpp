// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/LabRecords.h"

namespace vorenx {

namespace {

template <typename E, size_t N>
std::optional<E> FromText(const QString& text, const std::pair<E, const char*> (&names)[N]) {
  for (const auto& [value, name] : names)
    if (text == QLatin1String(name)) return value;
  return std::nullopt;
}

template <typename E, size_t N>
QString ToText(E value, const std::pair<E, const char*> (&names)[N]) {
  for (const auto& [v, name] : names)
    if (v == value) return QLatin1String(name);
  return QString();
}

constexpr std::pair<ServiceState, const char*> kServiceStates[] = {
    {ServiceState::InService, "in-service"}, {ServiceState::OutOfService, "out-of-service"}, {ServiceState::Retired, "retired"}};
constexpr std::pair<CalibrationState, const char*> kCalibrationStates[] = {
    {CalibrationState::Draft, "draft"}, {CalibrationState::Approved, "approved"}, {CalibrationState::Superseded, "superseded"}};

}  // namespace

QString ServiceStateText(ServiceState state) { return ToText(state, kServiceStates); }
std::optional<ServiceState> ServiceStateFromText(const QString& text) { return FromText(text, kServiceStates); }
QString CalibrationStateText(CalibrationState state) { return ToText(state, kCalibrationStates); }
std::optional<CalibrationState> CalibrationStateFromText(const QString& text) { return FromText(text, kCalibrationStates); }

QString VerdictText(const std::optional<RunResult>& run) {
  if (!run) return QString();
  if (!run->complete) return QStringLiteral("incomplete");
  return PointVerdictText(RunVerdict(*run));
}

}  // namespace vorenx
