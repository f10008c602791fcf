// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "DutModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vorenx::sim {
namespace {

// The largest magnitude of an input value: what five digits show.
constexpr double kMaxInput = 99999.0;
// The input's share of span is held within ±1000 %, so that any description gives finite outputs.
constexpr double kMaxShare = 10.0;
constexpr double kMaxGain = 1000.0;
constexpr double kMaxLagSeconds = 86400.0;

// A value as it may be quoted in a message: at most 40 characters, printable ASCII.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < 40; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  if (text.size() > 40) out += "...";
  return out + "\"";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  if (text.empty()) return false;
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) return false;
  }
  out = value;
  return true;
}

bool ParseRange(std::string_view text, double& low, double& high) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  return ParseNumber(Trimmed(text.substr(0, colon)), low) && ParseNumber(Trimmed(text.substr(colon + 1)), high);
}

constexpr std::string_view kKeys[] = {"input",  "output", "span", "in",   "gain",
                                      "offset", "noise",  "lag",  "sqrt", "seed"};
// Places in kKeys of the keys that are required or have defaults to fill in.
constexpr std::size_t kInputKey = 0, kOutputKey = 1, kSpanKey = 2, kInKey = 3;

// Reads one key's value into `dutSpec`; the message when it is not acceptable.
std::string ApplyEntry(std::string_view key, std::string_view value, DutSpec& dutSpec) {
  const std::string what = std::string(key) + "=" + Quoted(value);
  if (key == "input" || key == "output") {
    int code = 0;
    const bool input = key == "input";
    if (!ParseNumber(value, code) || (input ? !IsLowerFunction(code) : !IsUpperFunction(code)))
      return what + ": " + (input ? "input wants a lower function code from 5 to 26"
                                  : "output wants an upper function code: 1 (V), 2 (mA) or 3 (mA loop)");
    (input ? dutSpec.input : dutSpec.output) = static_cast<FunctionCode>(code);
    return {};
  }
  if (key == "span" || key == "in") {
    double low = 0.0, high = 0.0;
    if (!ParseRange(value, low, high)) return what + ": " + std::string(key) + " wants LOW:HIGH, e.g. 4:20";
    if (low >= high) return what + ": the low end must be below the high end";
    if (std::fabs(low) > kMaxInput || std::fabs(high) > kMaxInput)
      return what + ": the ends must lie within -99999 to 99999";
    (key == "span" ? dutSpec.outLow : dutSpec.inLow) = low;
    (key == "span" ? dutSpec.outHigh : dutSpec.inHigh) = high;
    return {};
  }
  if (key == "sqrt") {
    if (value != "0" && value != "1") return what + ": sqrt wants 1 (square-root output) or 0 (linear)";
    dutSpec.squareRoot = value == "1";
    return {};
  }
  if (key == "seed") {
    if (!ParseNumber(value, dutSpec.seed)) return what + ": seed wants a whole number from 0 to 4294967295";
    return {};
  }
  double number = 0.0;
  if (!ParseNumber(value, number)) return what + ": " + std::string(key) + " wants a number";
  if (key == "gain") {
    if (std::fabs(number) > kMaxGain) return what + ": gain wants a factor within -1000 to 1000, e.g. 1.002";
    dutSpec.gain = number;
  } else if (key == "offset") {
    if (std::fabs(number) > kMaxInput) return what + ": offset wants output units within -99999 to 99999";
    dutSpec.offset = number;
  } else if (key == "noise") {
    if (number < 0.0 || number > kMaxInput) return what + ": noise wants a standard deviation of 0 or more";
    dutSpec.noise = number;
  } else {  // lag
    if (number < 0.0 || number > kMaxLagSeconds) return what + ": lag wants seconds from 0 to 86400";
    dutSpec.lag = number;
  }
  return {};
}

}  // namespace

void DefaultInputSpan(FunctionCode input, double& low, double& high) {
  low = 0.0;
  high = 100.0;  // mV, and ℃ for temperatures
  switch (input) {
    case fc::kVolt:
      high = 10.0;
      break;
    case fc::kCurrent:
    case fc::kCurrentSimulate:
      low = 4.0;
      high = 20.0;
      break;
    case fc::kTcVolt:
      high = 50.0;
      break;
    case fc::kResistance:
      high = 400.0;
      break;
    default:
      break;
  }
}

double UpperDisplayMax(FunctionCode output) { return output == fc::kUpperVoltage ? 30.0 : 24.0; }

