// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-probe: lists the ports 0..19 where an instrument answers, or watches
// one port and prints every decoded status frame.
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "PortMap.h"
#include "PortScan.h"
#include "ProbeText.h"
#include "QelHard.h"
#include "instrument/SharedOptions.h"
#include "platform/CommandLine.h"

namespace {

using vorenx::probe::PortLabel;

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnInterrupt(int) { g_interrupted.store(true); }

struct Options {
  int watchPort = -1;
  double intervalSeconds = 1.0;
  long count = 0;             // reads to make; 0: until interrupted
  double timeoutSeconds = 0;  // 0: no time limit
};

void Print(const QString& line) { std::printf("%s\n", line.toUtf8().constData()); std::fflush(stdout); }
void Complain(const QString& line) { std::fprintf(stderr, "vorenx-probe: %s\n", line.toUtf8().constData()); }

const QString kProgram = QStringLiteral("vorenx-probe");

// The probe's command line; what is wrong with the arguments, or empty.
QString ReadOptions(const vorenx::CommandLine& line, Options& options) {
  QString why;
  for (const QString& value : line.Values(QStringLiteral("port"))) {
    const auto parsed = vorenx::options::ReadPort(value, &why);
    if (!parsed) return why;
    QelSetPortPath(parsed->port, parsed->path);
  }
  const auto given = [&line](const char* name) { return line.IsSet(QString::fromLatin1(name)); };
  const auto value = [&line](const char* name) { return line.Value(QString::fromLatin1(name)); };
  bool ok = false;
  if (given("watch")) {
    options.watchPort = value("watch").toInt(&ok);
    if (!ok || !vorenx::IsPortNumber(options.watchPort))
      return vorenx::WantsText(QStringLiteral("--watch"), QStringLiteral("a port from 0 to 19"), value("watch"));
  }
  if (given("interval")) {
    options.intervalSeconds = value("interval").toDouble(&ok);
    if (!ok || !(options.intervalSeconds >= 0.05) || options.intervalSeconds > 3600)
      return vorenx::WantsText(QStringLiteral("--interval"), QStringLiteral("seconds from 0.05 to 3600"),
                               value("interval"));
  }
  if (given("timeout")) {
    options.timeoutSeconds = value("timeout").toDouble(&ok);
    if (!ok || !(options.timeoutSeconds > 0) || options.timeoutSeconds > 86400)
      return vorenx::WantsText(QStringLiteral("--timeout"), QStringLiteral("seconds from 0 to 86400"), value("timeout"));
  }
  if (given("count")) {
    options.count = value("count").toLong(&ok);
    if (!ok || options.count < 1)
      return vorenx::WantsText(QStringLiteral("--count"), QStringLiteral("a positive number"), value("count"));
  }
  return {};
}

// Parses the arguments; returns an exit code when the program should end now.
int ParseArguments(const QStringList& args, Options& options) {
  vorenx::CommandLine line(
      kProgram,
      QStringLiteral("vorenx-probe [--port N=PATH]... [--watch N [--interval SECONDS] [--count K] [--timeout SECONDS]]"),
      QStringLiteral("Without --watch: lists the ports 0..19 where an instrument answers."),
      QStringLiteral("Ports without --port may also be set by VORENX_PORTS=\"N=PATH,...\".\n"
                     "Exit status: 0 an instrument answered (with --watch: a frame was read),\n"
                     "1 none did, 2 wrong arguments."));
  line.Add({{{QStringLiteral("watch")}, QStringLiteral("N"),
             QStringLiteral("Open port N and print each status frame until Ctrl+C.")},
            {{QStringLiteral("interval")}, QStringLiteral("SECONDS"),
             QStringLiteral("Time between two reads (default 1, at least 0.05).")},
            {{QStringLiteral("count")}, QStringLiteral("K"),
             QStringLiteral("Stop after K reads, whether a frame came or not.")},
            {{QStringLiteral("timeout")}, QStringLiteral("SECONDS"),
             QStringLiteral("Stop watching after that many seconds.")},
            vorenx::options::Port(vorenx::options::Repeat::Repeatable)});
  const vorenx::CommandLine::Outcome outcome = line.Parse(args);
  if (outcome == vorenx::CommandLine::Outcome::Help || outcome == vorenx::CommandLine::Outcome::Version) {
    std::printf("%s", line.Text().toUtf8().constData());
    return 0;
  }
  const QString problem = outcome == vorenx::CommandLine::Outcome::Refuse ? line.Text() : ReadOptions(line, options);
  if (problem.isEmpty()) return -1;
  std::fprintf(stderr, "%s\n", vorenx::UsageErrorLine(kProgram, problem).toUtf8().constData());
  return 2;
}

int ListPorts() {
  QElapsedTimer timer;
  timer.start();
  int found = 0;
  for (int port = 0; port < vorenx::kPortCount && !g_interrupted; ++port) {
    const bool answers = QelIsDevConnect(port) != 0;
    const qelhard::PortDiagnosis why = QelLastPortProblem(port);
    if (answers) {
      ++found;
      Print(PortLabel(port, QelPortPath(port)) + QStringLiteral(": instrument answers"));
    } else if (why.problem != qelhard::PortProblem::NoDevice) {
      // A device is there but no instrument answered, or it could not be opened.
      Print(vorenx::probe::DescribeProblem(port, why));
    }
  }
  Print(QStringLiteral("%1 of %2 ports answer (probe took %3 ms)")
            .arg(found)
            .arg(vorenx::kPortCount)
            .arg(timer.elapsed()));
  return found > 0 ? 0 : 1;
}

using Clock = std::chrono::steady_clock;

// Sleeps `seconds`, waking early when interrupted or at `deadline`.
void Pause(double seconds, Clock::time_point deadline) {
  const auto until = std::min(deadline, Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                          std::chrono::duration<double>(seconds)));
  while (!g_interrupted && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

int Watch(const Options& options) {
  const int port = options.watchPort;
  if (QelOpenCOM(port) == 0) {
    Complain(vorenx::probe::DescribeProblem(port, QelLastPortProblem(port)));
    return 1;
  }
  Print(QStringLiteral("Watching %1; Ctrl+C ends").arg(PortLabel(port, QelPortPath(port))));
  vorenx::InstrumentState state;
  long frames = 0;
  long failures = 0;
  // Each read counts, answered or not, so a silent device ends the watch too.
  const auto deadline = options.timeoutSeconds > 0
                            ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                 std::chrono::duration<double>(options.timeoutSeconds))
                            : Clock::time_point::max();
  const auto more = [&] {
    return !g_interrupted && (options.count == 0 || frames + failures < options.count) && Clock::now() < deadline;
  };
  while (more()) {
    const std::uint16_t result = vorenx::probe::ReadState(port, state);
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss"));
    if (result == qelhard::kOk) {
      ++frames;
      Print(QStringLiteral("%1 #%2 %3").arg(time).arg(frames).arg(vorenx::probe::FormatState(state)));
    } else {
      ++failures;
      // A port that could not be reopened says why (unplugged, taken by another program).
      const QString why = result == qelhard::kNotOpen
                              ? vorenx::probe::DescribeProblem(port, QelLastPortProblem(port))
                              : QString::fromLatin1(qelhard::ResultText(result));
      Print(QStringLiteral("%1 no frame: %2 (result %3)").arg(time, why).arg(result));
    }
    if (more()) Pause(options.intervalSeconds, deadline);
  }
  QelCloseCOM(port);
  Print(QStringLiteral("%1 frames, %2 failed reads").arg(frames).arg(failures));
  return frames > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Options options;
  const int early = ParseArguments(app.arguments(), options);
  if (early >= 0) return early;

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  return options.watchPort >= 0 ? Watch(options) : ListPorts();
}
