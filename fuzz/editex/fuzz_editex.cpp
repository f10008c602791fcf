// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Drives the number field's rules with arbitrary limits, decimals, texts,
// selections and typed characters. Properties (abort on violation):
//  - a validated text is a plain fixed-point number ("-"? digits, then "."
//    and exactly `decimals` digits when decimals > 0), never "inf" or "nan";
//  - it reads back (strtof, C locale) as the same float that LeadingNumber gives;
//  - with finite limits, lower <= upper and at least one unit of the last place
//    between them, the read-back number lies within the limits; with a
//    narrower window it lies within one unit of them;
//  - typing into an empty field through the filter only ever gives digits,
//    ".", and at most one sign.
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/EditRules.h"

using namespace vorenx::editrules;

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;

  template <typename T>
  T Take() {
    T value{};
    if (size >= sizeof(T)) {
      std::memcpy(&value, data, sizeof(T));
      data += sizeof(T);
      size -= sizeof(T);
    }
    return value;
  }
};

void Check(bool property) {
  if (!property) __builtin_trap();
}

void CheckValidated(const QString& shown, const NumberFormat& format) {
  const std::string text = shown.toStdString();
  // Shape: "-"? digits ("." digits{decimals})?
  std::size_t i = text.starts_with('-') ? 1 : 0;
  const std::size_t intStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  Check(i > intStart);
  if (format.decimals > 0) {
    Check(i < text.size() && text[i] == '.');
    Check(text.size() - i - 1 == format.decimals);
    for (std::size_t j = i + 1; j < text.size(); ++j) Check(text[j] >= '0' && text[j] <= '9');
  } else {
    Check(i == text.size());
  }

  const float readBack = std::strtof(text.c_str(), nullptr);
  Check(std::isfinite(readBack));
  Check(readBack == LeadingNumber(shown));

  const double lo = format.minValue;
  const double hi = format.maxValue;
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) return;
  const double unit = std::pow(10.0, -static_cast<double>(format.decimals));
  if (hi - lo > unit * 1.000001) {
    Check(readBack >= format.minValue && readBack <= format.maxValue);
  } else {
    const double slack = unit * 1.000001 + std::max(std::fabs(lo), std::fabs(hi)) * 1e-6;
    Check(readBack >= lo - slack && readBack <= hi + slack);
  }
}

// What the edit control does with an accepted character: it replaces the
// selection, or for Backspace deletes the selection or the character before
// the caret. Returns the new caret position.
qsizetype Apply(QString& text, qsizetype s, qsizetype e, char32_t c) {
  if (c == kBackspace) {
    if (s != e) {
      text.remove(s, e - s);
      return s;
    }
    if (s > 0) text.remove(s - 1, 1);
    return s > 0 ? s - 1 : 0;
  }
  text.replace(s, e - s, QChar(static_cast<char16_t>(c)));
  return s + 1;
}

void CheckTyped(const QString& text) {
  int signs = 0;
  for (QChar ch : text) {
    const char16_t c = ch.unicode();
    Check((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+');
    if (c == u'-' || c == u'+') ++signs;
  }
  Check(signs <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  NumberFormat format;
  format.minValue = in.Take<float>();
  format.maxValue = in.Take<float>();
  format.decimals = in.Take<std::uint8_t>();
  const std::uint8_t flags = in.Take<std::uint8_t>();
  format.allowNegative = (flags & 1U) != 0;
  if (flags & 2U) format.decimals = static_cast<std::uint16_t>(format.decimals * 16U);
  (void)LimitsChangeMask(format.minValue, format.maxValue, format.maxValue, format.minValue);

  // Half of the rest: a text as it might be pasted, validated directly.
  const std::size_t textBytes = in.size / 2;
  const QString pasted = QString::fromUtf8(reinterpret_cast<const char*>(in.data),
                                           static_cast<qsizetype>(textBytes));
  in.data += textBytes;
  in.size -= textBytes;
  CheckValidated(ValidatedText(pasted, format), format);
  // The filter on that text with an arbitrary selection must not fail either.
  (void)AcceptsChar(pasted, in.Take<std::int16_t>(), in.Take<std::int16_t>(), in.Take<std::uint8_t>(),
                    format.allowNegative);

  // The other half: keystrokes into an empty field, each a selection and a character.
  QString typed;
  qsizetype caret = 0;
  while (in.size >= 3) {
    const auto anchor = static_cast<qsizetype>(in.Take<std::uint8_t>() % (typed.size() + 1));
    const std::uint8_t useCaret = in.Take<std::uint8_t>();
    const char32_t c = in.Take<std::uint8_t>();
    qsizetype s = (useCaret & 1U) ? caret : anchor;
    qsizetype e = (useCaret & 1U) ? caret : static_cast<qsizetype>(useCaret % (typed.size() + 1));
    if (s > e) std::swap(s, e);
    if (AcceptsChar(typed, s, e, c, format.allowNegative)) {
      caret = Apply(typed, s, e, c);
      CheckTyped(typed);
    }
  }
  CheckValidated(ValidatedText(typed, format), format);
  return 0;
}
