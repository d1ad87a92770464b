#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "examples/explorer/ExplorerForm.h"
#include "korvane/host/Application.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ListItems.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedDialog.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;
using test::Child;

namespace {

// The explorer's list fills in the background: every item is taken in before reading.
std::vector<std::string> Shown(TZQShellList* list) {
  EXPECT_TRUE(list->WaitForFill(10000));
  return test::Captions(list);
}

// The command identifier of the menu-bar item showing caption (before any tab), or 0.
UINT MenuCommand(HMENU menu, const std::string& caption) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (UINT id = MenuCommand(sub, caption)) return id;
      continue;
    }
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (std::string(text).substr(0, std::string(text).find('\t')) == caption) return GetMenuItemID(menu, i);
  }
  return 0;
}

// root: alpha (inner), beta, notes.txt
class Explorer : public ::testing::Test {
protected:
  void SetUp() override {
    dir.Folder("alpha\\inner");
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    form = new TExplorerForm(nullptr);
    form->Show();
    form->OpenFolder(dir.Path());
    test::Pump(50);
  }
  void TearDown() override { form->Free(); }
  // Chooses the menu item as the user would: its command reaches the form.
  void Choose(const std::string& caption) {
    const UINT id = MenuCommand(GetMenu(form->GetHandle()), caption);
    ASSERT_NE(id, 0u) << caption;
    SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
  bool Checked(const std::string& caption) {
    HMENU bar = GetMenu(form->GetHandle());
    for (int i = 0; i < GetMenuItemCount(bar); ++i) SendMessageA(form->GetHandle(), WM_INITMENUPOPUP,
                                                                   reinterpret_cast<WPARAM>(GetSubMenu(bar, i)), i);
    return GetMenuState(bar, MenuCommand(bar, caption), MF_BYCOMMAND) & MF_CHECKED;
  }
  test::TempDir dir;
  TExplorerForm* form = nullptr;
};

}  // namespace

TEST_F(Explorer, TheTreeTheComboTheMenusAndTheStatusLineDriveTheList) {
  ASSERT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), dir.Path()));
  EXPECT_EQ(Shown(form->List), (std::vector<std::string>{"alpha", "beta", "notes.txt"}));
  EXPECT_EQ(form->List->GetViewStyle(), vsReport);
  EXPECT_NE(form->Status->GetSimpleText().find("3 items"), std::string::npos) << form->Status->GetSimpleText();

  // A click on a folder in the tree fills the list; the combo follows.
  form->Tree->GetSelected()->Expand(false);  // in the background, as the user's own expansions
  TTreeNode* alpha = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (alpha = Child(form->Tree->GetSelected(), "alpha")) != nullptr; }));
  const RECT r = alpha->DisplayRect(true);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(form->Tree->GetHandle(), WM_LBUTTONUP, 0, at);  // ends the drag-detect loop the press enters
  SendMessageA(form->Tree->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  test::Pump(50);
  EXPECT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), dir / "alpha"));
  EXPECT_EQ(Shown(form->List), (std::vector<std::string>{"inner"}));
  EXPECT_TRUE(AnsiSameText(form->Combo->GetSelectedFolder()->GetPathName(), dir / "alpha"));
  EXPECT_NE(form->Status->GetSimpleText().find("1 item"), std::string::npos);
  EXPECT_NE(form->Status->GetSimpleText().find(dir / "alpha"), std::string::npos);

  // An entry chosen in the combo moves the tree and the list.
  TZQShellCombo* combo = form->Combo;
  int parent = -1;
  for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
    if (AnsiSameText(ShellGetPathFromIdList(combo->GetComboData(i)->GetAbsIdList()), dir.Path())) parent = i;
  ASSERT_GE(parent, 0);
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(parent), 0);
  SendMessageA(combo->GetParent()->GetHandle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELENDOK), reinterpret_cast<LPARAM>(combo->GetHandle()));
  test::Pump(50);
  EXPECT_TRUE(AnsiSameText(form->Tree->GetSelectedPathName(), dir.Path()));
  EXPECT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), dir.Path()));

  // View: the style follows the menu, and the menu marks it.
  Choose("&List");
  EXPECT_EQ(form->List->GetViewStyle(), vsList);
  EXPECT_TRUE(Checked("&List"));
  EXPECT_FALSE(Checked("&Details"));
  Choose("&Details");
  EXPECT_EQ(form->List->GetViewStyle(), vsReport);
  EXPECT_TRUE(Checked("&Details"));

  // Go → Up, from alpha.
  form->List->GetFolder()->SetPathName(dir / "alpha");
  test::Pump(50);
  Choose("&Up");
  EXPECT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), dir.Path()));

  // F5 refreshes wherever the focus is on the form; hidden items come with the menu.
  dir.File("late.txt");
  dir.File("secret.txt", 1, FILE_ATTRIBUTE_HIDDEN);
  form->Tree->SetFocus();
  PostMessageA(form->Tree->GetHandle(), WM_KEYDOWN, VK_F5, 0);
  test::Pump(100);
  EXPECT_EQ(Shown(form->List), (std::vector<std::string>{"alpha", "beta", "late.txt", "notes.txt"}));
  Choose("Show &Hidden Items");
  EXPECT_TRUE(Checked("Show &Hidden Items"));
  EXPECT_EQ(Shown(form->List), (std::vector<std::string>{"alpha", "beta", "late.txt", "notes.txt", "secret.txt"}));
}

