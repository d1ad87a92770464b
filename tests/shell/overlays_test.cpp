// Runs in a process of its own: the first request for a system image list
// installs the overlay images.
#include <gtest/gtest.h>

#include "shell/Uzqshellutils.h"
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
