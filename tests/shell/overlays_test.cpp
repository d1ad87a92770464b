// Runs in a process of its own: the first request for a system image list
// installs the overlay images.
#include <gtest/gtest.h>

#include "korvane/shell/Uzqshellutils.h"

#include <commoncontrols.h>

#include "tests/support/Dib.h"
#include "tests/support/Platform.h"

using namespace korvane;

namespace {
HIMAGELIST Raw(UINT sizeFlag) {
  SHFILEINFOA info = {};
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | sizeFlag));
}
}  // namespace

TEST(Overlays, FirstRequestAddsSharedAndShortcutOverlaysToBothLists) {
  HIMAGELIST small = Raw(SHGFI_SMALLICON), large = Raw(SHGFI_LARGEICON);
  const int smallBefore = ImageList_GetImageCount(small), largeBefore = ImageList_GetImageCount(large);
  ASSERT_EQ(ShellGetSystemImageList(zqsizSmall), small);
  EXPECT_EQ(ImageList_GetImageCount(small), smallBefore + 2);
  EXPECT_EQ(ImageList_GetImageCount(large), largeBefore + 2);
  ASSERT_EQ(ShellGetSystemImageList(zqsizLarge), large);
  EXPECT_EQ(ImageList_GetImageCount(large), largeBefore + 2);  // once per process

  for (HIMAGELIST list : {small, large}) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    const int count = ImageList_GetImageCount(list);
    // The two appended images are the shell's share hand and shortcut arrow.
    test::Dib hand(cx, cy), arrow(cx, cy);
    ImageList_Draw(list, count - 2, hand.Dc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(list, count - 1, arrow.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_GT(hand.CountNot(RGB(255, 255, 255)), 0) << cx;
    EXPECT_GT(arrow.CountDifferent(hand), 0) << cx;

    const int txt = ShellGetIconIndexFromExt("x.txt", cx == 16 ? SHGFI_SMALLICON : 0);
    test::Dib plain(cx, cy), shared(cx, cy);
    ImageList_Draw(list, txt, plain.Dc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(list, txt, shared.Dc(), 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    if (test::RunningOnWine())
      EXPECT_EQ(shared.CountDifferent(plain), 0) << "Wine draws no overlay on its 32-bit system image list";
    else
      EXPECT_GT(shared.CountDifferent(plain), 0) << "no shared-item overlay at " << cx;
  }
}

TEST(Overlays, IconsTheShellAddsLaterStillDrawThemselves) {
  ShellGetSystemImageList(zqsizSmall);  // overlays installed (the first test did it in this process)
  // The shell hands out one index for all its lists: installing must leave them the same length.
  for (int kind = SHIL_LARGE; kind <= SHIL_SYSSMALL; ++kind) {
    void* list = nullptr;
    static const IID kImageList = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
    if (FAILED(SHGetImageList(kind, kImageList, &list)) || !list) continue;
    EXPECT_EQ(ImageList_GetImageCount(static_cast<HIMAGELIST>(list)), ImageList_GetImageCount(Raw(SHGFI_SMALLICON)))
        << kind;
  }
  // My Computer, asked after the overlays went in, draws its own icon, not another image of the list.
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  SHFILEINFOA location = {};
  ASSERT_TRUE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(drives.Get()), 0, &location, sizeof location,
                             SHGFI_PIDL | SHGFI_ICONLOCATION));
  HICON own = nullptr;
  ASSERT_EQ(ExtractIconExA(location.szDisplayName, location.iIcon, nullptr, &own, 1), 1u);
  test::Dib expected(16, 16), drawn(16, 16);
  DrawIconEx(expected.Dc(), 0, 0, own, 16, 16, 0, nullptr, DI_NORMAL);
  DestroyIcon(own);
  ImageList_Draw(Raw(SHGFI_SMALLICON), ShellGetIconIndex(drives.Get(), SHGFI_SMALLICON), drawn.Dc(), 0, 0,
                 ILD_TRANSPARENT);
  // The list keeps the icon at its own size and blend, so edges may differ a little; another image (the
  // shortcut arrow the index named when the lists fell out of step) differs in most of its pixels.
  EXPECT_LT(drawn.CountDifferent(expected), 64);
}
