#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "korvane/controls/shell/common/enumitems.h"
#include "korvane/controls/shell/refresh/merge.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {

// The folder's items now, by name (the lists a control would hold).
struct TSnapshot {
  explicit TSnapshot(IShellFolder* folder) {
    bool started = false;
    EXPECT_EQ(EnumerateItems(folder, nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, nullptr, lists, started), S_OK);
    for (std::size_t i = 0; i < lists.size(); ++i) {
      STRRET name = {};
      folder->GetDisplayNameOf(lists[i].Get(), SHGDN_INFOLDER | SHGDN_FORPARSING, &name);
      names.push_back(StrretToString(lists[i].Get(), name));
      StrretFree(name);
    }
  }
  std::vector<TIdListPtr> lists;
  std::vector<std::string> names;
};

TComPtr<IShellFolder> FolderOf(const std::string& path) {
  TIdListPtr list;
  TComPtr<IShellFolder> folder;
  EXPECT_EQ(ShellGetIdListFromPath(path, list), S_OK);
  EXPECT_EQ(ShellGetFolderFromIdList(list.Get(), folder), S_OK);
  return folder;
}

}  // namespace

// 600 files: one modified, one deleted, one created, the rest untouched. The
// keys are the shown names, so each answer is checked against the disk.
TEST(Merge, UnchangedModifiedVanishedAndAddedItemsOfARealFolder) {
  test::TempDir dir;
  for (int i = 0; i < 600; ++i) dir.File("f" + std::to_string(i) + ".txt", static_cast<std::uint64_t>(i % 7));
  TComPtr<IShellFolder> folder = FolderOf(dir.Path());
  TSnapshot before(folder.Get());
  ASSERT_EQ(before.lists.size(), 600u);

  std::ofstream(dir / "f17.txt", std::ios::app) << std::string(5000, 'x');
  ASSERT_TRUE(DeleteFileA((dir / "f300.txt").c_str()));
  dir.File("new.txt");
  TComPtr<IShellFolder> again = FolderOf(dir.Path());
  TSnapshot after(again.Get());

  std::vector<TMergeShown> shown;
  for (std::size_t i = 0; i < before.lists.size(); ++i) shown.push_back({&before.names[i], before.lists[i].Get()});
  const TMergeResult result = MergeItems(again.Get(), shown, after.lists);

  ASSERT_EQ(result.vanished.size(), 1u);
  EXPECT_EQ(*static_cast<std::string*>(result.vanished[0]), "f300.txt");
  ASSERT_EQ(result.changed.size(), 1u);
  EXPECT_EQ(*static_cast<std::string*>(result.changed[0].first), "f17.txt");
  EXPECT_EQ(after.names[result.changed[0].second], "f17.txt");
  ASSERT_EQ(result.added.size(), 1u);
  EXPECT_EQ(after.names[result.added[0]], "new.txt");
}

// A folder may list an item twice: each shown copy is matched once, and a
// third fresh copy is new. Copies with the same bytes share a hash.
TEST(Merge, RepeatedItemsAreMatchedOnceEach) {
  test::TempDir dir;
  dir.File("a.txt");
  dir.File("b.txt");
  TComPtr<IShellFolder> folder = FolderOf(dir.Path());
  TSnapshot items(folder.Get());
  ASSERT_EQ(items.lists.size(), 2u);
  const int a = items.names[0] == "a.txt" ? 0 : 1;
  std::string first = "first", second = "second";
  std::vector<TMergeShown> shown = {{&first, items.lists[a].Get()}, {&second, items.lists[a].Get()}};
  IMalloc* m = nullptr;
  SHGetMalloc(&m);
  std::vector<TIdListPtr> fresh;
  for (int i = 0; i < 3; ++i) fresh.emplace_back(CopyIdList(m, items.lists[a].Get()), m);
  fresh.emplace_back(CopyIdList(m, items.lists[1 - a].Get()), m);
  m->Release();

  const TMergeResult result = MergeItems(folder.Get(), shown, fresh);
  EXPECT_TRUE(result.vanished.empty());
  EXPECT_TRUE(result.changed.empty());
  EXPECT_EQ(result.added, (std::vector<std::size_t>{2, 3}));
}
