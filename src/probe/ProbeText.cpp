#include "ProbeText.h"

#include <array>

#include "link/SampleHistory.h"

namespace vorenx::probe {
namespace {

QString OnOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

}  // namespace

QString PortLabel(int port, const QString& path) { return QStringLiteral("COM%1 (%2)").arg(port).arg(path); }

QString UpperFunctionName(FunctionCode code) {
  switch (code) {
    case fc::kUpperVoltage: return QStringLiteral("Voltage");
    case fc::kUpperCurrent: return QStringLiteral("Current");
    case fc::kUpperLoop: return QStringLiteral("Loop");
    default: return QStringLiteral("function %1").arg(code);
  }
}

QString LowerFunctionName(FunctionCode code) {
  static const std::array<const char*, 8> kThermocouples = {"S", "R", "B", "K", "N", "E", "J", "T"};
  static const std::array<const char*, 8> kRtds = {"PT100/385", "PT100/3926", "PT100/3916", "PT200/385",
                                                   "PT500/385", "PT1000/385", "Cu100/ITS",  "Cu50/ITS"};
  if (IsThermocouple(code)) return QStringLiteral("TC %1").arg(QLatin1String(kThermocouples[code - fc::kTcFirst]));
  if (IsRtd(code)) return QStringLiteral("RTD %1").arg(QLatin1String(kRtds[code - fc::kRtdFirst]));
  switch (code) {
    case fc::kVolt: return QStringLiteral("VOL V");
    case fc::kMilliVolt: return QStringLiteral("VOL mV");
    case fc::kCurrent: return QStringLiteral("CURR");
    case fc::kCurrentSimulate: return QStringLiteral("CURR Simulation");
    case fc::kTcVolt: return QStringLiteral("TC Volt");
    case fc::kResistance: return QStringLiteral("RESIS");
    default: return QStringLiteral("function %1").arg(code);
  }
}

QString WiringName(FunctionCode code) {
  switch (code) {
    case fc::kTwoWire: return QStringLiteral("2-wire");
    case fc::kThreeWire: return QStringLiteral("3-wire");
    case fc::kFourWire: return QStringLiteral("4-wire");
    case fc::kNoWiring: return QStringLiteral("no wiring");
    default: return QStringLiteral("wiring %1").arg(code);
  }
}

QString FormatState(const InstrumentState& s) {
  return QStringLiteral("upper %1 %2 | lower %3 %4 | output %5, CJC %6, unit %7, HART %8, %9")
      .arg(UpperFunctionName(s.upperFunction), FormatValueText(s.upperFunction, s.upperValue, s.celsius),
           LowerFunctionName(s.lowerFunction), FormatValueText(s.lowerFunction, s.lowerValue, s.celsius),
           OnOff(!s.outputOff), OnOff(s.cjc), s.celsius ? QStringLiteral("℃") : QStringLiteral("℉"),
           OnOff(s.hart), WiringName(s.wiring));
}

QString DescribeProblem(int port, const qelhard::PortDiagnosis& d) {
  using qelhard::PortProblem;
  QString why;
  switch (d.problem) {
    case PortProblem::None: why = QStringLiteral("no instrument answers"); break;
    case PortProblem::NoDevice: why = QStringLiteral("no such device"); break;
    case PortProblem::Busy: why = QStringLiteral("in use by another program"); break;
    case PortProblem::NoPermission:
      why = QStringLiteral(
          "permission denied (add your user to the dialout group: sudo adduser $USER dialout, then log out "
          "and log in again)");
      break;
    case PortProblem::Other: why = d.detail.isEmpty() ? QStringLiteral("cannot be opened") : d.detail; break;
  }
  return PortLabel(port, d.path) + QStringLiteral(": ") + why;
}

}  // namespace vorenx::probe
