// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Arbitrary text through the parser of the transmitter-under-test description,
// and every description it accepts through the transmitter model. Properties
// (abort on violation):
//  - the parser gives either a description or a message, never both or neither;
//  - a message is short printable ASCII (it goes to a terminal as it is);
//  - an accepted description has codes of the tables, spans whose low end is
//    below the high end, and finite, non-negative noise and lag;
//  - the model's output is finite for any input and time, and with no noise and
//    no lag it is exactly the transfer of the input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DutModel.h"

using namespace vorenx;
using namespace vorenx::sim;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const DutParse parsed = ParseDutSpec(text);
  Check(parsed.dutSpec.has_value() == parsed.error.empty());
  Check(parsed.error.size() < 200);
  for (const char c : parsed.error) Check(c >= 0x20 && c < 0x7F);
  if (!parsed.dutSpec) return 0;

  const DutSpec& dutSpec = *parsed.dutSpec;
  Check(IsLowerFunction(dutSpec.input) && IsUpperFunction(dutSpec.output));
  Check(dutSpec.inLow < dutSpec.inHigh && dutSpec.outLow < dutSpec.outHigh);
  Check(dutSpec.outLow >= 0.0 && dutSpec.outHigh <= UpperDisplayMax(dutSpec.output));
  Check(std::isfinite(dutSpec.gain) && std::isfinite(dutSpec.offset));
  Check(dutSpec.noise >= 0.0 && std::isfinite(dutSpec.noise) && dutSpec.lag >= 0.0 && std::isfinite(dutSpec.lag));

  DutModel model(dutSpec);
  DutSpec clean = dutSpec;
  clean.noise = 0.0;
  clean.lag = 0.0;
  DutModel instant(clean);
  double seconds = 0.0;
  for (std::size_t i = 0; i < size && i < 64; ++i) {
    const double input = (static_cast<double>(data[i]) - 64.0) * 800.0;  // -51200 .. 152800
    seconds += data[i] % 7 == 0 ? -1.0 : data[i] * 0.01;                 // sometimes back in time
    model.Drive(input, seconds);
    Check(std::isfinite(model.Output(seconds + 0.5)));
    instant.Drive(input, seconds);
    Check(instant.Output(seconds) == DutTransfer(clean, input));
  }
  return 0;
}
