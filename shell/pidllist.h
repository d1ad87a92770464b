// TZQPidlList: a list of identifier lists with an object each, optionally
// sorted in the shell's order; the tree and the list compare what they show
// with a fresh enumeration through it. Comparison uses ShellFolder's
// CompareIDs when set, else the bytes. With Malloc set the list owns its
// identifier lists and frees them with it; ShellFolder and Malloc are
// borrowed (no reference is held). Sorting and searching are not re-entrant.
#pragma once
#include "host/Lists.h"
#include "shell/Uzqshell95.h"

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
  IMalloc* GetMalloc() const { return malloc_; }
  void SetMalloc(IMalloc* value) { malloc_ = value; }
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
  int GetCount() const { return entries_.GetCount(); }
  int GetCapacity() const { return entries_.GetCapacity(); }
  void SetCapacity(int value) { entries_.SetCapacity(value); }
  void Delete(int index);
  void Clear();

  // The comparison the list uses: <0, 0, >0.
  int Compare(PCItemIDList a, PCItemIDList b) const;

private:
  struct Entry {
    PItemIDList list;
    TObject* object;
  };
  Entry* At(int index) const { return static_cast<Entry*>(entries_.Get(index)); }
  static int CompareEntries(void* a, void* b);

  TList entries_;
  bool sorted_ = false;
  IShellFolder* folder_ = nullptr;
  IMalloc* malloc_ = nullptr;
  TDuplicates duplicates_ = dupError;
};

// Byte comparison of two lists: the first differing byte decides, else the longer is greater.
int CompareIdListBytes(PCItemIDList a, PCItemIDList b);

}  // namespace korvane
