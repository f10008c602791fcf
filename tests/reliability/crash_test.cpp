// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The program killed with SIGKILL at random moments: each journal must hold
// every reading read more than one second before the kill, in order, and
// must not end in a torn line.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <thread>
#include <time.h>

#include "ReliabilitySupport.h"

namespace vorenx {
namespace {

long long MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

struct Printed {
  long long ms;
  QString fields;
};

std::vector<Printed> ParsePrinted(const QByteArray& out) {
  std::vector<Printed> printed;
  for (const QByteArray& line : out.split('\n')) {
    if (!line.startsWith("R ")) continue;  // the last one may be cut by the kill
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 3) continue;
    printed.push_back({parts[1].toLongLong(), QString::fromUtf8(line.mid(parts[0].size() + parts[1].size() + 2))});
  }
  return printed;
}

// Every line whole: CR LF at the end, and a reading line with all seven fields.
void ExpectWholeLines(const QByteArray& content, int run) {
  ASSERT_TRUE(content.isEmpty() || content.endsWith("\r\n")) << "run " << run << ": torn last line";
  for (const QByteArray& line : content.split('\n')) {
    if (line.isEmpty() || line.startsWith('#') || line.startsWith("\xEF\xBB\xBFTime,")) continue;
    ASSERT_TRUE(line.endsWith('\r')) << "run " << run << ": " << line.toStdString();
    ASSERT_EQ(line.count(','), 6) << "run " << run << ": " << line.toStdString();
  }
}

TEST(CrashTest, KilledAtRandomTheJournalHoldsEverythingOlderThanASecond) {
  const int runs = testing::kUnderSanitizer ? 8 : 50;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> delay(200, 1600);
  int checked = 0;
  for (int run = 0; run < runs; ++run) {
    QTemporaryDir folder;
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QStringLiteral(VORENX_CRASH_CHILD), {folder.path()});
    ASSERT_TRUE(child.waitForStarted(30000));
    // Wait for its first reading, then let it run for a random while.
    QByteArray out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!out.contains("R ") && std::chrono::steady_clock::now() < deadline) {
      child.waitForReadyRead(100);
      out += child.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("R ")) << "run " << run << ": no reading; " << child.readAllStandardError().toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
    const long long killedAt = MonotonicMs();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(30000));
    out += child.readAllStandardOutput();

    const QStringList files = QDir(folder.path()).entryList({"*.csv"}, QDir::Files);
    ASSERT_EQ(files.size(), 1) << "run " << run;
    const QString path = QDir(folder.path()).filePath(files.front());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ExpectWholeLines(file.readAll(), run);

    const QStringList journaled = testing::JournalReadingFields(path);
    const std::vector<Printed> printed = ParsePrinted(out);
    std::size_t due = 0;
    while (due < printed.size() && printed[due].ms < killedAt - 1000) ++due;
    ASSERT_GE(static_cast<std::size_t>(journaled.size()), due) << "run " << run << ": readings lost";
    for (std::size_t i = 0; i < due; ++i)
      ASSERT_EQ(journaled[static_cast<qsizetype>(i)], printed[i].fields) << "run " << run << ", reading " << i + 1;
    // Nothing in the journal that was never read.
    for (qsizetype i = 0; i < journaled.size() && static_cast<std::size_t>(i) < printed.size(); ++i)
      ASSERT_EQ(journaled[i], printed[static_cast<std::size_t>(i)].fields) << "run " << run;
    checked += static_cast<int>(due);
  }
  std::printf("crash: %d kills, %d readings older than a second checked\n", runs, checked);
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace vorenx
