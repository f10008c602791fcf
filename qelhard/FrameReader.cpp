// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "FrameReader.h"

#include <algorithm>

namespace qelhard {

FrameReader::FrameReader(const FrameFormat& format, std::size_t capacity)
    : m_format(format), m_capacity(std::max(capacity, 2 * format.size)) {
  m_buffer.reserve(m_capacity);
}

void FrameReader::Feed(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t room = m_capacity - m_buffer.size();
    const std::size_t take = std::min(room, size);
    m_buffer.insert(m_buffer.end(), data, data + take);
    data += take;
    size -= take;
    if (m_buffer.size() < m_capacity) continue;
    // Full: drop what cannot start a frame. If a good frame is at the front and
    // nobody takes frames out, drop that oldest frame to make room.
    Resync();
    if (m_buffer.size() == m_capacity) {
      m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_format.size));
      m_skipped += m_format.size;
    }
  }
}

bool FrameReader::FrontIsFrame() const {
  return m_buffer.size() >= m_format.size && HeaderMatches(m_format, m_buffer.data()) &&
         ChecksumMatches(m_format, m_buffer.data());
}

void FrameReader::Resync() {
  std::size_t start = 0;
  while (m_buffer.size() - start >= m_format.size) {
    const std::uint8_t* p = m_buffer.data() + start;
    if (HeaderMatches(m_format, p)) {
      if (ChecksumMatches(m_format, p)) break;
      ++m_checksumFailures;
    }
    ++start;
  }
  // Fewer than a frame's bytes left: keep only those that could begin one.
  if (m_buffer.size() - start < m_format.size) {
    while (start < m_buffer.size() && m_buffer[start] != m_format.lead) ++start;
  }
  m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(start));
  m_skipped += start;
}

bool FrameReader::Next(std::uint8_t* frame) {
  Resync();
  if (!FrontIsFrame()) return false;
  std::copy_n(m_buffer.begin(), m_format.size, frame);
  m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_format.size));
  return true;
}

void FrameReader::Clear() {
  m_buffer.clear();
  m_skipped = 0;
  m_checksumFailures = 0;
}

bool FrameReader::HoldsPartialFrame() const {
  return !m_buffer.empty() && m_buffer.size() < m_format.size && m_buffer[0] == m_format.lead &&
         (m_buffer.size() < 2 || (m_buffer[1] & m_format.kindMask) == m_format.kindValue);
}

}  // namespace qelhard
