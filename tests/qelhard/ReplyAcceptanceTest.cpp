// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Reply acceptance: kind, sequence and field domains, and the receiver's
// decision when a wait is over (at once for a complete bad reply).
#include <gtest/gtest.h>

#include <vector>

#include "HexFixture.h"
#include "InstrumentModel.h"
#include "ReplyCheck.h"
#include "ReplyReceiver.h"
#include "Results.h"

using namespace qelhard;
using State = ReplyReceiver::State;

namespace {

// A status reply as the simulated instrument sends it for lower function `lower`.
Reply CleanStatus(std::uint16_t sequence, std::uint8_t lower = 19, float source = 0.0f) {
  vorenx::sim::InstrumentModel model;
  EXPECT_TRUE(model.SetLower(lower, source != 0.0f ? 0x0B : 0x03, source));
  return model.StatusReply(12.5, sequence);
}

// `r` with byte `at` set to `value`, resealed so that only the domains can refuse it.
Reply Resealed(Reply r, std::size_t at, std::uint8_t value) {
  r[at] = value;
  Seal(kReplyFormat, r.data());
  return r;
}

State FeedAll(ReplyReceiver& rx, const std::vector<std::uint8_t>& bytes) {
  return rx.Feed(bytes.data(), bytes.size());
}
std::vector<std::uint8_t> Bytes(const Reply& r) { return {r.begin(), r.end()}; }

}  // namespace

TEST(ReplyCheck, EveryFunctionAndValueTheInstrumentSendsIsAccepted) {
  for (std::uint8_t lower = 5; lower <= 26; ++lower) {
    for (float source : {0.0f, -0.0001f, 1.5f, -273.15f, 99999.0f, 123.4567f}) {
      const Reply r = CleanStatus(lower, lower, source);
      EXPECT_EQ(CheckReply(r, Command::ReadStatus, lower), ReplyVerdict::Accepted)
          << int(lower) << " " << source;
    }
  }
  EXPECT_EQ(CheckReply(BuildIdentifyReply(3), Command::Identify, 3), ReplyVerdict::Accepted);
  EXPECT_EQ(CheckReply(BuildAck(Command::SetLower, 4, false), Command::SetLower, 4), ReplyVerdict::Accepted);
}

TEST(ReplyCheck, AnotherRequestsReplyIsNotTheAnswer) {
  const Reply r = CleanStatus(8);
  EXPECT_EQ(CheckReply(r, Command::ReadStatus, 9), ReplyVerdict::OtherRequest);
  // 256 requests later the low byte is the same again; the high byte tells them apart.
  EXPECT_EQ(CheckReply(r, Command::ReadStatus, 8 + 256), ReplyVerdict::OtherRequest);
  EXPECT_EQ(CheckReply(CleanStatus(0x1234), Command::ReadStatus, 0x1234), ReplyVerdict::Accepted);
  EXPECT_EQ(CheckReply(r, Command::Identify, 8), ReplyVerdict::OtherRequest);
}

TEST(ReplyCheck, FieldsOutsideTheirDomainsAreRefusedDespiteAGoodCrc) {
  int cases = 0;
  for (const auto& fixture : vorenx::testing::ReadHexFixture("protocol_replies.txt", 24)) {
    const std::string line = fixture.line.toStdString();
    ASSERT_EQ(fixture.bytes.size(), 24) << line;
    ASSERT_FALSE(fixture.columns.isEmpty()) << line;
    Reply r{};
    std::copy(fixture.bytes.begin(), fixture.bytes.end(), r.begin());
    Seal(kReplyFormat, r.data());
    const ReplyVerdict expected =
        fixture.columns[0] == "accept" ? ReplyVerdict::Accepted : ReplyVerdict::OutOfDomain;
    EXPECT_EQ(CheckReply(r, Command::ReadStatus, ReplySequence(r)), expected) << line;
    ++cases;
  }
  EXPECT_GE(cases, 20);

  EXPECT_EQ(CheckReply(Resealed(BuildIdentifyReply(1), 8, 1), Command::Identify, 1), ReplyVerdict::OutOfDomain);
  EXPECT_EQ(CheckReply(Resealed(BuildIdentifyReply(1), 9, 1), Command::Identify, 1), ReplyVerdict::OutOfDomain);
  EXPECT_EQ(CheckReply(Resealed(BuildAck(Command::SetUpper, 1, true), 2, 2), Command::SetUpper, 1),
            ReplyVerdict::OutOfDomain);
  EXPECT_EQ(CheckReply(Resealed(BuildAck(Command::SetUpper, 1, true), 5, 1), Command::SetUpper, 1),
            ReplyVerdict::OutOfDomain);
}

