// TZQPidlList: a list of identifier lists with an object each, optionally
// sorted in the shell's order; the tree and the list compare what they show
// with a fresh enumeration through it. Comparison uses ShellFolder's
// CompareIDs when set, else the bytes. With Malloc set the list owns its
// identifier lists and frees them with it (the list holds a reference to the
// allocator); without it the lists are borrowed. ShellFolder is borrowed.
// Objects are never owned.
#pragma once
#include <vector>

#include "korvane/host/Lists.h"
#include "korvane/shell/Uzqshell95.h"

namespace korvane {

class TZQPidlList : public TObject {
public:
  TZQPidlList() = default;
  ~TZQPidlList() override;
  TZQPidlList(const TZQPidlList&) = delete;
  TZQPidlList& operator=(const TZQPidlList&) = delete;

  bool GetSorted() const { return sorted_; }
  void SetSorted(bool value);
  IShellFolder* GetShellFolder() const { return folder_; }
  void SetShellFolder(IShellFolder* value) { folder_ = value; }
  IMalloc* GetMalloc() const { return malloc_.Get(); }
  void SetMalloc(IMalloc* value) { malloc_ = TComPtr<IMalloc>::Share(value); }
  TDuplicates GetDuplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }

  void Sort();
  // True when found; index is the match or the insertion point.
  bool BinarySearch(PCItemIDList list, int& index) const;
  bool LinearSearch(PCItemIDList list, int& index) const;
  int IndexOf(PCItemIDList list) const;
  // Sorted: a duplicate is ignored (dupIgnore, answering its index), refused
  // with "TZQPidlList: Duplicate PIDL" (dupError) or inserted (dupAccept).
  int AddObject(PItemIDList list, TObject* object);
  int Add(PItemIDList list) { return AddObject(list, nullptr); }
  void InsertObject(int index, PItemIDList list, TObject* object);
  void Insert(int index, PItemIDList list) { InsertObject(index, list, nullptr); }

  PItemIDList GetPIDL(int index) const;
  void SetPIDL(int index, PItemIDList list);  // what was there is not freed
  TObject* GetObject(int index) const;
  void SetObject(int index, TObject* object);
  int GetCount() const { return static_cast<int>(entries_.size()); }
  int GetCapacity() const { return static_cast<int>(entries_.capacity()); }
  void SetCapacity(int value);
  void Delete(int index);
  void Clear();

  // The comparison the list uses: <0, 0, >0.
  int Compare(PCItemIDList a, PCItemIDList b) const;

private:
  struct Entry {
    PItemIDList list;
    TObject* object;
  };
  // EListError for an index outside the entries.
  const Entry& At(int index) const;
  Entry& At(int index) { return const_cast<Entry&>(static_cast<const TZQPidlList*>(this)->At(index)); }

  std::vector<Entry> entries_;
  bool sorted_ = false;
  IShellFolder* folder_ = nullptr;
  TComPtr<IMalloc> malloc_;
  TDuplicates duplicates_ = dupError;
};

// Byte comparison of two lists: the first differing byte decides, else the longer is greater.
int CompareIdListBytes(PCItemIDList a, PCItemIDList b);

}  // namespace korvane
