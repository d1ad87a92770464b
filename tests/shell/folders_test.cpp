#include <gtest/gtest.h>

#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
const USHORT kEmpty = 0;
PCItemIDList Empty() { return reinterpret_cast<PCItemIDList>(&kEmpty); }
}  // namespace

TEST(Paths, PathsAndListsRoundTrip) {
  test::TempDir dir;
  const std::string file = dir.File("sub\\report.txt", 10);
  TIdListPtr list;
  ASSERT_EQ(ShellGetIdListFromPath(file, list), S_OK);
  EXPECT_TRUE(AnsiSameText(ShellGetPathFromIdList(list.Get()), file));
  EXPECT_TRUE(AnsiSameText(ShellGetDisplayPathName(file), file));
  // Non-ASCII names survive the active code page (UTF-8 by the manifest).
  const std::string unicode = dir.File("\xc3\xa9t\xc3\xa9 \xe6\x97\xa5.txt");
  ASSERT_EQ(ShellGetIdListFromPath(unicode, list), S_OK);
  EXPECT_EQ(ShellGetPathFromIdList(list.Get()), unicode);
}

TEST(Paths, MissingAndOverlongPathsFailWithoutAList) {
  test::TempDir dir;
  TIdListPtr list;
  EXPECT_NE(ShellGetIdListFromPath(dir / "nothing-here.txt", list), S_OK);
  EXPECT_FALSE(list);
  EXPECT_EQ(ShellGetDisplayPathName(dir / "nothing-here.txt"), "");
  // Longer than MAX_PATH: refused, never cut down to a shorter path that may exist.
  const std::string longPath = dir.Path() + "\\" + std::string(300, 'a');
  EXPECT_EQ(ShellGetIdListFromPath(longPath, list), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(list);
  const std::string prefixExists = dir.Folder(std::string(200, 'b')) + "\\" + std::string(100, 'c');
  EXPECT_NE(ShellGetIdListFromPath(prefixExists, list), S_OK);
}

TEST(Paths, DesktopAndNonFileSystemFolders) {
  const std::string desktopDir = ShellGetSpecialFolderPath(nullptr, csidlDesktopDirectory);
  ASSERT_FALSE(desktopDir.empty());
  EXPECT_EQ(ShellGetPathFromIdList(nullptr), desktopDir);  // nil is the desktop
  EXPECT_EQ(ShellGetPathFromIdList(Empty()), desktopDir);
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  EXPECT_EQ(ShellGetPathFromIdList(drives.Get()), "");
  EXPECT_EQ(ShellGetSpecialFolderPath(nullptr, csidlDrives), "");
  EXPECT_EQ(ShellGetSpecialFolderPath(nullptr, csidlControls), "");
}

TEST(Folders, BindingFolders) {
  TComPtr<IShellFolder> desktop, fromNil, fromEmpty;
  ASSERT_EQ(ShellGetDesktopFolder(desktop), S_OK);
  ASSERT_EQ(ShellGetFolderFromIdList(nullptr, fromNil), S_OK);
  ASSERT_EQ(ShellGetFolderFromIdList(Empty(), fromEmpty), S_OK);
  EXPECT_EQ(fromNil.Get(), desktop.Get());
  EXPECT_EQ(fromEmpty.Get(), desktop.Get());

  test::TempDir dir;
  dir.File("inner\\x.txt");
  TIdListPtr list;
  ASSERT_EQ(ShellGetIdListFromPath(dir / "inner", list), S_OK);
  TComPtr<IShellFolder> folder;
  ASSERT_EQ(ShellGetFolderFromIdList(list.Get(), folder), S_OK);
  TComPtr<IEnumIDList> items;
  ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, items.Put()), S_OK);
  PITEMID_CHILD child = nullptr;
  ULONG fetched = 0;
  ASSERT_EQ(items->Next(1, &child, &fetched), S_OK);
  TIdListPtr owned(child);
  EXPECT_EQ(ShellGetFriendlyNameFromIdList(folder.Get(), child, zqfnInFolder), "x.txt");
}

TEST(SpecialFolders, FindCSIDLFromIdList) {
  EXPECT_EQ(ShellFindCSIDLFromIdList(Empty()), csidlDesktop);
  EXPECT_EQ(ShellFindCSIDLFromIdList(nullptr), csidlNone);
  test::TempDir dir;
  TIdListPtr ordinary;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), ordinary), S_OK);
  EXPECT_EQ(ShellFindCSIDLFromIdList(ordinary.Get()), csidlNone);
  for (TCSIDL c : {csidlDrives, csidlControls, csidlBitBucket, csidlPersonal, csidlFonts}) {
    TIdListPtr list;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, c, list), S_OK) << CSIDLNames()[c];
    EXPECT_EQ(ShellFindCSIDLFromIdList(list.Get()), c) << CSIDLNames()[c];
  }
  // The desktop directory comes after the desktop itself but is a folder of its own.
  TIdListPtr deskDir;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDesktopDirectory, deskDir), S_OK);
  EXPECT_EQ(ShellFindCSIDLFromIdList(deskDir.Get()), csidlDesktopDirectory);
}
