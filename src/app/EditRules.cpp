// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/EditRules.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

namespace vorenx::editrules {
namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// True when `c` occurs in text[from, to).
bool HoldsIn(QStringView text, qsizetype from, qsizetype to, char16_t c) {
  for (qsizetype i = from; i < to; ++i) {
    if (text[i] == QChar(c)) return true;
  }
  return false;
}

// A sign may go at the front only when no sign would remain outside the
// selection it replaces: the same sign is looked for first, then the other.
bool AcceptsSign(QStringView text, qsizetype s, qsizetype e, char16_t sign, char16_t other) {
  if (text.contains(QChar(sign))) return HoldsIn(text, s, e, sign);
  if (text.contains(QChar(other))) return HoldsIn(text, s, e, other);
  return true;
}

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Digit string arithmetic on magnitudes (no sign, no point, most significant first).
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// `digits` must not be all zeros.
void DecrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '0') {
      --*it;
      return;
    }
    *it = '9';
  }
}

// The text of FormatFixed moved by one unit in its last decimal place
// (`up` true: towards +infinity). Exact: works on the digits themselves.
QString StepLastPlace(const QString& fixed, std::uint16_t decimals, bool up) {
  std::string digits = fixed.toStdString();
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.erase(digits.begin());
  std::erase(digits, '.');
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  if (zero) {
    negative = !up;
    IncrementDigits(digits);
  } else if (up != negative) {
    IncrementDigits(digits);  // away from zero
  } else {
    DecrementDigits(digits);  // towards zero
  }
  // Keep one digit in front of the point.
  const std::size_t keep = std::size_t{decimals} + 1;
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  const std::size_t strip = std::min(firstNonZero == std::string::npos ? digits.size() : firstNonZero,
                                     digits.size() > keep ? digits.size() - keep : 0);
  digits.erase(0, strip);
  if (decimals > 0) digits.insert(digits.size() - decimals, 1, '.');
  if (digits.find_first_not_of("0.") == std::string::npos) negative = false;
  if (negative) digits.insert(digits.begin(), '-');
  return QString::fromStdString(digits);
}

