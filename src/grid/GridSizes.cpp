// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridSizes.h"

#include <algorithm>

namespace vorenx {

void GridSizes::Rebuild() const {
  if (!m_dirty) return;
  m_countBefore.resize(m_blocks.size());
  m_sumBefore.resize(m_blocks.size());
  int count = 0;
  std::int64_t sum = 0;
  for (std::size_t b = 0; b < m_blocks.size(); ++b) {
    m_countBefore[b] = count;
    m_sumBefore[b] = sum;
    count += static_cast<int>(m_blocks[b].sizes.size());
    sum += m_blocks[b].sum;
  }
  m_dirty = false;
}

std::size_t GridSizes::BlockOf(int i, int& inBlock) const {
  Rebuild();
  // The last block whose first entry is at or before i.
  const auto it = std::upper_bound(m_countBefore.begin(), m_countBefore.end(), i);
  const std::size_t b = static_cast<std::size_t>(it - m_countBefore.begin()) - 1;
  inBlock = i - m_countBefore[b];
  return b;
}

unsigned GridSizes::At(int i) const {
  int k = 0;
  const std::size_t b = BlockOf(i, k);
  return m_blocks[b].sizes[static_cast<std::size_t>(k)];
}

void GridSizes::Set(int i, unsigned size) {
  int k = 0;
  Block& block = m_blocks[BlockOf(i, k)];
  unsigned& slot = block.sizes[static_cast<std::size_t>(k)];
  const std::int64_t change = static_cast<std::int64_t>(size) - slot;
  block.sum += change;
  m_total += change;
  slot = size;
  if (change != 0) m_dirty = true;
}

void GridSizes::Swap(int i, int j) {
  const unsigned a = At(i);
  const unsigned b = At(j);
  Set(i, b);
  Set(j, a);
}

void GridSizes::Insert(int i, unsigned size) {
  if (m_blocks.empty()) m_blocks.emplace_back();
  std::size_t b = 0;
  int k = 0;
  if (i >= m_count) {
    b = m_blocks.size() - 1;
    if (m_blocks[b].sizes.size() >= kBlock) {
      m_blocks.emplace_back();
      ++b;
    }
    k = static_cast<int>(m_blocks[b].sizes.size());
  } else {
    b = BlockOf(i, k);
  }
  Block& block = m_blocks[b];
  block.sizes.insert(block.sizes.begin() + k, size);
  block.sum += size;
  m_total += size;
  ++m_count;
  m_dirty = true;
  if (block.sizes.size() >= 2 * kBlock) {
    // Split the full block in two halves.
    Block upper;
    upper.sizes.assign(block.sizes.begin() + kBlock, block.sizes.end());
    block.sizes.resize(kBlock);
    for (unsigned s : upper.sizes) upper.sum += s;
    block.sum -= upper.sum;
    m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(upper));
  }
}

void GridSizes::Resize(int count, unsigned size) {
  count = std::max(count, 0);
  while (m_count > count) {
    Block& last = m_blocks.back();
    const int drop = std::min(m_count - count, static_cast<int>(last.sizes.size()));
    for (int d = 0; d < drop; ++d) {
      last.sum -= last.sizes.back();
      m_total -= last.sizes.back();
      last.sizes.pop_back();
    }
    m_count -= drop;
    if (last.sizes.empty()) m_blocks.pop_back();
    m_dirty = true;
  }
  while (m_count < count) Insert(m_count, size);
}

void GridSizes::Clear() {
  m_blocks.clear();
  m_count = 0;
  m_total = 0;
  m_dirty = true;
}

std::int64_t GridSizes::SumOfFirst(int count) const {
  if (count <= 0) return 0;
  if (count >= m_count) return m_total;
  int k = 0;
  const std::size_t b = BlockOf(count, k);
  std::int64_t sum = m_sumBefore[b];
  const std::vector<unsigned>& sizes = m_blocks[b].sizes;
  for (int n = 0; n < k; ++n) sum += sizes[static_cast<std::size_t>(n)];
  return sum;
}

int GridSizes::FirstWithSumAtLeast(std::int64_t offset) const {
  if (offset <= 0) return 0;
  if (offset > m_total) return m_count;
  Rebuild();
  // The first block whose end reaches the offset.
  std::size_t b = 0;
  {
    std::size_t lo = 0;
    std::size_t hi = m_blocks.size();
    while (lo < hi) {
      const std::size_t mid = (lo + hi) / 2;
      if (m_sumBefore[mid] + m_blocks[mid].sum >= offset)
        hi = mid;
      else
        lo = mid + 1;
    }
    b = lo;
  }
  std::int64_t sum = m_sumBefore[b];
  int index = m_countBefore[b];
  for (unsigned s : m_blocks[b].sizes) {
    if (sum >= offset) break;
    sum += s;
    ++index;
  }
  return index;
}

}  // namespace vorenx