bool DutDrives(FunctionCode output, FunctionCode upper) {
  if (output == fc::kUpperVoltage) return upper == fc::kUpperVoltage;
  return upper == fc::kUpperCurrent || upper == fc::kUpperLoop;
}

DutParse ParseDutSpec(std::string_view text) {
  DutParse result;
  if (Trimmed(text).empty()) {
    result.error = "the DUT description is empty; give e.g. input=7,output=2,span=4:20";
    return result;
  }
  DutSpec dutSpec;
  bool seen[std::size(kKeys)] = {};
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string_view entry = Trimmed(text.substr(start, comma - start));
    start = comma + 1;
    if (entry.empty()) {
      result.error = "an empty entry between commas";
      return result;
    }
    const std::size_t eq = entry.find('=');
    const std::string_view key = Trimmed(entry.substr(0, eq));
    const auto known = std::find(std::begin(kKeys), std::end(kKeys), key);
    if (known == std::end(kKeys)) {
      result.error = "unknown key " + Quoted(key) +
                     " (known: input, output, span, in, gain, offset, noise, lag, sqrt, seed)";
      return result;
    }
    bool& once = seen[known - std::begin(kKeys)];
    if (once) {
      result.error = "key " + Quoted(key) + " is given twice";
      return result;
    }
    once = true;
    const std::string_view value = eq == std::string_view::npos ? std::string_view() : Trimmed(entry.substr(eq + 1));
    if (value.empty()) {
      result.error = "key " + Quoted(key) + " has no value (write " + std::string(key) + "=VALUE)";
      return result;
    }
    result.error = ApplyEntry(key, value, dutSpec);
    if (!result.error.empty()) return result;
  }
  if (!seen[kInputKey] || !seen[kOutputKey]) {
    result.error = !seen[kInputKey]
                       ? "input=CODE is missing: the lower function (5..26) the DUT's input is wired to"
                       : "output=CODE is missing: the upper function the DUT drives, 1 (V), 2 (mA) or 3 (mA loop)";
    return result;
  }
  if (!seen[kSpanKey]) {  // span: 0..10 V or 4..20 mA
    dutSpec.outLow = dutSpec.output == fc::kUpperVoltage ? 0.0 : 4.0;
    dutSpec.outHigh = dutSpec.output == fc::kUpperVoltage ? 10.0 : 20.0;
  } else if (dutSpec.outLow < 0.0 || dutSpec.outHigh > UpperDisplayMax(dutSpec.output)) {
    result.error = std::string("span: the output span must lie within 0 to ") +
                   (dutSpec.output == fc::kUpperVoltage ? "30 V" : "24 mA") + ", what the upper display reads";
    return result;
  }
  if (!seen[kInKey]) DefaultInputSpan(dutSpec.input, dutSpec.inLow, dutSpec.inHigh);
  result.dutSpec = dutSpec;
  return result;
}

double DutTransfer(const DutSpec& dutSpec, double input) {
  const double share = std::clamp((input - dutSpec.inLow) / (dutSpec.inHigh - dutSpec.inLow), -kMaxShare, kMaxShare);
  const double ideal = dutSpec.squareRoot ? std::sqrt(std::max(0.0, share)) : share;
  return dutSpec.outLow + dutSpec.gain * ideal * (dutSpec.outHigh - dutSpec.outLow) + dutSpec.offset;
}

DutModel::DutModel(const DutSpec& dutSpec)
    : m_spec(dutSpec), m_input(dutSpec.inLow), m_random(dutSpec.seed), m_gauss(0.0, 1.0) {}

void DutModel::Advance(double seconds) {
  const double dt = seconds - m_time;
  if (!(dt > 0.0)) return;  // time never runs back
  m_time = seconds;
  const double target = DutTransfer(m_spec, m_input);
  m_settling = m_spec.lag > 0.0 ? target + (m_settling - target) * std::exp(-dt / m_spec.lag) : target;
}

void DutModel::Drive(double input, double seconds) {
  if (!m_started) {
    m_started = true;
    m_time = seconds;
    m_settling = DutTransfer(m_spec, input);
  } else {
    Advance(seconds);
  }
  m_input = input;
  if (m_spec.lag <= 0.0) m_settling = DutTransfer(m_spec, input);
}

double DutModel::Output(double seconds) {
  if (!m_started) Drive(m_input, seconds);
  Advance(seconds);
  return m_spec.noise > 0.0 ? m_settling + m_spec.noise * m_gauss(m_random) : m_settling;
}

}  // namespace vorenx::sim
