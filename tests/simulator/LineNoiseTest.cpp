// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The line-noise patterns: each changes a reply the way its name says, the
// patterns come evenly, and a seed repeats the noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <numeric>
#include <vector>

#include "LineNoise.h"

using namespace vorenx::sim;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Reply() {
  Bytes r(28);
  std::iota(r.begin(), r.end(), std::uint8_t{0x40});
  r[11] = r[12] = 0;  // a run of equal bytes, as in real replies
  return r;
}

int BitsChanged(const Bytes& a, const Bytes& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += static_cast<int>(std::bitset<8>(a[i] ^ b[i]).count());
  return n;
}

// True when removing one byte of `longer` gives `shorter`.
bool OneByteMore(const Bytes& longer, const Bytes& shorter) {
  if (longer.size() != shorter.size() + 1) return false;
  for (std::size_t i = 0; i < longer.size(); ++i) {
    Bytes copy = longer;
    copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(i));
    if (copy == shorter) return true;
  }
  return false;
}

}  // namespace

TEST(LineNoise, EveryPatternChangesTheReplyAsItsNameSays) {
  LineNoise noise(1.0, 3);
  const Bytes clean = Reply();
  for (int round = 0; round < 2000; ++round) {
    for (NoisePattern pattern : kAllNoisePatterns) {
      SCOPED_TRACE(std::string(NoisePatternName(pattern)));
      Bytes b = clean;
      noise.Apply(pattern, b);
      switch (pattern) {
        case NoisePattern::OneBit: ASSERT_EQ(BitsChanged(b, clean), 1); break;
        case NoisePattern::TwoBits: ASSERT_EQ(BitsChanged(b, clean), 2); break;
        case NoisePattern::EvenBits: {
          const int n = BitsChanged(b, clean);
          ASSERT_TRUE(n == 4 || n == 6 || n == 8) << n;
          break;
        }
        case NoisePattern::OddBits: {
          const int n = BitsChanged(b, clean);
          ASSERT_TRUE(n == 3 || n == 5 || n == 7) << n;
          break;
        }
        case NoisePattern::ByteReplaced:
        case NoisePattern::Burst: {
          ASSERT_EQ(b.size(), clean.size());
          std::vector<std::size_t> changed;
          for (std::size_t i = 0; i < b.size(); ++i)
            if (b[i] != clean[i]) changed.push_back(i);
          ASSERT_FALSE(changed.empty());
          const std::size_t span = changed.back() - changed.front() + 1;
          if (pattern == NoisePattern::ByteReplaced)
            ASSERT_EQ(changed.size(), 1u);
          else
            ASSERT_TRUE(span >= 2 && span <= 6) << span;
          break;
        }
        case NoisePattern::ByteDropped: ASSERT_TRUE(OneByteMore(clean, b)); break;
        case NoisePattern::ByteInserted:
          ASSERT_TRUE(OneByteMore(b, clean));
          // The reply never survives whole next to the extra byte.
          ASSERT_FALSE(std::equal(clean.begin(), clean.end(), b.begin()));
          ASSERT_FALSE(std::equal(clean.begin(), clean.end(), b.begin() + 1));
          break;
        case NoisePattern::Stall: ASSERT_EQ(b, clean); break;
      }
    }
  }
}

TEST(LineNoise, PatternsComeEvenlyAndTheShareHolds) {
  LineNoise noise(0.1, 42);
  std::array<int, kNoisePatternCount> counts{};
  for (int i = 0; i < 90000; ++i) ++counts[static_cast<std::size_t>(noise.DrawPattern())];
  for (int c : counts) EXPECT_NEAR(c, 10000, 500);
  int strikes = 0;
  for (int i = 0; i < 100000; ++i) strikes += noise.Strikes() ? 1 : 0;
  EXPECT_NEAR(strikes, 10000, 500);
  LineNoise none(0.0, 42);
  for (int i = 0; i < 1000; ++i) ASSERT_FALSE(none.Strikes());
}

TEST(LineNoise, TheSameSeedGivesTheSameNoise) {
  LineNoise a(0.5, 9), b(0.5, 9), c(0.5, 10);
  bool differs = false;
  for (int i = 0; i < 200; ++i) {
    Bytes x = Reply(), y = Reply(), z = Reply();
    const NoisePattern p = a.DrawPattern();
    ASSERT_EQ(p, b.DrawPattern());
    a.Apply(p, x);
    b.Apply(p, y);
    c.Apply(p, z);
    ASSERT_EQ(x, y);
    differs = differs || x != z;
  }
  EXPECT_TRUE(differs);
}
