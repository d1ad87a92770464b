#include "korvane/host/Strings.h"

#include <utility>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
  const int index = GetCount();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  const int index = Add(s);
  PutObject(index, object);
  return index;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < GetCount(); ++i)
    if (AnsiSameText(Get(i), s)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  for (int i = 0; i < strings.GetCount(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  EndUpdate();
}

std::string TStrings::GetText() const {
  std::string out;
  for (int i = 0; i < GetCount(); ++i) out += Get(i) + "\r\n";
  return out;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      Add(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) Add(text.substr(start));
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*src);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// --- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  Clear();
}

void TStringList::Check(int index, int limit) const {
  if (index < 0 || index >= limit) throw EStringListError(Format("List index out of bounds (%d)", index));
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

std::string TStringList::Get(int index) const {
  Check(index, GetCount());
  return list_[static_cast<std::size_t>(index)].s;
}

TObject* TStringList::GetObject(int index) const {
  Check(index, GetCount());
  return list_[static_cast<std::size_t>(index)].object;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  Check(index, GetCount());
  Changing();
  list_[static_cast<std::size_t>(index)].s = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  Check(index, GetCount());
  Changing();
  list_[static_cast<std::size_t>(index)].object = object;
  Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  list_.insert(list_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  Check(index, GetCount() + 1);
  InsertItem(index, s, object);
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, TObject* object) {
  int index;
  if (!sorted_) {
    index = GetCount();
  } else if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Delete(int index) {
  Check(index, GetCount());
  Changing();
  TObject* object = list_[static_cast<std::size_t>(index)].object;
  list_.erase(list_.begin() + index);
  if (ownsObjects_) delete object;
  Changed();
}

void TStringList::Clear() {
  if (list_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(list_);
  if (ownsObjects_)
    for (Item& item : old) delete item.object;
  Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = GetCount() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareStrings(list_[static_cast<std::size_t>(mid)].s, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) {
    for (int i = 0; i < GetCount(); ++i)
      if (CompareStrings(list_[static_cast<std::size_t>(i)].s, s) == 0) return i;
    return -1;
  }
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Exchange(int index1, int index2) {
  Check(index1, GetCount());
  Check(index2, GetCount());
  Changing();
  std::swap(list_[static_cast<std::size_t>(index1)], list_[static_cast<std::size_t>(index2)]);
  Changed();
}

static void SortRange(TStringList* list, int l, int r, TStringListSortCompare compare) {
  while (l < r) {
    int i = l, j = r;
    int p = (l + r) / 2;
    do {
      while (i < r && compare(list, i, p) < 0) ++i;
      while (j > l && compare(list, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) list->Exchange(i, j);
        if (p == i) p = j;
        else if (p == j) p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) SortRange(list, l, j, compare);
    l = i;
  }
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (GetCount() < 2) return;
  BeginUpdate();  // one OnChanging / OnChange for the whole sort
  SortRange(this, 0, GetCount() - 1, compare);
  EndUpdate();
}

static int DefaultCompare(TStringList* list, int i, int j) {
  return list->CompareStrings(list->Get(i), list->Get(j));
}

void TStringList::Sort() { CustomSort(DefaultCompare); }

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (caseSensitive_ == value) return;
  caseSensitive_ = value;
  if (sorted_) Sort();
}

}  // namespace korvane
