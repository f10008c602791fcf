// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-sim: runs one simulated calibrator behind a pseudo-terminal, prints
// the terminal's device path as the first line of its output and answers until
// interrupted (SIGINT or SIGTERM).
#include <charconv>
#include <csignal>
#include <cstdio>
#include <optional>
#include <pthread.h>
#include <string>

#include "SimulatedInstrument.h"
#include "instrument/SharedOptions.h"
#include "platform/CommandLine.h"

namespace {

const QString kProgram = QStringLiteral("vorenx-sim");

void DefineOptions(vorenx::CommandLine& line) {
  line.Add({{{QStringLiteral("noise")}, QStringLiteral("P"),
             QStringLiteral("Corrupt a share P (0 to 1, e.g. 0.1) of the replies with line noise: one, two, an even "
                            "(4-8) or odd (3-7) number of bits flipped, one byte replaced, a 2-6 byte burst, one byte "
                            "dropped, one byte inserted, or the reply stalled past the time limit, each pattern "
                            "equally often.")},
            {{QStringLiteral("seed")}, QStringLiteral("S"),
             QStringLiteral("Start the noise from seed S (a whole number; default 1), so a run can be repeated.")},
            vorenx::options::Dut()});
}

const char kDutKeys[] =
    "DESCRIPTION of --dut: its input takes the lower display's source, its output\n"
    "is what the upper display reads; KEY=VALUE,... of\n"
    "  input=CODE   lower function it is wired to, 5..26 (required)\n"
    "  output=CODE  upper function it drives: 1 V, 2 mA, 3 mA loop (required)\n"
    "  in=LO:HI     input span in the input's unit, temperatures in C (default:\n"
    "               4:20 mA, 0:10 V, 0:100 mV, 0:50 TC mV, 0:400 ohm, 0:100 C)\n"
    "  span=LO:HI   output span (default 4:20 mA or 0:10 V)\n"
    "  sqrt=1       square-root output (default 0: linear)\n"
    "  gain=G       factor on the output's share of span (default 1)\n"
    "  offset=O     added, in output units (default 0)\n"
    "  noise=SD     Gaussian noise, output units (default 0)\n"
    "  lag=T        first-order settling time constant, s (default 0)\n"
    "  seed=N       of the transmitter's noise (default 1)\n"
    "e.g. --dut input=7,output=2,span=4:20,gain=1.002,noise=0.002,lag=2\n"
    "Exit status: 0 after an interrupt, 1 no pseudo-terminal, 2 wrong arguments.";

template <typename T>
bool ParseNumber(const QString& value, T& out) {
  const std::string text = value.toStdString();
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// What is wrong with the options, or empty; fills the three values.
QString ReadOptions(const vorenx::CommandLine& line, double& noise, std::uint32_t& seed,
                    std::optional<vorenx::sim::DutSpec>& dut) {
  const QString noiseText = line.Value(QStringLiteral("noise"));
  if (line.IsSet(QStringLiteral("noise")) && (!ParseNumber(noiseText, noise) || !(noise >= 0.0) || noise > 1.0))
    return vorenx::WantsText(QStringLiteral("--noise"), QStringLiteral("a share from 0 to 1, e.g. 0.1"), noiseText);
  const QString seedText = line.Value(QStringLiteral("seed"));
  if (line.IsSet(QStringLiteral("seed")) && !ParseNumber(seedText, seed))
    return vorenx::WantsText(QStringLiteral("--seed"), QStringLiteral("a whole number from 0 to 4294967295"), seedText);
  if (line.IsSet(QStringLiteral("dut"))) {
    const vorenx::sim::DutParse parsed = vorenx::sim::ParseDutSpec(line.Value(QStringLiteral("dut")).toStdString());
    if (!parsed.dutSpec)
      return vorenx::options::OptionProblemText(QStringLiteral("--dut"), QString::fromStdString(parsed.error));
    dut = parsed.dutSpec;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  vorenx::CommandLine line(kProgram, QStringLiteral("vorenx-sim [--noise P [--seed S]] [--dut DESCRIPTION]"),
                           QStringLiteral("Runs a simulated Vorenx calibrator behind a pseudo-terminal. The first "
                                          "line\nprinted is its device path; give it to the programs with --port "
                                          "N=PATH.\nRuns until interrupted (Ctrl+C)."),
                           QString::fromLatin1(kDutKeys));
  DefineOptions(line);
  double noise = 0.0;
  std::uint32_t seed = 1;
  std::optional<vorenx::sim::DutSpec> dut;
  const vorenx::CommandLine::Outcome outcome = line.Parse(arguments);
  if (outcome == vorenx::CommandLine::Outcome::Help || outcome == vorenx::CommandLine::Outcome::Version) {
    std::fputs(qPrintable(line.Text()), stdout);
    return 0;
  }
  const QString problem = outcome == vorenx::CommandLine::Outcome::Refuse ? line.Text() : ReadOptions(line, noise, seed, dut);
  if (!problem.isEmpty()) {
    std::fputs(qPrintable(vorenx::UsageErrorLine(kProgram, problem) + QLatin1Char('\n')), stderr);
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
