// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Millions of replies corrupted by every line-noise pattern go through the
// library's own frame reader and reply acceptance, the way an exchange sees
// them: not one may be accepted, and every clean reply must be.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "InstrumentModel.h"
#include "LineNoise.h"
#include "ReplyReceiver.h"
#include "Results.h"
#include "TestScale.h"

using namespace qelhard;
using vorenx::sim::InstrumentModel;
using vorenx::sim::kAllNoisePatterns;
using vorenx::sim::LineNoise;
using vorenx::sim::NoisePattern;
using State = ReplyReceiver::State;

namespace {

// Clean status replies over every lower function, flag combination and a
// spread of readings, each for its own sequence number.
std::vector<Reply> CleanReplies() {
  std::vector<Reply> replies;
  InstrumentModel model(7);
  std::mt19937 random(11);
  for (int i = 0; i < 4096; ++i) {
    const std::uint8_t lower = static_cast<std::uint8_t>(5 + i % 22);
    const std::uint8_t mode = static_cast<std::uint8_t>(2 + random() % 3) | static_cast<std::uint8_t>((random() % 16) << 3);
    const float source = std::uniform_real_distribution<float>(-2000.0f, 2000.0f)(random);
    EXPECT_TRUE(model.SetLower(lower, mode, source));
    model.SetUpper(static_cast<std::uint8_t>(1 + i % 3));
    replies.push_back(model.StatusReply(i * 0.7, static_cast<std::uint16_t>(i * 17)));
  }
  return replies;
}

// Feeds `bytes` in two pieces split at `split`, as a serial read may deliver them.
State FeedSplit(ReplyReceiver& rx, const std::vector<std::uint8_t>& bytes, std::size_t split) {
  split = std::min(split, bytes.size());
  if (rx.Feed(bytes.data(), split) != State::Waiting) return rx.Current();
  return rx.Feed(bytes.data() + split, bytes.size() - split);
}

}  // namespace

TEST(NoiseAcceptance, NoCorruptedReplyIsAcceptedAndEveryCleanOneIs) {
  const std::size_t perPattern = vorenx::testing::Scaled(1'111'112, 200);
  const std::vector<Reply> clean = CleanReplies();
  LineNoise noise(1.0, 2026);
  std::mt19937 splits(5);
  ReplyReceiver rx;
  std::size_t corruptedTotal = 0;
  std::size_t acceptedCorrupted = 0;
  std::size_t cleanTotal = 0;
  std::size_t cleanAccepted = 0;
  std::size_t failedAtOnce = 0;

  for (NoisePattern pattern : kAllNoisePatterns) {
    std::size_t acceptedHere = 0;
    for (std::size_t i = 0; i < perPattern; ++i) {
      const Reply& reply = clean[i % clean.size()];
      const std::uint16_t sequence = ReplySequence(reply);
      std::vector<std::uint8_t> bytes(reply.begin(), reply.end());
      noise.Apply(pattern, bytes);
      ++corruptedTotal;
      const std::size_t split = splits() % (bytes.size() + 1);

      if (pattern == NoisePattern::Stall) {
        // Nothing came within this request's limit; the stalled reply arrives
        // during the next request's wait, ahead of that request's own answer.
        rx.Begin(BuildReadStatus(static_cast<std::uint16_t>(sequence + 1)));
        Reply next = reply;
        SetReplySequence(next, static_cast<std::uint16_t>(sequence + 1));
        Seal(kReplyFormat, next.data());
        const State late = FeedSplit(rx, bytes, split);
        if (late == State::Accepted) ++acceptedHere;
        ++cleanTotal;
        if (late == State::Waiting && rx.Feed(next.data(), next.size()) == State::Accepted &&
            rx.Accepted() == next)
          ++cleanAccepted;
        continue;
      }

      rx.Begin(BuildReadStatus(sequence));
      const State state = FeedSplit(rx, bytes, split);
      if (state == State::Accepted) ++acceptedHere;
      if (state == State::Failed) ++failedAtOnce;
      if (state != State::Accepted && rx.FailureResult() == kOk) ADD_FAILURE() << "a failure reported as success";

      // Every tenth time, the next request gets its answer clean.
      if (i % 10 == 0) {
        rx.Begin(BuildReadStatus(sequence));
        ++cleanTotal;
        if (FeedSplit(rx, {reply.begin(), reply.end()}, split) == State::Accepted && rx.Accepted() == reply)
          ++cleanAccepted;
      }
    }
    EXPECT_EQ(acceptedHere, 0u) << vorenx::sim::NoisePatternName(pattern);
    acceptedCorrupted += acceptedHere;
    std::printf("[ figure ] %-18s %zu corrupted replies, %zu accepted\n",
                std::string(vorenx::sim::NoisePatternName(pattern)).c_str(), perPattern, acceptedHere);
  }
  EXPECT_EQ(acceptedCorrupted, 0u);
  EXPECT_EQ(cleanAccepted, cleanTotal);
  std::printf("[ figure ] %zu corrupted replies, %zu accepted; %zu failed at once without a time limit; "
              "%zu of %zu clean replies accepted\n",
              corruptedTotal, acceptedCorrupted, failedAtOnce, cleanAccepted, cleanTotal);
}
