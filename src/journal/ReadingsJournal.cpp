// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "journal/ReadingsJournal.h"

#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace vorenx {

namespace {

// The most entries formatted into one block: bounds the block's memory when
// a long outage ends with many readings queued.
constexpr std::size_t kMaxBatch = 4096;

void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // makes the new file's name durable; a failure here is not the file's
  ::close(fd);
}

// More runs than this within one second are not made by people.
constexpr int kMaxSequence = 10000;

}  // namespace

ReadingsJournal::ReadingsJournal(JournalSettings settings, JournalObserver* observer)
    : m_settings(std::move(settings)), m_observer(observer) {
  QDir().mkpath(m_settings.folder);
  m_path = QDir(m_settings.folder).filePath(JournalFileName(m_settings.start));
  m_created = CreateFile();  // before the writer starts, so no lock is needed yet
  m_writer = std::thread([this] { Run(); });
}

ReadingsJournal::~ReadingsJournal() {
  {
    std::lock_guard lock(m_lock);
    m_stop = true;
  }
  m_wake.notify_all();
  m_writer.join();
  // A run that never wrote a reading leaves no empty file behind.
  if (m_created && m_file.IsOpen() && m_file.Size() == 0 && !m_file.Unlinked())
    ::unlink(QFile::encodeName(m_path).constData());
}

QString ReadingsJournal::FilePath() const {
  std::lock_guard lock(m_lock);
  return m_path;
}

bool ReadingsJournal::CreateFile() {
  // Create-exclusive rather than "does it exist?": two programs started in
  // the same second would both see no file and write into the same one.
  const QDir folder(m_settings.folder);
  for (int sequence = 1; sequence <= kMaxSequence; ++sequence) {
    const QString path = folder.filePath(JournalFileName(m_settings.start, sequence));
    bool taken = false;
    if (m_file.Create(path, &taken)) {
      SyncFolder(m_settings.folder);  // makes the new name durable
      std::lock_guard lock(m_lock);
      m_path = path;
      return true;
    }
    if (!taken) {
      m_lastError = m_file.Error();
      return false;
    }
  }
  m_lastError = QStringLiteral("no free file name for this second");
  return false;
}

bool ReadingsJournal::Append(const JournalReading& reading) {
  {
    std::lock_guard lock(m_lock);
    if (m_queue.size() + m_inFlight >= m_settings.capacity) {
      ++m_dropped;
      ++m_counts.dropped;
      return false;
    }
    m_queue.push_back(Entry{reading, QString()});
    ++m_queued;
  }
  m_wake.notify_one();
  return true;
}

void ReadingsJournal::Note(const LocalTime& time, const QString& text) {
  Entry entry;
  entry.reading.time = time;
  entry.note = text.isEmpty() ? QStringLiteral("-") : text;
  {
    std::lock_guard lock(m_lock);
    if (m_queue.size() + m_inFlight >= m_settings.capacity) return;  // notes give way to readings
    m_queue.push_back(std::move(entry));
    ++m_queued;
  }
  m_wake.notify_one();
}

bool ReadingsJournal::WaitUntilSynced(int timeoutMs) {
  std::unique_lock lock(m_lock);
  const std::uint64_t target = m_queued;
  return m_synced.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return m_done >= target && m_dropped == 0; });
}

JournalCounts ReadingsJournal::Counts() const {
  std::lock_guard lock(m_lock);
  return m_counts;
}

bool ReadingsJournal::Failing() const {
  std::lock_guard lock(m_lock);
  return m_failing;
}

bool ReadingsJournal::EnsureOpen() {
  if (m_file.IsOpen() && !m_file.Unlinked()) return true;
  // The folder is not made again here: a folder that went away (a removed
  // stick's mount point) is waited for rather than recreated somewhere else.
  const QFileInfo folder(m_settings.folder);
  if (!folder.isDir()) {
    m_file.Close();
    m_lastError = folder.exists() ? QStringLiteral("%1 is not a folder").arg(m_settings.folder)
                                  : QStringLiteral("the folder does not exist");
    return false;
  }
  if (!m_created) {
    // The folder could not take the file at start-up: claim a name now.
    m_created = CreateFile();
    if (!m_created) return false;
  } else if (!m_file.Open(m_path)) {
    m_lastError = m_file.Error();
    return false;
  }
  if (m_file.Size() == 0) SyncFolder(m_settings.folder);
  m_haveSetup = false;  // a reopened file gets the functions again before its next reading
  return true;
}

