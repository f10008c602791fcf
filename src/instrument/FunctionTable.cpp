// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "instrument/FunctionTable.h"

#include <QCoreApplication>
#include <array>

namespace vorenx {
namespace {

using S = DisplaySide;

constexpr const char* kOhm = "\u03A9";

// The names and the window's list entries that are words are marked for
// translation: the dialogs show them translated (ShownFunctionName), the
// files keep them as written here.
constexpr std::array kTable = {
    FunctionInfo{fc::kUpperVoltage, S::Upper, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Voltage"),
                 "Voltage", "MEAS V", QT_TRANSLATE_NOOP("vorenx::ControlTable", "Voltage"), "V"},
    FunctionInfo{fc::kUpperCurrent, S::Upper, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Current"),
                 "Current", "MEAS mA", QT_TRANSLATE_NOOP("vorenx::ControlTable", "Current"), "mA"},
    FunctionInfo{fc::kUpperLoop, S::Upper, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Loop"),
                 "Loop", "MEAS LOOP", QT_TRANSLATE_NOOP("vorenx::ControlTable", "Loop"), "mA"},
    FunctionInfo{fc::kVolt, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Voltage"),
                 "VOL V", "VOLT V", "V", "V"},
    FunctionInfo{fc::kMilliVolt, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Millivolt"),
                 "VOL mV", "VOLT mV", "mV", "mV"},
    FunctionInfo{fc::kCurrent, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Current"),
                 "CURR", "CURRENT", "mA", "mA"},
    FunctionInfo{fc::kCurrentSimulate, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Current simulation"),
                 "CURR Simulation", "CURRENT SIM", "Simulation", "mA"},
    FunctionInfo{fc::kTcVolt, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "TC Volt"),
                 "TC Volt", "TC mV", "Volt", "mV"},
    FunctionInfo{10, S::Lower, "TC S", "TC S", "TC S", "S", nullptr},
    FunctionInfo{11, S::Lower, "TC R", "TC R", "TC R", "R", nullptr},
    FunctionInfo{12, S::Lower, "TC B", "TC B", "TC B", "B", nullptr},
    FunctionInfo{13, S::Lower, "TC K", "TC K", "TC K", "K", nullptr},
    FunctionInfo{14, S::Lower, "TC N", "TC N", "TC N", "N", nullptr},
    FunctionInfo{15, S::Lower, "TC E", "TC E", "TC E", "E", nullptr},
    FunctionInfo{16, S::Lower, "TC J", "TC J", "TC J", "J", nullptr},
    FunctionInfo{17, S::Lower, "TC T", "TC T", "TC T", "T", nullptr},
    FunctionInfo{fc::kResistance, S::Lower, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "Resistance"),
                 "RESIS", "OHMS", "RESIS", kOhm},
    FunctionInfo{19, S::Lower, "PT100/385", "RTD PT100/385", "RTD PT100/385", "PT100/385", nullptr},
    FunctionInfo{20, S::Lower, "PT100/3926", "RTD PT100/3926", "RTD PT100/3926", "PT100/3926", nullptr},
    FunctionInfo{21, S::Lower, "PT100/3916", "RTD PT100/3916", "RTD PT100/3916", "PT100/3916", nullptr},
    FunctionInfo{22, S::Lower, "PT200/385", "RTD PT200/385", "RTD PT200/385", "PT200/385", nullptr},
    FunctionInfo{23, S::Lower, "PT500/385", "RTD PT500/385", "RTD PT500/385", "PT500/385", nullptr},
    FunctionInfo{24, S::Lower, "PT1000/385", "RTD PT1000/385", "RTD PT1000/385", "PT1000/385", nullptr},
    FunctionInfo{25, S::Lower, "Cu100/ITS", "RTD Cu100/ITS", "RTD Cu100/ITS", "Cu100/ITS", nullptr},
    FunctionInfo{26, S::Lower, "Cu50/ITS", "RTD Cu50/ITS", "RTD Cu50/ITS", "Cu50/ITS", nullptr},
};

struct WiringInfo {
  FunctionCode code;
  const char* name;
  const char* longName;
};

constexpr std::array kWirings = {
    WiringInfo{fc::kTwoWire, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "2-wire"),
                 QT_TRANSLATE_NOOP("vorenx::ControlTable", "Two-wire")},
    WiringInfo{fc::kThreeWire, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "3-wire"),
                 QT_TRANSLATE_NOOP("vorenx::ControlTable", "Three-wire")},
    WiringInfo{fc::kFourWire, QT_TRANSLATE_NOOP("vorenx::FunctionNames", "4-wire"),
                 QT_TRANSLATE_NOOP("vorenx::ControlTable", "Four-wire")},
    WiringInfo{fc::kNoWiring, "no wiring", nullptr},
};

const WiringInfo* FindWiring(int code) {
  for (const WiringInfo& w : kWirings)
    if (w.code == code) return &w;
  return nullptr;
}

}  // namespace

std::span<const FunctionInfo> Functions() { return kTable; }

const FunctionInfo* FindFunctionInfo(int code) {
  for (const FunctionInfo& f : kTable)
    if (f.code == code) return &f;
  return nullptr;
}

QString FunctionName(int code) {
  const FunctionInfo* f = FindFunctionInfo(code);
  return f ? QString::fromUtf8(f->name) : QStringLiteral("Code %1").arg(code);
}

QString TemperatureUnit(bool celsius) { return celsius ? QStringLiteral("\u2103") : QStringLiteral("\u2109"); }

QString FunctionUnit(int code, bool celsius) {
  const FunctionInfo* f = FindFunctionInfo(code);
  if (!f) return QString();
  return f->unit ? QString::fromUtf8(f->unit) : TemperatureUnit(celsius);
}

QString WiringName(int code) {
  const WiringInfo* w = FindWiring(code);
  return w ? QString::fromUtf8(w->name) : QString();
}

QString ShownFunctionName(int code) {
  const FunctionInfo* f = FindFunctionInfo(code);
  return f ? QCoreApplication::translate("vorenx::FunctionNames", f->name) : FunctionName(code);
}

QString ShownWiringName(int code) {
  const WiringInfo* w = FindWiring(code);
  return w ? QCoreApplication::translate("vorenx::FunctionNames", w->name) : QString();
}

QString WiringLongName(int code) {
  const WiringInfo* w = FindWiring(code);
  return w && w->longName ? QString::fromUtf8(w->longName) : QString();
}

}  // namespace vorenx
