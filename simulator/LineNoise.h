// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Line noise as real cables and adapters make it, applied to one reply on its
// way to the host. Each corrupted reply gets one pattern, drawn evenly from the
// nine below. Pure code (no I/O, no Qt): the simulator, the offline tests and
// the benchmarks share it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace vorenx::sim {

enum class NoisePattern : std::uint8_t {
  OneBit,       // one bit flipped
  TwoBits,      // two bits flipped
  EvenBits,     // 4, 6 or 8 bits flipped
  OddBits,      // 3, 5 or 7 bits flipped
  ByteReplaced, // one byte replaced by another value
  Burst,        // 2..6 consecutive bytes replaced, the first and last changed
  ByteDropped,  // one byte lost
  ByteInserted, // one extra byte inside the reply (never one that leaves it whole)
  Stall,        // the reply comes only after the host's time limit
};
inline constexpr std::size_t kNoisePatternCount = 9;
inline constexpr std::array<NoisePattern, kNoisePatternCount> kAllNoisePatterns = {
    NoisePattern::OneBit,       NoisePattern::TwoBits,     NoisePattern::EvenBits,
    NoisePattern::OddBits,      NoisePattern::ByteReplaced, NoisePattern::Burst,
    NoisePattern::ByteDropped,  NoisePattern::ByteInserted, NoisePattern::Stall};

std::string_view NoisePatternName(NoisePattern pattern);

class LineNoise {
 public:
  // `share` of the replies (0..1) is corrupted; the same seed gives the same noise.
  explicit LineNoise(double share = 0.0, std::uint32_t seed = 1);

  double Share() const { return m_share; }
  // Whether the next reply is corrupted, and with which pattern.
  bool Strikes();
  NoisePattern DrawPattern();
  // Applies `pattern` to `bytes` (a whole reply). Stall leaves the bytes as they
  // are: the caller delays them. Every other pattern changes the reply itself
  // (an inserted byte goes between two of its bytes), so a correct reader must
  // never take the result for the reply.
  void Apply(NoisePattern pattern, std::vector<std::uint8_t>& bytes);

 private:
  std::size_t Below(std::size_t n);
  void FlipBits(std::vector<std::uint8_t>& bytes, int count);
  std::uint8_t OtherByte(std::uint8_t original);

  double m_share;
  std::mt19937 m_random;
};

}  // namespace vorenx::sim
