// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A byte-stream frame reader: bytes go in as they arrive, whole frames with a
// good header and CRC come out. When the bytes at the front do not make a
// frame (wrong lead or kind, bad CRC) it slides forward one byte and looks
// again, so it finds the next frame after garbage or a broken frame. Its
// buffer is bounded: when it fills without a frame being taken out, the
// oldest bytes are dropped. Pure code, no I/O.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Protocol.h"

namespace qelhard {

class FrameReader {
 public:
  // `capacity` bytes at the most are kept; at least two frames' worth.
  explicit FrameReader(const FrameFormat& format, std::size_t capacity = 512);

  void Feed(const std::uint8_t* data, std::size_t size);
  // Copies the next whole frame into `frame` (format.size bytes) and removes it;
  // false when the buffer holds no whole frame.
  bool Next(std::uint8_t* frame);
  void Clear();

  std::size_t Buffered() const { return m_buffer.size(); }
  // Bytes skipped since the last Clear (not part of any frame).
  std::size_t SkippedBytes() const { return m_skipped; }
  // Candidates with a good header but a bad CRC seen since the last Clear.
  std::size_t ChecksumFailures() const { return m_checksumFailures; }
  // True when the bytes buffered start with a frame header (a frame cut short so far).
  bool HoldsPartialFrame() const;

 private:
  // Slides past bytes that cannot start a frame; stops at a whole good frame
  // or when fewer than a frame's bytes are left.
  void Resync();
  bool FrontIsFrame() const;

  FrameFormat m_format;
  std::size_t m_capacity;
  std::vector<std::uint8_t> m_buffer;
  std::size_t m_skipped = 0;
  std::size_t m_checksumFailures = 0;
};

}  // namespace qelhard
