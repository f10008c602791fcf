// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/CompactText.h"

#include <cstring>

namespace vorenx {

QString* CompactText::Heap() const {
  QString* text = nullptr;
  std::memcpy(&text, m_bytes, sizeof text);
  return text;
}

void CompactText::SetHeap(QString* text) {
  std::memcpy(m_bytes, &text, sizeof text);
  SetTag(kHeap);
}

void CompactText::Release() {
  if (Tag() == kHeap) delete Heap();
  SetTag(0);
}

void CompactText::Set(const QString& text) {
  if (text.size() <= kInlineBytes) {
    char bytes[kInlineBytes];
    int length = 0;
    bool fits = true;
    for (const QChar ch : text) {
      if (ch.unicode() >= 0x80) {
        fits = false;
        break;
      }
      bytes[length++] = static_cast<char>(ch.unicode());
    }
    if (!fits && text.isValidUtf16()) {
      // Not plain ASCII: UTF-8 keeps it exactly when it is valid UTF-16.
      const QByteArray utf8 = text.toUtf8();
      fits = utf8.size() <= kInlineBytes;
      if (fits) {
        length = static_cast<int>(utf8.size());
        std::memcpy(bytes, utf8.constData(), static_cast<std::size_t>(length));
      }
    }
    if (fits) {
      Release();
      std::memcpy(m_bytes, bytes, static_cast<std::size_t>(length));
      SetTag(static_cast<std::uint8_t>(length));
      return;
    }
  }
  if (!IsInline()) {
    *Heap() = text;
    return;
  }
  SetHeap(new QString(text));
}

QString CompactText::Get() const {
  if (!IsInline()) return *Heap();
  return QString::fromUtf8(m_bytes, Tag());
}

}  // namespace vorenx
