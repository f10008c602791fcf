// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "watch/AlarmWatch.h"

#include <cmath>

#include "platform/FileText.h"

namespace vorenx {

QString AlarmLimitsProblem(const AlarmLimits& l) {
  if (l.high && !std::isfinite(*l.high)) return QStringLiteral("the high limit must be a number");
  if (l.low && !std::isfinite(*l.low)) return QStringLiteral("the low limit must be a number");
  if (!std::isfinite(l.hysteresis) || l.hysteresis < 0.0)
    return QStringLiteral("the hysteresis must be a number, 0 or more");
  if (l.high && l.low) {
    if (*l.low >= *l.high) return QStringLiteral("the low limit must be below the high limit");
    if (*l.high - *l.low <= 2.0 * l.hysteresis)
      return QStringLiteral("the band between the limits must be wider than twice the hysteresis");
  }
  return {};
}

QString AlarmNumberText(double value) {
  if (std::isnan(value)) return QStringLiteral("nan");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  const auto single = static_cast<float>(value);
  return static_cast<double>(single) == value ? PointNumber(single) : PointNumber(value);
}

QString AlarmSideText(AlarmSide side) {
  switch (side) {
    case AlarmSide::High: return QStringLiteral("high");
    case AlarmSide::Low: return QStringLiteral("low");
    case AlarmSide::None: break;
  }
  return {};
}

double AlarmWatch::LimitOf(AlarmSide side) const {
  return side == AlarmSide::High ? m_limits.high.value_or(0.0) : m_limits.low.value_or(0.0);
}

AlarmSide AlarmWatch::Beyond(double value) const {
  if (m_limits.high && value > *m_limits.high) return AlarmSide::High;
  if (m_limits.low && value < *m_limits.low) return AlarmSide::Low;
  return AlarmSide::None;
}

bool AlarmWatch::StillBeyond(AlarmSide side, double value) const {
  const double h = m_limits.hysteresis;
  if (side == AlarmSide::High) return m_limits.high && value > *m_limits.high - h;
  if (side == AlarmSide::Low) return m_limits.low && value < *m_limits.low + h;
  return false;
}

AlarmEvent AlarmWatch::Feed(double value) {
  AlarmEvent event;
  event.value = value;
  if (!std::isfinite(value)) return event;
  const AlarmSide beyond = Beyond(value);
  if (m_side != AlarmSide::None && beyond != AlarmSide::None && beyond != m_side) {
    // From beyond one limit straight to beyond the other.
    m_side = beyond;
    m_raisedLimit = LimitOf(beyond);
    return {AlarmChange::Raised, beyond, value, m_raisedLimit};
  }
  if (m_side == AlarmSide::None) {
    if (beyond == AlarmSide::None) return event;
    m_side = beyond;
    m_raisedLimit = LimitOf(beyond);
    return {AlarmChange::Raised, beyond, value, m_raisedLimit};
  }
  if (StillBeyond(m_side, value)) return event;
  const AlarmSide cleared = m_side;
  m_side = AlarmSide::None;
  // A limit taken away clears with the value it was raised for.
  const double limit = (cleared == AlarmSide::High ? m_limits.high : m_limits.low).value_or(m_raisedLimit);
  return {AlarmChange::Cleared, cleared, value, limit};
}

}  // namespace vorenx
