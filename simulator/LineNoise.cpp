// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "LineNoise.h"

#include <algorithm>

namespace vorenx::sim {

std::string_view NoisePatternName(NoisePattern pattern) {
  switch (pattern) {
    case NoisePattern::OneBit: return "one bit";
    case NoisePattern::TwoBits: return "two bits";
    case NoisePattern::EvenBits: return "even bits (4-8)";
    case NoisePattern::OddBits: return "odd bits (3-7)";
    case NoisePattern::ByteReplaced: return "byte replaced";
    case NoisePattern::Burst: return "burst (2-6 bytes)";
    case NoisePattern::ByteDropped: return "byte dropped";
    case NoisePattern::ByteInserted: return "byte inserted";
    case NoisePattern::Stall: return "stall";
  }
  return "?";
}

LineNoise::LineNoise(double share, std::uint32_t seed)
    : m_share(std::clamp(share, 0.0, 1.0)), m_random(seed) {}

std::size_t LineNoise::Below(std::size_t n) {
  return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random);
}

bool LineNoise::Strikes() {
  if (m_share <= 0.0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_share;
}

NoisePattern LineNoise::DrawPattern() { return kAllNoisePatterns[Below(kNoisePatternCount)]; }

std::uint8_t LineNoise::OtherByte(std::uint8_t original) {
  // One of the 255 values other than the original.
  return static_cast<std::uint8_t>(original + 1 + Below(255));
}

void LineNoise::FlipBits(std::vector<std::uint8_t>& bytes, int count) {
  const std::size_t bits = bytes.size() * 8;
  std::vector<std::size_t> chosen;
  while (static_cast<int>(chosen.size()) < count) {
    const std::size_t bit = Below(bits);
    if (std::find(chosen.begin(), chosen.end(), bit) != chosen.end()) continue;
    chosen.push_back(bit);
    bytes[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
  }
}

void LineNoise::Apply(NoisePattern pattern, std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 2) return;
  switch (pattern) {
    case NoisePattern::OneBit: FlipBits(bytes, 1); break;
    case NoisePattern::TwoBits: FlipBits(bytes, 2); break;
    case NoisePattern::EvenBits: FlipBits(bytes, 4 + 2 * static_cast<int>(Below(3))); break;
    case NoisePattern::OddBits: FlipBits(bytes, 3 + 2 * static_cast<int>(Below(3))); break;
    case NoisePattern::ByteReplaced: {
      const std::size_t at = Below(bytes.size());
      bytes[at] = OtherByte(bytes[at]);
      break;
    }
    case NoisePattern::Burst: {
      const std::size_t length = std::min<std::size_t>(2 + Below(5), bytes.size());
      const std::size_t at = Below(bytes.size() - length + 1);
      bytes[at] = OtherByte(bytes[at]);
      for (std::size_t i = at + 1; i + 1 < at + length; ++i) bytes[i] = static_cast<std::uint8_t>(Below(256));
      bytes[at + length - 1] = OtherByte(bytes[at + length - 1]);
      break;
    }
    case NoisePattern::ByteDropped:
      bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(Below(bytes.size())));
      break;
    case NoisePattern::ByteInserted: {
      // A copy of the first byte put in front of it, or of the last one behind
      // it (or inside a run that reaches the end), leaves the reply whole next
      // to a stray byte: that is noise between replies, not in one. Draw again.
      const std::vector<std::uint8_t> original = bytes;
      const auto intact = [&](std::size_t offset) {
        return std::equal(original.begin(), original.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
      };
      do {
        bytes = original;
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(1 + Below(bytes.size() - 1)),
                     static_cast<std::uint8_t>(Below(256)));
      } while (intact(0) || intact(1));
      break;
    }
    case NoisePattern::Stall:
      break;
  }
}

}  // namespace vorenx::sim
