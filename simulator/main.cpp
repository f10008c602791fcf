// vorenx-sim: runs one simulated calibrator behind a pseudo-terminal, prints
// the terminal's device path as the first line of its output and answers until
// interrupted (SIGINT or SIGTERM).
#include <csignal>
#include <cstdio>
#include <cstring>
#include <pthread.h>

#include "SimulatedInstrument.h"

namespace {

void PrintUsage() {
  std::printf(
      "Usage: vorenx-sim [--help]\n"
      "Runs a simulated Vorenx calibrator behind a pseudo-terminal. The first line\n"
      "printed is its device path; give it to the programs with --port N=PATH.\n"
      "Runs until interrupted (Ctrl+C).\n");
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage();
      return 0;
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
  QString error;
  const QString path = instrument.Start(&error);
  if (path.isEmpty()) {
    std::fprintf(stderr, "vorenx-sim: no pseudo-terminal: %s\n", qPrintable(error));
    return 1;
  }
  std::printf("%s\n", qPrintable(path));
  std::fflush(stdout);
  std::fprintf(stderr, "vorenx-sim: simulated instrument on %s; Ctrl+C ends it\n", qPrintable(path));

  int received = 0;
  sigwait(&stopSignals, &received);
  instrument.Stop();
  std::fprintf(stderr, "vorenx-sim: stopped after %llu requests\n",
               static_cast<unsigned long long>(instrument.RequestCount()));
  return 0;
}
