// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "journal/JournalFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorenx {

namespace {

// The length of `fd`'s content up to and including its last '\n' (0 when none).
qint64 LastWholeLineEnd(int fd, qint64 size) {
  char buffer[4096];
  qint64 end = size;
  while (end > 0) {
    const qint64 start = end > static_cast<qint64>(sizeof buffer) ? end - static_cast<qint64>(sizeof buffer) : 0;
    const ssize_t got = ::pread(fd, buffer, static_cast<size_t>(end - start), start);
    if (got <= 0) return size;  // unreadable: leave the file as it is
    for (ssize_t i = got - 1; i >= 0; --i)
      if (buffer[i] == '\n') return start + i + 1;
    end = start;
  }
  return 0;
}

}  // namespace

JournalFile::~JournalFile() { Close(); }

bool JournalFile::Open(const QString& path) {
  Close();
  const QByteArray native = path.toUtf8();
  const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = S_ISREG(st.st_mode) ? errno : EINVAL;
    ::close(fd);
    return Fail(error);
  }
  // Reading the tail needs a descriptor open for reading; a second one is simplest.
  qint64 size = st.st_size;
  if (size > 0) {
    const int reader = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (reader >= 0) {
      const qint64 whole = LastWholeLineEnd(reader, size);
      ::close(reader);
      if (whole < size && ::ftruncate(fd, whole) == 0) size = whole;
    }
  }
  m_fd = fd;
  m_size = size;
  m_synced = size;
  m_error.clear();
  return true;
}

bool JournalFile::Create(const QString& path, bool* taken) {
  Close();
  const int fd = ::open(path.toUtf8().constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (taken) *taken = fd < 0 && errno == EEXIST;
  if (fd < 0) return Fail(errno);
  m_fd = fd;
  m_size = 0;
  m_synced = 0;
  m_error.clear();
  return true;
}

void JournalFile::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

bool JournalFile::Unlinked() const {
  struct stat st {};
  return m_fd >= 0 && ::fstat(m_fd, &st) == 0 && st.st_nlink == 0;
}

bool JournalFile::Fail(int error) {
  m_error = QString::fromLocal8Bit(std::strerror(error));
  return false;
}

void JournalFile::CutBackTo(qint64 size) {
  if (::ftruncate(m_fd, size) == 0) {
    m_size = size;
  } else {
    // The file cannot even be cut (the device is gone): drop the descriptor;
    // the next Open cuts any partial line away.
    Close();
  }
}

bool JournalFile::Append(const QByteArray& block) {
  if (m_fd < 0) return Fail(EBADF);
  const char* data = block.constData();
  qint64 left = block.size();
  qint64 offset = m_size;
  while (left > 0) {
    const ssize_t wrote = ::pwrite(m_fd, data, static_cast<size_t>(left), offset);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      const int error = wrote < 0 ? errno : ENOSPC;
      CutBackTo(m_size);
      return Fail(error);
    }
    data += wrote;
    left -= wrote;
    offset += wrote;
  }
  m_size = offset;
  return true;
}

bool JournalFile::Sync() {
  if (m_fd < 0) return Fail(EBADF);
  if (m_synced == m_size) return true;
  if (::fdatasync(m_fd) != 0) {
    const int error = errno;
    CutBackTo(m_synced);
    return Fail(error);
  }
  m_synced = m_size;
  return true;
}

}  // namespace vorenx
