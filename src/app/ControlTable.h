// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The main window's template (number 102): its size and every control with
// its id, kind, initial text or items and place in dialog units. The window
// builds its widgets from this table, and the tests check them against it.

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorenx {

// Control ids of the main window.
namespace idc {
inline constexpr int kStatic = -1;  // labels and group boxes without an id
inline constexpr int kPort = 1001;
inline constexpr int kThermocouple = 1007;
inline constexpr int kRun = 1008;
inline constexpr int kRtd = 1010;
inline constexpr int kWiring = 1012;
inline constexpr int kOut = 1013;
inline constexpr int kInterval = 1016;
inline constexpr int kWaveShowLabel = 1037;
inline constexpr int kWaveShow = 1038;
inline constexpr int kStatus = 1049;
inline constexpr int kTabs = 1050;
inline constexpr int kVoltUnit = 1051;
inline constexpr int kDiv = 1052;
inline constexpr int kHart = 1053;
inline constexpr int kSimulation = 1054;
inline constexpr int kCjc = 1055;
inline constexpr int kRange = 1056;
inline constexpr int kUpper = 1057;
inline constexpr int kSpan = 1058;
inline constexpr int kCelsius = 1060;
inline constexpr int kSourceValue = 1061;
inline constexpr int kUnit = 1063;
inline constexpr int kPanel = 1064;
inline constexpr int kReadings = 1065;
inline constexpr int kSaveData = 1066;
inline constexpr int kLengthSpin = 1067;
inline constexpr int kLength = 1068;
}  // namespace idc

enum class ControlKind {
  Label,         // static text
  SunkenLabel,   // static text with a sunken frame (the meter panel's place)
  Custom,        // a window of another class (the readings table's place)
  GroupBox,
  DropList,      // drop-down list, not editable
  DropDown,      // drop-down combo, editable
  Tabs,
  CheckBox,
  PushButton,
  Edit,
  Spin,
};

struct ControlSpec {
  int id = idc::kStatic;
  ControlKind kind = ControlKind::Label;
  QString text;       // caption, or the window text of a custom control
  QStringList items;  // list entries that the template holds
  QRect du;           // x, y, width, height in dialog units
  bool sorted = false;
};

// 495 x 399 dialog units, font "MS Shell Dlg" 9 point.
inline constexpr int kDialogWidthDu = 495;
inline constexpr int kDialogHeightDu = 399;
inline constexpr int kDialogFontPoints = 9;

// Every control in template order (which is also the stacking order).
const std::vector<ControlSpec>& MainWindowControls();

// A text of the table, of its list entries, of the lower tabs or the upper
// functions, or one of the worker's words ("Connected", "Stop"), in the
// window's language; the table keeps them in English.
QString ShownControlText(const QString& text);

// Items added at start-up rather than held by the template.
QStringList UpperFunctionItems();  // "Voltage", "Current", "Loop"
QStringList LowerTabTexts();       // "VOL", "CURR", "RESIS", "RTD", "TC"

}  // namespace vorenx
