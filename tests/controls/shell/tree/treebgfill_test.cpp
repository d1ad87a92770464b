#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "tests/support/TempDir.h"
#include "tests/support/TreeNodes.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
std::vector<std::string> Children(TTreeNode* node) {
  std::vector<std::string> names;
  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) names.push_back(c->GetText());
  return names;
}

// dir\many with count sub-folders d000, d001, ..., made out of order (7 shares no factor with
// 300 or 400); their names in order.
std::vector<std::string> MakeManyFolders(test::TempDir& dir, int count) {
  dir.Folder("many");
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "d%03d", (i * 7) % count);
    EXPECT_TRUE(CreateDirectoryA((dir / ("many\\" + std::string(name))).c_str(), nullptr)) << name;
    std::snprintf(name, sizeof name, "d%03d", i);
    names.push_back(name);
  }
  return names;
}

// A tree of dir that does not watch the disk, expanding in the background or not.
TZQShellTree* MakeTree(TForm* form, test::TempDir& dir, bool background) {
  auto* tree = new TZQShellTree(form);
  tree->SetBounds(0, 0, 300, 280);
  tree->SetParent(form);
  TZQShellTreeOptions options = tree->GetOptions();
  options.Exclude(zqstoDynamicRefresh);
  if (background) options.Include(zqstoBackgroundFill);
  tree->SetOptions(options);
  tree->GetBaseFolder()->SetPathName(dir.Path());
  return tree;
}

// dir\many of a given count of sub-folders, and a tree of dir expanding in the background.
class TreeBackgroundExpansion : public ::testing::Test {
protected:
  void MakeMany(int count) {
    expected = MakeManyFolders(dir, count);
    tree = MakeTree(form.Get(), dir, true);
    tree->OnFillComplete = [this](TObject*) { ++completes; };
    many = test::Child(tree->GetItems()->GetFirstNode(), "many");
    ASSERT_TRUE(many);
  }
  test::TempDir dir;
  test::TestForm form{320, 300};
  std::vector<std::string> expected;  // many's sub-folders in order
  TZQShellTree* tree = nullptr;
  TTreeNode* many = nullptr;
  int completes = 0;
};
}  // namespace

// A node of a few hundred sub-folders expands at once and gets its children as
// they come, in the folder's order; a new fill mid-way cancels, and the next
// expansion gives every child once.
TEST_F(TreeBackgroundExpansion, ChildrenComeInTheFoldersOrderAndANewFillCancels) {
  ASSERT_NO_FATAL_FAILURE(MakeMany(400));

  many->Expand(false);
  EXPECT_TRUE(Children(many).empty());  // the expansion returned before any child came
  ASSERT_TRUE(test::PumpUntil([&] { return many->GetExpanded(); }));  // open with its first children
  ASSERT_TRUE(test::PumpUntil([&] { return completes == 1; }, 10000));
  EXPECT_EQ(Children(many), expected);
  // Plain directories come with the icons a synchronous expansion finds when it draws them.
  TZQShellTree* sync = MakeTree(form.Get(), dir, false);
  TTreeNode* syncMany = test::Child(sync->GetItems()->GetFirstNode(), "many");
  ASSERT_TRUE(syncMany);
  syncMany->Expand(false);
  const auto icons = [](TTreeNode* node) {  // as the control asks for them to draw
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node->GetItemId();
    SendMessageA(node->GetTreeView()->GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return std::pair<int, int>(item.iImage, item.iSelectedImage);
  };
  ASSERT_GE(icons(syncMany->GetFirstChild()).first, 0);
  EXPECT_EQ(icons(many->GetFirstChild()), icons(syncMany->GetFirstChild()));
  sync->Free();

  // A new fill of the tree mid-expansion cancels it: nothing of it comes; expanded again, all come once.
  tree->FillItems();
  many = test::Child(tree->GetItems()->GetFirstNode(), "many");
  ASSERT_TRUE(many);
  many->Expand(false);
  tree->FillItems();
  many = test::Child(tree->GetItems()->GetFirstNode(), "many");
  ASSERT_TRUE(many);
  completes = 0;
  test::Pump(300);
  EXPECT_TRUE(Children(many).empty());
  EXPECT_EQ(completes, 0);
  many->Expand(false);
  ASSERT_TRUE(test::PumpUntil([&] { return completes == 1; }, 10000));
  EXPECT_EQ(Children(many), expected);
}

// The code's own walk to a folder below a node that is filling in the background
// takes the rest of the node's children at once: each child comes once, none later.
TEST_F(TreeBackgroundExpansion, AWalkIntoANodeMidExpansionFinishesItAtOnce) {
  ASSERT_NO_FATAL_FAILURE(MakeMany(300));

  many->Expand(false);
  ASSERT_TRUE(Children(many).empty());  // begun in the background
  tree->SetSelectedPathName(dir / "many\\d299");
  ASSERT_TRUE(tree->GetSelected());
  EXPECT_EQ(tree->GetSelected()->GetText(), "d299");
  EXPECT_EQ(Children(many), expected);
  test::Pump(500);
  EXPECT_EQ(Children(many), expected);
}

// The children of a big node come a chunk at a time, and the tree paints between
// chunks: a chunk does not come before the paint (or the user's input) that waits.
TEST_F(TreeBackgroundExpansion, TheTreePaintsBetweenChunks) {
  ASSERT_NO_FATAL_FAILURE(MakeMany(300));
  test::Pump(100);

  many->Expand(false);
  Sleep(1000);  // unanswered: the worker hands every child over before the window takes any
  std::vector<std::size_t> paintedWith;  // the children in when the tree painted some
  const DWORD start = GetTickCount();
  while (completes == 0 && GetTickCount() - start < 20000) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_PAINT && msg.hwnd == tree->GetHandle() && many->GetFirstChild())
      paintedWith.push_back(Children(many).size());
    DispatchMessageA(&msg);
  }
  ASSERT_EQ(completes, 1);
  EXPECT_EQ(Children(many), expected);
  ASSERT_FALSE(paintedWith.empty()) << "no paint until the last chunk was in";
  EXPECT_LT(paintedWith.front(), expected.size());
}
