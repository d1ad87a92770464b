#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/Platform.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
const USHORT kEmpty = 0;
PCItemIDList Empty() { return reinterpret_cast<PCItemIDList>(&kEmpty); }

}  // namespace

TEST(IdLists, LengthCopyAndConcat) {
  EXPECT_EQ(IdListLen(nullptr), 0);
  EXPECT_EQ(IdListLen(Empty()), 2);
  TIdListPtr fromNil(CopyIdList(nullptr, nullptr));
  ASSERT_TRUE(fromNil);
  EXPECT_EQ(IdListLen(fromNil.Get()), 2);

  test::TempDir dir;
  dir.File("a\\b.txt");
  TIdListPtr abs = test::Parse(dir / "a\\b.txt");
  const int len = IdListLen(abs.Get());
  TIdListPtr copy(CopyIdList(ShellIMalloc(), abs.Get()), ShellIMalloc());
  ASSERT_EQ(IdListLen(copy.Get()), len);
  EXPECT_EQ(std::memcmp(copy.Get(), abs.Get(), static_cast<std::size_t>(len)), 0);
  EXPECT_NE(copy.Get(), abs.Get());

  // Splitting the list at its last item and joining it again gives the same bytes.
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(abs.Get());
  int last = 0;
  for (int off = 0; bytes[off] | bytes[off + 1];) {
    last = off;
    off += bytes[off] | bytes[off + 1] << 8;
  }
  std::vector<std::uint8_t> parent(bytes, bytes + last);
  parent.push_back(0);
  parent.push_back(0);
  TIdListPtr joined(ConcatIdLists(nullptr, reinterpret_cast<PCItemIDList>(parent.data()),
                                  reinterpret_cast<PCItemIDList>(bytes + last)));
  ASSERT_EQ(IdListLen(joined.Get()), len);
  EXPECT_EQ(std::memcmp(joined.Get(), abs.Get(), static_cast<std::size_t>(len)), 0);
  TIdListPtr both(ConcatIdLists(nullptr, nullptr, Empty()));
  EXPECT_EQ(IdListLen(both.Get()), 2);
}

TEST(IdLists, CompareTableForNilAndEmpty) {
  test::TempDir dir;
  TIdListPtr folder = test::Parse(dir.Path());
  EXPECT_EQ(CompareAbsIdLists(nullptr, nullptr), 0);
  EXPECT_EQ(CompareAbsIdLists(nullptr, Empty()), -1);
  EXPECT_EQ(CompareAbsIdLists(Empty(), nullptr), -1);
  EXPECT_EQ(CompareAbsIdLists(nullptr, folder.Get()), -1);
  EXPECT_EQ(CompareAbsIdLists(folder.Get(), nullptr), -1);
  EXPECT_EQ(CompareAbsIdLists(Empty(), Empty()), 0);
  EXPECT_EQ(CompareAbsIdLists(Empty(), folder.Get()), -1);
  EXPECT_EQ(CompareAbsIdLists(folder.Get(), Empty()), -1);
}

TEST(IdLists, CompareAsksTheShellAndReadsItsSignedAnswer) {
  test::TempDir dir;
  dir.File("alpha.txt");
  dir.File("beta.txt");
  TIdListPtr a = test::Parse(dir / "alpha.txt"), a2 = test::Parse(dir / "alpha.txt"), b = test::Parse(dir / "beta.txt");
  EXPECT_NE(a.Get(), a2.Get());
  EXPECT_EQ(CompareAbsIdLists(a.Get(), a2.Get()), 0);  // two lists for the same item
  EXPECT_EQ(CompareAbsIdLists(a.Get(), b.Get()), -1);
  EXPECT_EQ(CompareAbsIdLists(b.Get(), a.Get()), 1);
  // The same folder reached as a special folder and as its parsed path.
  TIdListPtr special;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDesktopDirectory, special), S_OK);
  TIdListPtr parsed = test::Parse(ShellGetPathFromIdList(special.Get()));
  EXPECT_EQ(CompareAbsIdLists(special.Get(), parsed.Get()), 0);
}

TEST(IdLists, UncomparableListsAreUndecidedNeverEqual) {
  // An item no namespace extension knows: the desktop's CompareIDs fails on it.
  std::vector<std::uint8_t> junk = {6, 0, 0xEE, 0xEE, 0xEE, 0xEE, 0, 0};
  test::TempDir dir;
  TIdListPtr folder = test::Parse(dir.Path());
  const int r = CompareAbsIdLists(reinterpret_cast<PCItemIDList>(junk.data()), folder.Get());
  EXPECT_NE(r, 0);
  // Windows' desktop fails CompareIDs on an item of no known namespace; Wine's orders any item.
  EXPECT_EQ(r == ZQ_COMPARE_UNDECIDED, test::WindowsElseWine(true, false)) << r;
}

TEST(Allocation, ShellAllocatorAndNilRules) {
  EXPECT_NE(ShellIMalloc(), nullptr);
  void* block = ShellMemAlloc(16);
  ASSERT_NE(block, nullptr);
  block = ShellMemRealloc(block, 64);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(ShellIMalloc()->GetSize(block), 64u);
  ShellMemFree(block);
  EXPECT_EQ(ShellMemRealloc(nullptr, 8), nullptr);
  ShellMemFree(nullptr);
}

TEST(Versions, FactsOfTheRunningSystem) {
  EXPECT_TRUE(IsWinNT());
  EXPECT_FALSE(IsWin95());
  EXPECT_FALSE(IsOSR2OrGreater());
  EXPECT_TRUE(HasWin95Shell());
  EXPECT_EQ(ZQOSVersion().dwOSVersionInfoSize, 148u);
  TZQModuleVersion v = {};
  ASSERT_TRUE(GetModuleVersion("comctl32.dll", v));
  EXPECT_GE(v.VersionMS >> 16, 5u);
  // This executable carries FILEVERSION 7,12,345,6789 (version.rc).
  char self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  TZQModuleVersion own = {};
  ASSERT_TRUE(GetModuleVersion(self, own));
  EXPECT_EQ(own.VersionMS, (7u << 16) | 12u);
  EXPECT_EQ(own.VersionLS, (345u << 16) | 6789u);
  TZQModuleVersion none = {1, 1};
  EXPECT_FALSE(GetModuleVersion("C:\\no\\such\\module.dll", none));
  EXPECT_EQ(none.VersionMS, 1u);  // untouched on failure
}
