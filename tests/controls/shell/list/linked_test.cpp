#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "tests/support/ListItems.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;
using test::Child;

namespace {

using test::Captions;

void Click(TTreeNode* node) {
  HWND tree = node->GetTreeView()->GetHandle();
  const RECT r = node->DisplayRect(true);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(tree, WM_LBUTTONUP, 0, at);  // ends the drag-detect loop the press enters
  SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  test::Pump(50);
}

class TCountingCombo : public TZQShellCombo {
public:
  using TZQShellCombo::TZQShellCombo;
  int fills = 0;

protected:
  void FillCombo(IShellFolder* folder, PCItemIDList parentList, int level, TZQIdListArray* path) override {
    if (level < 0) ++fills;
    TZQShellCombo::FillCombo(folder, parentList, level, path);
  }
};

int IndexOfCaption(TCustomListView* list, const std::string& caption) {
  const std::vector<std::string> all = Captions(list);
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == caption) return static_cast<int>(i);
  return -1;
}

// An explorer: a combo above, a tree on the left, a report list on the right.
// root: alpha (inner: deep; readme.txt, data.bin), beta (empty), notes.txt
class Linked : public ::testing::Test {
protected:
  void SetUp() override {
    dir.Folder("alpha\\inner\\deep");
    dir.File("alpha\\readme.txt", 10);
    dir.File("alpha\\data.bin", 4000);
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    combo = new TCountingCombo(form.Get());
    combo->SetBounds(4, 4, 632, 24);
    combo->SetParent(form.Get());
    tree = new TZQShellTree(form.Get());
    tree->SetBounds(4, 34, 200, 282);
    tree->SetParent(form.Get());
    list = new TZQShellList(form.Get());
    list->SetBounds(208, 34, 428, 282);
    list->SetViewStyle(vsReport);
    list->SetParent(form.Get());
    list->OnFillStart = [this](TObject*) { ++fills; };
    tree->GetBaseFolder()->SetPathName(dir.Path());
    tree->SetShellList(list);
    combo->SetShellTree(tree);
    test::Pump(50);
    fills = 0;
  }
  test::TempDir dir;
  test::TestForm form{640, 320};
  TCountingCombo* combo = nullptr;
  TZQShellTree* tree = nullptr;
  TZQShellList* list = nullptr;
  int fills = 0;
};

}  // namespace

TEST_F(Linked, AClickInTheTreeFillsTheListOnceAndTheComboFollows) {
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"alpha", "beta", "notes.txt"}));

  Click(Child(tree->GetItems()->GetFirstNode(), "alpha"));
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "alpha");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"inner", "data.bin", "readme.txt"}));
  EXPECT_EQ(combo->GetSelectedFolder()->GetPathName(), dir / "alpha");
  test::SaveScreenshot(form->GetHandle(), std::string(KORVANE_SCREENSHOT_DIR) + "\\linked.png");

  // The list's folder set from outside walks the tree there, and fills once.
  fills = 0;
  list->GetFolder()->SetPathName(dir / "alpha\\inner");
  EXPECT_EQ(fills, 1);
  ASSERT_NE(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->GetSelected()->GetText(), "inner");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"deep"}));
}

TEST_F(Linked, HidingFoldersWhenLinkedLeavesThemToTheTreeButKeepsDrives) {
  Click(Child(tree->GetItems()->GetFirstNode(), "alpha"));
  fills = 0;
  TZQShellListOptions options = list->GetOptions();
  options.Include(zqsloHideFoldersWhenLinkedToTree);
  list->SetOptions(options);
  EXPECT_EQ(fills, 1);  // switching the option on refills
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"data.bin", "readme.txt"}));

  // Drives are file-system folders too, but not inside one: they stay.
  tree->GetBaseFolder()->SetCSIDL(csidlDrives);
  EXPECT_EQ(list->GetFolder()->GetCSIDL() == csidlDrives || list->GetFolder()->GetPathName().empty(), true);
  bool drive = false;
  for (const std::string& c : Captions(list)) drive |= c.find("(C:)") != std::string::npos;
  EXPECT_TRUE(drive);

  // Without a linked tree the folders come back.
  tree->SetShellList(nullptr);
  EXPECT_EQ(list->GetShellTree(), nullptr);
  list->GetFolder()->SetPathName(dir / "alpha");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"inner", "data.bin", "readme.txt"}));
}

TEST_F(Linked, AFreedTreeIsForgottenAndASecondTreeTakesTheListOver) {
  auto* second = new TZQShellTree(form.Get());
  second->SetParent(form.Get());
  second->GetBaseFolder()->SetPathName(dir / "alpha");
  second->SetShellList(list);
  EXPECT_EQ(list->GetShellTree(), second);
  EXPECT_EQ(tree->GetShellList(), nullptr);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "alpha");
  second->Free();
  EXPECT_EQ(list->GetShellTree(), nullptr);
  list->GetFolder()->SetPathName(dir.Path());  // no call reaches the freed tree
  EXPECT_EQ(Captions(list).size(), 3u);
}

TEST_F(Linked, OpeningAFolderInTheListMovesTreeAndComboAndTheComboMovesBoth) {
  // Enter on a folder of the list: the tree walks there, the list fills once, the combo rebuilds once.
  const int index = IndexOfCaption(list, "alpha");
  ASSERT_GE(index, 0);
  list->GetItems()->GetItem(index)->SetSelected(true);
  combo->fills = 0;
  SendMessageA(list->GetHandle(), WM_CHAR, '\r', 0);
  test::Pump(50);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "alpha");
  EXPECT_EQ(fills, 1);
  ASSERT_NE(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->GetSelected()->GetText(), "alpha");
  EXPECT_EQ(combo->GetSelectedFolder()->GetPathName(), dir / "alpha");
  EXPECT_EQ(combo->fills, 1);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"inner", "data.bin", "readme.txt"}));

  // Backspace goes up through the tree.
  fills = 0;
  SendMessageA(list->GetHandle(), WM_CHAR, '\b', 0);
  test::Pump(50);
  EXPECT_EQ(tree->GetSelected()->GetText(), dir.Path().substr(dir.Path().rfind('\\') + 1));
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  EXPECT_EQ(fills, 1);

  // A pick in the combo moves the tree and, through it, the list: once each.
  combo->GetSelectedFolder()->SetPathName(dir / "alpha\\inner");
  test::Pump(50);
  int at = -1;
  for (int i = 0; i < combo->GetItems()->GetCount(); ++i) {
    if (ShellGetPathFromIdList(combo->GetComboData(i)->GetAbsIdList()) == dir / "alpha") at = i;
  }
  ASSERT_GE(at, 0);
  fills = 0;
  combo->fills = 0;
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELENDOK),
               reinterpret_cast<LPARAM>(combo->GetHandle()));
  test::Pump(50);
  EXPECT_EQ(tree->GetSelected()->GetText(), "alpha");
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "alpha");
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(combo->fills, 1);
  test::SaveScreenshot(form->GetHandle(), std::string(KORVANE_SCREENSHOT_DIR) + "\\explorer-linked.png");
}
