// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-logger with four simulated instruments at the fastest interval
// (1 s), journals on, text lines read by this process: the CPU the logger and
// its four logging processes use, as a share of one core, and their memory
// (the resident sets of the whole process tree) sampled over the run.
//
// The run lasts --seconds=N (default 600, ten minutes); a shorter one is
// fine for a quick look, e.g. bench_logger --seconds=60. The simulated
// instruments answer from this process, so their work is not counted.
//
// Counters: cpu_percent (CPU time of the tree / wall time, % of one core),
// rss_first_kib (tree's resident set at the first sample after the start-up
// tenth of the run), rss_last_kib (at the last sample), rss_max_kib,
// rss_growth_kib_per_hour (least-squares slope over the samples after the
// start-up tenth), readings (lines printed).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>
#include <vector>

#include "SimulatedInstrument.h"

namespace {

int RunSeconds() {
  for (const QString& arg : QCoreApplication::arguments())
    if (arg.startsWith(QLatin1String("--seconds="))) return std::max(5, arg.mid(10).toInt());
  return 600;
}

// The process ids of `root` and every process below it.
std::vector<qint64> ProcessTree(qint64 root) {
  std::vector<qint64> tree{root};
  const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (std::size_t i = 0; i < tree.size(); ++i)
    for (const QString& entry : entries) {
      bool number = false;
      const qint64 pid = entry.toLongLong(&number);
      if (!number) continue;
      QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
      if (!stat.open(QIODevice::ReadOnly)) continue;
      const QByteArray text = stat.readAll();
      // pid (comm) state ppid ...: the name may hold spaces, so read after its ')'.
      const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
      if (fields.size() > 1 && fields[1].toLongLong() == tree[i]) tree.push_back(pid);
    }
  return tree;
}

qint64 ResidentKib(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLongLong();
  return 0;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Least-squares slope of kib over seconds, per hour.
double GrowthPerHour(const std::vector<std::pair<double, double>>& samples) {
  if (samples.size() < 2) return 0.0;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto& [x, y] : samples) {
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double n = static_cast<double>(samples.size());
  const double d = n * sxx - sx * sx;
  return d == 0.0 ? 0.0 : (n * sxy - sx * sy) / d * 3600.0;
}

void BM_LoggerFourInstruments(benchmark::State& state) {
  const int seconds = RunSeconds();
  for (auto _ : state) {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<vorenx::sim::SimulatedInstrument>> instruments;
    QStringList args{"--interval", "1", "--duration", QStringLiteral("%1s").arg(seconds), "--journal", dir.path()};
    for (int port = 0; port < 4; ++port) {
      instruments.push_back(std::make_unique<vorenx::sim::SimulatedInstrument>(port + 1));
      const QString path = instruments.back()->Start();
      if (path.isEmpty()) {
        state.SkipWithError("no pseudo-terminal");
        return;
      }
      args << "--port" << QStringLiteral("%1=%2").arg(port).arg(path);
    }
    const double cpuBefore = ChildrenCpuSeconds();
    QProcess logger;
    logger.setProcessChannelMode(QProcess::SeparateChannels);
    logger.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer wall;
    wall.start();
    logger.start(QStringLiteral(VORENX_LOGGER_PATH), args);
    if (!logger.waitForStarted(30000)) {
      state.SkipWithError("vorenx-logger did not start");
      return;
    }
    qint64 readings = 0;
    qint64 rssFirst = -1, rssLast = 0, rssMax = 0;
    std::vector<std::pair<double, double>> samples;
    const int sampleMs = std::clamp(seconds * 1000 / 60, 1000, 10000);
    const double warmUp = seconds / 10.0;
    while (!logger.waitForFinished(sampleMs)) {
      readings += logger.readAllStandardOutput().count('\n');
      const double at = wall.elapsed() / 1000.0;
      if (at < warmUp) continue;
      qint64 rss = 0;
      for (const qint64 pid : ProcessTree(logger.processId())) rss += ResidentKib(pid);
      if (rss == 0) continue;  // ending
      if (rssFirst < 0) rssFirst = rss;
      rssLast = rss;
      rssMax = std::max(rssMax, rss);
      samples.emplace_back(at, static_cast<double>(rss));
      if (at > seconds + 60.0) {
        state.SkipWithError("vorenx-logger did not end after its duration");
        logger.kill();
        logger.waitForFinished();
        return;
      }
    }
    readings += logger.readAllStandardOutput().count('\n');
    const double wallSeconds = wall.elapsed() / 1000.0;
    const double cpu = ChildrenCpuSeconds() - cpuBefore;
    state.SetIterationTime(wallSeconds);
    state.counters["cpu_percent"] = 100.0 * cpu / wallSeconds;
    state.counters["rss_first_kib"] = static_cast<double>(rssFirst);
    state.counters["rss_last_kib"] = static_cast<double>(rssLast);
    state.counters["rss_max_kib"] = static_cast<double>(rssMax);
    state.counters["rss_growth_kib_per_hour"] = GrowthPerHour(samples);
    state.counters["readings"] = static_cast<double>(readings);
    state.counters["exit_status"] = logger.exitCode();
  }
}
BENCHMARK(BM_LoggerFourInstruments)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
