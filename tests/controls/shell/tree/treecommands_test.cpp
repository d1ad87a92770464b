#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/Forms.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ChangeDelays.h"
#include "tests/support/Clipboard.h"
#include "tests/support/Keys.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Platform.h"
#include "tests/support/RecordingList.h"
#include "tests/support/TempDir.h"
#include "tests/support/TreeNodes.h"
#include "tests/support/Ui.h"

using namespace korvane;
using test::Child;

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

POINT Middle(TTreeNode* node) {
  const RECT r = node->DisplayRect(true);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Ends a label edit typing text first (nil text: Escape).
void EndEdit(TZQCustomShellTree* tree, const char* text) {
  HWND edit = reinterpret_cast<HWND>(SendMessageA(tree->GetHandle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  if (text) SetWindowTextA(edit, text);
  SendMessageA(tree->GetHandle(), TVM_ENDEDITLABELNOW, text ? FALSE : TRUE, 0);
}

// root: alpha (inner: deep), beta, notes.txt
class TreeCommands : public ::testing::Test {
protected:
  void SetUp() override {
    dir.Folder("alpha\\inner\\deep");
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    tree = new TZQShellTree(form.Get());
    tree->SetBounds(0, 0, 300, 280);
    tree->SetParent(form.Get());
    tree->GetBaseFolder()->SetPathName(dir.Path());
    top = tree->GetItems()->GetFirstNode();
  }
  void TearDown() override { SetMessageDlgHandler(nullptr); }
  test::TempDir dir;
  test::TestForm form{320, 300};
  TZQShellTree* tree = nullptr;
  TTreeNode* top = nullptr;
};

}  // namespace

TEST_F(TreeCommands, TheShellMenuRunsTheChosenCommandAndHintsEachHighlightedItem) {
  HWND wnd = tree->GetHandle();
  ASSERT_TRUE(OpenClipboard(wnd));
  EmptyClipboard();
  CloseClipboard();
  TTreeNode* beta = Child(top, "beta");
  ASSERT_NE(beta, nullptr);
  int hints = 0;
  tree->OnPopupHint = [&](TObject*, const std::string&) { ++hints; };
  bool chosen = false;
  {
    test::ModalDriver driver(test::FindMenuWindow, [&](HWND menu) { chosen = test::ChooseMenuItemByText(menu, "Copy"); });
    tree->ProcessMenu(beta, Middle(beta));
    ASSERT_TRUE(driver.Acted());
  }
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(AnsiSameText(test::ClipboardFile(wnd), dir / "beta")) << test::ClipboardFile(wnd);
  EXPECT_GT(hints, 0);  // the help texts themselves are empty under Wine

  // The top-level node has no shell menu.
  test::ModalDriver none(test::FindMenuWindow, [](HWND menu) { test::CancelMenu(menu); }, 800);
  tree->ProcessMenu(top, Middle(top));
  test::Pump(900);
  EXPECT_FALSE(none.Acted());
}

TEST_F(TreeCommands, RenameFromTheMenuEditsTheLabelAndAFolderGoneMeanwhileIsMerged) {
  TTreeNode* beta = Child(top, "beta");
  bool offered = false;
  {
    test::ModalDriver driver(test::FindMenuWindow, [&](HWND menu) { offered = test::ChooseMenuItemByText(menu, "Rename"); });
    tree->ProcessMenu(beta, Middle(beta));
    ASSERT_TRUE(driver.Acted());
  }
  // Windows offers Rename in an item's menu; Wine's item menu has none.
  EXPECT_EQ(offered, test::WindowsElseWine(true, false));
  if (offered) {
    EXPECT_TRUE(tree->IsEditing());  // the shell's command never ran: the label is edited
    EndEdit(tree, nullptr);
  }

  // The folder goes while its menu is up: a refresh then waits for the menu.
  const test::ChangeDelays delays(50);
  std::atomic<bool> menuUp{true};
  int deletedWhileUp = 0, deleted = 0;
  tree->OnDeleteItem = [&](TObject*, TTreeNode* node, TZQShTreeData*) {
    if (node != beta) return;
    ++deleted;
    deletedWhileUp += menuUp ? 1 : 0;
  };
  {
    test::ModalDriver driver(test::FindMenuWindow, [&](HWND menu) {
      RemoveDirectoryA((dir / "beta").c_str());
      PostMessageA(tree->GetHandle(), AM_CHANGENOTIFY, 0, 0);
      Sleep(2500);  // the refresh timer fires inside the menu's loop
      menuUp = false;
      test::CancelMenu(menu);
    });
    tree->ProcessMenu(beta, Middle(beta));
    ASSERT_TRUE(driver.Acted());
  }
  EXPECT_TRUE(test::PumpUntil([&] { return Child(top, "beta") == nullptr; }, 3000));  // merged once the menu ended
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(deletedWhileUp, 0);
  EXPECT_NE(Child(top, "alpha"), nullptr);
}

TEST_F(TreeCommands, DeleteAsksAndNoKeepsTheFolder) {
  TTreeNode* beta = Child(top, "beta");
  int asked = 0;
  auto answer = [&](int button) {
    return [&, button](HWND dialog) {
      ++asked;
      PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    };
  };
  {
    test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); }, answer(IDNO));
    EXPECT_EQ(tree->DoCommandForNode(beta, "delete"), S_OK);
  }
  EXPECT_TRUE(Exists(dir / "beta"));
  EXPECT_NE(Child(top, "beta"), nullptr);
  {
    test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); }, answer(IDYES));
    tree->SetSelected(beta);
    test::PressKey(tree->GetHandle(), VK_DELETE);
  }
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(Exists(dir / "beta"));
  EXPECT_EQ(Child(top, "beta"), nullptr);
  EXPECT_EQ(tree->DoCommandForNode(top, "delete"), S_FALSE);  // the top-level node: nothing
}

