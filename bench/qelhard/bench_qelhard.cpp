// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Timings of the serial library: the start-up probe of 20 ports, one status
// read against the simulator over a pseudo-terminal, a failed read on a
// corrupted reply, the connection check on a noisy line and reply acceptance.
#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QSerialPort>
#include <memory>
#include <vector>

#include "QelHard.h"
#include "ReplyReceiver.h"
#include "SimulatedInstrument.h"

namespace {

void MapAllPortsNowhere() {
  for (int port = 0; port < vorenx::kPortCount; ++port)
    QelSetPortPath(port, QStringLiteral("/nonexistent/vorenx-bench-tty%1").arg(port));
}

int ProbeAll() {
  int found = 0;
  for (int port = 0; port < vorenx::kPortCount; ++port) found += QelIsDevConnect(port) != 0;
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
  for (int port = 0; port < vorenx::kPortCount; ++port) {
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

namespace {

// A failed read on a complete but corrupted reply: the library reports it as
// soon as the reply is in. Side by side, what a plain QSerialPort reader
// does: collect bytes until the time limit, then judge what came.
void BM_FailedReadOnCorruptedReply(benchmark::State& state) {
  vorenx::sim::SimulatedInstrument sim;
  QelSetPortPath(4, sim.Start());
  if (QelOpenCOM(4) != 1) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  sim.InjectFault(vorenx::sim::Fault::BadChecksum, -1);
  unsigned char frame[24];
  int wrong = 0;
  for (auto _ : state) wrong += QelGetData(4, frame, 24) != qelhard::kBadChecksum;
  state.counters["wrong_results"] = wrong;
  QelCloseCOM(4);
}
BENCHMARK(BM_FailedReadOnCorruptedReply)->Unit(benchmark::kMillisecond);

void BM_FailedReadOnCorruptedReply_QtWaitForTimeLimit(benchmark::State& state) {
  vorenx::sim::SimulatedInstrument sim;
  QSerialPort port(sim.Start());
  if (!port.open(QIODevice::ReadWrite)) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  sim.InjectFault(vorenx::sim::Fault::BadChecksum, -1);
  std::uint16_t sequence = 0;
  int wrong = 0;
  for (auto _ : state) {
    const qelhard::Request request = qelhard::BuildReadStatus(++sequence);
    port.write(reinterpret_cast<const char*>(request.data()), static_cast<qint64>(request.size()));
    port.waitForBytesWritten(qelhard::kReplyTimeoutMs);
    QByteArray bytes;
    QDeadlineTimer deadline(qelhard::kReplyTimeoutMs);
    while (!deadline.hasExpired() && bytes.size() < static_cast<qsizetype>(qelhard::kReplySize)) {
      if (port.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) bytes += port.readAll();
    }
    // The usual reader waits for the whole time limit when the frame's check fails,
    // hoping for a good frame behind it.
    while (!deadline.hasExpired()) port.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    bytes += port.readAll();
    wrong += bytes.size() >= static_cast<qsizetype>(qelhard::kReplySize) &&
             qelhard::ChecksumMatches(qelhard::kReplyFormat, reinterpret_cast<const std::uint8_t*>(bytes.constData()));
  }
  state.counters["wrong_results"] = wrong;
}
BENCHMARK(BM_FailedReadOnCorruptedReply_QtWaitForTimeLimit)->Unit(benchmark::kMillisecond)->Iterations(8);

// The connection check at 10 % line noise: QelIsDevConnect asks again when a
// reply comes corrupted. "answered" is the share of checks that found the
// instrument; the single-try variant is what a plain one-exchange check gives.
void ProbeAtNoise(benchmark::State& state, bool retries) {
  vorenx::sim::SimulatedInstrument sim;
  sim.SetNoise(0.1, 99, 300);
  QelSetPortPath(4, sim.Start());
  if (QelOpenCOM(4) != 1) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  QelCloseCOM(4);
  QSerialPort single(sim.Path());
  if (!retries && !single.open(QIODevice::ReadWrite)) {
    state.SkipWithError("cannot open the simulator's port");
    return;
  }
  if (retries) QelOpenCOM(4);
  std::int64_t answered = 0;
  std::uint16_t sequence = 0;
  qelhard::ReplyReceiver receiver;
  for (auto _ : state) {
    if (retries) {
      answered += QelIsDevConnect(4) != 0;
      continue;
    }
    const qelhard::Request request = qelhard::BuildIdentify(++sequence);
    single.clear(QSerialPort::Input);
    receiver.Begin(request);
    single.write(reinterpret_cast<const char*>(request.data()), static_cast<qint64>(request.size()));
    single.waitForBytesWritten(qelhard::kPingTimeoutMs);
    QDeadlineTimer deadline(qelhard::kPingTimeoutMs);
    auto verdict = qelhard::ReplyReceiver::State::Waiting;
    while (verdict == qelhard::ReplyReceiver::State::Waiting && !deadline.hasExpired() &&
           single.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      const QByteArray bytes = single.readAll();
      verdict = receiver.Feed(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                              static_cast<std::size_t>(bytes.size()));
    }
    answered += verdict == qelhard::ReplyReceiver::State::Accepted;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["answered"] = static_cast<double>(answered) / static_cast<double>(state.iterations());
  QelCloseCOM(4);
}
void BM_ProbeAtTenPercentNoise(benchmark::State& state) { ProbeAtNoise(state, true); }
void BM_ProbeAtTenPercentNoise_SingleExchange(benchmark::State& state) { ProbeAtNoise(state, false); }
BENCHMARK(BM_ProbeAtTenPercentNoise)->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_ProbeAtTenPercentNoise_SingleExchange)->Unit(benchmark::kMillisecond)->Iterations(1000);

// Accepting one clean reply (frame reader, CRC-32, kind, sequence, domains)
// against Qt's own qChecksum (a CRC-16) over the same bytes.
void BM_AcceptCleanReply(benchmark::State& state) {
  vorenx::sim::InstrumentModel model;
  const qelhard::Reply reply = model.StatusReply(1.0, 9);
  const qelhard::Request request = qelhard::BuildReadStatus(9);
  qelhard::ReplyReceiver receiver;
  for (auto _ : state) {
    receiver.Begin(request);
    benchmark::DoNotOptimize(receiver.Feed(reply.data(), reply.size()));
  }
}
BENCHMARK(BM_AcceptCleanReply);

void BM_AcceptCleanReply_QtChecksum16(benchmark::State& state) {
  vorenx::sim::InstrumentModel model;
  const qelhard::Reply reply = model.StatusReply(1.0, 9);
  for (auto _ : state)
    benchmark::DoNotOptimize(qChecksum(QByteArrayView(reinterpret_cast<const char*>(reply.data()), 24)));
}
BENCHMARK(BM_AcceptCleanReply_QtChecksum16);

}  // namespace
