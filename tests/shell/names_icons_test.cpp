#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/TempDir.h"

using namespace korvane;

TEST(Strret, EveryFormTurnsIntoText) {
  STRRET w = {};
  w.uType = STRRET_WSTR;
  const wchar_t text[] = L"wide \u00e9";
  w.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof text));
  std::memcpy(w.pOleStr, text, sizeof text);
  EXPECT_EQ(StrretToString(nullptr, w), "wide \xc3\xa9");
  StrretFree(w);
  EXPECT_EQ(w.pOleStr, nullptr);
  StrretFree(w);  // freeing twice is harmless

  STRRET c = {};
  c.uType = STRRET_CSTR;
  std::strcpy(c.cStr, "inline");
  EXPECT_EQ(StrretToString(nullptr, c), "inline");

  // An offset into the item list; text running to the list's end stops there.
  std::vector<std::uint8_t> list = {10, 0, 'x', 'y', 'n', 'a', 'm', 'e', 0, 'z', 0, 0};
  STRRET o = {};
  o.uType = STRRET_OFFSET;
  o.uOffset = 4;
  EXPECT_EQ(StrretToString(reinterpret_cast<PCItemIDList>(list.data()), o), "name");
  EXPECT_EQ(StrretToString(nullptr, o), "");
  o.uOffset = 400;
  EXPECT_EQ(StrretToString(reinterpret_cast<PCItemIDList>(list.data()), o), "");
  STRRET other = {};
  other.uType = 7;
  EXPECT_EQ(StrretToString(reinterpret_cast<PCItemIDList>(list.data()), other), "");
}

TEST(DisplayNames, NormalInFolderAndForParsing) {
  test::TempDir dir;
  const std::string file = dir.File("notes.txt");
  TIdListPtr list;
  ASSERT_EQ(ShellGetIdListFromPath(file, list), S_OK);
  const std::string normal = ShellGetFriendlyNameFromIdList(nullptr, list.Get(), zqfnNormal);
  EXPECT_EQ(normal.rfind("notes", 0), 0u) << normal;  // the extension may be hidden
  EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, list.Get(), zqfnInFolder).rfind("notes", 0), 0u);
  EXPECT_TRUE(AnsiSameText(ShellGetFriendlyNameFromIdList(nullptr, list.Get(), zqfnForParsing), file));
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  EXPECT_FALSE(ShellGetFriendlyNameFromIdList(nullptr, drives.Get(), zqfnNormal).empty());
  const USHORT empty = 0;
  const std::string desktop =
      ShellGetFriendlyNameFromIdList(nullptr, reinterpret_cast<PCItemIDList>(&empty), zqfnNormal);
  EXPECT_FALSE(desktop.empty());
  EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, nullptr, zqfnNormal), desktop);
}

TEST(Icons, SystemImageListsAndIndexes) {
  HIMAGELIST small = ShellGetSystemImageList(zqsizSmall);
  HIMAGELIST large = ShellGetSystemImageList(zqsizLarge);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(ShellGetSystemImageList(zqsizSmall), small);  // shared, the same every time
  int cx = 0, cy = 0;
  ImageList_GetIconSize(small, &cx, &cy);
  EXPECT_EQ(cx, 16);
  ImageList_GetIconSize(large, &cx, &cy);
  EXPECT_EQ(cx, 32);

  test::TempDir dir;
  dir.File("a.txt");
  TIdListPtr folder, file;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), folder), S_OK);
  ASSERT_EQ(ShellGetIdListFromPath(dir / "a.txt", file), S_OK);
  const int closed = ShellGetIconIndex(folder.Get(), SHGFI_SMALLICON);
  const int open = ShellGetIconIndex(folder.Get(), SHGFI_SMALLICON | SHGFI_OPENICON);
  const int txt = ShellGetIconIndex(file.Get(), SHGFI_SMALLICON);
  const int count = ImageList_GetImageCount(small);
  for (int i : {closed, open, txt}) {
    EXPECT_GE(i, 0);
    EXPECT_LT(i, count);
  }
  EXPECT_NE(closed, txt);
  EXPECT_EQ(ShellGetIconIndexFromPath(dir / "a.txt", SHGFI_SMALLICON), txt);
  // By extension alone: the file need not exist.
  EXPECT_EQ(ShellGetIconIndexFromExt("never-created.txt", SHGFI_SMALLICON), txt);
  EXPECT_EQ(ShellGetIconIndexFromPath(dir / "missing.zzz", SHGFI_SMALLICON), 0);
}


namespace {
// The item called name in folder, asked of the folder's own enumeration.
TIdListPtr ChildNamed(IShellFolder* folder, const std::string& name) {
  TComPtr<IEnumIDList> items;
  folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put());
  for (TIdListPtr item; items && items->Next(1, item.Put(), nullptr) == S_OK;)
    if (AnsiSameText(GetItemDisplayName(folder, item.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING), name))
      return item;
  return TIdListPtr();
}
}  // namespace

TEST(Icons, InFolderTheSameAsTheShellAnswersForThePath) {
  test::TempDir dir;
  dir.File("a.txt");
  dir.Folder("plain");
  // A read-only folder may be customised by its desktop.ini; a plain one may not.
  dir.Folder("custom");
  {
    std::FILE* ini = std::fopen((dir / "custom\\desktop.ini").c_str(), "w");
    ASSERT_NE(ini, nullptr);
    std::fputs("[.ShellClassInfo]\r\nIconResource=shell32.dll,12\r\nIconFile=shell32.dll\r\nIconIndex=12\r\n", ini);
    std::fclose(ini);
  }
  ASSERT_TRUE(SetFileAttributesA((dir / "custom").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
  TIdListPtr list;
  TComPtr<IShellFolder> folder;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), list), S_OK);
  ASSERT_EQ(ShellGetFolderFromIdList(list.Get(), folder), S_OK);

  for (const char* name : {"a.txt", "plain", "custom"}) {
    SCOPED_TRACE(name);
    const TIdListPtr child = ChildNamed(folder.Get(), name);
    ASSERT_TRUE(child);
    int open = -1;
    const int normal = ShellGetIconIndexInFolder(folder.Get(), child.Get(), &open);
    int parentOpen = -1;
    EXPECT_EQ(normal, SHMapPIDLToSystemImageListIndex(folder.Get(), child.Get(), &parentOpen));
    // The open icon is the one the item's own list gets. Through the parent Windows gives the same;
    // Wine gives the closed icon there (parentOpen == normal for every folder).
    TIdListPtr own;
    ASSERT_EQ(ShellGetIdListFromPath(dir / name, own), S_OK);
    EXPECT_EQ(open, ShellGetIconIndex(own.Get(), SHGFI_SMALLICON | SHGFI_OPENICON));
    EXPECT_EQ(ShellGetIconIndexInFolder(folder.Get(), child.Get()), normal);
  }
  const TIdListPtr plain = ChildNamed(folder.Get(), "plain"), custom = ChildNamed(folder.Get(), "custom");
  EXPECT_NE(ShellGetIconIndexInFolder(folder.Get(), custom.Get()), ShellGetIconIndexInFolder(folder.Get(), plain.Get()));
  SetFileAttributesA((dir / "custom").c_str(), FILE_ATTRIBUTE_NORMAL);
}
