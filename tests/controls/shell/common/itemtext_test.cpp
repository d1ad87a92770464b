#include <gtest/gtest.h>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/DateTime.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"
#include "tests/support/Platform.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
std::string Sep() {
  char buf[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, sizeof buf);
  return buf;
}
}  // namespace

TEST(ColumnTexts, SizesInWholeKilobytesRoundedUp) {
  EXPECT_EQ(FormatFileSizeKB(0), "0KB");
  EXPECT_EQ(FormatFileSizeKB(1), "1KB");
  EXPECT_EQ(FormatFileSizeKB(1024), "1KB");
  EXPECT_EQ(FormatFileSizeKB(1025), "2KB");
  EXPECT_EQ(FormatFileSizeKB(1500000), "1" + Sep() + "465KB");
  EXPECT_EQ(FormatFileSizeKB(5LL * 1024 * 1024 * 1024), "5" + Sep() + "242" + Sep() + "880KB");  // no GB switch
}

TEST(ColumnTexts, FilesFoldersDrivesAndVirtualItems) {
  test::TempDir dir;
  const std::string empty = dir.File("empty.txt", 0);
  const std::string small = dir.File("small.txt", 1025);
  const std::string folder = dir.Folder("sub");
  std::string size, date, type;

  // Last written at a known local time; the expected text is the system's own
  // short date and short time of it.
  const SYSTEMTIME written = {2023, 3, 0, 9, 14, 5, 0, 0};
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&written, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  {
    TKernelHandle h(CreateFileA(empty.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(SetFileTime(h.Get(), nullptr, nullptr, &utc));
  }
  GetFileSizeAndDate(test::Parse(empty).Get(), size, date);
  EXPECT_EQ(size, "0KB");
  EXPECT_EQ(date, test::SystemShortDateTime(written));

  GetFileDetails(test::Parse(small).Get(), SFGAO_FILESYSTEM, size, date, type);
  EXPECT_EQ(size, "2KB");
  SHFILEINFOA byPath = {};
  SHGetFileInfoA(small.c_str(), 0, &byPath, sizeof byPath, SHGFI_TYPENAME);
  EXPECT_EQ(type, byPath.szTypeName);  // the shell's type name of the file
  EXPECT_FALSE(type.empty());

  GetFileSizeAndDate(test::Parse(folder).Get(), size, date);
  EXPECT_EQ(size, "");  // folders have no size
  EXPECT_FALSE(date.empty());

  GetFileSizeAndDate(test::Parse("C:\\").Get(), size, date);
  EXPECT_EQ(size + date, "");  // a drive root has neither

  TIdListPtr controls;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlControls, controls), S_OK);
  GetFileDetails(controls.Get(), 0, size, date, type);
  EXPECT_EQ(type, "System Folder");
  EXPECT_EQ(size + date, "");
}

TEST(ColumnTexts, ZeroLastWriteTimeShowsTheCreationTime) {
  const std::string file = test::NativeFixture("zero-mtime.txt");
  if (file.empty()) GTEST_SKIP() << "the native fixtures were not made (run through CTest)";
  WIN32_FILE_ATTRIBUTE_DATA fad;
  ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &fad)) << file;
  ASSERT_EQ(fad.ftLastWriteTime.dwLowDateTime | fad.ftLastWriteTime.dwHighDateTime, 0u);
  std::string size, date;
  GetFileSizeAndDate(test::Parse(file).Get(), size, date);
  EXPECT_EQ(size, "1KB");
  EXPECT_EQ(date, FormatDateTime("ddddd t", FileTimeToDateTime(fad.ftCreationTime)));
  if (test::RunningOnWine()) {  // Wine reports no creation time later than the last write
    EXPECT_EQ(fad.ftCreationTime.dwLowDateTime | fad.ftCreationTime.dwHighDateTime, 0u);
  }
}

