// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A transmitter wired to the simulated calibrator as the instrument under
// test: it takes the lower display's source as its input and drives the upper
// display with an output that has a chosen gain and offset error, Gaussian
// noise and a first-order settling lag. Pure: time is passed in and the noise
// comes from a seeded generator, so the same calls give the same readings.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "instrument/FunctionCode.h"

namespace vorenx::sim {

struct DutSpec {
  FunctionCode input = fc::kCurrent;         // lower function the input is wired to (5..26)
  FunctionCode output = fc::kUpperCurrent;   // upper function it drives: 1 V, 2 mA, 3 mA loop
  double inLow = 4.0, inHigh = 20.0;         // input span, in the input's unit (temperatures in ℃)
  double outLow = 4.0, outHigh = 20.0;       // output span, in V or mA
  double gain = 1.0;                         // on the ideal output's share of span
  double offset = 0.0;                       // in output units
  double noise = 0.0;                        // standard deviation, output units
  double lag = 0.0;                          // first-order time constant, seconds (0: instant)
  bool squareRoot = false;                   // output follows the square root of the input's share
  std::uint32_t seed = 1;                    // of the noise

  friend bool operator==(const DutSpec&, const DutSpec&) = default;
};

struct DutParse {
  std::optional<DutSpec> dutSpec;
  std::string error;  // names the bad key or value; empty when `dutSpec` is set
};

// "input=7,output=2,span=4:20,in=4:20,gain=1.002,offset=0.03,noise=0.002,lag=2,sqrt=1,seed=5".
// `input` and `output` are required; `span` defaults to 0:10 V or 4:20 mA by
// the output, `in` by the input's kind (see DefaultInputSpan).
DutParse ParseDutSpec(std::string_view text);

// The input span a DUT gets without `in=`: 4..20 mA, 0..10 V, 0..100 mV
// (0..50 on the thermocouple-millivolt function, whose range ends at 75),
// 0..400 Ω, 0..100 ℃ for temperatures.
void DefaultInputSpan(FunctionCode input, double& low, double& high);

// The highest reading the upper display shows for an output function: 30 V, 24 mA.
double UpperDisplayMax(FunctionCode output);

// Whether the upper function `upper` reads what a DUT driving `output` drives
// (a voltage output on the voltage function; a current on current or loop).
bool DutDrives(FunctionCode output, FunctionCode upper);

// The settled output for `input` (no noise, no lag), before any clamping.
double DutTransfer(const DutSpec& dutSpec, double input);

class DutModel {
 public:
  explicit DutModel(const DutSpec& dutSpec);
  const DutSpec& Description() const { return m_spec; }

  // Moves the output on to `seconds` under the input held so far, then holds
  // `input` from `seconds` on. The first call starts the output settled.
  void Drive(double input, double seconds);
  // The output at `seconds` under the input held now: lagged, with noise.
  double Output(double seconds);

 private:
  void Advance(double seconds);

  DutSpec m_spec;
  bool m_started = false;
  double m_input = 0.0;
  double m_settling = 0.0;  // the lagged output, without noise
  double m_time = 0.0;
  std::mt19937 m_random;
  std::normal_distribution<double> m_gauss;
};

}  // namespace vorenx::sim