TEST_F(Explorer, TheTreeShowsTheOpenFolderGreyedWhileTheListHasTheFocus) {
  form->List->SetFocus();
  ASSERT_EQ(GetFocus(), form->List->GetHandle());
  TTreeNode* open = form->Tree->GetSelected();
  ASSERT_NE(open, nullptr);
  const RECT text = open->DisplayRect(true);
  const auto shot = test::Snapshot(*form->Tree);
  // The cell behind the name is neither the window's colour nor the focused selection's.
  const COLORREF behind = shot->PixelRGB(text.left + 1, text.top + 1);
  EXPECT_NE(behind, GetSysColor(COLOR_WINDOW));
  EXPECT_NE(behind, GetSysColor(COLOR_HIGHLIGHT));
  COLORREF expectedText = 0, expectedBack = 0;
  InactiveSelectionColours(expectedText, expectedBack);
  EXPECT_EQ(behind, expectedBack);
}

TEST_F(Explorer, BrowseForFolderMovesTheExplorerToTheChosenFolder) {
  // The system's dialog, driven to a folder and closed with OK.
  test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); }, [](HWND dialog) {
    Sleep(300);  // the dialog selects the explorer's folder first
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>("C:\\windows"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  Choose("&Browse for Folder...");
  EXPECT_TRUE(driver.Acted());
  EXPECT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), "C:\\windows"))
      << form->List->GetFolder()->GetPathName();
  EXPECT_TRUE(AnsiSameText(form->Tree->GetSelectedPathName(), "C:\\windows"));
}

TEST_F(Explorer, OpenAndSaveAsPutTheChosenPathsOnTheStatusLine) {
  // Each dialog opens at the explorer's folder; the user types a name there and presses OK.
  const auto typeAndOk = [](const char* name) {
    return [name](TObject* sender) {
      auto* dialog = static_cast<TZQFrmOpenDlg*>(sender);
      dialog->FileNameEdt->SetText(name);
      dialog->SetModalResult(mrOk);
    };
  };
  test::TMessageLog messages;
  form->OpenDialog->OnFormShow = typeAndOk("notes.txt");
  Choose("&Open...");
  EXPECT_EQ(form->Status->GetSimpleText(), "Open: " + (dir / "notes.txt"));
  form->SaveDialog->OnFormShow = typeAndOk("report");
  Choose("Save &As...");
  EXPECT_EQ(form->Status->GetSimpleText(), "Save as: " + (dir / "report.txt"));
  EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

TEST_F(Explorer, BrowseForFolderKorvaneMovesTheExplorerToTheChosenFolder) {
  // The dialog opens at the explorer's folder; the user picks its child "beta" and presses OK.
  form->FolderDialog->OnFormShow = [](TObject* sender) {
    auto* dialog = static_cast<TZQFrmFolderBrowseDlg*>(sender);
    TTreeNode* open = dialog->ZQShellTree1->GetSelected();
    open->Expand(false);  // its children come in the background
    TTreeNode* beta = nullptr;
    test::PumpUntil([&] { return (beta = test::Child(open, "beta")) != nullptr; });
    if (beta) beta->SetSelected(true);  // else the explorer stays where it was and the check below fails
    dialog->SetModalResult(mrOk);
  };
  Choose("&Browse for Folder (Korvane)...");
  EXPECT_TRUE(AnsiSameText(form->List->GetFolder()->GetPathName(), dir / "beta"))
      << form->List->GetFolder()->GetPathName();
}
