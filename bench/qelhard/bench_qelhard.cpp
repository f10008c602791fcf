// Timings of the serial library: the start-up probe of 20 ports and one
// status read against the simulator over a pseudo-terminal.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "QelHard.h"
#include "SimulatedInstrument.h"

namespace {

void MapAllPortsNowhere() {
  for (int port = 0; port < qelhard::kPortCount; ++port)
    QelSetPortPath(port, QStringLiteral("/nonexistent/vorenx-bench-tty%1").arg(port));
}

int ProbeAll() {
  int found = 0;
  for (int port = 0; port < qelhard::kPortCount; ++port) found += QelIsDevConnect(port) != 0;
  return found;
}

// 20 ports without a device node (the usual case: no adapters plugged in).
void BM_ProbeTwentyMissingPorts(benchmark::State& state) {
  MapAllPortsNowhere();
  for (auto _ : state) benchmark::DoNotOptimize(ProbeAll());
}
BENCHMARK(BM_ProbeTwentyMissingPorts)->Unit(benchmark::kMillisecond);

// 20 ports whose device exists but never answers: the worst case, each
// probe waits out its whole identify timeout.
void BM_ProbeTwentySilentPorts(benchmark::State& state) {
  std::vector<std::unique_ptr<vorenx::sim::SimulatedInstrument>> silent;
  for (int port = 0; port < qelhard::kPortCount; ++port) {
    silent.push_back(std::make_unique<vorenx::sim::SimulatedInstrument>());
    QelSetPortPath(port, silent.back()->Start());
    silent.back()->InjectFault(vorenx::sim::Fault::Silent, -1);
  }
  for (auto _ : state) benchmark::DoNotOptimize(ProbeAll());
  MapAllPortsNowhere();
}
BENCHMARK(BM_ProbeTwentySilentPorts)->Unit(benchmark::kMillisecond)->Iterations(2);

// One QelGetData round trip on an open port.
void BM_GetDataRoundTrip(benchmark::State& state) {
  vorenx::sim::SimulatedInstrument sim;
  QelSetPortPath(4, sim.Start());
  if (QelOpenCOM(4) != 1) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  unsigned char frame[24];
  int failures = 0;
  for (auto _ : state) failures += QelGetData(4, frame, 24) != 1;
  state.counters["failures"] = failures;
  QelCloseCOM(4);
}
BENCHMARK(BM_GetDataRoundTrip)->Unit(benchmark::kMicrosecond);

// One QelIsDevConnect on a port never opened (open, identify, close).
void BM_IsDevConnectUnopened(benchmark::State& state) {
  vorenx::sim::SimulatedInstrument sim;
  QelSetPortPath(4, sim.Start());
  for (auto _ : state) benchmark::DoNotOptimize(QelIsDevConnect(4));
}
BENCHMARK(BM_IsDevConnectUnopened)->Unit(benchmark::kMicrosecond);

}  // namespace
