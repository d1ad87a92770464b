#include <gtest/gtest.h>

#include "korvane/controls/shell/common/shortcuts.h"

using namespace korvane;

TEST(ShortCuts, TextsParseLikeMenuShortcuts) {
  EXPECT_EQ(ZQTextToShortCut("F5"), VK_F5);
  EXPECT_EQ(ZQTextToShortCut("Del"), VK_DELETE);
  EXPECT_EQ(ZQTextToShortCut("ctrl+c"), 0x4000 | 'C');  // modifiers and names ignore case
  EXPECT_EQ(ZQTextToShortCut("^X"), 0x4000 | 'X');
  EXPECT_EQ(ZQTextToShortCut("Shift+Alt+F24"), 0x2000 | 0x8000 | VK_F24);
  EXPECT_EQ(ZQTextToShortCut("Enter"), VK_RETURN);
  EXPECT_EQ(ZQTextToShortCut("7"), '7');  // the digit key comes before the keypad's "7"
  EXPECT_EQ(ZQTextToShortCut("#200"), 200);
  EXPECT_EQ(ZQTextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(ZQTextToShortCut("Ctrl+Nothing"), 0);
  EXPECT_EQ(ShortCut('A', {ssCtrl, ssLeft}), 0x4000 | 'A');  // mouse buttons do not count
}

TEST(ShortCuts, TheSharedTableComesFromTheStringTable) {
  const auto& keys = ZQShellShortCuts();
  EXPECT_EQ(keys[zqkSelectAll], 0x4000 | 'A');
  EXPECT_EQ(keys[zqkDelete], VK_DELETE);
  EXPECT_EQ(keys[zqkCopy], 0x4000 | 'C');
  EXPECT_EQ(keys[zqkCut], 0x4000 | 'X');
  EXPECT_EQ(keys[zqkPaste], 0x4000 | 'V');
  EXPECT_EQ(keys[zqkRefresh], VK_F5);
  EXPECT_EQ(keys[zqkEdit], VK_F2);
  EXPECT_EQ(&ZQShellShortCuts(), &keys);  // parsed once per process
}