TEST(ReplyReceiver, AcceptsTheAnswerWholeOrInPiecesAndSkipsLateAnswers) {
  const Reply late = CleanStatus(6);
  const Reply answer = CleanStatus(7);
  ReplyReceiver rx;
  rx.Begin(BuildReadStatus(7));
  EXPECT_EQ(FeedAll(rx, Bytes(late)), State::Waiting);  // the answer to request 6 comes first
  EXPECT_EQ(rx.FailureResult(), kNoReply);              // and alone it is no answer
  EXPECT_EQ(rx.Feed(answer.data(), 5), State::Waiting);
  EXPECT_EQ(rx.Feed(answer.data() + 5, answer.size() - 5), State::Accepted);
  EXPECT_EQ(rx.Accepted(), answer);
  EXPECT_EQ(rx.OtherReplies(), 1u);
}

TEST(ReplyReceiver, ACompleteBadReplyEndsTheWaitAtOnce) {
  const Reply answer = CleanStatus(2);
  ReplyReceiver rx;

  std::vector<std::uint8_t> flipped = Bytes(answer);
  flipped[14] ^= 0x04;
  rx.Begin(BuildReadStatus(2));
  EXPECT_EQ(FeedAll(rx, flipped), State::Failed);
  EXPECT_EQ(rx.FailureResult(), kBadChecksum);

  rx.Begin(BuildReadStatus(2));
  EXPECT_EQ(FeedAll(rx, Bytes(Resealed(answer, 4, 11))), State::Failed);
  EXPECT_EQ(rx.FailureResult(), kMalformed);

  std::vector<std::uint8_t> inserted = Bytes(answer);
  inserted.insert(inserted.begin() + 9, 0x33);
  rx.Begin(BuildReadStatus(2));
  EXPECT_EQ(FeedAll(rx, inserted), State::Failed);

  // A reply missing a byte is not complete: only the time limit (or the
  // channel's pause rule) ends that wait, and it still fails.
  std::vector<std::uint8_t> dropped = Bytes(answer);
  dropped.erase(dropped.begin() + 3);
  rx.Begin(BuildReadStatus(2));
  EXPECT_EQ(FeedAll(rx, dropped), State::Waiting);
  EXPECT_EQ(rx.FailureResult(), kMalformed);

  // Begin forgets the failed wait: the next answer is taken.
  rx.Begin(BuildReadStatus(3));
  EXPECT_EQ(FeedAll(rx, Bytes(CleanStatus(3))), State::Accepted);
}

namespace {

// A port whose bytes and time limit are scripted: each look takes the next step.
class ScriptedLine : public ReplyLine {
 public:
  struct Step {
    Read read;
    std::vector<std::uint8_t> bytes;
  };
  ScriptedLine(int remainingMs, std::vector<Step> steps) : m_remaining(remainingMs), m_steps(std::move(steps)) {}
  int RemainingMs() override { return m_remaining; }
  Read Take(int ms, std::vector<std::uint8_t>& bytes) override {
    waits.push_back(ms);
    if (m_next == m_steps.size()) return Read::Nothing;
    bytes = m_steps[m_next].bytes;
    return m_steps[m_next++].read;
  }
  std::vector<int> waits;  // the wait asked for at each look

 private:
  int m_remaining;
  std::vector<Step> m_steps;
  std::size_t m_next = 0;
};

}  // namespace

TEST(AwaitReply, AReplyThatCameInTimeCountsWhenTheCallerLooksOnlyAfterTheLimit) {
  using Read = ReplyLine::Read;
  const std::vector<std::uint8_t> answer = Bytes(CleanStatus(5));
  std::vector<std::uint8_t> lateThenAnswer = Bytes(CleanStatus(4));
  lateThenAnswer.insert(lateThenAnswer.end(), answer.begin(), answer.end());
  const std::vector<std::uint8_t> firstHalf(answer.begin(), answer.begin() + 12);
  const std::vector<std::uint8_t> secondHalf(answer.begin() + 12, answer.end());
  const struct {
    const char* what;
    int remainingMs;
    std::vector<ScriptedLine::Step> steps;
    std::uint16_t result;
    std::vector<int> waits;
  } cases[] = {
      // The calling thread was held up past the limit: one look, no waiting.
      {"late answer and answer there", 0, {{Read::Bytes, lateThenAnswer}}, kOk, {0}},
      {"nothing there", 0, {}, kNoReply, {0}},
      {"half there", 0, {{Read::Bytes, firstHalf}, {Read::Bytes, secondHalf}}, kMalformed, {0}},
      // In time: the whole limit for the first byte, the pause rule after it.
      {"in two parts", 250, {{Read::Bytes, firstHalf}, {Read::Bytes, secondHalf}}, kOk, {250, kReplyGapMs}},
      {"cut short", 250, {{Read::Bytes, firstHalf}}, kMalformed, {250, kReplyGapMs}},
      {"device gone", 250, {{Read::Error, {}}}, kIoError, {250}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReplyReceiver rx;
    rx.Begin(BuildReadStatus(5));
    ScriptedLine line(c.remainingMs, c.steps);
    EXPECT_EQ(AwaitReply(rx, line, kReplyGapMs), c.result);
    EXPECT_EQ(line.waits, c.waits);
    if (c.result == kOk) {
      EXPECT_EQ(Bytes(rx.Accepted()), answer);
    }
  }
}
