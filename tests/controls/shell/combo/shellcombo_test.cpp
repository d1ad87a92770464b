#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/RecordingList.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
// A shell combo that counts its rebuilds.
class TCountingCombo : public TZQShellCombo {
public:
  using TZQShellCombo::TZQShellCombo;
  using TZQShellCombo::GetItemData;  // a caption or an icon asked as when drawn
  int fills = 0;

protected:
  void FillCombo(IShellFolder* folder, PCItemIDList parentList, int level, TZQIdListArray* path) override {
    if (level < 0) ++fills;
    TZQShellCombo::FillCombo(folder, parentList, level, path);
  }
};

struct Entry {
  int indent;
  std::string path;
  bool chosen;
};

std::vector<Entry> Entries(TZQCustomShellCombo* combo) {
  std::vector<Entry> entries;
  const int chosen = combo->GetItemIndex();
  for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
    entries.push_back({combo->GetImageComboItem(i)->GetIndent(),
                       ShellGetPathFromIdList(combo->GetComboData(i)->GetAbsIdList()), i == chosen});
  return entries;
}

int IndexOfPath(const std::vector<Entry>& entries, const std::string& path) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (AnsiSameText(entries[i].path, path)) return static_cast<int>(i);
  return -1;
}

// C:\<unique>\first\second: a folder two levels below a folder on the drive.
class DriveFolders {
public:
  DriveFolders() {
    root_ = "C:\\korvane-combo-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\first").c_str(), nullptr);
    CreateDirectoryA((root_ + "\\first\\second").c_str(), nullptr);
  }
  ~DriveFolders() { test::RemoveTree(root_); }
  const std::string& Root() const { return root_; }

private:
  std::string root_;
};

struct ShellCombo : ::testing::Test {
  TCountingCombo* MakeCombo() {
    auto* combo = new TCountingCombo(form.Get());
    combo->SetBounds(0, 0, 300, 22);
    combo->SetParent(form.Get());
    return combo;
  }
  test::TestForm form{320, 300};
};
}  // namespace

TEST_F(ShellCombo, ANewComboShowsTheDesktopItsFoldersAndTheDrives) {
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  for (const bool nonFileSystem : {true, false}) {
    SCOPED_TRACE(nonFileSystem);
    TCountingCombo* combo = MakeCombo();
    if (!nonFileSystem) {
      combo->SetOptions({zqscoAutofill});
      combo->FillItems();
    }
    EXPECT_EQ(combo->fills, nonFileSystem ? 1 : 2);  // filled when its window was made
    const auto entries = Entries(combo);
    ASSERT_GT(entries.size(), 3u);
    EXPECT_EQ(entries[0].indent, 0);
    EXPECT_TRUE(entries[0].chosen);
    combo->GetItemData(combo->GetImageComboItem(0));
    EXPECT_EQ(combo->GetImageComboItem(0)->GetCaption(), "Desktop");
    int computer = -1;
    for (std::size_t i = 1; i < entries.size(); ++i)
      if (CompareAbsIdLists(combo->GetComboData(static_cast<int>(i))->GetAbsIdList(), drives.Get()) == 0)
        computer = static_cast<int>(i);
    ASSERT_GT(computer, 0);
    EXPECT_EQ(entries[static_cast<std::size_t>(computer)].indent, 1);
    // Below My Computer, at 2: the drives, and Control Panel (no path) only with the option.
    int drivesSeen = 0, virtualSeen = 0;
    for (std::size_t i = static_cast<std::size_t>(computer) + 1; i < entries.size() && entries[i].indent == 2; ++i) {
      drivesSeen += entries[i].path == "C:\\";
      virtualSeen += entries[i].path.empty();
    }
    EXPECT_EQ(drivesSeen, 1);
    EXPECT_EQ(virtualSeen > 0, nonFileSystem);
    for (const Entry& e : entries) EXPECT_LE(e.indent, 2);
    combo->Free();
  }
}

