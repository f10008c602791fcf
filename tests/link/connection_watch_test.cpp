// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// When the instrument counts as connected: from its first answer until it has
// been silent for the silence limit, also across the tick count's wrap.
#include <gtest/gtest.h>

#include "link/ConnectionWatch.h"

using vorenx::ConnectionWatch;

TEST(ConnectionWatch, ConnectsOnAnAnswerAndDisconnectsOnlyAfterTheSilenceLimit) {
  ConnectionWatch watch;
  EXPECT_FALSE(watch.Update(false, false, 1000));  // nothing heard yet
  EXPECT_FALSE(watch.Update(false, true, 1000));   // nor counts as connected before an answer
  EXPECT_TRUE(watch.Update(true, false, 2000));
  EXPECT_TRUE(watch.Update(false, true, 2000 + ConnectionWatch::kSilenceMs - 1));
  EXPECT_FALSE(watch.Update(false, true, 2000 + ConnectionWatch::kSilenceMs));
  // Once disconnected, silence keeps it so until the next answer.
  EXPECT_FALSE(watch.Update(false, false, 2000 + ConnectionWatch::kSilenceMs + 1));
  EXPECT_TRUE(watch.Update(true, false, 9000));
}

TEST(ConnectionWatch, SilenceIsMeasuredAcrossTheTickWrapAndForgetStartsOver) {
  ConnectionWatch watch;
  EXPECT_TRUE(watch.Update(true, false, 0xFFFFFF00u));
  EXPECT_TRUE(watch.Update(false, true, 0x00000100u));  // 512 ms later
  EXPECT_FALSE(watch.Update(false, true, 0x00000200u)); // 768 ms later
  EXPECT_TRUE(watch.Update(true, false, 0x00000300u));
  watch.Forget();  // a new port
  EXPECT_FALSE(watch.Update(false, true, 0x00000301u));
}
