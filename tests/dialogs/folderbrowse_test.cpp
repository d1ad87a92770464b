#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Graphics.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedDialog.h"
#include "tests/support/TempDir.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;
using test::TScriptedBrowseForm;

namespace {
TTreeNode* Root(TScriptedBrowseForm& f) { return f.ZQShellTree1->GetItems()->GetFirstNode(); }

std::string PathOf(PCItemIDList list) {
  char path[MAX_PATH] = {};
  return SHGetPathFromIDListA(list, path) ? path : "";
}

// What the window shows now, read without repainting it first.
std::unique_ptr<TBitmap> Shown(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  auto bitmap = std::make_unique<TBitmap>(r.right, r.bottom);
  const TWindowDC source(wnd, false);
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, r.right, r.bottom, source.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return bitmap;
}

// Dark pixels (text) inside r of bitmap.
int Ink(const TBitmap& bitmap, const RECT& r) {
  int ink = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = bitmap.PixelRGB(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++ink;
    }
  return ink;
}
}  // namespace

TEST(FolderBrowseDialog, OkReturnsTheChosenFolderWhileOnSelChangeRulesOk) {
  test::TempDir dir;
  for (const char* name : {"alpha", "beta", "gamma"}) dir.Folder(name);
  test::TScriptedFolderBrowseDlg dialog(nullptr);
  dialog.GetBaseFolder()->SetPathName(dir.Path());
  dialog.SetSelectedPathName(dir / "alpha");
  std::vector<std::string> changes;
  dialog.OnSelChange = [&](TObject*, PItemIDList list) {
    changes.push_back(ExtractFileName(PathOf(list)));
    dialog.SetOkEnabled(changes.back() != "beta");
  };
  std::string opened, duringRun;
  std::vector<bool> ok;
  int nodesBuilt = -1;  // the tree fills when the form shows, not while it is built
  dialog.OnInitialized = [&](TObject*) { nodesBuilt = dialog.GetForm()->ZQShellTree1->GetItems()->GetCount(); };
  const auto choose = [&](const char* name) {
    return [&, name](TScriptedBrowseForm& f) {
      test::Child(Root(f), name)->SetSelected(true);
      ok.push_back(f.OkBtn->GetEnabled());
    };
  };
  dialog.steps = {[&](TScriptedBrowseForm& f) {
                    opened = f.GetSelectedPathname();
                    choose("beta")(f);
                  },
                  choose("gamma"), [&](TScriptedBrowseForm& f) {
                    duringRun = dialog.GetSelectedPathName();
                    f.SetModalResult(mrOk);
                  }};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(nodesBuilt, 0);
  EXPECT_EQ(opened, dir / "alpha");
  EXPECT_EQ(ok, (std::vector<bool>{false, true}));  // OK is off exactly while beta is selected
  EXPECT_EQ(duringRun, dir / "alpha");               // the component's folder changes only after OK
  EXPECT_EQ(dialog.GetSelectedPathName(), dir / "gamma");
  EXPECT_THROW(dialog.GetOkEnabled(), Exception);

  // Cancel keeps the folder; an exception in OnSelChange goes to the application and OK still closes.
  int handled = 0;
  Application->OnException = [&](TObject*, const Exception&) { ++handled; };
  dialog.OnSelChange = [](TObject*, PItemIDList) { throw Exception("refused"); };
  dialog.OnInitialized = nullptr;
  dialog.steps = {choose("beta"), [](TScriptedBrowseForm& f) { f.SetModalResult(mrCancel); }};
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetSelectedPathName(), dir / "gamma");
  dialog.steps = {choose("alpha"), [](TScriptedBrowseForm& f) { f.SetModalResult(mrOk); }};
  EXPECT_TRUE(dialog.Execute());
  Application->OnException = nullptr;
  EXPECT_EQ(dialog.GetSelectedPathName(), dir / "alpha");
  EXPECT_GE(handled, 2);
  EXPECT_FALSE(dialog.leftOpen);
}

