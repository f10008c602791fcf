// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The committed .ts files against the sources: lupdate is run over src/ into
// copies of them, so a text added, changed or left without tr() shows up here
// as an unfinished entry. A translation equal to its source text must be
// marked so on purpose (translator comment "same": numbers, codes, formats).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

struct Entry {
  QString context, source, comment;
  QStringList translations;
  bool unfinished = false;
};

std::vector<Entry> ReadTs(const QString& path) {
  std::vector<Entry> entries;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return entries;
  QXmlStreamReader xml(&file);
  QString context;
  Entry entry;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const auto name = xml.name();
    if (name == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (name == QLatin1String("message")) {
      entry = Entry{context, {}, {}, {}, false};
    } else if (name == QLatin1String("source")) {
      entry.source = xml.readElementText();
    } else if (name == QLatin1String("translatorcomment")) {
      entry.comment = xml.readElementText();
    } else if (name == QLatin1String("translation")) {
      const QString type = xml.attributes().value(QLatin1String("type")).toString();
      entry.unfinished = !type.isEmpty();  // "unfinished", "vanished", "obsolete"
      // Plural forms (numerusform) come as one text: each must be there, none may equal the source.
      const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
      entry.translations << text;
      entries.push_back(entry);
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return entries;
}

class TranslationFilesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(TranslationFilesTest, EveryTextOfTheSourcesHasAFinishedTranslation) {
  const QString committed = QStringLiteral(VORENX_SOURCE_DIR "/translations/vorenx_%1.ts").arg(QLatin1String(GetParam()));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString copy = dir.filePath(QStringLiteral("copy.ts"));
  ASSERT_TRUE(QFile::copy(committed, copy));

  QProcess lupdate;
  lupdate.setProcessChannelMode(QProcess::MergedChannels);
  lupdate.start(QStringLiteral(VORENX_LUPDATE), {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                                                  QStringLiteral("-locations"), QStringLiteral("none"),
                                                  QStringLiteral(VORENX_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
  ASSERT_TRUE(lupdate.waitForFinished(300000)) << "lupdate did not finish";
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

  const std::vector<Entry> entries = ReadTs(copy);
  EXPECT_GT(entries.size(), 400u);
  EXPECT_EQ(entries.size(), ReadTs(committed).size()) << "the committed file is not up to date: run lupdate";
  for (const Entry& e : entries) {
    const std::string where = (e.context + QStringLiteral(": \"") + e.source + QLatin1Char('"')).toStdString();
    EXPECT_FALSE(e.unfinished) << "unfinished: " << where;
    for (const QString& t : e.translations) {
      EXPECT_FALSE(t.trimmed().isEmpty()) << "empty: " << where;
      if (t == e.source) {
        EXPECT_EQ(e.comment, QLatin1String("same")) << "equal to its source, unmarked: " << where;
      }
      // Every placeholder of the source is kept (%n only in plural forms).
      for (int n = 1; n <= 9; ++n) {
        const QString mark = QStringLiteral("%%1").arg(n);
        if (e.source.contains(mark)) {
          EXPECT_TRUE(t.contains(mark)) << mark.toStdString() << " lost: " << where;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFilesTest, ::testing::Values("de", "zh_CN"));

}  // namespace
