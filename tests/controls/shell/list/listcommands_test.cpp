#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Forms.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/Clipboard.h"
#include "tests/support/FillModes.h"
#include "tests/support/Keys.h"
#include "tests/support/ListItems.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;
using test::Captions;
using test::ItemNamed;
using test::SelectOnly;

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void EndEdit(TZQCustomShellList* list, const char* text) {
  HWND edit = reinterpret_cast<HWND>(SendMessageA(list->GetHandle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  if (text) {
    SetWindowTextA(edit, text);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  } else {
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

// root: alpha (inner), beta, notes.txt, data.bin, and shortcuts to alpha and to a deleted folder
class ListCommands : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    dir.Folder("alpha\\inner");
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    dir.File("data.bin", 3000);
    dir.Folder("gone");
    ASSERT_EQ(CreateQuickShortcut(dir / "to alpha.lnk", dir / "alpha"), S_OK);
    ASSERT_EQ(CreateQuickShortcut(dir / "to gone.lnk", dir / "gone"), S_OK);
    RemoveDirectoryA((dir / "gone").c_str());
    list = new TZQShellList(form.Get());
    list->SetBounds(0, 0, 400, 280);
    list->SetParent(form.Get());
    list->SetViewStyle(vsReport);
    test::SetFillMode(list, GetParam());
    list->GetFolder()->SetPathName(dir.Path());
    test::Filled(list);
  }
  test::TempDir dir;
  test::TestForm form{420, 300};
  TZQShellList* list = nullptr;
};

}  // namespace

KORVANE_IN_BOTH_FILL_MODES(ListCommands);

TEST_P(ListCommands, OpeningFoldersShortcutsAndFiles) {
  int handled = 0;
  list->OnDblClickOpen = [&](TObject*, bool& h) {
    ++handled;
    h = true;  // the application opens files itself
  };
  // A file: the handler takes it, nothing else happens.
  SelectOnly(list, {"notes.txt"});
  list->OpenSelectedItems();
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  // A shortcut whose folder was deleted is not followed (and never to the desktop).
  SelectOnly(list, {"to gone"});
  list->OpenSelectedItems();
  EXPECT_EQ(handled, 2);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  // Two folders: both default commands, entering neither.
  SelectOnly(list, {"alpha", "beta"});
  test::PressKey(list->GetHandle(), VK_RETURN);
  SendMessageA(list->GetHandle(), WM_CHAR, '\r', 0);
  EXPECT_EQ(handled, 3);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  // A shortcut to a folder enters its target; the handler is not asked.
  SelectOnly(list, {"to alpha"});
  list->OpenSelectedItems();
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "alpha");
  EXPECT_EQ(Captions(test::Filled(list)), (std::vector<std::string>{"inner"}));
  // Backspace goes up; a double click on a folder enters it.
  SendMessageA(list->GetHandle(), WM_CHAR, '\b', 0);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  SelectOnly(test::Filled(list), {"beta"});
  const RECT r = ItemNamed(list, "beta")->DisplayRect(drLabel);
  SendMessageA(list->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 3, (r.top + r.bottom) / 2));
  SendMessageA(list->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, (r.top + r.bottom) / 2));
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir / "beta");
  EXPECT_EQ(handled, 3);

  // zqsloDontChangeFolder: neither entering nor going up, but files still reach the handler.
  list->GetFolder()->SetPathName(dir.Path());
  list->SetOptions(list->GetOptions() + TZQShellListOptions{zqsloDontChangeFolder});
  SelectOnly(test::Filled(list), {"alpha"});
  list->OpenSelectedItems();
  list->GoUp(1);
  EXPECT_EQ(list->GetFolder()->GetPathName(), dir.Path());
  SelectOnly(list, {"notes.txt"});
  list->OpenSelectedItems();
  EXPECT_EQ(handled, 4);
}

TEST_P(ListCommands, MenuForAllSelectedCopiesEveryItem) {
  HWND wnd = list->GetHandle();
  ASSERT_TRUE(OpenClipboard(wnd));
  EmptyClipboard();
  CloseClipboard();
  SelectOnly(list, {"notes.txt", "data.bin"});
  EXPECT_EQ(list->ShellSelCount(), 2);
  bool chosen = false;
  {
    test::ModalDriver driver(test::FindMenuWindow, [&](HWND menu) { chosen = test::ChooseMenuItemByText(menu, "Copy"); });
    list->ProcessMenuForAllSelected({20, 20});
    ASSERT_TRUE(driver.Acted());
  }
  EXPECT_TRUE(chosen);
  ASSERT_TRUE(OpenClipboard(wnd));
  const auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
  EXPECT_EQ(drop ? DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0u, 2u);
  CloseClipboard();

  // Ctrl+A selects everything.
  test::PressKey(wnd, 'A', true);
  EXPECT_EQ(list->GetSelCount(), list->GetItems()->GetCount());
  EXPECT_EQ(list->ShellSelCount(), list->GetItems()->GetCount());
}

