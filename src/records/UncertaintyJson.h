// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// How well a point is known, the reference standard a calibration was done
// with and its ambient conditions, as the record's JSON writes them (format
// version 2, docs/calibration-data.md). Readers refuse a value that cannot be
// (a negative uncertainty, a humidity above 100 %) with a Refusal naming the
// field; see RecordJson.h.

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

#include "calib/Uncertainty.h"
#include "records/CalibrationRecord.h"

namespace vorenx::record_json {

QJsonObject UncertaintyObject(const PointUncertainty& u);
PointUncertainty ReadUncertainty(const QJsonObject& o, const QString& where);

// `top`'s field `key`; `where` names `top` in a refusal ("record").
// null when none was recorded.
QJsonValue StandardValue(const std::optional<StandardUsed>& standard);
std::optional<StandardUsed> ReadStandard(const QJsonObject& top, const QString& where, const char* key);

QJsonObject EnvironmentObject(const Environment& e);
// Both values nullopt when the record has none (made before they were kept).
Environment ReadEnvironment(const QJsonObject& top, const QString& where, const char* key);

}  // namespace vorenx::record_json
