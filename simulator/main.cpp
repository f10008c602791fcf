// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-sim: runs one simulated calibrator behind a pseudo-terminal, prints
// the terminal's device path as the first line of its output and answers until
// interrupted (SIGINT or SIGTERM).
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <pthread.h>
#include <string>
#include <string_view>

#include "SimulatedInstrument.h"

namespace {

void PrintUsage() {
  std::printf(
      "Usage: vorenx-sim [--noise P [--seed S]] [--dut DESCRIPTION] [--help]\n"
      "Runs a simulated Vorenx calibrator behind a pseudo-terminal. The first line\n"
      "printed is its device path; give it to the programs with --port N=PATH.\n"
      "Runs until interrupted (Ctrl+C).\n"
      "\n"
      "  --noise P   corrupt a share P (0 to 1, e.g. 0.1) of the replies with line\n"
      "              noise: one, two, an even (4-8) or odd (3-7) number of bits\n"
      "              flipped, one byte replaced, a 2-6 byte burst, one byte dropped,\n"
      "              one byte inserted, or the reply stalled past the time limit,\n"
      "              each pattern equally often\n"
      "  --seed S    start the noise from seed S (a whole number; default 1), so a\n"
      "              run can be repeated\n"
      "  --dut DESCRIPTION\n"
      "              wire a simulated transmitter as the instrument under test: its\n"
      "              input takes the lower display's source, its output is what the\n"
      "              upper display reads; DESCRIPTION is KEY=VALUE,... of\n"
      "                input=CODE   lower function it is wired to, 5..26 (required)\n"
      "                output=CODE  upper function it drives: 1 V, 2 mA, 3 mA loop\n"
      "                             (required)\n"
      "                in=LO:HI     input span in the input's unit, temperatures in C\n"
      "                             (default: 4:20 mA, 0:10 V, 0:100 mV, 0:50 TC mV,\n"
      "                             0:400 ohm, 0:100 C)\n"
      "                span=LO:HI   output span (default 4:20 mA or 0:10 V)\n"
      "                sqrt=1       square-root output (default 0: linear)\n"
      "                gain=G       factor on the output's share of span (default 1)\n"
      "                offset=O     added, in output units (default 0)\n"
      "                noise=SD     Gaussian noise, output units (default 0)\n"
      "                lag=T        first-order settling time constant, s (default 0)\n"
      "                seed=N       of the transmitter's noise (default 1)\n"
      "              e.g. --dut input=7,output=2,span=4:20,gain=1.002,noise=0.002,lag=2\n"
      "  -h, --help  show this text\n");
}

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool OptionValue(int argc, char** argv, int& i, std::string_view name, std::string_view& value) {
  const std::string_view arg = argv[i];
  if (arg == name) {
    if (i + 1 >= argc) return false;
    value = argv[++i];
    return true;
  }
  if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  double noise = 0.0;
  std::uint32_t seed = 1;
  std::optional<vorenx::sim::DutSpec> dut;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    std::string_view value;
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    }
    if (arg.substr(0, 7) == "--noise") {
      if (!OptionValue(argc, argv, i, "--noise", value) || !ParseNumber(value, noise) || !(noise >= 0.0) ||
          noise > 1.0) {
        std::fprintf(stderr, "vorenx-sim: --noise wants a share from 0 to 1, e.g. --noise 0.1\n");
        return 2;
      }
      continue;
    }
    if (arg.substr(0, 6) == "--seed") {
      if (!OptionValue(argc, argv, i, "--seed", value) || !ParseNumber(value, seed)) {
        std::fprintf(stderr, "vorenx-sim: --seed wants a whole number from 0 to 4294967295\n");
        return 2;
      }
      continue;
    }
    if (arg.substr(0, 5) == "--dut") {
      if (!OptionValue(argc, argv, i, "--dut", value)) {
        std::fprintf(stderr, "vorenx-sim: --dut wants a description, e.g. --dut input=7,output=2,span=4:20\n");
        return 2;
      }
      const vorenx::sim::DutParse parsed = vorenx::sim::ParseDutSpec(value);
      if (!parsed.dutSpec) {
        std::fprintf(stderr, "vorenx-sim: --dut: %s\n", parsed.error.c_str());
        return 2;
      }
      dut = parsed.dutSpec;
      continue;
    }
    std::fprintf(stderr, "vorenx-sim: unknown argument \"%s\" (try --help)\n", argv[i]);
    return 2;
  }

  // Block the stop signals before the simulator's thread starts, so that it
  // inherits the mask and only sigwait below receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  vorenx::sim::SimulatedInstrument instrument;
  instrument.SetNoise(noise, seed);
  instrument.SetDut(dut);
  QString error;
  const QString path = instrument.Start(&error);
  if (path.isEmpty()) {
    std::fprintf(stderr, "vorenx-sim: no pseudo-terminal: %s\n", qPrintable(error));
    return 1;
  }
  std::printf("%s\n", qPrintable(path));
  std::fflush(stdout);
  std::fprintf(stderr, "vorenx-sim: simulated instrument on %s; Ctrl+C ends it\n", qPrintable(path));
  if (dut)
    std::fprintf(stderr, "vorenx-sim: a transmitter under test reads lower function %d and drives upper function %d\n",
                 dut->input, dut->output);

  int received = 0;
  sigwait(&stopSignals, &received);
  instrument.Stop();
  std::fprintf(stderr, "vorenx-sim: stopped after %llu requests\n",
               static_cast<unsigned long long>(instrument.RequestCount()));
  return 0;
}
