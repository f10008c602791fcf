#include "journal/JournalReadings.h"

#include <QDir>
#include <array>

namespace vorenx {

namespace {

const std::array<const char*, 8> kThermocouples = {"S", "R", "B", "K", "N", "E", "J", "T"};
const std::array<const char*, 8> kRtds = {"PT100/385", "PT100/3926", "PT100/3916", "PT200/385",
                                          "PT500/385", "PT1000/385", "Cu100/ITS",  "Cu50/ITS"};

}  // namespace

QString JournalFunctionName(FunctionCode code) {
  if (IsThermocouple(code)) return QStringLiteral("TC ") + QLatin1String(kThermocouples[code - fc::kTcFirst]);
  if (IsRtd(code)) return QLatin1String(kRtds[code - fc::kRtdFirst]);
  switch (code) {
    case fc::kUpperVoltage:
    case fc::kVolt:
      return QStringLiteral("Voltage");
    case fc::kUpperCurrent:
    case fc::kCurrent:
      return QStringLiteral("Current");
    case fc::kUpperLoop:
      return QStringLiteral("Loop");
    case fc::kMilliVolt:
      return QStringLiteral("Millivolt");
    case fc::kCurrentSimulate:
      return QStringLiteral("Current simulation");
    case fc::kTcVolt:
      return QStringLiteral("TC Volt");
    case fc::kResistance:
      return QStringLiteral("Resistance");
    default:
      return QStringLiteral("Code %1").arg(code);
  }
}

QString JournalUnit(FunctionCode code, bool celsius) {
  if (IsTemperature(code)) return celsius ? QStringLiteral("\u2103") : QStringLiteral("\u2109");
  switch (code) {
    case fc::kUpperVoltage:
    case fc::kVolt:
      return QStringLiteral("V");
    case fc::kUpperCurrent:
    case fc::kUpperLoop:
    case fc::kCurrent:
    case fc::kCurrentSimulate:
      return QStringLiteral("mA");
    case fc::kMilliVolt:
    case fc::kTcVolt:
      return QStringLiteral("mV");
    case fc::kResistance:
      return QStringLiteral("\u03A9");
    default:
      return QString();
  }
}

JournalReading MakeJournalReading(const InstrumentState& s, const LocalTime& time) {
  JournalReading r;
  r.time = time;
  // The upper display never shows a temperature, so its unit ignores the ℃ flag.
  r.upper = {s.upperValue, JournalUnit(s.upperFunction, false), JournalFunctionName(s.upperFunction)};
  r.lower = {s.lowerValue, JournalUnit(s.lowerFunction, s.celsius), JournalFunctionName(s.lowerFunction)};
  return r;
}

QString DefaultJournalFolder() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty() || !QDir::isAbsolutePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
  return QDir(data).filePath(QStringLiteral("vorenx/journal"));
}

}  // namespace vorenx
