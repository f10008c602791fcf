// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "ProbeText.h"

#include "link/SampleHistory.h"
#include "instrument/FunctionTable.h"

namespace vorenx::probe {
namespace {

QString OnOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

// The probe's name of a function of `side`; "function N" for any other code.
QString ProbeName(FunctionCode code, DisplaySide side) {
  const FunctionInfo* f = FindFunctionInfo(code);
  if (!f || f->side != side) return QStringLiteral("function %1").arg(code);
  return QString::fromUtf8(f->probeName);
}

}  // namespace

QString UpperFunctionName(FunctionCode code) { return ProbeName(code, DisplaySide::Upper); }

QString LowerFunctionName(FunctionCode code) { return ProbeName(code, DisplaySide::Lower); }

QString WiringName(FunctionCode code) {
  const QString name = vorenx::WiringName(code);
  return name.isEmpty() ? QStringLiteral("wiring %1").arg(code) : name;
}

QString FormatState(const InstrumentState& s) {
  return QStringLiteral("upper %1 %2 | lower %3 %4 | output %5, CJC %6, unit %7, HART %8, %9")
      .arg(UpperFunctionName(s.upperFunction), FormatValueText(s.upperFunction, s.upperValue, s.celsius),
           LowerFunctionName(s.lowerFunction), FormatValueText(s.lowerFunction, s.lowerValue, s.celsius),
           OnOff(!s.outputOff), OnOff(s.cjc), TemperatureUnit(s.celsius),
           OnOff(s.hart), WiringName(s.wiring));
}

}  // namespace vorenx::probe
