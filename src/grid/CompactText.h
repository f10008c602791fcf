// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A cell's text in 24 bytes: up to 23 bytes of UTF-8 are kept inside the
// object, so a short text (a time, a reading, an index) costs no heap at all;
// a longer one lives in a QString on the heap. The QString a caller reads is
// built when it is asked for, which is when the cell is painted, measured or
// exported.

#include <QString>
#include <cstdint>

namespace vorenx {

class CompactText {
 public:
  CompactText() { SetTag(0); }
  ~CompactText() { Release(); }
  CompactText(const CompactText&) = delete;
  CompactText& operator=(const CompactText&) = delete;

  void Set(const QString& text);
  QString Get() const;
  bool IsEmpty() const { return IsInline() ? Tag() == 0 : Heap()->isEmpty(); }
  void Clear() { Release(); }
  // True when the text sits in the object itself.
  bool IsInline() const { return Tag() != kHeap; }

  static constexpr int kInlineBytes = 23;

 private:
  static constexpr std::uint8_t kHeap = 0xFF;
  void Release();
  std::uint8_t Tag() const { return static_cast<std::uint8_t>(m_bytes[kInlineBytes]); }
  void SetTag(std::uint8_t tag) { m_bytes[kInlineBytes] = static_cast<char>(tag); }
  QString* Heap() const;
  void SetHeap(QString* text);

  // The inline bytes, or the heap text's address in the first eight; the
  // last byte tells which: the inline length, or kHeap.
  alignas(8) char m_bytes[kInlineBytes + 1];
};
static_assert(sizeof(CompactText) == 24, "a cell's text takes 24 bytes");

}  // namespace vorenx
