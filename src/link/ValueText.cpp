// The texts stored with each sample: a reading with its unit, and the time stamp.
#include <charconv>
#include <cstdio>
#include <system_error>

#include "link/SampleHistory.h"

namespace vorenx {
namespace {

// The unit written after a reading of `function`; nullptr when the code has none.
const char16_t* ValueUnit(FunctionCode function, bool celsius) {
  switch (function) {
    case 1:
    case 5:
      return u"V";
    case 2:
    case 3:
    case 7:
    case 8:
      return u"mA";
    case 6:
    case 9:
      return u"mV";
    case 18:
      return u"\u03A9";
    default:
      if (IsTemperature(function)) return celsius ? u"\u2103" : u"\u2109";
      return nullptr;
  }
}

}  // namespace

QString FormatValueText(FunctionCode function, float value, bool celsius) {
  const char16_t* unit = ValueUnit(function, celsius);
  if (unit == nullptr) return QString();
  // "%.3f" with a point and no grouping whatever the user's locale: printf
  // follows LC_NUMERIC, which the application sets from the environment.
  char number[64];
  const auto [end, error] =
      std::to_chars(number, number + sizeof number, static_cast<double>(value), std::chars_format::fixed, 3);
  if (error != std::errc()) return QString();  // a float always fits
  return QString::fromLatin1(number, end - number) + QString::fromUtf16(unit);
}

QString FormatTimeText(const LocalTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d/%02d  %02d:%02d:%02d", t.day, t.month, t.hour, t.minute,
                t.second);
  return QString::fromLatin1(text);
}

}  // namespace vorenx
