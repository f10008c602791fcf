// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The calibrations folder: records are never overwritten, failures are
// reported, the newest as-left of a tag is found among unreadable files, and
// the last setup is kept.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CalibTestSupport.h"
#include "records/CalibrationStore.h"

namespace vorenx::testing {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(data);
}

class Store : public ::testing::Test {
 protected:
  QString Folder() const { return m_dir.filePath(QStringLiteral("data/vorenx/calibrations")); }
  QString SetupFile() const { return m_dir.filePath(QStringLiteral("config/vorenx/calibration-setup.json")); }

  // A record of `tag` whose as-left run finished at `finished` (none when invalid).
  static CalibrationRecord Record(const QString& tag, const QDateTime& finished, double errorAt50 = 0.0,
                                  bool complete = true) {
    CalibrationRecord r;
    r.setup = RtdTransmitter();
    r.setup.tag = tag;
    RunResult found;
    found.started = At(8, 0, 0);
    found.points = {Measured(r.setup, 50, 12.0 + errorAt50)};
    r.asFound = found;
    if (finished.isValid()) {
      RunResult left = found;
      left.kind = RunKind::AsLeft;
      left.started = finished.addSecs(-60);
      left.finished = finished;
      left.complete = complete;
      r.asLeft = left;
    }
    return r;
  }

  QTemporaryDir m_dir;
  CalibrationStore m_store{Folder(), SetupFile()};
};

TEST_F(Store, SavingTwiceInTheSameSecondNeverOverwrites) {
  CalibrationRecord first = Record(QStringLiteral("TT-101"), At(9, 0, 0));
  CalibrationRecord second = Record(QStringLiteral("TT-101"), At(9, 5, 0), 0.02);
  QString error;
  const QString a = m_store.Save(first, &error);
  ASSERT_FALSE(a.isEmpty()) << error.toStdString();
  const QString b = m_store.Save(second, &error);
  const QString c = m_store.Save(second, &error);
  EXPECT_EQ(QFileInfo(a).fileName(), "TT-101_2026-12-08_08-00-00.json");
  EXPECT_EQ(QFileInfo(b).fileName(), "TT-101_2026-12-08_08-00-00-2.json");
  EXPECT_EQ(QFileInfo(c).fileName(), "TT-101_2026-12-08_08-00-00-3.json");
  EXPECT_EQ(RecordFromJson(ReadAll(a)), first);
  EXPECT_EQ(RecordFromJson(ReadAll(b)), second);
  // Nothing but the records: no temporary files left behind.
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(Store, FileNamesFromTagsOfAnyContent) {
  EXPECT_EQ(TagFileName(QStringLiteral("TT-101")), "TT-101");
  EXPECT_EQ(TagFileName(QStringLiteral("../../etc/passwd")), "______etc_passwd");
  EXPECT_EQ(TagFileName(QStringLiteral("  A\\B:C*D?E\"F<G>H|I J.K  ")), "A_B_C_D_E_F_G_H_I_J_K");
  EXPECT_EQ(TagFileName(QString::fromUtf8("Ströme 温度 🌡")), QString::fromUtf8("Ströme_温度__"));
  EXPECT_EQ(TagFileName(QStringLiteral("   ")), "untagged");
  EXPECT_EQ(TagFileName(QStringLiteral("a\nb\x7f")), "a_b_");
  // 64 four-byte letters would pass a file system's 255 bytes with the time.
  const QString longTag = QString::fromUtf8("𝐀").repeated(64);
  EXPECT_LE(TagFileName(longTag).toUtf8().size(), 120);
  EXPECT_EQ(TagFileName(longTag).size() % 2, 0);  // never half a character

  const QString path = m_store.Save(Record(longTag, QDateTime()));
  ASSERT_FALSE(path.isEmpty());
  EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(Folder()).absolutePath());
  const QString odd = m_store.Save(Record(QStringLiteral("../x"), QDateTime()));
  EXPECT_EQ(QFileInfo(odd).absolutePath(), QDir(Folder()).absolutePath());
}