bool ReadingsJournal::WriteBatch(const std::deque<Entry>& batch, std::uint64_t dropped, const QString& gapNote) {
  const LocalTime first = batch.empty() ? m_settings.start : batch.front().reading.time;
  const auto& offset = m_settings.utcOffset;
  QByteArray block;
  if (m_file.Size() == 0) block += JournalHeaderLine();
  if (!gapNote.isEmpty()) block += JournalNoteLine(first, offset(first), gapNote);
  if (dropped > 0)
    block += JournalNoteLine(first, offset(first),
                             QStringLiteral("%1 readings were lost: too many were waiting while writing failed")
                                 .arg(dropped));
  bool haveSetup = m_haveSetup;
  JournalReading setup = m_lastSetup;
  for (const Entry& e : batch) {
    const int utcOffset = offset(e.reading.time);
    if (!e.note.isEmpty()) {
      block += JournalNoteLine(e.reading.time, utcOffset, e.note);
      continue;
    }
    if (!haveSetup || !SameSetup(setup, e.reading)) {
      block += JournalSetupLine(e.reading, utcOffset);
      setup = e.reading;
      haveSetup = true;
    }
    block += JournalReadingLine(e.reading, utcOffset);
  }
  if (!m_file.Append(block) || !m_file.Sync()) {
    m_lastError = m_file.Error();
    return false;
  }
  m_haveSetup = haveSetup;
  m_lastSetup = setup;
  return true;
}

void ReadingsJournal::Run() {
  std::unique_lock lock(m_lock);
  bool finalAttemptMade = false;
  for (;;) {
    m_wake.wait(lock, [&] { return m_stop || !m_queue.empty() || m_dropped > 0; });
    if (m_queue.empty() && m_dropped == 0) break;  // stopping, and nothing is left

    std::deque<Entry> batch;
    while (!m_queue.empty() && batch.size() < kMaxBatch) {
      batch.push_back(std::move(m_queue.front()));
      m_queue.pop_front();
    }
    m_inFlight = batch.size();
    const std::uint64_t dropped = m_dropped;
    const bool wasFailing = m_failing;
    lock.unlock();

    const QString gapNote =
        wasFailing ? QStringLiteral("the journal could not be written since %1 (%2); the readings kept meanwhile follow")
                         .arg(m_failedSince, m_lastError)
                   : QString();
    const bool ok = EnsureOpen() && WriteBatch(batch, dropped, gapNote);
    std::size_t readings = 0;
    for (const Entry& e : batch)
      if (e.note.isEmpty()) ++readings;

    // Told before anyone waiting for the sync is woken, so that they see it.
    if (ok && wasFailing && m_observer)
      m_observer->JournalResumed(QStringLiteral("readings journal: writing %1 again").arg(m_path));
    lock.lock();
    m_inFlight = 0;
    if (ok) {
      m_done += batch.size();
      m_dropped -= dropped;
      m_counts.readingsWritten += readings;
      ++m_counts.syncs;
      m_failing = false;
      m_synced.notify_all();
      continue;
    }

    // Put the batch back in front, in order, and try again after a pause.
    for (auto it = batch.rbegin(); it != batch.rend(); ++it) m_queue.push_front(std::move(*it));
    ++m_counts.failedWrites;
    if (!wasFailing) {
      m_failing = true;
      ++m_counts.failures;
      const LocalTime when = m_queue.empty() ? m_settings.start : m_queue.front().reading.time;
      m_failedSince = FormatJournalTimestamp(when, m_settings.utcOffset(when));
      if (m_observer) {
        const QString message =
            QStringLiteral("readings journal: cannot write %1: %2; the readings are kept and written when "
                           "writing works again")
                .arg(m_path, m_lastError);
        lock.unlock();
        m_observer->JournalFailed(message);
        lock.lock();
      }
    }
    if (m_stop) {
      // The program is ending: one more attempt after a pause, then give up.
      if (finalAttemptMade) break;
      finalAttemptMade = true;
      m_wake.wait_for(lock, std::chrono::milliseconds(m_settings.retryMs));
      continue;
    }
    m_wake.wait_for(lock, std::chrono::milliseconds(m_settings.retryMs), [&] { return m_stop; });
  }
}

}  // namespace vorenx
