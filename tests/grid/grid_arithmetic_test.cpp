// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The arithmetic under the grid, without a widget: row sizes with their sums,
// cell texts, hit tests, scroll steps, wheel turns and the row sort.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "grid/CompactText.h"
#include "grid/GridArithmetic.h"
#include "grid/GridConstants.h"
#include "grid/GridSizes.h"

using namespace vorenx;

namespace {

GridAxis AxisOf(const std::vector<int>& sizes, int headerCount, int first) {
  GridAxis axis;
  axis.count = static_cast<int>(sizes.size());
  axis.headerCount = headerCount;
  axis.headerExtent = std::accumulate(sizes.begin(), sizes.begin() + headerCount, 0);
  axis.first = first;
  axis.size = [sizes](int i) { return sizes[static_cast<std::size_t>(i)]; };
  return axis;
}

}  // namespace

// Inserts, sets, swaps and truncations in random order (enough to split
// blocks many times) must leave the same sizes, sums and offset look-ups as a
// plain vector.
TEST(GridSizes, AgreesWithAPlainVectorThroughRandomChanges) {
  GridSizes sizes;
  std::vector<unsigned> plain;
  std::mt19937 random(12);
  int most = 0;
  for (int step = 0; step < 6000; ++step) {
    const int n = static_cast<int>(plain.size());
    const unsigned size = random() % 4 == 0 ? 0u : static_cast<unsigned>(random() % 30);
    switch (random() % 8) {
      case 0: {
        const int grow = n + static_cast<int>(random() % 900);
        sizes.Resize(grow, size);
        plain.resize(static_cast<std::size_t>(grow), size);
        break;
      }
      case 1: {
        const int shrink = n == 0 ? 0 : n - static_cast<int>(random() % static_cast<unsigned>(std::min(n, 400)));
        sizes.Resize(shrink, 0);
        plain.resize(static_cast<std::size_t>(shrink));
        break;
      }
      case 2:
        if (n > 1) {
          const int i = static_cast<int>(random() % static_cast<unsigned>(n));
          const int j = static_cast<int>(random() % static_cast<unsigned>(n));
          sizes.Swap(i, j);
          std::swap(plain[static_cast<std::size_t>(i)], plain[static_cast<std::size_t>(j)]);
        }
        break;
      case 3:
        if (n > 0) {
          const int i = static_cast<int>(random() % static_cast<unsigned>(n));
          sizes.Set(i, size);
          plain[static_cast<std::size_t>(i)] = size;
        }
        break;
      default: {
        // Mostly near the top, as the readings log inserts.
        const int i = n == 0 ? 0 : (random() % 2 ? 1 % (n + 1) : static_cast<int>(random() % static_cast<unsigned>(n + 1)));
        sizes.Insert(i, size);
        plain.insert(plain.begin() + i, size);
        break;
      }
    }
    ASSERT_EQ(sizes.Count(), static_cast<int>(plain.size()));
    most = std::max(most, sizes.Count());
    if (step % 97 != 0) continue;
    std::int64_t sum = 0;
    const int stride = std::max(1, sizes.Count() / 300);
    for (int i = 0; i <= sizes.Count(); ++i) {
      if (i % stride == 0 || i + 3 > sizes.Count()) {
        ASSERT_EQ(sizes.SumOfFirst(i), sum) << "step " << step << " index " << i;
        if (i < sizes.Count()) ASSERT_EQ(sizes.At(i), plain[static_cast<std::size_t>(i)]);
      }
      if (i < sizes.Count()) sum += plain[static_cast<std::size_t>(i)];
    }
    ASSERT_EQ(sizes.Total(), sum);
    for (std::int64_t offset : {std::int64_t{0}, std::int64_t{1}, sum / 3, sum / 2, sum - 1, sum, sum + 1}) {
      const int k = sizes.FirstWithSumAtLeast(offset);
      // The smallest k whose prefix reaches the offset.
      if (k < sizes.Count() || offset <= sum) ASSERT_GE(sizes.SumOfFirst(k), std::min(offset, sum));
      if (k > 0) ASSERT_LT(sizes.SumOfFirst(k - 1), offset) << "offset " << offset;
    }
  }
  EXPECT_GT(most, 5000);  // enough to have split blocks
}

