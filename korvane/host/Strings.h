// TStrings, the abstract list of strings with objects, and TStringList, its
// concrete form with sorting and a duplicate rule.
#pragma once
#include <string>
#include <vector>

#include "korvane/host/Lists.h"
#include "korvane/host/Persistent.h"

namespace korvane {

class TStrings : public TPersistent {
public:
  virtual int GetCount() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual TObject* GetObject(int index) const;
  virtual void Put(int index, const std::string& s);
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, TObject* object);
  virtual int IndexOf(const std::string& s) const;  // case-insensitive
  int IndexOfObject(const TObject* object) const;
  void AddStrings(const TStrings& strings);
  // Lines joined with CR LF, each line ended; SetText splits on CR, LF or CR LF.
  std::string GetText() const;
  void SetText(const std::string& text);
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return updateCount_; }
  void Assign(TPersistent* Source) override;

protected:
  virtual void SetUpdateState(bool /*updating*/) {}

private:
  int updateCount_ = 0;
};

using TStringListSortCompare = int (*)(class TStringList* List, int Index1, int Index2);

class TStringList : public TStrings {
public:
  int GetCount() const override { return static_cast<int>(list_.size()); }
  std::string Get(int index) const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& s) override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  int IndexOf(const std::string& s) const override;
  // Binary search of a sorted list: true when found; index is the match or the insertion point.
  bool Find(const std::string& s, int& index) const;
  void Exchange(int index1, int index2);
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare compare);

  bool GetSorted() const { return sorted_; }
  void SetSorted(bool value);
  TDuplicates GetDuplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool GetCaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);
  // Frees the objects when entries go.
  bool GetOwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool value) { ownsObjects_ = value; }
  ~TStringList() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  int CompareStrings(const std::string& a, const std::string& b) const;

protected:
  void SetUpdateState(bool updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    std::string s;
    TObject* object;
  };
  void Check(int index, int limit) const;
  void InsertItem(int index, const std::string& s, TObject* object);
  std::vector<Item> list_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
};

}  // namespace korvane