TEST_F(Store, UnwritableFolderGivesAnError) {
  WriteFile(m_dir.filePath(QStringLiteral("file")), "not a folder");
  CalibrationStore blocked(m_dir.filePath(QStringLiteral("file/calibrations")), m_dir.filePath(QStringLiteral("file/setup.json")));
  QString error;
  EXPECT_TRUE(blocked.Save(Record(QStringLiteral("TT-101"), QDateTime()), &error).isEmpty());
  EXPECT_TRUE(error.contains(QStringLiteral("cannot be created"))) << error.toStdString();
  error.clear();
  EXPECT_FALSE(blocked.SaveSetup(RtdTransmitter(), &error));
  EXPECT_FALSE(error.isEmpty());
  // A folder in place of the setup file: the rename fails and says why.
  QDir().mkpath(SetupFile());
  error.clear();
  EXPECT_FALSE(m_store.SaveSetup(RtdTransmitter(), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("cannot be written"))) << error.toStdString();
  EXPECT_EQ(QDir(QFileInfo(SetupFile()).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(Store, LastAsLeftIsTheNewestCompleteOneOfTheTag) {
  const QString tag = QStringLiteral("TT-101");
  ASSERT_FALSE(m_store.Save(Record(tag, At(10, 0, 0), 0.01)).isEmpty());
  const QString newestFile = m_store.Save(Record(tag, At(12, 0, 0), 0.03));  // the newest
  ASSERT_FALSE(newestFile.isEmpty());
  ASSERT_FALSE(m_store.Save(Record(tag, At(12, 30, 0), 0.05, false)).isEmpty());  // ended early
  ASSERT_FALSE(m_store.Save(Record(tag, At(11, 0, 0), 0.02)).isEmpty());
  ASSERT_FALSE(m_store.Save(Record(tag, QDateTime())).isEmpty());         // no as-left
  ASSERT_FALSE(m_store.Save(Record(QStringLiteral("TT/101"), At(13, 0, 0))).isEmpty());  // same file name
  ASSERT_FALSE(m_store.Save(Record(QStringLiteral("TT-1012"), At(14, 0, 0))).isEmpty());
  WriteFile(QDir(Folder()).filePath(QStringLiteral("TT-101_2099-01-01_00-00-00.json")), "{ broken");
  const QByteArray newer = RecordToJson(Record(tag, At(15, 0, 0)));
  WriteFile(QDir(Folder()).filePath(QStringLiteral("TT-101_2099-01-02_00-00-00.json")), newer.left(newer.size() - 9));
  QDir().mkpath(QDir(Folder()).filePath(QStringLiteral("TT-101_2099-01-03_00-00-00.json")));  // a folder

  QString file;
  const std::optional<RunResult> last = m_store.LastAsLeft(tag, &file);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->finished, At(12, 0, 0));
  EXPECT_EQ(file, QFileInfo(newestFile).fileName());
  EXPECT_NEAR(last->points[0].errorPercent, 0.1875, 1e-9);
  ASSERT_TRUE(m_store.LastAsLeft(QStringLiteral("TT/101")).has_value());
  EXPECT_EQ(m_store.LastAsLeft(QStringLiteral("TT/101"))->finished, At(13, 0, 0));
  EXPECT_FALSE(m_store.LastAsLeft(QStringLiteral("PT-9")).has_value());
  EXPECT_FALSE(CalibrationStore(m_dir.filePath(QStringLiteral("none")), SetupFile()).LastAsLeft(tag).has_value());
}

TEST_F(Store, LastSetupIsKept) {
  EXPECT_FALSE(m_store.LoadSetup().has_value());
  CalibrationSetup s = FullRecord().setup;
  QString error;
  ASSERT_TRUE(m_store.SaveSetup(s, &error)) << error.toStdString();
  EXPECT_EQ(m_store.LoadSetup(), s);
  s.tag = QStringLiteral("next");
  ASSERT_TRUE(m_store.SaveSetup(s, &error));  // replaced whole
  EXPECT_EQ(m_store.LoadSetup(), s);
  EXPECT_EQ(QDir(QFileInfo(SetupFile()).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  WriteFile(SetupFile(), "{\"format\": \"vorenx-calibration-setup\"");
  EXPECT_FALSE(m_store.LoadSetup().has_value());
}

class XdgFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    m_data = qgetenv("XDG_DATA_HOME");
    m_config = qgetenv("XDG_CONFIG_HOME");
    m_hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    if (m_hadData) qputenv("XDG_DATA_HOME", m_data); else qunsetenv("XDG_DATA_HOME");
    if (m_hadConfig) qputenv("XDG_CONFIG_HOME", m_config); else qunsetenv("XDG_CONFIG_HOME");
  }
  QByteArray m_data, m_config;
  bool m_hadData = false, m_hadConfig = false;
};

TEST_F(XdgFolders, DefaultFolders) {
  qputenv("XDG_DATA_HOME", "/srv/data");
  qputenv("XDG_CONFIG_HOME", "/srv/config");
  EXPECT_EQ(DefaultCalibrationsFolder(), "/srv/data/vorenx/calibrations");
  EXPECT_EQ(DefaultSetupFile(), "/srv/config/vorenx/calibration-setup.json");
  for (const char* unusable : {"", "relative/path"}) {
    qputenv("XDG_DATA_HOME", unusable);
    qputenv("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(DefaultCalibrationsFolder(), QDir::homePath() + "/.local/share/vorenx/calibrations");
    EXPECT_EQ(DefaultSetupFile(), QDir::homePath() + "/.config/vorenx/calibration-setup.json");
  }
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DefaultCalibrationsFolder(), QDir::homePath() + "/.local/share/vorenx/calibrations");
}

}  // namespace
}  // namespace vorenx::testing
