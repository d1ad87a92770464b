#include "korvane/shell/pidllist.h"

#include <algorithm>
#include <cstring>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {
namespace {

int CompareWith(IShellFolder* folder, PCItemIDList a, PCItemIDList b) {
  if (!folder) return CompareIdListBytes(a, b);
  return static_cast<std::int16_t>(folder->CompareIDs(0, a, b) & 0xFFFF);
}

}  // namespace

int CompareIdListBytes(PCItemIDList a, PCItemIDList b) {
  const int la = IdListLen(a), lb = IdListLen(b);
  const auto* pa = reinterpret_cast<const std::uint8_t*>(a);
  const auto* pb = reinterpret_cast<const std::uint8_t*>(b);
  const int n = la < lb ? la : lb;
  for (int i = 0; i < n; ++i)
    if (pa[i] != pb[i]) return pa[i] - pb[i];
  return la == lb ? 0 : (la > lb ? 1 : -1);
}

TZQPidlList::~TZQPidlList() { Clear(); }

int TZQPidlList::Compare(PCItemIDList a, PCItemIDList b) const { return CompareWith(folder_, a, b); }

void TZQPidlList::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  if (value) Sort();
}

void TZQPidlList::Sort() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [this](const Entry& a, const Entry& b) { return CompareWith(folder_, a.list, b.list) < 0; });
}

const TZQPidlList::Entry& TZQPidlList::At(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return entries_[static_cast<std::size_t>(index)];
}

void TZQPidlList::SetCapacity(int value) {
  if (value < GetCount()) throw EListError(Format("List capacity out of bounds (%d)", value));
  entries_.reserve(static_cast<std::size_t>(value));
}

bool TZQPidlList::BinarySearch(PCItemIDList list, int& index) const {
  int low = 0, high = GetCount() - 1;
  bool found = false;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int c = CompareWith(folder_, At(middle).list, list);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = middle;
      }
    }
  }
  index = low;
  return found;
}

bool TZQPidlList::LinearSearch(PCItemIDList list, int& index) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareWith(folder_, At(i).list, list) == 0) {
      index = i;
      return true;
    }
  index = -1;
  return false;
}

int TZQPidlList::IndexOf(PCItemIDList list) const {
  int index = -1;
  const bool found = sorted_ ? BinarySearch(list, index) : LinearSearch(list, index);
  return found ? index : -1;
}

int TZQPidlList::AddObject(PItemIDList list, TObject* object) {
  int index = GetCount();
  if (sorted_ && BinarySearch(list, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw Exception("TZQPidlList: Duplicate PIDL");
  }
  InsertObject(index, list, object);
  return index;
}

void TZQPidlList::InsertObject(int index, PItemIDList list, TObject* object) {
  if (index < 0 || index > GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  entries_.insert(entries_.begin() + index, Entry{list, object});
}

PItemIDList TZQPidlList::GetPIDL(int index) const { return At(index).list; }
void TZQPidlList::SetPIDL(int index, PItemIDList list) { At(index).list = list; }
TObject* TZQPidlList::GetObject(int index) const { return At(index).object; }
void TZQPidlList::SetObject(int index, TObject* object) { At(index).object = object; }

void TZQPidlList::Delete(int index) {
  const Entry& entry = At(index);
  if (malloc_ && entry.list) malloc_->Free(entry.list);
  entries_.erase(entries_.begin() + index);
}

void TZQPidlList::Clear() {
  while (GetCount() > 0) Delete(GetCount() - 1);
}

}  // namespace korvane
