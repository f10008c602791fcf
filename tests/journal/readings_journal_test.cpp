// The journal end to end on a real folder: order, comment lines, failure,
// resumption and the bound of the queue.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include "FileSizeLimit.h"
#include "JournalTestSupport.h"

namespace vorenx {
namespace {

using testing::JournalLines;
using testing::ReadingAt;
using testing::ReadingLines;

class RecordingObserver : public JournalObserver {
 public:
  void JournalFailed(const QString& message) override {
    std::lock_guard lock(m_lock);
    failed << message;
  }
  void JournalResumed(const QString& message) override {
    std::lock_guard lock(m_lock);
    resumed << message;
  }
  int Failed() {
    std::lock_guard lock(m_lock);
    return static_cast<int>(failed.size());
  }
  int Resumed() {
    std::lock_guard lock(m_lock);
    return static_cast<int>(resumed.size());
  }
  QStringList failed, resumed;

 private:
  std::mutex m_lock;
};

// Waits (up to 10 s) for `done`; journal threads answer within a few retries.
template <typename F>
bool Eventually(F done) {
  for (int i = 0; i < 1000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class ReadingsJournalTest : public ::testing::Test {
 protected:
  JournalSettings Settings(const QString& folder, std::size_t capacity = 100000) {
    JournalSettings s;
    s.folder = folder;
    s.start = LocalTime{2026, 12, 8, 10, 0, 0, 0};
    s.capacity = capacity;
    s.retryMs = 20;
    s.utcOffset = [](const LocalTime&) { return 3600; };
    return s;
  }
  QTemporaryDir root;
  RecordingObserver observer;
};

TEST_F(ReadingsJournalTest, WritesReadingsInOrderWithSetupAndNoteLines) {
  const QString folder = root.filePath("journal/nested");  // made when missing
  QString path;
  {
    ReadingsJournal journal(Settings(folder), &observer);
    path = journal.FilePath();
    EXPECT_EQ(QFileInfo(path).fileName(), "2026-12-08_10-00-00.csv");
    journal.Append(ReadingAt(0, 1.0f, 2.0f));
    journal.Append(ReadingAt(1000, 1.5f, 2.5f));
    journal.Note(ReadingAt(1500, 0, 0).time, "DisConnected");
    journal.Append(ReadingAt(2000, 3.0f, 20.0f, "TC K", QStringLiteral("\u2103")));
    ASSERT_TRUE(journal.WaitUntilSynced(5000));
    EXPECT_EQ(journal.Counts().readingsWritten, 3u);
  }
  const QStringList lines = JournalLines(path);
  const QStringList expected = {
      "Time,Upper,Upper unit,Lower,Lower unit,Upper function,Lower function",
      "# 2026-12-08T10:00:00.000+01:00 upper Voltage V, lower V V",
      "2026-12-08T10:00:00.000+01:00,1,V,2,V,Voltage,V",
      "2026-12-08T10:00:01.000+01:00,1.5,V,2.5,V,Voltage,V",
      "# 2026-12-08T10:00:01.500+01:00 DisConnected",
      QStringLiteral("# 2026-12-08T10:00:02.000+01:00 upper Voltage V, lower TC K \u2103"),
      QStringLiteral("2026-12-08T10:00:02.000+01:00,3,V,20,\u2103,Voltage,TC K"),
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(observer.Failed(), 0);
}

TEST_F(ReadingsJournalTest, ASecondRunInTheSameSecondGetsItsOwnFile) {
  ReadingsJournal first(Settings(root.path()), &observer);
  first.Append(ReadingAt(0, 1, 1));
  ASSERT_TRUE(first.WaitUntilSynced(5000));
  ReadingsJournal second(Settings(root.path()), &observer);
  EXPECT_NE(first.FilePath(), second.FilePath());
  EXPECT_TRUE(second.FilePath().endsWith("-2.csv"));
}

TEST_F(ReadingsJournalTest, DestructionWritesEverythingQueued) {
  QString path;
  {
    ReadingsJournal journal(Settings(root.path()), &observer);
    path = journal.FilePath();
    for (int i = 0; i < 5000; ++i) journal.Append(ReadingAt(i, static_cast<float>(i), 0));
  }
  const QStringList readings = ReadingLines(JournalLines(path));
  ASSERT_EQ(readings.size(), 5000);
  EXPECT_TRUE(readings.back().startsWith("2026-12-08T10:00:04.999+01:00,4999,"));
}

// A full device: the failure is told once, nothing half-written stays, and
// when space returns every reading is there exactly once.
TEST_F(ReadingsJournalTest, FullDiskIsReportedOnceAndEveryReadingArrivesAfterward) {
  ReadingsJournal journal(Settings(root.path()), &observer);
  journal.Append(ReadingAt(0, 0, 0));
  ASSERT_TRUE(journal.WaitUntilSynced(5000));
  const qint64 before = QFileInfo(journal.FilePath()).size();
  {
    testing::FileSizeLimit full(static_cast<rlim_t>(before + 30));  // less than one more line
    for (int i = 1; i <= 20; ++i) journal.Append(ReadingAt(i * 1000, static_cast<float>(i), 0));
    ASSERT_TRUE(Eventually([&] { return observer.Failed() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // several retries fail meanwhile
    EXPECT_EQ(observer.Failed(), 1);
    EXPECT_EQ(QFileInfo(journal.FilePath()).size(), before);  // the torn block was cut off
    journal.Append(ReadingAt(21000, 21, 0));
  }
  ASSERT_TRUE(journal.WaitUntilSynced(5000));
  EXPECT_EQ(observer.Resumed(), 1);
  EXPECT_EQ(journal.Counts().failures, 1u);
  EXPECT_TRUE(observer.failed.front().contains(journal.FilePath()));

  const QStringList lines = JournalLines(journal.FilePath());
  const QStringList readings = ReadingLines(lines);
  ASSERT_EQ(readings.size(), 22);
  for (int i = 0; i < readings.size(); ++i)
    EXPECT_EQ(readings[i].section(',', 1, 1), QString::number(i)) << readings[i].toStdString();
  EXPECT_EQ(lines.filter("could not be written since").size(), 1);
}

// The folder goes away (a stick pulled out) and comes back: the journal
// waits rather than writing elsewhere, then starts the file afresh.
TEST_F(ReadingsJournalTest, VanishedFolderIsWaitedForAndTheFileStartsAgain) {
  const QString folder = root.filePath("stick");
  ReadingsJournal journal(Settings(folder), &observer);
  journal.Append(ReadingAt(0, 0, 0));
  ASSERT_TRUE(journal.WaitUntilSynced(5000));
  ASSERT_TRUE(QDir(folder).removeRecursively());

  journal.Append(ReadingAt(1000, 1, 0));
  journal.Append(ReadingAt(2000, 2, 0));
  ASSERT_TRUE(Eventually([&] { return observer.Failed() == 1; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_FALSE(QFileInfo::exists(folder)) << "the journal must not make a missing folder again";

  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(journal.WaitUntilSynced(5000));
  EXPECT_EQ(observer.Resumed(), 1);
  const QStringList lines = JournalLines(journal.FilePath());
  ASSERT_GE(lines.size(), 4);
  EXPECT_TRUE(lines[0].startsWith("Time,"));  // a new file gets its header
  EXPECT_TRUE(lines[1].contains("could not be written since"));
  EXPECT_TRUE(lines[1].contains("folder"));
  EXPECT_EQ(ReadingLines(lines).size(), 2);
}

TEST_F(ReadingsJournalTest, AFullQueueDropsAndTheFileSaysHowMany) {
  const QString folder = root.filePath("later");
  ReadingsJournal journal(Settings(folder, 5), &observer);
  ASSERT_TRUE(QDir(folder).removeRecursively());
  int accepted = 0;
  for (int i = 0; i < 12; ++i) accepted += journal.Append(ReadingAt(i * 1000, static_cast<float>(i), 0)) ? 1 : 0;
  EXPECT_EQ(accepted, 5);
  EXPECT_EQ(journal.Counts().dropped, 7u);

  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(journal.WaitUntilSynced(5000));
  const QStringList lines = JournalLines(journal.FilePath());
  EXPECT_EQ(lines.filter("7 readings were lost").size(), 1);
  EXPECT_EQ(ReadingLines(lines).size(), 5);
}

}  // namespace
}  // namespace vorenx
