#include "korvane/host/Lists.h"

#include <utility>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"

namespace korvane {

void TList::Check(int index, int limit) const {
  if (index < 0 || index >= limit) throw EListError(Format("List index out of bounds (%d)", index));
}

void TList::SetCount(int count) {
  if (count < 0) throw EListError(Format("List count out of bounds (%d)", count));
  items_.resize(static_cast<std::size_t>(count), nullptr);
}

void TList::SetCapacity(int capacity) {
  if (capacity < GetCount()) throw EListError(Format("List capacity out of bounds (%d)", capacity));
  if (capacity > GetCapacity()) items_.reserve(static_cast<std::size_t>(capacity));
  else items_.shrink_to_fit();
}

void* TList::Get(int index) const {
  Check(index, GetCount());
  return items_[static_cast<std::size_t>(index)];
}

void TList::Put(int index, void* item) {
  Check(index, GetCount());
  items_[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return GetCount() - 1;
}

void TList::Insert(int index, void* item) {
  Check(index, GetCount() + 1);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  Check(index, GetCount());
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  const int i = IndexOf(item);
  if (i >= 0) Delete(i);
  return i;
}

int TList::IndexOf(void* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == item) return static_cast<int>(i);
  return -1;
}

void TList::Exchange(int index1, int index2) {
  Check(index1, GetCount());
  Check(index2, GetCount());
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  Check(newIndex, GetCount());
  void* item = Get(curIndex);
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

static void QuickSort(std::vector<void*>& a, int l, int r, TListSortCompare compare) {
  while (l < r) {
    int i = l, j = r;
    void* pivot = a[static_cast<std::size_t>((l + r) / 2)];
    do {
      while (i < r && compare(a[static_cast<std::size_t>(i)], pivot) < 0) ++i;
      while (j > l && compare(a[static_cast<std::size_t>(j)], pivot) > 0) --j;
      if (i <= j) {
        std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    // Recurse into the smaller side; loop on the larger.
    if (j - l < r - i) {
      if (l < j) QuickSort(a, l, j, compare);
      l = i;
    } else {
      if (i < r) QuickSort(a, i, r, compare);
      r = j;
    }
  }
}

void TList::Sort(TListSortCompare compare) {
  if (compare && items_.size() > 1) QuickSort(items_, 0, GetCount() - 1, compare);
}

}  // namespace korvane
