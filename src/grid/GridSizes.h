// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The sizes of the rows (or of the columns) of a grid, in pixels, kept in
// blocks with their sums, so that an insertion anywhere, the total, the sum of
// the first n sizes and "which index lies at this offset" stay cheap at a
// million rows. The readings log inserts every new row at index 1.

#include <cstdint>
#include <vector>

namespace vorenx {

class GridSizes {
 public:
  int Count() const { return m_count; }
  unsigned At(int i) const;
  void Set(int i, unsigned size);
  void Insert(int i, unsigned size);
  // Truncates or grows to `count`; new entries get `size`.
  void Resize(int count, unsigned size);
  void Clear();
  void Swap(int i, int j);
  std::int64_t Total() const { return m_total; }
  // Sum of the sizes of [0, count); count is clamped to [0, Count()].
  std::int64_t SumOfFirst(int count) const;
  // The smallest k in [0, Count()] with SumOfFirst(k) >= offset.
  int FirstWithSumAtLeast(std::int64_t offset) const;

 private:
  struct Block {
    std::vector<unsigned> sizes;
    std::int64_t sum = 0;
  };
  static constexpr std::size_t kBlock = 1024;

  // The block that holds index i and i's place in it.
  std::size_t BlockOf(int i, int& inBlock) const;
  void Rebuild() const;

  std::vector<Block> m_blocks;
  int m_count = 0;
  std::int64_t m_total = 0;
  // Per block: the entries and the sum before it; rebuilt after a change.
  mutable std::vector<int> m_countBefore;
  mutable std::vector<std::int64_t> m_sumBefore;
  mutable bool m_dirty = false;
};

}  // namespace vorenx
