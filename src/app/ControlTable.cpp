#include "app/ControlTable.h"

namespace vorenx {

namespace {

ControlSpec Spec(int id, ControlKind kind, const QString& text, QRect du, QStringList items = {},
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

QStringList PortItems() {
  QStringList ports;
  for (int n = 0; n < 10; ++n) ports << QStringLiteral("COM%1").arg(n);
  return ports;
}

std::vector<ControlSpec> BuildTable() {
  using K = ControlKind;
  const QString none;
  return {
      Spec(idc::kPanel, K::SunkenLabel, QStringLiteral("LCD"), {12, 7, 274, 332}),
      Spec(idc::kReadings, K::Custom, QStringLiteral("Custom1"), {291, 7, 190, 193}),
      Spec(idc::kStatic, K::GroupBox, QStringLiteral("Upper"), {293, 212, 190, 40}),
      Spec(idc::kUpper, K::DropList, none, {302, 227, 48, 30}),
      Spec(idc::kSpan, K::Label, QStringLiteral("Static"), {357, 229, 75, 8}),
      Spec(idc::kStatic, K::GroupBox, QStringLiteral("Lower"), {293, 252, 190, 73}),
      Spec(idc::kTabs, K::Tabs, none, {307, 265, 174, 14}),
      Spec(idc::kVoltUnit, K::DropList, none, {365, 285, 48, 30}, {"mV", "V"}),
      Spec(idc::kThermocouple, K::DropList, none, {307, 285, 48, 30},
           {"Volt", "S", "R", "B", "K", "N", "E", "J", "T"}),
      Spec(idc::kRtd, K::DropList, none, {365, 285, 48, 30},
           {"PT100/385", "PT100/3926", "PT100/3916", "PT200/385", "PT500/385", "PT1000/385",
            "Cu100/ITS", "Cu50/ITS"}),
      Spec(idc::kWiring, K::DropList, none, {307, 285, 48, 30}, {"Two-wire", "Three-wire", "Four-wire"}),
      Spec(idc::kDiv, K::Label, QStringLiteral("Div"), {307, 285, 48, 12}),
      Spec(idc::kHart, K::CheckBox, QStringLiteral("Hart"), {307, 285, 48, 12}),
      Spec(idc::kSimulation, K::CheckBox, QStringLiteral("Simulation"), {365, 285, 48, 12}),
      Spec(idc::kCjc, K::CheckBox, QStringLiteral("CJC"), {365, 285, 48, 12}),
      Spec(idc::kCelsius, K::CheckBox, QStringLiteral("\u2103"), {419, 285, 28, 10}),
      Spec(idc::kOut, K::CheckBox, QStringLiteral("Out"), {304, 306, 25, 10}),
      Spec(idc::kSourceValue, K::Edit, none, {330, 304, 47, 14}),
      Spec(idc::kUnit, K::Label, QStringLiteral("Unit"), {385, 307, 21, 8}),
      Spec(idc::kRange, K::Label, QStringLiteral("Static"), {408, 307, 56, 8}),
      Spec(idc::kStatic, K::GroupBox, QStringLiteral("Settings"), {288, 332, 192, 60}),
      Spec(idc::kStatic, K::Label, QStringLiteral("Port:"), {301, 347, 27, 12}),
      Spec(idc::kPort, K::DropList, none, {335, 347, 53, 30}, PortItems(), true),
      Spec(idc::kRun, K::PushButton, QStringLiteral("Run"), {398, 347, 21, 30}),
      Spec(idc::kSaveData, K::PushButton, QStringLiteral("SaveData"), {434, 347, 38, 30}),
      Spec(idc::kStatic, K::Label, QStringLiteral("Interval:"), {301, 367, 27, 12}),
      Spec(idc::kInterval, K::DropList, none, {335, 367, 53, 30}, {"1S", "2S", "5S", "10S"}),
      Spec(idc::kStatic, K::GroupBox, QStringLiteral("Display"), {12, 343, 272, 40}),
      Spec(idc::kStatic, K::Label, QStringLiteral("Length:"), {19, 360, 29, 8}),
      Spec(idc::kLength, K::Edit, none, {47, 358, 40, 13}),
      Spec(idc::kLengthSpin, K::Spin, none, {87, 358, 10, 14}),
      Spec(idc::kWaveShowLabel, K::Label, QStringLiteral("WaveShow"), {102, 363, 36, 8}),
      Spec(idc::kWaveShow, K::DropDown, none, {147, 360, 48, 30}, {"ALL", "Upper", "Lower"}),
      Spec(idc::kStatus, K::Label, QStringLiteral("DisConnected"), {0, 388, 48, 8}),
  };
}

}  // namespace

const std::vector<ControlSpec>& MainWindowControls() {
  static const std::vector<ControlSpec> table = BuildTable();
  return table;
}

QStringList UpperFunctionItems() {
  return {QStringLiteral("Voltage"), QStringLiteral("Current"), QStringLiteral("Loop")};
}

QStringList LowerTabTexts() {
  return {QStringLiteral("VOL"), QStringLiteral("CURR"), QStringLiteral("RESIS"), QStringLiteral("RTD"),
          QStringLiteral("TC")};
}

}  // namespace vorenx
