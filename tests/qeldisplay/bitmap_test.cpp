// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// SaveToBmp writes a real 24-bit bitmap and reports failures; the binding
// forwards to the exports.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include "link/QelDisplayDll.h"
#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {

QImage Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
  return image;
}

template <typename T>
T Field(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

TEST(SaveToBmp, WritesA24BitBitmapWithTheImagesPixels) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("panel.bmp"));
  const QImage image = Pattern(37, 23);  // odd width: rows need padding
  ASSERT_EQ(SaveToBmp(image, path), 1);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const int rowBytes = (37 * 3 + 3) / 4 * 4;
  ASSERT_EQ(bytes.size(), 54 + rowBytes * 23);
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  EXPECT_EQ(Field<quint32>(bytes, 2), static_cast<quint32>(bytes.size()));
  EXPECT_EQ(Field<quint32>(bytes, 10), 54u);  // pixel data offset
  EXPECT_EQ(Field<quint32>(bytes, 14), 40u);  // info header size
  EXPECT_EQ(Field<qint32>(bytes, 18), 37);
  EXPECT_EQ(Field<qint32>(bytes, 22), 23);
  EXPECT_EQ(Field<quint16>(bytes, 28), 24);   // bits per pixel
  EXPECT_EQ(Field<quint32>(bytes, 30), 0u);   // uncompressed

  const QImage loaded(path, "BMP");
  ASSERT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
}

TEST(SaveToBmp, ReportsFailureAndLeavesNoFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString missingDir = dir.filePath(QStringLiteral("no/such/dir/x.bmp"));
  EXPECT_EQ(SaveToBmp(Pattern(4, 4), missingDir), 0);
  EXPECT_FALSE(QFile::exists(missingDir));
  EXPECT_EQ(SaveToBmp(Pattern(4, 4), dir.path()), 0);  // a directory, not a file
  EXPECT_EQ(SaveToBmp(QImage(), dir.filePath(QStringLiteral("empty.bmp"))), 0);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.bmp"))));
  EXPECT_EQ(SaveToBmp(Pattern(4, 4), QString()), 0);
}

TEST(Binding, ForwardsToTheExports) {
  vorenx::QelDisplayDll& dll = vorenx::DefaultQelDisplayDll();
  float high = 0, low = 0;
  dll.SFGetRange(13, &high, &low, 1);
  EXPECT_FLOAT_EQ(high, 1372.0f);
  EXPECT_FLOAT_EQ(low, -200.0f);
  EXPECT_EQ(dll.SFGetDecimalLen(19, -200.0f), 2);
  dll.dmmSetDisPlayLen(480);
  dll.dmmSetDisPlayWave(1);
  EXPECT_EQ(DisplayLength(), 480);
  EXPECT_EQ(DisplayWave(), 1);
  dll.dmmSetDisPlayLen(240);
  dll.dmmSetDisPlayWave(3);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("b.bmp"));
  EXPECT_EQ(dll.SaveToBmp(Pattern(8, 8), path), 1);
  EXPECT_FALSE(QImage(path).isNull());
}

}  // namespace
}  // namespace qeldisplay
