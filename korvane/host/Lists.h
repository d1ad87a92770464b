// TList: an ordered list of untyped pointers, and the duplicate rule of sorted lists.
#pragma once
#include <vector>

#include "korvane/host/System.h"

namespace korvane {

enum TDuplicates { dupIgnore, dupAccept, dupError };

using TListSortCompare = int (*)(void* Item1, void* Item2);

class TList : public TObject {
public:
  int GetCount() const { return static_cast<int>(items_.size()); }
  void SetCount(int count);  // new slots are nil
  int GetCapacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);
  void* Get(int index) const;  // EListError "List index out of bounds (%d)"
  void Put(int index, void* item);
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);  // answers the former index or -1
  int IndexOf(void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Clear() { items_.clear(); }
  void* First() const { return Get(0); }
  void* Last() const { return Get(GetCount() - 1); }
  // Quicksort. Comparisons stay inside the list even for an inconsistent comparer.
  void Sort(TListSortCompare compare);

private:
  void Check(int index, int limit) const;
  std::vector<void*> items_;
};

}  // namespace korvane