TEST_P(ListCommands, DeleteAsksAndTheItemGoesPasteCopiesAFileDrop) {
  SelectOnly(list, {"data.bin"});
  int asked = 0;
  {
    test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); }, [&](HWND dialog) {
      ++asked;
      PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    });
    test::PressKey(list->GetHandle(), VK_DELETE, false, true);  // Shift+Del deletes too
  }
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Exists(dir / "data.bin"));
  {
    test::ModalDriver driver([] { return test::FindProcessWindow("#32770"); }, [&](HWND dialog) {
      ++asked;
      PostMessageA(dialog, WM_COMMAND, IDYES, 0);
    });
    test::PressKey(list->GetHandle(), VK_DELETE);
  }
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(Exists(dir / "data.bin"));
  EXPECT_TRUE(test::PumpUntil([&] { return ItemNamed(list, "data.bin") == nullptr; }, 5000));

  // A clipboard holding only a file drop: Ctrl+V pastes through the folder's own
  // menu, which copies the file on Windows. Wine's item menus offer no "paste":
  // the command's failure reaches the application's exception handling.
  test::TempDir other;
  const std::string source = other.File("pasted.txt", 7);
  TGlobalHandle drop = BuildHDrop({source});
  ASSERT_TRUE(OpenClipboard(list->GetHandle()));
  EmptyClipboard();
  SetClipboardData(CF_HDROP, drop.Release());
  CloseClipboard();
  std::vector<std::string> errors;
  Application->OnException = [&](TObject*, const Exception& e) { errors.push_back(e.Message()); };
  test::PressKey(list->GetHandle(), 'V', true);
  Application->OnException = nullptr;
  EXPECT_EQ(test::PumpUntil([&] { return Exists(dir / "pasted.txt"); }, 3000), test::WindowsElseWine(true, false));
  EXPECT_EQ(errors.size(), test::WindowsElseWine(0u, 1u));
}

TEST_P(ListCommands, F2RenamesOnDiskAndAnExistingNameIsRefused) {
  SelectOnly(list, {"notes.txt"});
  test::PressKey(list->GetHandle(), VK_F2);
  ASSERT_TRUE(list->IsEditing());
  EndEdit(list, "memo.txt");
  EXPECT_TRUE(Exists(dir / "memo.txt"));
  EXPECT_FALSE(Exists(dir / "notes.txt"));
  EXPECT_NE(ItemNamed(list, "memo.txt"), nullptr);

  test::ModalDriver dismiss([] { return test::FindProcessWindow("#32770"); },
                            [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }, 3000);
  ItemNamed(list, "memo.txt")->EditCaption();
  EndEdit(list, "data.bin");
  EXPECT_TRUE(Exists(dir / "memo.txt"));
  EXPECT_NE(ItemNamed(list, "memo.txt"), nullptr);
}

TEST_P(ListCommands, NewFolderIsListedAndEditedButNotInMyComputer) {
  ASSERT_TRUE(list->CreateNewFolder(true));
  EXPECT_TRUE(Exists(dir / "New Folder"));
  EXPECT_TRUE(test::PumpUntil([&] { return list->IsEditing(); }, 3000));
  ASSERT_NE(ItemNamed(list, "New Folder"), nullptr);
  EndEdit(list, nullptr);
  ASSERT_TRUE(list->CreateNewFolder(false));
  EXPECT_TRUE(Exists(dir / "New Folder (2)"));

  list->GetFolder()->SetCSIDL(csidlDrives);
  EXPECT_FALSE(list->CreateNewFolder(true));
}

TEST_P(ListCommands, SendToDropsTheSelectedItemsOnTheEntry) {
  // A Send To entry that is a folder shortcut; the list's data object goes to its drop target.
  test::TempDir target;
  const std::string sendTo = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
  ASSERT_FALSE(sendTo.empty());
  CreateDirectoryA(sendTo.c_str(), nullptr);
  const std::string entry = sendTo + "\\Korvane target.lnk";
  ASSERT_EQ(CreateQuickShortcut(entry, target.Path()), S_OK);
  auto entries = std::make_unique<TStringList>();
  entries->Add("Korvane target.lnk");
  ZQSendToList() = std::move(entries);
  SelectOnly(list, {"notes.txt", "data.bin"});
  bool raised = false;
  try {
    list->ProcessSendTo(0);
  } catch (const Exception&) {
    raised = true;
  }
  // Windows' shortcut forwards the drop to its folder; Wine's shortcut items take
  // the drop and copy nothing.
  const bool copied = test::PumpUntil([&] { return Exists(target / "notes.txt") && Exists(target / "data.bin"); }, 3000);
  EXPECT_EQ(copied, test::WindowsElseWine(true, false));
  EXPECT_FALSE(raised);

  // What the entry received, read back as the system reads a file drop.
  auto* object = new TDataObject_shlv(list);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  ASSERT_EQ(data->GetData(&format, &medium), S_OK);
  std::vector<std::string> names;
  const auto drop = static_cast<HDROP>(medium.hGlobal);
  for (UINT i = 0; i < DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0); ++i) {
    char name[MAX_PATH] = {};
    DragQueryFileA(drop, i, name, MAX_PATH);
    names.push_back(name);
  }
  ReleaseStgMedium(&medium);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{dir / "data.bin", dir / "notes.txt"}));
  ZQSendToList().reset();
  DeleteFileA(entry.c_str());
}

TEST_P(ListCommands, EnterOnAFolderIsTheListsAndNoExplorerAnswersTheBrowserRequest) {
  SelectOnly(list, {"alpha"});
  EXPECT_NE(list->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);  // a dialog's default button does not take it
  SelectOnly(list, {"notes.txt"});
  EXPECT_EQ(list->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  // Outside the system's file manager there is no shell browser to hand out.
  EXPECT_EQ(list->Perform(CWM_GETISHELLBROWSER, 0, 0), 0);
}