TEST_F(ShellCombo, TheChainDownToTheSelectedFolderAndGoingUp) {
  DriveFolders folders;
  TCountingCombo* combo = MakeCombo();
  combo->GetSelectedFolder()->SetPathName(folders.Root() + "\\first\\second");
  auto entries = Entries(combo);
  const int drive = IndexOfPath(entries, "C:\\");
  ASSERT_GE(drive, 0);
  EXPECT_EQ(entries[static_cast<std::size_t>(drive)].indent, 2);
  // The drive, then the folders on the way at 3, 4 and 5, the last chosen.
  const std::size_t d = static_cast<std::size_t>(drive);
  ASSERT_GT(entries.size(), d + 3);
  EXPECT_TRUE(AnsiSameText(entries[d + 1].path, folders.Root()));
  EXPECT_EQ(entries[d + 1].indent, 3);
  EXPECT_TRUE(AnsiSameText(entries[d + 2].path, folders.Root() + "\\first"));
  EXPECT_EQ(entries[d + 2].indent, 4);
  EXPECT_TRUE(AnsiSameText(entries[d + 3].path, folders.Root() + "\\first\\second"));
  EXPECT_EQ(entries[d + 3].indent, 5);
  EXPECT_TRUE(entries[d + 3].chosen);
  TZQImageComboItem* last = combo->GetImageComboItem(static_cast<int>(d + 3));
  EXPECT_EQ(last->GetCaption(), "second");  // named at once; the entries off the chain when drawn
  EXPECT_EQ(last->GetImageIndex(),
            ShellGetIconIndexFromPath(folders.Root() + "\\first\\second", SHGFI_SMALLICON | SHGFI_OPENICON));
  EXPECT_EQ(combo->GetImageComboItem(static_cast<int>(d + 2))->GetCaption(), "");
  combo->GetItemData(combo->GetImageComboItem(static_cast<int>(d + 2)));
  EXPECT_EQ(combo->GetImageComboItem(static_cast<int>(d + 2))->GetCaption(), "first");

  combo->GoUp(1);
  EXPECT_TRUE(AnsiSameText(combo->GetSelectedFolder()->GetPathName(), folders.Root() + "\\first"));
  combo->GoUp(2);
  EXPECT_EQ(combo->GetSelectedFolder()->GetPathName(), "C:\\");
  combo->GetSelectedFolder()->Clear();
  const int fills = combo->fills;
  combo->GoUp(1);  // on the desktop: nothing
  EXPECT_EQ(combo->fills, fills);
  EXPECT_EQ(combo->GetItemIndex(), 0);
}

TEST_F(ShellCombo, LinkedToATreeEachMovesTheOtherOnce) {
  DriveFolders folders;
  auto* tree = new TZQShellTree(form.Get());
  tree->SetBounds(0, 30, 300, 260);
  tree->SetParent(form.Get());
  tree->GetBaseFolder()->SetPathName("C:\\");
  TCountingCombo* combo = MakeCombo();
  combo->SetShellTree(tree);
  EXPECT_EQ(tree->GetShellCombo(), combo);

  // A pick in the combo moves the tree, once, and the combo rebuilds once.
  combo->GetSelectedFolder()->SetPathName(folders.Root() + "\\first");
  int fills = combo->fills;
  const auto entries = Entries(combo);
  const int root = IndexOfPath(entries, folders.Root());
  ASSERT_GE(root, 0);
  std::vector<std::string> treeChanges;
  tree->OnChange = [&](TObject*, TTreeNode*) { treeChanges.push_back(tree->GetSelectedPathName()); };
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(root), 0);
  SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELENDOK),
               reinterpret_cast<LPARAM>(combo->GetHandle()));
  EXPECT_TRUE(AnsiSameText(tree->GetSelectedPathName(), folders.Root()));
  EXPECT_EQ(combo->fills, fills + 1);
  EXPECT_LE(treeChanges.size(), 1u);

  // A selection in the tree moves the combo once.
  fills = combo->fills;
  tree->SetSelectedPathName(folders.Root() + "\\first\\second");
  EXPECT_TRUE(AnsiSameText(combo->GetSelectedFolder()->GetPathName(), folders.Root() + "\\first\\second"));
  EXPECT_EQ(combo->fills, fills + 1);

  // A list cannot be linked beside the tree; a freed tree leaves the combo working.
  auto* list = new test::TRecordingList(form.Get());
  combo->SetShellList(list);
  EXPECT_EQ(combo->GetShellList(), nullptr);
  EXPECT_EQ(list->combo, nullptr);
  tree->Free();
  EXPECT_EQ(combo->GetShellTree(), nullptr);
  combo->GetSelectedFolder()->SetPathName(folders.Root());
  EXPECT_EQ(combo->GetItems()->GetCount() > 0, true);
  combo->SetShellList(list);
  EXPECT_EQ(list->combo, combo);
  combo->GetSelectedFolder()->SetPathName(folders.Root() + "\\first");
  EXPECT_TRUE(AnsiSameText(list->folder.GetPathName(), folders.Root() + "\\first"));  // the list follows
  combo->SetShellTree(new TZQShellTree(form.Get()));  // refused: a list is linked
  EXPECT_EQ(combo->GetShellTree(), nullptr);
}

TEST_F(ShellCombo, EveryEntryAndItsRecordGoOnceWhenTheComboGoes) {
  TCountingCombo* combo = MakeCombo();
  const int count = combo->GetItems()->GetCount();
  ASSERT_GT(count, 3);
  int deleted = 0;
  combo->OnDeleteImageItem = [&](TObject*, TZQImageComboItem* item) { deleted += item->UserData != nullptr; };
  combo->Free();
  EXPECT_EQ(deleted, count);
}

TEST_F(ShellCombo, TheDesignerLetsTheDropDownButtonThrough) {
  TCountingCombo* combo = MakeCombo();
  const int width = combo->GetClientWidth(), button = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(combo->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(width - button + 1, 5)), 1);
  EXPECT_EQ(combo->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(width - button - 1, 5)), 0);
}
