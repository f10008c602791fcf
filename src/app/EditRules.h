// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The rules of the numeric entry field (CEditEx) as plain functions, so that
// they can be tested and fuzzed without a widget or a QApplication.
//
// - AcceptsChar: the filter for one typed character, decided from the current
//   text and the selection it would replace.
// - LeadingNumber: the longest leading decimal number of a text, 0 when none.
// - ValidatedText: the text a field shows after validation: the number folded
//   to positive when negatives are not allowed, clamped into the limits and
//   written with exactly the set number of decimals.
// - LimitsChangeMask: which of the two limits a SetLimits call changes.
//
// Every conversion is locale-independent ("." is always the decimal point),
// whatever locale the application has set.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace vorenx::editrules {

// The character code that Backspace produces; the filter lets it through.
inline constexpr char32_t kBackspace = 8;

// The limits, decimals and sign rule that validation applies.
struct NumberFormat {
  float minValue = 0.0F;
  float maxValue = 0.0F;
  std::uint16_t decimals = 3;
  bool allowNegative = true;
};

// True when the typed character `c` may be passed to the edit control.
// `selStart`/`selEnd` are the selection that the character replaces (equal
// when nothing is selected: the caret position). Out-of-range or reversed
// positions are put in order and clamped to the text first.
//   - codes above 'z' are refused; digits and Backspace are accepted;
//   - "." is refused at position 0; at position 1 it needs a digit in front;
//     further on it needs no other "." in the text, unless one lies inside the
//     selection it replaces;
//   - "-" needs `allowNegative`; "-" and "+" only go at position 0 and only
//     when the text holds no sign outside the selection they replace;
//   - anything else (letters, ",", spaces, control characters) is refused.
bool AcceptsChar(QStringView text, qsizetype selStart, qsizetype selEnd, char32_t c,
                 bool allowNegative);

// The longest leading decimal number of `text` as a 32-bit float: optional
// leading white space, an optional sign, digits with at most one ".", and an
// optional exponent ("e" or "E", optional sign, digits). 0 when the text does
// not start with a number. A number beyond the float range gives +-FLT_MAX,
// one too small for it gives 0.
float LeadingNumber(QStringView text);

// The number that validation shows, before rounding: negated when it is below
// 0 and negatives are not allowed; then raised to minValue when below it,
// otherwise lowered to maxValue when above it (so with minValue above maxValue
// a small number gives minValue and any other maxValue). Never NaN or infinite.
float ClampNumber(float value, const NumberFormat& format);

// `value` with exactly `decimals` digits after the point (none and no point
// for 0), rounded to nearest; "-" only for a number that is not zero.
QString FormatFixed(double value, std::uint16_t decimals);

// The text that validating `text` shows: ClampNumber of its leading number,
// written with FormatFixed. When rounding to the decimals would carry the
// shown number out of the limits, the nearest number with those decimals
// inside the limits is shown instead (when there is one).
QString ValidatedText(QStringView text, const NumberFormat& format);

// Bit 0: `newMin` differs from `curMin`; bit 1: `newMax` differs from `curMax`.
std::uint16_t LimitsChangeMask(float curMin, float curMax, float newMin, float newMax);

}  // namespace vorenx::editrules
