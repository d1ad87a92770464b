#include <gtest/gtest.h>

#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

using namespace korvane;

TEST(Shortcuts, EveryOptionRoundTripsThroughALinkFile) {
  test::TempDir dir;
  const std::string target = dir.File("bin\\tool.exe", 4);
  TLinkData data;
  data.LinkPath = target;
  data.Description = "The tool";
  data.Arguments = "--fast \"a b\"";
  data.IconLocation = target;
  data.IconIndex = 3;
  data.WorkingDirectory = dir / "bin";
  data.ShowCmd = SW_SHOWMINNOACTIVE;
  data.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  data.LinkOptions = {ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd};
  const std::string link = dir / "tool.lnk";
  ASSERT_EQ(CreateShortcut(link, data), S_OK);
  ASSERT_TRUE(FileExists(link));

  TLinkData back;
  back.NoUI = true;
  ASSERT_EQ(ResolveShortcut(link, back, true), S_OK);
  EXPECT_TRUE(AnsiSameText(back.LinkPath, target));
  EXPECT_EQ(back.Description, "The tool");
  EXPECT_EQ(back.Arguments, "--fast \"a b\"");
  EXPECT_TRUE(AnsiSameText(back.IconLocation, target));
  EXPECT_EQ(back.IconIndex, 3);
  EXPECT_TRUE(AnsiSameText(back.WorkingDirectory, dir / "bin"));
  if (test::RunningOnWine())
    EXPECT_EQ(back.ShowCmd, SW_SHOWNORMAL) << "Wine's link files do not keep the show command";
  else
    EXPECT_EQ(back.ShowCmd, SW_SHOWMINNOACTIVE);
  EXPECT_EQ(back.HotKey, data.HotKey);
  EXPECT_EQ(back.LinkOptions.Mask(), 0x3Fu);
  EXPECT_TRUE(AnsiSameText(back.FindData.cFileName, "tool.exe"));
  ASSERT_TRUE(back.LinkIdList);
  TIdListPtr targetList;
  ASSERT_EQ(ShellGetIdListFromPath(target, targetList), S_OK);
  EXPECT_EQ(CompareAbsIdLists(back.LinkIdList.Get(), targetList.Get()), 0);

  TLinkData noList;
  noList.NoUI = true;
  ASSERT_EQ(ResolveShortcut(link, noList, false), S_OK);
  EXPECT_FALSE(noList.LinkIdList);
}

TEST(Shortcuts, OptionsLeftOutAreNotWritten) {
  test::TempDir dir;
  const std::string target = dir.File("doc.txt");
  TLinkData data;
  data.LinkPath = target;
  data.Description = "ignored";
  data.Arguments = "ignored too";
  data.LinkOptions = {};
  ASSERT_EQ(CreateShortcut(dir / "plain.lnk", data), S_OK);
  TLinkData back;
  back.NoUI = true;
  ASSERT_EQ(ResolveShortcut(dir / "plain.lnk", back, false), S_OK);
  EXPECT_EQ(back.Description, "");
  EXPECT_EQ(back.Arguments, "");
}

TEST(Shortcuts, QuickShortcutDescribesAndStartsInTheTargetFolder) {
  test::TempDir dir;
  const std::string target = dir.File("work\\run.bat");
  ASSERT_EQ(CreateQuickShortcut(dir / "quick.lnk", target), S_OK);
  TLinkData back;
  back.NoUI = true;
  ASSERT_EQ(ResolveShortcut(dir / "quick.lnk", back, false), S_OK);
  EXPECT_EQ(back.Description, target);
  EXPECT_TRUE(AnsiSameText(IncludeTrailingPathDelimiter(back.WorkingDirectory), dir / "work\\"));
}

TEST(Shortcuts, FailuresComeBackAsCodes) {
  test::TempDir dir;
  TLinkData back;
  back.NoUI = true;
  EXPECT_TRUE(FAILED(ResolveShortcut(dir / "missing.lnk", back, true)));
  EXPECT_FALSE(back.LinkIdList);
  TLinkData data;
  data.LinkPath = dir.File("t.txt");
  EXPECT_EQ(CreateShortcut(dir.Path() + "\\" + std::string(300, 'x') + ".lnk", data),
            HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
}