float SaturateToFloat(double value) {
  if (std::isnan(value)) return 0.0F;
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

// The value of a number that a float cannot hold: the largest float of its
// sign when it is too large, 0 when it is too small. `mantissa` is the sign,
// digits and point, `exponent` empty or "e" followed by an optional "-" and digits.
float OutOfRangeNumber(std::string_view mantissa, qsizetype intDigits, std::string_view exponent) {
  const bool negative = !mantissa.empty() && mantissa.front() == '-';
  // Decimal order of the first significant digit: value ~ 0.d x 10^order.
  long long order = intDigits;
  for (char c : mantissa) {
    if (c == '-' || c == '.') continue;
    if (c != '0') break;
    --order;
  }
  long long power = 0;
  if (exponent.size() > 1) {
    const bool down = exponent[1] == '-';
    for (char c : exponent.substr(down ? 2 : 1)) {
      power = std::min<long long>(power * 10 + (c - '0'), 1'000'000'000LL);
    }
    if (down) power = -power;
  }
  if (order + power <= 0) return 0.0F;
  return negative ? -FLT_MAX : FLT_MAX;
}

}  // namespace

bool AcceptsChar(QStringView text, qsizetype selStart, qsizetype selEnd, char32_t c,
                 bool allowNegative) {
  if (selStart > selEnd) std::swap(selStart, selEnd);
  const qsizetype s = std::clamp<qsizetype>(selStart, 0, text.size());
  const qsizetype e = std::clamp<qsizetype>(selEnd, 0, text.size());

  if (c > U'z') return false;
  if (IsDigit(c)) return true;
  switch (c) {
    case U'.':
      if (s == 0) return false;
      if (s == 1) return IsDigit(text[0].unicode());
      return !text.contains(QChar(u'.')) || HoldsIn(text, s, e, u'.');
    case U'-':
      if (!allowNegative || s > 0) return false;
      return AcceptsSign(text, s, e, u'-', u'+');
    case U'+':
      if (s > 0) return false;
      return AcceptsSign(text, s, e, u'+', u'-');
    case kBackspace:
      return true;
    default:
      return false;
  }
}

float LeadingNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && IsSpace(text[i].unicode())) ++i;

  // Gather the number's characters in ASCII; from_chars takes no "+".
  std::string number;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    if (text[i] == u'-') number.push_back('-');
    ++i;
  }
  const auto takeDigits = [&] {
    qsizetype n = 0;
    while (i < text.size() && IsDigit(text[i].unicode())) {
      number.push_back(static_cast<char>(text[i].unicode()));
      ++i;
      ++n;
    }
    return n;
  };
  const qsizetype intDigits = takeDigits();
  qsizetype fracDigits = 0;
  if (i < text.size() && text[i] == u'.') {
    number.push_back('.');
    ++i;
    fracDigits = takeDigits();
  }
  if (intDigits + fracDigits == 0) return 0.0F;
  const std::size_t mantissaEnd = number.size();

  // An exponent counts only when at least one digit follows it.
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype j = i + 1;
    if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) ++j;
    if (j < text.size() && IsDigit(text[j].unicode())) {
      number.push_back('e');
      if (text[i + 1] == u'-') number.push_back('-');
      i = j;
      takeDigits();
    }
  }

  // Straight to float: going through double could round twice.
  float value = 0.0F;
  const char* first = number.data();
  const char* last = first + number.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    return OutOfRangeNumber(std::string_view(number).substr(0, mantissaEnd), intDigits,
                            std::string_view(number).substr(mantissaEnd));
  }
  if (error != std::errc() || end != last) return 0.0F;
  return value;
}

float ClampNumber(float value, const NumberFormat& format) {
  if (!format.allowNegative && value < 0.0F) value = -value;
  if (value < format.minValue) {
    value = format.minValue;
  } else if (value > format.maxValue) {
    value = format.maxValue;
  }
  // Only an infinite limit can make it non-finite here.
  return SaturateToFloat(value);
}

QString FormatFixed(double value, std::uint16_t decimals) {
  if (!std::isfinite(value)) value = std::isnan(value) ? 0.0 : std::copysign(DBL_MAX, value);
  // Sign, up to 309 integer digits, point and the decimals.
  std::string buffer(std::size_t{decimals} + 320, '\0');
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return QString();  // cannot happen with the buffer above
  buffer.resize(static_cast<std::size_t>(end - buffer.data()));
  // "-0.000" is shown as "0.000".
  if (buffer.front() == '-' && buffer.find_first_not_of("-0.") == std::string::npos) buffer.erase(0, 1);
  return QString::fromStdString(buffer);
}

QString ValidatedText(QStringView text, const NumberFormat& format) {
  const float value = ClampNumber(LeadingNumber(text), format);
  QString shown = FormatFixed(value, format.decimals);

  // Rounding moves the number by up to half a unit of the last place; when that
  // carries it across a limit, step one unit back inside, if that fits.
  const float readBack = LeadingNumber(shown);
  if (readBack < format.minValue) {
    QString above = StepLastPlace(shown, format.decimals, true);
    if (LeadingNumber(above) <= format.maxValue) shown = std::move(above);
  } else if (readBack > format.maxValue) {
    QString below = StepLastPlace(shown, format.decimals, false);
    if (LeadingNumber(below) >= format.minValue) shown = std::move(below);
  }
  return shown;
}

std::uint16_t LimitsChangeMask(float curMin, float curMax, float newMin, float newMax) {
  std::uint16_t mask = 0;
  if (newMin != curMin) mask |= 1U;
  if (newMax != curMax) mask |= 2U;
  return mask;
}

}  // namespace vorenx::editrules
