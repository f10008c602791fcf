// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// SaveToBmp: an uncompressed 24-bit Windows bitmap (BITMAPFILEHEADER +
// BITMAPINFOHEADER, rows bottom-up, BGR, each row padded to 4 bytes), written
// through QSaveFile so a failed write never leaves a half file behind.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <cstdint>

#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi

void Put16(char*& out, std::uint16_t v) {
  *out++ = static_cast<char>(v & 0xFF);
  *out++ = static_cast<char>(v >> 8);
}

void Put32(char*& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) *out++ = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::int32_t SaveToBmp(const QImage& image, const QString& path) {
  if (image.isNull() || path.isEmpty()) return 0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) return 0;
  const std::uint64_t width = static_cast<std::uint64_t>(rgb.width());
  const std::uint64_t height = static_cast<std::uint64_t>(rgb.height());
  const std::uint64_t rowBytes = (width * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t pixelBytes = rowBytes * height;
  const std::uint64_t offset = kFileHeaderSize + kInfoHeaderSize;
  if (offset + pixelBytes > 0x7FFFFFFF) return 0;  // beyond what the format's fields hold

  QByteArray data(static_cast<qsizetype>(offset + pixelBytes), '\0');
  char* out = data.data();
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, static_cast<std::uint32_t>(offset + pixelBytes));
  Put32(out, 0);  // two reserved words
  Put32(out, static_cast<std::uint32_t>(offset));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
  Put16(out, 1);                                   // planes
  Put16(out, 24);                                  // bits per pixel
  Put32(out, 0);                                   // BI_RGB, uncompressed
  Put32(out, static_cast<std::uint32_t>(pixelBytes));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours

  for (std::uint64_t row = 0; row < height; ++row) {
    const uchar* src = rgb.constScanLine(static_cast<int>(height - 1 - row));
    char* dst = data.data() + offset + row * rowBytes;
    for (std::uint64_t x = 0; x < width; ++x) {
      dst[3 * x] = static_cast<char>(src[3 * x + 2]);
      dst[3 * x + 1] = static_cast<char>(src[3 * x + 1]);
      dst[3 * x + 2] = static_cast<char>(src[3 * x]);
    }
  }

  // A device node or pipe is written in place: the save-and-rename of a
  // regular file would put a plain file where the node was.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile() && !target.isDir()) {
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return 0;
    const bool written = device.write(data) == data.size();
    device.close();
    return written && device.error() == QFileDevice::NoError ? 1 : 0;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return 0;
  if (file.write(data) != data.size()) {
    file.cancelWriting();
    return 0;
  }
  return file.commit() ? 1 : 0;
}

}  // namespace qeldisplay
