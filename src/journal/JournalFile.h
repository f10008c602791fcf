// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One journal file on disk, written only in whole blocks of lines: a block
// that cannot be written completely is cut off again, so the file never ends
// in half a line. Not thread-safe: the journal's writer thread alone uses it.

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace vorenx {

class JournalFile {
 public:
  JournalFile() = default;
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  // Opens `path` for appending, creating it (not its folder) when missing.
  // A file that ends in a partial line (written by a run that was killed
  // mid-write) is cut back to its last whole line. False with Error() set.
  bool Open(const QString& path);
  // Creates `path` (O_CREAT | O_EXCL) and opens it for appending: false
  // with Error() set when it cannot, and `taken` set when the name was
  // already in use, so that two programs never share one file.
  bool Create(const QString& path, bool* taken = nullptr);
  void Close();
  bool IsOpen() const { return m_fd >= 0; }
  // True when the open file has been removed or renamed away from its path,
  // so that writing on would go nowhere a user can find.
  bool Unlinked() const;
  // Bytes in the file (what has been written and kept).
  qint64 Size() const { return m_size; }

  // Appends `block` whole, or not at all (the file is cut back to its old
  // size). False with Error() set.
  bool Append(const QByteArray& block);
  // Forces everything appended so far to the disk. On failure the part
  // written since the last good Sync is cut off again (the kernel may have
  // dropped it) and false is returned with Error() set; the caller writes
  // it again.
  bool Sync();
  qint64 SyncedSize() const { return m_synced; }

  // What went wrong last: the system's message (e.g. "No space left on device").
  QString Error() const { return m_error; }

 private:
  bool Fail(int error);
  void CutBackTo(qint64 size);

  int m_fd = -1;
  qint64 m_size = 0;
  qint64 m_synced = 0;
  QString m_error;
};

}  // namespace vorenx