TEST(FolderBrowseDialog, CreateAndDeleteFollowTheSelectedNode) {
  test::TempDir dir;
  dir.Folder("alpha");
  dir.Folder("beta");
  std::vector<std::vector<bool>> buttons;  // Create, Delete, the small new-folder and delete buttons
  const auto look = [&](TScriptedBrowseForm& f) {
    buttons.push_back({f.CreateBtn->GetEnabled(), f.DeleteBtn->GetEnabled(), f.CreateNewFolderBtn->GetEnabled(),
                       f.DeleteFolderBtn->GetEnabled()});
  };
  bool editing = false, nodeGone = false, driven = false;
  test::TScriptedFolderBrowseDlg dialog(nullptr);
  dialog.GetBaseFolder()->SetPathName(dir.Path());
  dialog.SetOptions(dialog.GetOptions() + TZQFolderBrowseDlgOptions{zqfbCreateDeleteButtons});
  dialog.steps = {[&](TScriptedBrowseForm& f) {
                    Root(f)->SetSelected(true);
                    look(f);
                    test::Child(Root(f), "alpha")->SetSelected(true);
                    look(f);
                    f.CreateBtn->Click();
                    editing = f.ZQShellTree1->IsEditing();
                    TreeView_EndEditLabelNow(f.ZQShellTree1->GetHandle(), TRUE);
                  },
                  [&](TScriptedBrowseForm& f) {
                    test::Child(Root(f), "beta")->SetSelected(true);
                    test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); },
                                             [](HWND box) { PostMessageA(box, WM_COMMAND, IDYES, 0); });
                    f.DeleteBtn->Click();
                    driven = driver.Acted();
                    nodeGone = test::Child(Root(f), "beta") == nullptr;
                    f.SetModalResult(mrCancel);
                  }};
  dialog.Execute();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0], (std::vector<bool>{true, false, true, false}));  // the base is never deleted
  EXPECT_EQ(buttons[1], (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(editing);
  EXPECT_TRUE(DirectoryExists(dir / "alpha\\New Folder"));
  EXPECT_TRUE(driven);
  EXPECT_FALSE(DirectoryExists(dir / "beta"));
  EXPECT_TRUE(nodeGone);

  // A virtual folder (My Computer under the Desktop) gets neither.
  buttons.clear();
  test::TScriptedFolderBrowseDlg desktop(nullptr);
  desktop.SetOptions(desktop.GetOptions() + TZQFolderBrowseDlgOptions{zqfbCreateDeleteButtons, zqfbVirtualFolders});
  desktop.steps = {[&](TScriptedBrowseForm& f) {
    for (TTreeNode* n = Root(f)->GetFirstChild(); n; n = n->GetNextSibling())
      if (TZQShTreeData* record = TZQCustomShellTree::GetDataFromNode(n); record && record->GetPathName().empty()) {
        n->SetSelected(true);
        look(f);
        break;
      }
    f.SetModalResult(mrCancel);
  }};
  desktop.Execute();
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0], (std::vector<bool>{false, false, false, false}));
}

TEST(FolderBrowseDialog, ButtonsSitRightOrLeftAndTheWindowKeepsItsMinimum) {
  test::TempDir dir;
  for (const bool createDelete : {false, true}) {
    RECT ok = {}, cancel = {}, create = {};
    int treeLeft = 0, clientWidth = 0;
    POINT minimum = {};
    test::TScriptedFolderBrowseDlg dialog(nullptr);
    dialog.GetBaseFolder()->SetPathName(dir.Path());
    if (createDelete) dialog.SetOptions(dialog.GetOptions() + TZQFolderBrowseDlgOptions{zqfbCreateDeleteButtons});
    dialog.steps = {[&](TScriptedBrowseForm& f) {
      f.SetBounds(f.GetLeft(), f.GetTop(), 500, 420);
      ok = f.OkBtn->GetBoundsRect();
      cancel = f.CancelBtn->GetBoundsRect();
      create = f.CreateBtn->GetBoundsRect();
      treeLeft = f.ZQShellTree1->GetLeft();
      clientWidth = f.GetClientWidth();
      MINMAXINFO info = {};
      SendMessageA(f.GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
      minimum = info.ptMinTrackSize;
      f.SetModalResult(mrCancel);
    }};
    dialog.Execute();
    SCOPED_TRACE(createDelete);
    EXPECT_EQ(minimum.x, 366);
    EXPECT_EQ(minimum.y, 340);
    if (createDelete) {
      EXPECT_EQ(ok.left, treeLeft);
      EXPECT_EQ(cancel.left, ok.right + 4);
      EXPECT_EQ(create.left, 186);  // Create and Delete keep their places
    } else {
      EXPECT_EQ(cancel.right, clientWidth - 16);
      EXPECT_EQ(ok.right, cancel.left - 4);
    }
  }
}

TEST(FolderBrowseDialog, TheStatusLineShowsAtOnceAndLeavesNoOldText) {
  test::TempDir dir;
  test::TScriptedFolderBrowseDlg dialog(nullptr);
  dialog.GetBaseFolder()->SetPathName(dir.Path());
  dialog.SetStatus(std::string(20, 'W'));
  std::string atOpen;
  int inkBefore = 0, inkAfter = 0;
  dialog.steps = {[&](TScriptedBrowseForm& f) {
    atOpen = f.StatusTxt->GetCaption();
    f.StatusTxt->SetColor(clNone);  // a status line that fills nothing of its own
    UpdateWindow(f.GetHandle());
    RECT beyond = f.StatusTxt->GetBoundsRect();
    beyond.left += 20;  // where the W's are and a short text is not
    inkBefore = Ink(*Shown(f.GetHandle()), beyond);
    dialog.SetStatus("i");
    UpdateWindow(f.GetHandle());
    inkAfter = Ink(*Shown(f.GetHandle()), beyond);
    f.SetModalResult(mrCancel);
  }};
  dialog.Execute();
  EXPECT_EQ(atOpen, std::string(20, 'W'));
  EXPECT_GT(inkBefore, 50);
  EXPECT_EQ(inkAfter, 0);
}
