// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The arithmetic behind the grid's mouse, keyboard, scrolling and sorting,
// as plain functions over one axis (rows or columns) so that it can be tested
// without a widget. An axis has `count` items; the first `headerCount` are
// header items that never scroll, and the scrolling items are shown from
// `first` (the top-left item) on, starting at `headerExtent` pixels.

#include <functional>

namespace vorenx {

// The size in pixels of an item of the axis.
using SizeOf = std::function<int(int index)>;

struct GridAxis {
  int count = 0;
  int headerCount = 0;
  int headerExtent = 0;
  int first = 0;
  SizeOf size;
};

// The item under offset `p`: a header item when p lies within the headers
// (only with allowHeaders), else a scrolling item from `first` on; -1 before
// the start, beyond the last item, or in the headers without allowHeaders.
int ItemAtOffset(const GridAxis& axis, int p, bool allowHeaders);

// The offset at which `index` starts, or -1 for a scrolling item before `first`.
int ItemStart(const GridAxis& axis, int index);

// Whether offset p lies within `range` pixels of the divider at the start of
// an item (never for item 0) or at its end; the item covers [start, start + size).
bool NearDivider(int p, int start, int size, int range, bool firstItem);

// The item whose end divider lies at offset p, or -1. `item` is the item
// under p (-1 for none) and `itemStart` its start; `extent` is where the
// visible items end. The last item is taken when it is too narrow to grab by
// its own start; near an item's start the divider is the previous item's;
// without grabHidden, hidden items before it are passed over.
int DividerItem(const GridAxis& axis, int p, int item, int itemStart, int extent, int range, bool grabHidden);

// The next (previous) item with a non-zero size after (before) `from`, within
// [low, high]; -1 when there is none.
int NextShownItem(const GridAxis& axis, int from, int high);
int PreviousShownItem(const GridAxis& axis, int from, int low);

// The scroll position a scroll request leads to. `pos` is the position now,
// `max` the greatest position, `page` the room the scrolling part has.
// Line steps move by the size of the item that leaves or enters at the top
// (left); hidden items are skipped.
int ScrollTarget(const GridAxis& axis, int code, int pos, int max, int page, int trackPos);

// The scroll requests one turn of the wheel makes: `delta` in units of 120 per
// notch, positive away from the user; `lines` the lines per notch, -1 for a
// page per notch. `count` requests of `code`.
struct WheelScroll {
  int code = 0;
  int count = 0;
};
WheelScroll WheelScrollFor(int delta, int lines);

// The grid's quicksort of the items [lo, hi]: the pivot is the key of the
// middle item, taken once (keys follow their items when they are swapped);
// items equal to each other are not swapped. `keyAt(i)` gives the key of item
// i, `compare(a, b)` is negative, zero or positive, and `swapItems(i, j)`
// exchanges two items. The smaller part is sorted first by recursion and the
// larger one in the loop, so the depth stays logarithmic.
template <class KeyAt, class Compare, class SwapItems>
void QuickSortItems(int lo, int hi, bool ascending, const KeyAt& keyAt, const Compare& compare,
                    const SwapItems& swapItems) {
  while (lo < hi) {
    const auto pivot = keyAt((lo + hi) / 2);
    int j = lo;
    int i = hi;
    const auto before = [&](int k) { return ascending ? compare(keyAt(k), pivot) < 0 : compare(keyAt(k), pivot) > 0; };
    const auto after = [&](int k) { return ascending ? compare(keyAt(k), pivot) > 0 : compare(keyAt(k), pivot) < 0; };
    do {
      while (j < hi && before(j)) ++j;
      while (i > lo && after(i)) --i;
      if (i < j) break;
      if (compare(keyAt(j), keyAt(i)) != 0) swapItems(i, j);
      --i;
      ++j;
    } while (i >= j);
    if (i - lo < hi - j) {
      if (lo < i) QuickSortItems(lo, i, ascending, keyAt, compare, swapItems);
      lo = j;
    } else {
      if (j < hi) QuickSortItems(j, hi, ascending, keyAt, compare, swapItems);
      hi = i;
    }
  }
}

}  // namespace vorenx
