// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The journal file: whole blocks or nothing, and a torn tail cut off on open.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FileSizeLimit.h"
#include "journal/JournalFile.h"

namespace vorenx {
namespace {

QByteArray Content(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST(JournalFile, OpenCutsAPartialLastLineAndAppendsAfterIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.csv");
  Write(path, "Time,Upper\r\n1,2\r\n3,");  // a run killed in the middle of a write
  JournalFile file;
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Size(), 17);
  ASSERT_TRUE(file.Append("5,6\r\n"));
  ASSERT_TRUE(file.Sync());
  EXPECT_EQ(Content(path), "Time,Upper\r\n1,2\r\n5,6\r\n");

  // A file without any line end at all is emptied.
  Write(path, "garbage without end");
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Size(), 0);
}

TEST(JournalFile, ABlockThatDoesNotFitLeavesNothingBehind) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.csv");
  JournalFile file;
  ASSERT_TRUE(file.Open(path));
  ASSERT_TRUE(file.Append("first line\r\n"));
  {
    testing::FileSizeLimit full(20);  // 8 more bytes fit, the block needs 26
    EXPECT_FALSE(file.Append("second line, a long one\r\n"));
    EXPECT_FALSE(file.Error().isEmpty());
  }
  EXPECT_EQ(Content(path), "first line\r\n");
  EXPECT_EQ(file.Size(), 12);
  ASSERT_TRUE(file.Append("third\r\n"));
  EXPECT_EQ(Content(path), "first line\r\nthird\r\n");
}

TEST(JournalFile, RefusesWhatIsNotAPlainFile) {
  QTemporaryDir dir;
  JournalFile file;
  EXPECT_FALSE(file.Open(dir.path()));                   // a folder
  EXPECT_FALSE(file.Open(dir.filePath("missing/x.csv")));  // no such folder
  EXPECT_FALSE(file.Open("/dev/null"));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Append("x\r\n"));
}

TEST(JournalFile, NoticesWhenItsFileIsRemoved) {
  QTemporaryDir dir;
  const QString path = dir.filePath("run.csv");
  JournalFile file;
  ASSERT_TRUE(file.Open(path));
  EXPECT_FALSE(file.Unlinked());
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_TRUE(file.Unlinked());
}

}  // namespace
}  // namespace vorenx