TEST_F(TreeCommands, F2RenamesOnDiskAndTheChildrenStillOpen) {
  TTreeNode* alpha = Child(top, "alpha");
  alpha->Expand(false);
  ASSERT_NE(Child(alpha, "inner"), nullptr);
  tree->SetSelected(Child(alpha, "inner"));
  test::TRecordingList list(form.Get());
  tree->SetShellList(&list);
  const int sets = list.folderSets;

  tree->SetSelected(alpha);
  test::PressKey(tree->GetHandle(), VK_F2);
  ASSERT_TRUE(tree->IsEditing());
  EndEdit(tree, "omega");
  EXPECT_TRUE(Exists(dir / "omega\\inner\\deep"));
  EXPECT_FALSE(Exists(dir / "alpha"));
  EXPECT_EQ(alpha->GetText(), "omega");
  EXPECT_TRUE(AnsiSameText(tree->GetSelectedPathName(), dir / "omega"));
  TTreeNode* inner = Child(alpha, "inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_TRUE(AnsiSameText(TZQCustomShellTree::GetDataFromNode(inner)->GetPathName(), dir / "omega\\inner"));
  inner->Expand(false);
  EXPECT_NE(Child(inner, "deep"), nullptr);

  // Renaming a node that is not the selection leaves the list alone.
  const int before = list.folderSets;
  TTreeNode* beta = Child(top, "beta");
  beta->EditText();
  EndEdit(tree, "bravo");
  EXPECT_TRUE(Exists(dir / "bravo"));
  EXPECT_EQ(list.folderSets, before);
  EXPECT_GE(before, sets);

  // Escape changes nothing; an existing name is refused and the old one stays.
  beta->EditText();
  EndEdit(tree, nullptr);
  EXPECT_EQ(beta->GetText(), "bravo");
  test::ModalDriver dismiss([] { return test::FindProcessWindow("#32770"); },
                            [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }, 3000);
  beta->EditText();
  EndEdit(tree, "omega");
  EXPECT_EQ(beta->GetText(), "bravo");
  EXPECT_TRUE(Exists(dir / "bravo"));
  tree->SetShellList(nullptr);

  // The refused rename made no change, so the next change is not swallowed.
  const test::ChangeDelays delays(50);
  dir.Folder("zeta");
  PostMessageA(tree->GetHandle(), AM_CHANGENOTIFY, 0, 0);
  EXPECT_TRUE(test::PumpUntil([&] { return Child(top, "zeta") != nullptr; }, 3000));
}

TEST_F(TreeCommands, AChangeDuringTheEditIsMergedAfterIt) {
  const test::ChangeDelays delays(50);
  int mergesWhileEditing = 0;
  tree->OnFillStart = [&](TObject*) { mergesWhileEditing += tree->IsEditing() ? 1 : 0; };
  TTreeNode* beta = Child(top, "beta");
  beta->EditText();
  ASSERT_TRUE(tree->IsEditing());
  dir.Folder("delta");
  PostMessageA(tree->GetHandle(), AM_CHANGENOTIFY, 0, 0);
  test::Pump(2500);
  // Another test process may take the focus, which ends the edit early; either way
  // no merge runs while the label is edited, and the change is merged after it.
  if (tree->IsEditing()) EndEdit(tree, nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return Child(top, "delta") != nullptr; }, 2000));
  EXPECT_EQ(mergesWhileEditing, 0);
}

TEST_F(TreeCommands, NewFolderTakesTheNextFreeNameAndIsEdited) {
  tree->SetSelected(Child(top, "beta"));
  ASSERT_TRUE(tree->CreateNewFolder());
  EXPECT_TRUE(Exists(dir / "beta\\New Folder"));
  ASSERT_TRUE(tree->IsEditing());
  EndEdit(tree, nullptr);
  ASSERT_TRUE(tree->CreateNewFolder());
  EXPECT_TRUE(Exists(dir / "beta\\New Folder (2)"));
  EndEdit(tree, nullptr);
  EXPECT_NE(Child(Child(top, "beta"), "New Folder (2)"), nullptr);

  // My Computer has no path: nothing is made, not even in the current directory.
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  const bool before = Exists(std::string(current) + "\\New Folder");
  tree->GetBaseFolder()->SetCSIDL(csidlDrives);
  tree->SetSelected(tree->GetItems()->GetFirstNode());
  EXPECT_FALSE(tree->CreateNewFolder());
  EXPECT_EQ(Exists(std::string(current) + "\\New Folder"), before);
}

TEST(NewFolder, AnUnwritableParentWarnsAndAnswersFalse) {
  std::vector<std::string> warnings;
  SetMessageDlgHandler([&](const std::string&, const std::string& text, UINT) {
    warnings.push_back(text);
    return IDOK;
  });
  std::string name;
  EXPECT_FALSE(ZQShCreateNewFolder("Q:\\no\\such\\place", name));
  SetMessageDlgHandler(nullptr);
  ASSERT_EQ(warnings.size(), 3u);  // each pass, then the last word
  EXPECT_EQ(warnings[0].rfind("Unable to create the folder 'New Folder'", 0), 0u) << warnings[0];
  EXPECT_EQ(warnings[1].rfind("Unable to create the folder 'fldr'", 0), 0u) << warnings[1];
  EXPECT_EQ(warnings[2].rfind("Unable to create the folder 'New Folder'", 0), 0u) << warnings[2];
  EXPECT_NE(warnings[2].find(SysErrorMessage(ERROR_ALREADY_EXISTS)), std::string::npos);
}
