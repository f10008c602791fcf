// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The command queue: merging by type keeps one entry per type in its place;
// Run presses cancel in pairs.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "link/CommandQueue.h"

using namespace vorenx;

TEST(CommandQueue, SameTypeMergesIntoTheFirstEntrysPlace) {
  CommandQueue q;
  q.PostCommand({CmdOpenPort, 2});
  q.PostCommand({CmdSetLower, 0});
  q.PostCommand({CmdOpenPort, 6});
  q.PostCommand({CmdToggleRun, 0});
  q.PostCommand({CmdSetLower, 0});
  const std::vector<SettingCommand> expected{{CmdOpenPort, 6}, {CmdSetLower, 0}, {CmdToggleRun, 0}};
  EXPECT_EQ(q.Snapshot(), expected);
  EXPECT_EQ(q.TakeCommand(), (SettingCommand{CmdOpenPort, 6}));
  EXPECT_EQ(q.TakeCommand(), (SettingCommand{CmdSetLower, 0}));
  EXPECT_EQ(q.TakeCommand(), (SettingCommand{CmdToggleRun, 0}));
  EXPECT_EQ(q.TakeCommand().type, CmdNone);
}

// Stop then Run within one worker cycle leaves polling as it was: the two
// flips cancel; a third press is one flip again.
TEST(CommandQueue, EachRunPressFlipsSoTwoWaitingPressesCancel) {
  CommandQueue q;
  q.PostCommand({CmdSetLower, 0});
  q.PostCommand({CmdToggleRun, 0});
  q.PostCommand({CmdToggleRun, 0});
  EXPECT_EQ(q.Snapshot(), (std::vector<SettingCommand>{{CmdSetLower, 0}}));
  q.PostCommand({CmdToggleRun, 0});
  EXPECT_EQ(q.Snapshot(), (std::vector<SettingCommand>{{CmdSetLower, 0}, {CmdToggleRun, 0}}));
}

TEST(CommandQueue, UnknownTypesQueueLikeAnyOther) {
  CommandQueue q;
  q.PostCommand({42, 1});
  q.PostCommand({42, 2});
  EXPECT_EQ(q.TakeCommand(), (SettingCommand{42, 2}));
}

TEST(CommandQueue, ConcurrentPostsNeverLoseTheLatestArgumentOfAType) {
  CommandQueue q;
  constexpr int kPosts = 20000;
  std::atomic<bool> done{false};
  std::thread poster([&] {
    for (int i = 0; i < kPosts; ++i) q.PostCommand({static_cast<std::uint16_t>(5 + i % 8), i});  // Run (3) flips instead
    done = true;
  });
  std::map<int, int> lastSeen;
  auto drain = [&] {
    for (SettingCommand c = q.TakeCommand(); c.type != CmdNone; c = q.TakeCommand()) {
      EXPECT_GT(c.argument, lastSeen.count(c.type) ? lastSeen[c.type] : -1);
      lastSeen[c.type] = c.argument;
    }
  };
  while (!done) drain();
  poster.join();
  drain();
  for (int type = 5; type < 13; ++type) EXPECT_EQ(lastSeen[type], kPosts - 8 + (type - 5)) << type;
}
