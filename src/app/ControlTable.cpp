// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/ControlTable.h"

#include <QCoreApplication>

#include "instrument/FunctionTable.h"

namespace vorenx {

namespace {

ControlSpec Row(int id, ControlKind kind, const QString& text, QRect du, QStringList items = {},
                 bool sorted = false) {
  ControlSpec s;
  s.id = id;
  s.kind = kind;
  s.text = text;
  s.items = std::move(items);
  s.du = du;
  s.sorted = sorted;
  return s;
}

// The window's list entries of the functions `first`..`last`.
QStringList Choices(int first, int last) {
  QStringList items;
  for (int code = first; code <= last; ++code)
    if (const FunctionInfo* f = FindFunctionInfo(code)) items << QString::fromUtf8(f->choice);
  return items;
}

QStringList Choice(int code) { return Choices(code, code); }

QStringList PortItems() {
  QStringList ports;
  for (int n = 0; n < 10; ++n) ports << QStringLiteral("COM%1").arg(n);
  return ports;
}

std::vector<ControlSpec> BuildTable() {
  using K = ControlKind;
  const QString none;
  const QStringList waveChannels = {QT_TRANSLATE_NOOP("vorenx::ControlTable", "ALL"),
                                    QT_TRANSLATE_NOOP("vorenx::ControlTable", "Upper"),
                                    QT_TRANSLATE_NOOP("vorenx::ControlTable", "Lower")};
  return {
      Row(idc::kPanel, K::SunkenLabel, QStringLiteral("LCD"), {12, 7, 274, 332}),
      Row(idc::kReadings, K::Custom, QStringLiteral("Custom1"), {291, 7, 190, 193}),
      Row(idc::kStatic, K::GroupBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Upper"), {293, 212, 190, 40}),
      Row(idc::kUpper, K::DropList, none, {302, 227, 48, 30}),
      Row(idc::kSpan, K::Label, QStringLiteral("Static"), {357, 229, 75, 8}),
      Row(idc::kStatic, K::GroupBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Lower"), {293, 252, 190, 73}),
      Row(idc::kTabs, K::Tabs, none, {307, 265, 174, 14}),
      Row(idc::kVoltUnit, K::DropList, none, {365, 285, 48, 30}, Choice(fc::kMilliVolt) + Choice(fc::kVolt)),
      Row(idc::kThermocouple, K::DropList, none, {307, 285, 48, 30}, Choices(fc::kTcVolt, fc::kTcLast)),
      Row(idc::kRtd, K::DropList, none, {365, 285, 48, 30}, Choices(fc::kRtdFirst, fc::kRtdLast)),
      Row(idc::kWiring, K::DropList, none, {307, 285, 48, 30},
          {WiringLongName(fc::kTwoWire), WiringLongName(fc::kThreeWire), WiringLongName(fc::kFourWire)}),
      Row(idc::kDiv, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Div"), {307, 285, 48, 12}),
      Row(idc::kHart, K::CheckBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Hart"), {307, 285, 48, 12}),
      Row(idc::kSimulation, K::CheckBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Simulation"), {365, 285, 48, 12}),
      Row(idc::kCjc, K::CheckBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "CJC"), {365, 285, 48, 12}),
      Row(idc::kCelsius, K::CheckBox, QStringLiteral("\u2103"), {419, 285, 28, 10}),
      Row(idc::kOut, K::CheckBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Out"), {304, 306, 25, 10}),
      Row(idc::kSourceValue, K::Edit, none, {330, 304, 47, 14}),
      Row(idc::kUnit, K::Label, QStringLiteral("Unit"), {385, 307, 21, 8}),
      Row(idc::kRange, K::Label, QStringLiteral("Static"), {408, 307, 56, 8}),
      Row(idc::kStatic, K::GroupBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Settings"), {288, 332, 192, 60}),
      Row(idc::kStatic, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Port:"), {301, 347, 27, 12}),
      Row(idc::kPort, K::DropList, none, {335, 347, 53, 30}, PortItems(), true),
      Row(idc::kRun, K::PushButton, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Run"), {398, 347, 21, 30}),
      Row(idc::kSaveData, K::PushButton, QT_TRANSLATE_NOOP("vorenx::ControlTable", "SaveData"), {434, 347, 38, 30}),
      Row(idc::kStatic, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Interval:"), {301, 367, 27, 12}),
      Row(idc::kInterval, K::DropList, none, {335, 367, 53, 30}, {"1S", "2S", "5S", "10S"}),
      Row(idc::kStatic, K::GroupBox, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Display"), {12, 343, 272, 40}),
      Row(idc::kStatic, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "Length:"), {19, 360, 29, 8}),
      Row(idc::kLength, K::Edit, none, {47, 358, 40, 13}),
      Row(idc::kLengthSpin, K::Spin, none, {87, 358, 10, 14}),
      Row(idc::kWaveShowLabel, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "WaveShow"), {102, 363, 36, 8}),
      Row(idc::kWaveShow, K::DropDown, none, {147, 360, 48, 30}, waveChannels),
      Row(idc::kStatus, K::Label, QT_TRANSLATE_NOOP("vorenx::ControlTable", "DisConnected"), {0, 388, 48, 8}),
  };
}

}  // namespace

const std::vector<ControlSpec>& MainWindowControls() {
  static const std::vector<ControlSpec> table = BuildTable();
  return table;
}

QString ShownControlText(const QString& text) {
  // The words the worker reports, for lupdate (the table holds the others).
  static constexpr const char* kWorkerWords[] = {QT_TRANSLATE_NOOP("vorenx::ControlTable", "Connected"),
                                                 QT_TRANSLATE_NOOP("vorenx::ControlTable", "Stop")};
  Q_UNUSED(kWorkerWords);
  return QCoreApplication::translate("vorenx::ControlTable", text.toUtf8().constData());
}

QStringList UpperFunctionItems() {
  return Choices(fc::kUpperVoltage, fc::kUpperLoop);
}

QStringList LowerTabTexts() {
  return {QT_TRANSLATE_NOOP("vorenx::ControlTable", "VOL"), QT_TRANSLATE_NOOP("vorenx::ControlTable", "CURR"),
          QT_TRANSLATE_NOOP("vorenx::ControlTable", "RESIS"), QT_TRANSLATE_NOOP("vorenx::ControlTable", "RTD"),
          QT_TRANSLATE_NOOP("vorenx::ControlTable", "TC")};
}

}  // namespace vorenx
