// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridArithmetic.h"

#include <algorithm>
#include <cstdlib>

#include "grid/GridConstants.h"

namespace vorenx {

int ItemAtOffset(const GridAxis& axis, int p, bool allowHeaders) {
  if (p < 0) return -1;
  if (p < axis.headerExtent) {
    if (!allowHeaders) return -1;
    int sum = 0;
    for (int i = 0; i < axis.headerCount; ++i) {
      sum += axis.size(i);
      if (sum > p) return i;
    }
    return -1;
  }
  int sum = axis.headerExtent;
  for (int i = std::max(axis.first, axis.headerCount); i < axis.count; ++i) {
    sum += axis.size(i);
    if (sum > p) return i;
  }
  return -1;
}

int ItemStart(const GridAxis& axis, int index) {
  int start = 0;
  if (index < axis.headerCount) {
    for (int i = 0; i < index; ++i) start += axis.size(i);
    return start;
  }
  if (index < axis.first) return -1;
  start = axis.headerExtent;
  for (int i = axis.first; i < index; ++i) start += axis.size(i);
  return start;
}

bool NearDivider(int p, int start, int size, int range, bool firstItem) {
  if (!firstItem && p - start < range) return true;
  return start + size - p < range;
}

int DividerItem(const GridAxis& axis, int p, int item, int itemStart, int extent, int range, bool grabHidden) {
  const int last = axis.count - 1;
  int index = -1;
  if (last >= 0 && axis.size(last) < range && std::abs(p - extent) < range) {
    index = last;
  } else {
    if (item < 0) return -1;
    const int size = axis.size(item);
    if (!NearDivider(p, itemStart, size, range, item == 0)) return -1;
    index = item;
    if (p - itemStart < range && index > 0 && !(index == last && size < range)) --index;
  }
  if (!grabHidden)
    while (index > 0 && axis.size(index) == 0) --index;
  return index;
}

int NextShownItem(const GridAxis& axis, int from, int high) {
  for (int i = from + 1; i <= high && i < axis.count; ++i)
    if (axis.size(i) > 0) return i;
  return -1;
}

int PreviousShownItem(const GridAxis& axis, int from, int low) {
  for (int i = from - 1; i >= low && i >= 0; --i)
    if (axis.size(i) > 0) return i;
  return -1;
}

int ScrollTarget(const GridAxis& axis, int code, int pos, int max, int page, int trackPos) {
  switch (code) {
    case SB_LINEUP:
      if (pos >= 1 && axis.first > axis.headerCount) {
        int previous = axis.first - 1;
        while (previous > axis.headerCount && axis.size(previous) == 0) --previous;
        pos = std::max(pos - axis.size(previous), 0);
      }
      break;
    case SB_LINEDOWN:
      if (pos < max) {
        int next = axis.first;
        while (next < axis.count - 1 && axis.size(next) == 0) ++next;
        if (next >= 0 && next < axis.count) pos += axis.size(next);
      }
      break;
    case SB_PAGEUP:
      if (pos >= 1) pos = std::max(pos - page, 0);
      break;
    case SB_PAGEDOWN:
      if (pos < max) pos = std::min(max, pos + page);
      break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = max; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = trackPos; break;
    default: break;
  }
  return std::clamp(pos, 0, std::max(max, 0));
}

WheelScroll WheelScrollFor(int delta, int lines) {
  if (lines == -1) {
    const int pages = delta / 120;
    return WheelScroll{pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, pages < 0 ? -pages : pages};
  }
  const long long n = static_cast<long long>(lines) * delta / 120;
  const int count = static_cast<int>(std::min<long long>(n < 0 ? -n : n, 1 << 20));
  return WheelScroll{n > 0 ? SB_LINEUP : SB_LINEDOWN, count};
}

}  // namespace vorenx
