// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The texts the settings panel derives from a function code (unit, upper span,
// source range) and the steps that fit the source value to a lower function's
// limits and decimals.

#include <QString>

#include "link/QelDisplayDll.h"

namespace vorenx {

// Unit beside the source value: "V", "mV", "mA", "Ω", or "℃"/"℉" for the
// temperature functions by the state of the panel's "℃" box; empty otherwise.
QString UnitText(int code, bool celsiusBoxChecked);

// Span beside the upper function list, by its selection index: "0V-30V",
// "0mA-24mA" (Current and Loop), empty without a selection.
QString UpperSpanText(int index);

// "(low-high)" of a lower function, each bound without decimals, asked of the
// drawing library.
QString RangeText(QelDisplayDll& display, int code, bool celsius);

// The largest number of decimals the source field shows; a library answer
// above it is taken as this many.
inline constexpr int kMaxFieldDecimals = 9;

}  // namespace vorenx