TEST(CompactText, KeepsEveryTextAndShortOnesInside) {
  CompactText text;
  EXPECT_TRUE(text.IsEmpty());
  const QString samples[] = {
      QStringLiteral("05/03  07:08:01"), QStringLiteral("25.000℃"), QStringLiteral("-1234.567Ω"),
      QStringLiteral("exactly twenty-three ch"), QStringLiteral("twenty-four characters!!"),
      QString(), QString::fromUtf16(u"a\0b", 3), QString(QChar(0xD800)) + "lone surrogate",
      QStringLiteral("ÄÖÜäöüßÄÖÜäöüß"), QString(500, QChar('x'))};
  for (const QString& sample : samples) {
    text.Set(sample);
    EXPECT_EQ(text.Get(), sample) << sample.toStdString();
    EXPECT_EQ(text.IsEmpty(), sample.isEmpty());
  }
  text.Set(QStringLiteral("05/03  07:08:01"));
  EXPECT_TRUE(text.IsInline());
  text.Set(QStringLiteral("25.000℃"));  // 9 bytes of UTF-8
  EXPECT_TRUE(text.IsInline());
  text.Set(QString(24, QChar('y')));
  EXPECT_FALSE(text.IsInline());
  text.Set(QStringLiteral("back"));
  EXPECT_TRUE(text.IsInline());
  EXPECT_EQ(text.Get(), "back");
}

TEST(GridHitTests, ItemsUnderOffsetsAndDividers) {
  // Two header items of 10, then 20, 0 (hidden), 30, 40; scrolled to item 4.
  const std::vector<int> sizes{10, 10, 20, 0, 30, 40};
  const GridAxis axis = AxisOf(sizes, 2, 4);
  EXPECT_EQ(ItemAtOffset(axis, 0, true), 0);
  EXPECT_EQ(ItemAtOffset(axis, 10, true), 1);
  EXPECT_EQ(ItemAtOffset(axis, 15, false), -1);
  EXPECT_EQ(ItemAtOffset(axis, 20, true), 4);  // the top-left item starts after the headers
  EXPECT_EQ(ItemAtOffset(axis, 49, true), 4);
  EXPECT_EQ(ItemAtOffset(axis, 50, true), 5);
  EXPECT_EQ(ItemAtOffset(axis, 90, true), -1);
  EXPECT_EQ(ItemAtOffset(axis, -1, true), -1);
  EXPECT_EQ(ItemStart(axis, 1), 10);
  EXPECT_EQ(ItemStart(axis, 5), 50);
  EXPECT_EQ(ItemStart(axis, 2), -1);  // scrolled out

  // Within 3 pixels of either edge; never the start of item 0.
  EXPECT_TRUE(NearDivider(51, 50, 40, 3, false));
  EXPECT_TRUE(NearDivider(88, 50, 40, 3, false));
  EXPECT_FALSE(NearDivider(70, 50, 40, 3, false));
  EXPECT_FALSE(NearDivider(0, 0, 40, 3, true));
  EXPECT_TRUE(NearDivider(38, 0, 40, 3, true));

  // Dividers: near an item's start it is the previous item's (hidden ones
  // passed over unless they may be grabbed); a last item too narrow to grab by
  // its start is taken at the end of the visible items.
  const GridAxis all = AxisOf(sizes, 2, 2);  // unscrolled: 2 starts at 20, 3 (hidden) and 4 at 40
  EXPECT_EQ(DividerItem(all, 41, 4, 40, 110, 3, true), 3);
  EXPECT_EQ(DividerItem(all, 41, 4, 40, 110, 3, false), 2);
  EXPECT_EQ(DividerItem(all, 68, 4, 40, 110, 3, true), 4);
  EXPECT_EQ(DividerItem(all, 55, 4, 40, 110, 3, true), -1);
  EXPECT_EQ(DividerItem(all, 120, -1, 0, 110, 3, true), -1);
  const GridAxis thinLast = AxisOf({10, 20, 2}, 1, 1);
  EXPECT_EQ(DividerItem(thinLast, 33, -1, 0, 32, 3, true), 2);
  EXPECT_EQ(DividerItem(thinLast, 30, 2, 30, 32, 3, true), 2);

  EXPECT_EQ(NextShownItem(axis, 2, 5), 4);  // skips the hidden item
  EXPECT_EQ(PreviousShownItem(axis, 4, 2), 2);
  EXPECT_EQ(PreviousShownItem(axis, 2, 2), -1);
  EXPECT_EQ(NextShownItem(axis, 5, 5), -1);
}