TEST(ColumnTexts, FileTimesAreShownInLocalTime) {
  // 2024-07-15 12:30 local time is day 45488 after 1899-12-30, and half a day and 30 minutes.
  const SYSTEMTIME st = {2024, 7, 0, 15, 12, 30, 0, 0};
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  EXPECT_NEAR(FileTimeToDateTime(utc), 45488.0 + 750.0 / 1440.0, 1e-9);
}

TEST(ItemParent, SplitsIntoFolderParentAndItem) {
  test::TempDir dir;
  const std::string file = dir.File("inner\\leaf.txt");
  TComPtr<IShellFolder> parent;
  TIdListPtr parentList, relative;
  ASSERT_EQ(SplitAbsIdList(test::Parse(file).Get(), parent, parentList, relative), S_OK);
  EXPECT_EQ(ShellGetPathFromIdList(parentList.Get()), dir / "inner");
  EXPECT_EQ(GetItemDisplayName(parent.Get(), relative.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING), "leaf.txt");

  // One item: the desktop is the parent and there is no parent list.
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  ASSERT_EQ(SplitAbsIdList(drives.Get(), parent, parentList, relative), S_OK);
  EXPECT_FALSE(parentList);
  EXPECT_EQ(CompareAbsIdLists(relative.Get(), drives.Get()), 0);
  TComPtr<IShellFolder> desktop;
  ShellGetDesktopFolder(desktop);
  EXPECT_EQ(parent.Get(), desktop.Get());

  // The desktop stands for its file-system directory, which has a parent.
  ASSERT_EQ(GetDesktopDirParentAndItem(parentList, relative), S_OK);
  const std::string deskDir = ShellGetSpecialFolderPath(nullptr, csidlDesktop);
  EXPECT_EQ(IncludeTrailingPathDelimiter(ShellGetPathFromIdList(parentList.Get())), ExtractFilePath(deskDir));
  TComPtr<IDropTarget> target;
  EXPECT_EQ(GetDesktopDirUIObject(target), S_OK);
  EXPECT_TRUE(target);
  TComPtr<IContextMenu> menu;
  EXPECT_EQ(GetUIObjectOfAbsIdList(test::Parse(file).Get(), menu), S_OK);
  EXPECT_TRUE(menu);
}

TEST(WindowHelpers, LongPathsStylesAndScrolling) {
  EXPECT_FALSE(IsLongPath("C:\\"));
  EXPECT_FALSE(IsLongPath("abc"));
  EXPECT_TRUE(IsLongPath("C:\\a"));
  EXPECT_TRUE(IsLongPath("\\\\srv\\share"));

  EXPECT_EQ(ChangeWindowStyle(nullptr, WS_VSCROLL, true), 0);
  HWND box = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 120, 100,
                             nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(box);
  EXPECT_TRUE(ChangeWindowStyle(box, WS_BORDER, true) & WS_BORDER);
  EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(ChangeWindowStyle(box, WS_BORDER, false) & WS_BORDER);

  // Nothing to scroll: no message goes.
  SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("only"));
  ScrollControl(box, SB_VERT, SB_LINEDOWN);
  EXPECT_EQ(SendMessageA(box, LB_GETTOPINDEX, 0, 0), 0);
  for (int i = 0; i < 60; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  ScrollControl(box, SB_VERT, SB_LINEDOWN);
  EXPECT_EQ(SendMessageA(box, LB_GETTOPINDEX, 0, 0), 1);
  // The user's wheel setting decides: that many lines, or a page.
  UINT saved = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 2, nullptr, 0);
  ScrollControlByWheel(box, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN);
  EXPECT_EQ(SendMessageA(box, LB_GETTOPINDEX, 0, 0), 3);
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
  const int before = static_cast<int>(SendMessageA(box, LB_GETTOPINDEX, 0, 0));
  ScrollControlByWheel(box, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN);
  EXPECT_GT(SendMessageA(box, LB_GETTOPINDEX, 0, 0), before + 2);  // a page of the 100-pixel box, not two lines
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
  DestroyWindow(box);
}
