#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "korvane/host/Exceptions.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
using Bytes = std::vector<std::uint8_t>;
Bytes Of(PCItemIDList list) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(list);
  return Bytes(p, p + IdListLen(list));
}
PItemIDList Raw(const Bytes& b) { return reinterpret_cast<PItemIDList>(const_cast<std::uint8_t*>(b.data())); }
// A list of the given items, each "size, payload...".
Bytes Make(std::initializer_list<Bytes> items) {
  Bytes out;
  for (const Bytes& item : items) {
    out.push_back(static_cast<std::uint8_t>(item.size() + 2));
    out.push_back(0);
    out.insert(out.end(), item.begin(), item.end());
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}
}  // namespace

TEST(IdListArray, ItemsAndAncestorsOfAThreeItemList) {
  const Bytes src = Make({{1, 1}, {2, 2, 2}, {3}});
  TZQIdListArray a(Raw(src));
  EXPECT_EQ(a.GetCount(), 3);
  EXPECT_EQ(Of(a.GetItem(0)), Make({{1, 1}}));
  EXPECT_EQ(Of(a.GetItem(2)), Make({{3}}));
  try {
    a.GetItem(3);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TZQIdListArray - index 3 out of range");
  }
  EXPECT_THROW(a.GetItem(-1), Exception);
  EXPECT_EQ(Of(a.GoUp(0)), src);
  EXPECT_EQ(Of(a.GoUp(1)), Make({{1, 1}, {2, 2, 2}}));
  EXPECT_EQ(Of(a.GoUp(3)), Make({}));  // the desktop
  EXPECT_EQ(a.GoUp(4), nullptr);
  EXPECT_EQ(a.GoUp(-1), nullptr);
}

TEST(IdListArray, EmptyAndNilSources) {
  const Bytes empty = Make({});
  TZQIdListArray e(Raw(empty));
  EXPECT_EQ(e.GetCount(), 0);
  EXPECT_EQ(Of(e.GetItem(0)), empty);
  EXPECT_EQ(e.GetItem(1), nullptr);
  EXPECT_THROW(e.GetItem(-1), Exception);
  TZQIdListArray n(nullptr);
  EXPECT_EQ(n.GetCount(), 0);
  EXPECT_THROW(n.GetItem(0), Exception);
  EXPECT_EQ(n.GoUp(0), nullptr);
}

TEST(PidlList, ByteOrderSortSearchAndDuplicates) {
  const Bytes a = Make({{1}}), b = Make({{2}}), c = Make({{2, 0}}), b2 = Make({{2}});
  EXPECT_LT(CompareIdListBytes(Raw(a), Raw(b)), 0);
  EXPECT_LT(CompareIdListBytes(Raw(b), Raw(c)), 0);  // the size byte differs first
  EXPECT_EQ(CompareIdListBytes(Raw(b), Raw(b2)), 0);
  TZQPidlList list;
  EXPECT_EQ(list.GetDuplicates(), dupError);
  list.Add(Raw(c));
  list.Add(Raw(a));
  list.Add(Raw(b));
  EXPECT_EQ(list.IndexOf(Raw(b2)), 2);  // linear while unsorted
  list.SetSorted(true);
  EXPECT_EQ(list.GetPIDL(0), Raw(a));
  EXPECT_EQ(list.GetPIDL(2), Raw(c));
  try {
    list.Add(Raw(b2));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TZQPidlList: Duplicate PIDL");
  }
  list.SetDuplicates(dupIgnore);
  EXPECT_EQ(list.Add(Raw(b2)), 1);
  EXPECT_EQ(list.GetCount(), 3);
  list.SetDuplicates(dupAccept);
  list.Add(Raw(b2));
  EXPECT_EQ(list.GetCount(), 4);
  int index = -1;
  const Bytes d = Make({{3}});
  EXPECT_FALSE(list.BinarySearch(Raw(d), index));
  EXPECT_EQ(index, 3);  // after both b's, before c, whose size byte is larger
  TObject marker;
  list.SetObject(0, &marker);
  EXPECT_EQ(list.GetObject(0), &marker);
  list.Delete(0);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_THROW(list.Delete(9), EListError);
  list.Clear();  // borrowed lists (no Malloc): nothing freed, the stack bytes stay valid
  EXPECT_EQ(a[0], 3);
}

TEST(PidlList, ShellOrderAndOwnedLists) {
  test::TempDir dir;
  for (const char* n : {"b.txt", "a.txt", "c.txt"}) dir.File(n);
  TIdListPtr folderList;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), folderList), S_OK);
  TComPtr<IShellFolder> folder;
  ASSERT_EQ(ShellGetFolderFromIdList(folderList.Get(), folder), S_OK);
  TComPtr<IEnumIDList> items;
  ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, items.Put()), S_OK);

  TZQPidlList list;
  list.SetShellFolder(folder.Get());
  list.SetMalloc(ShellIMalloc());  // owns the enumerated lists
  list.SetSorted(true);
  PITEMID_CHILD child = nullptr;
  ULONG fetched = 0;
  while (items->Next(1, &child, &fetched) == S_OK) list.Add(child);
  ASSERT_EQ(list.GetCount(), 3);
  const char* expected[] = {"a.txt", "b.txt", "c.txt"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(folder.Get(), list.GetPIDL(i), zqfnInFolder), expected[i]);
  TIdListPtr again;
  ASSERT_EQ(ShellGetIdListFromPath(dir / "b.txt", again), S_OK);
  TZQIdListArray levels(again.Get());
  PItemIDList last = levels.GetItem(levels.GetCount() - 1);
  EXPECT_EQ(list.IndexOf(last), 1);  // found by the shell's comparison
  EXPECT_LT(list.Compare(list.GetPIDL(0), list.GetPIDL(2)), 0);
}