TEST(GridScrollSteps, LinesPagesEndsAndThumb) {
  // Headers of 25, then rows of 20 except a hidden one; first visible is row 3.
  const std::vector<int> sizes{25, 20, 0, 20, 20, 20};
  const GridAxis axis = AxisOf(sizes, 1, 3);
  EXPECT_EQ(ScrollTarget(axis, SB_LINEDOWN, 20, 60, 30, 0), 40);
  EXPECT_EQ(ScrollTarget(axis, SB_LINEDOWN, 60, 60, 30, 0), 60);  // at the end
  EXPECT_EQ(ScrollTarget(axis, SB_LINEUP, 20, 60, 30, 0), 0);     // skips the hidden row back to row 1
  EXPECT_EQ(ScrollTarget(AxisOf(sizes, 1, 1), SB_LINEUP, 0, 60, 30, 0), 0);
  EXPECT_EQ(ScrollTarget(axis, SB_PAGEDOWN, 40, 60, 30, 0), 60);
  EXPECT_EQ(ScrollTarget(axis, SB_PAGEUP, 20, 60, 30, 0), 0);
  EXPECT_EQ(ScrollTarget(axis, SB_TOP, 40, 60, 30, 0), 0);
  EXPECT_EQ(ScrollTarget(axis, SB_BOTTOM, 0, 60, 30, 0), 60);
  EXPECT_EQ(ScrollTarget(axis, SB_THUMBTRACK, 0, 60, 30, 33), 33);
  EXPECT_EQ(ScrollTarget(axis, SB_THUMBPOSITION, 0, 60, 30, 99), 60);
  EXPECT_EQ(ScrollTarget(axis, SB_ENDSCROLL, 20, 60, 30, 0), 20);

  EXPECT_EQ(WheelScrollFor(120, 3).code, SB_LINEUP);
  EXPECT_EQ(WheelScrollFor(120, 3).count, 3);
  EXPECT_EQ(WheelScrollFor(-240, 3).code, SB_LINEDOWN);
  EXPECT_EQ(WheelScrollFor(-240, 3).count, 6);
  EXPECT_EQ(WheelScrollFor(60, 3).count, 1);  // half a notch, truncated
  EXPECT_EQ(WheelScrollFor(-120, -1).code, SB_PAGEDOWN);
  EXPECT_EQ(WheelScrollFor(-120, -1).count, 1);
  EXPECT_EQ(WheelScrollFor(60, -1).count, 0);
}

// The sort orders texts by code units both ways, keeps every item, and stays
// shallow on inputs that make naive quicksorts degenerate.
TEST(GridSort, OrdersItemsBothWaysWithoutLosingAny) {
  std::mt19937 random(5);
  const auto compare = [](const QString* a, const QString* b) {
    const int order = QString::compare(*a, *b, Qt::CaseSensitive);
    return (order > 0) - (order < 0);
  };
  std::vector<std::vector<QString>> inputs;
  inputs.push_back({"b", "a", "B", "ab", "a", "", "é", "Z", "a"});
  std::vector<QString> many;
  for (int i = 0; i < 3000; ++i) many.push_back(QString::number(random() % 200));
  inputs.push_back(many);
  std::vector<QString> sorted(20000);
  for (int i = 0; i < 20000; ++i) sorted[static_cast<std::size_t>(i)] = QString("%1").arg(i, 6, 10, QChar('0'));
  inputs.push_back(sorted);
  inputs.push_back(std::vector<QString>(5000, "same"));
  for (const std::vector<QString>& input : inputs) {
    for (const bool ascending : {true, false}) {
      std::vector<QString> texts = input;
      std::vector<QString*> items;
      for (QString& text : texts) items.push_back(&text);
      QuickSortItems(
          0, static_cast<int>(items.size()) - 1, ascending, [&](int i) { return items[static_cast<std::size_t>(i)]; },
          compare, [&](int i, int j) { std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]); });
      std::vector<QString> got;
      for (const QString* item : items) got.push_back(*item);
      std::vector<QString> want = input;
      std::sort(want.begin(), want.end());
      if (!ascending) std::reverse(want.begin(), want.end());
      ASSERT_EQ(got, want) << "ascending " << ascending << " size " << input.size();
    }
  }
}
