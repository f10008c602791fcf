#pragma once
// The sizes of the rows (or of the columns) of a grid, in pixels, with their
// sum kept up to date, so that the totals the scroll bars need cost nothing
// per change. A deque makes an insertion near either end O(1): the readings
// log inserts every new row at index 1.

#include <cstdint>
#include <deque>

namespace vorenx {

class GridSizes {
 public:
  int Count() const { return static_cast<int>(m_sizes.size()); }
  unsigned At(int i) const { return m_sizes[static_cast<std::size_t>(i)]; }
  void Set(int i, unsigned size) {
    unsigned& slot = m_sizes[static_cast<std::size_t>(i)];
    m_total += static_cast<std::int64_t>(size) - slot;
    slot = size;
  }
  void Insert(int i, unsigned size) {
    m_sizes.insert(m_sizes.begin() + i, size);
    m_total += size;
  }
  // Truncates or grows to `count`; new entries get `size`.
  void Resize(int count, unsigned size) {
    while (Count() > count) {
      m_total -= m_sizes.back();
      m_sizes.pop_back();
    }
    while (Count() < count) Insert(Count(), size);
  }
  void Clear() {
    m_sizes.clear();
    m_total = 0;
  }
  std::int64_t Total() const { return m_total; }
  // Sum of the sizes of [0, count).
  std::int64_t SumOfFirst(int count) const {
    std::int64_t sum = 0;
    for (int i = 0; i < count && i < Count(); ++i) sum += At(i);
    return sum;
  }

 private:
  std::deque<unsigned> m_sizes;
  std::int64_t m_total = 0;
};

}  // namespace vorenx
