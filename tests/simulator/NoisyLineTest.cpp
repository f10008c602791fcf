// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Reads through QelGetData over a pseudo-terminal from a simulator whose line
// corrupts a tenth of its replies: the caller never gets a frame other than
// the one the instrument sent, and gets every one it sent clean.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>

#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "TestScale.h"

using namespace vorenx::sim;

namespace {

constexpr int kPort = 13;
using Frame = std::array<unsigned char, 24>;

// Keeps the replies the simulator recorded, by sequence number (the newest wins).
struct SentLog {
  std::map<std::uint16_t, SentReply> bySequence;
  std::array<std::size_t, kNoisePatternCount> corrupted{};
  std::size_t clean = 0;

  void Take(SimulatedInstrument& sim) {
    for (const SentReply& r : sim.TakeSentReplies()) {
      bySequence[qelhard::ReplySequence(r.clean)] = r;
      if (r.corrupted)
        ++corrupted[static_cast<std::size_t>(r.pattern)];
      else
        ++clean;
    }
  }
};

}  // namespace

TEST(NoisyLine, OnlyFramesTheInstrumentSentReachTheCallerAndEveryCleanOneDoes) {
  const std::size_t reads = vorenx::testing::Scaled(20000, 10);
  // A short time limit keeps the stalls cheap; the pseudo-terminal answers in
  // well under a millisecond.
  const int timeoutMs = vorenx::testing::kUnderSanitizer ? 250 : 100;
  const int previousTimeout = QelSetReplyTimeout(timeoutMs);
  SimulatedInstrument sim;
  sim.SetNoise(0.1, 20261208, timeoutMs + 40);
  sim.RecordReplies(true);
  const QString path = sim.Start();
  ASSERT_FALSE(path.isEmpty());
  ASSERT_TRUE(QelSetPortPath(kPort, path));
  ASSERT_EQ(QelOpenCOM(kPort), 1);

  SentLog log;
  std::size_t good = 0;
  std::size_t wrongFrames = 0;
  std::size_t halfFrames = 0;
  std::size_t lateButRight = 0;
  std::size_t noReply = 0;
  for (std::size_t i = 0; i < reads; ++i) {
    Frame sentinel;
    sentinel.fill(0xEE);
    Frame frame = sentinel;
    const std::uint16_t result = QelGetData(kPort, frame.data(), 24);
    noReply += result == qelhard::kNoReply ? 1 : 0;
    log.Take(sim);
    if (result != 1) {
      halfFrames += frame != sentinel ? 1 : 0;  // a failed read leaves the buffer alone
      continue;
    }
    ++good;
    const auto sent = log.bySequence.find(
        static_cast<std::uint16_t>(frame[qelhard::kReplySequenceOffset] | frame[qelhard::kReplySequenceHighOffset] << 8));
    // A stalled reply keeps its bytes; on a busy machine it can still come
    // within its own request's wait, and then it is rightly taken.
    const bool stalled = sent != log.bySequence.end() && sent->second.pattern == NoisePattern::Stall;
    const bool matches = sent != log.bySequence.end() && (!sent->second.corrupted || stalled) &&
                         std::equal(frame.begin(), frame.end(), sent->second.clean.begin());
    lateButRight += matches && sent->second.corrupted ? 1 : 0;
    if (!matches) {
      ++wrongFrames;
      ADD_FAILURE() << "read " << i << ": a frame the instrument did not send clean ("
                    << (sent == log.bySequence.end() ? std::string("unknown sequence")
                                                     : std::string(NoisePatternName(sent->second.pattern)))
                    << ")";
    }
  }
  sim.Stop();
  log.Take(sim);
  QelCloseCOM(kPort);
  QelSetReplyTimeout(previousTimeout);

  std::size_t corrupted = 0;
  for (std::size_t p = 0; p < kNoisePatternCount; ++p) {
    corrupted += log.corrupted[p];
    std::printf("[ figure ] %-18s %zu replies\n", std::string(NoisePatternName(kAllNoisePatterns[p])).c_str(),
                log.corrupted[p]);
  }
  std::printf("[ figure ] %zu reads: %zu replies sent clean, %zu corrupted; %zu frames read (%zu of them a "
              "stalled reply still in time), %zu of them wrong\n",
              reads, log.clean, corrupted, good, lateButRight, wrongFrames);
  EXPECT_EQ(wrongFrames, 0u);
  EXPECT_EQ(halfFrames, 0u);
  // A clean reply may be missed only when a busy machine kept the simulator
  // from answering within the time limit: such a read ends with no reply at
  // all (never with a broken one), although no stall was sent for it.
  const std::size_t stalls = log.corrupted[static_cast<std::size_t>(NoisePattern::Stall)];
  const std::size_t cleanMissed = log.clean - (good - lateButRight);
  // Every stall either left its read with no reply or (late itself) was still taken.
  const std::size_t lateWaits = noReply + lateButRight > stalls ? noReply + lateButRight - stalls : 0;
  std::printf("[ figure ] clean replies not read: %zu; reads with no reply beyond the stalls: %zu\n", cleanMissed,
              lateWaits);
  EXPECT_LE(good - lateButRight, log.clean);
  EXPECT_LE(cleanMissed, lateWaits);
  EXPECT_EQ(log.clean + corrupted, reads);
  EXPECT_GT(corrupted, reads / 20);  // the noise really was there
}
