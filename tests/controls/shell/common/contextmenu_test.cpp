#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "controls/shell/Uzqshellcontrols.h"
#include "host/SysUtils.h"
#include "host/UtilWindow.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
// A file's folder and its item, as the tree and the list hold them.
struct Item {
  explicit Item(const std::string& path) {
    EXPECT_EQ(ShellGetIdListFromPath(path, absolute), S_OK);
    EXPECT_EQ(SplitAbsIdList(absolute.Get(), folder, parent, relative), S_OK);
  }
  // The item's shell menu, as the tree and the list build it.
  HRESULT Menu(HWND owner, UINT flags, TComPtr<IContextMenu>& menu, TMenuHandle& popup) {
    PCUITEMID_CHILD child = relative.Get();
    return CreateItemContextMenu(owner, folder.Get(), 1, &child, ZQ_FIRST_SHELL_COMMAND, flags, menu, popup);
  }
  TIdListPtr absolute, parent, relative;
  TComPtr<IShellFolder> folder;
};

std::string ClipboardFile(HWND owner) {
  std::string path;
  if (!OpenClipboard(owner)) return path;
  if (HANDLE h = GetClipboardData(CF_HDROP)) {
    char buf[MAX_PATH] = {};
    if (DragQueryFileA(static_cast<HDROP>(h), 0, buf, MAX_PATH)) path = buf;
  }
  CloseClipboard();
  return path;
}

void EmptyTheClipboard(HWND owner) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  CloseClipboard();
}

// Position of id among the menu's non-separator items.
int SelectablePosition(HMENU menu, UINT id) {
  int position = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) continue;
    if (GetMenuItemID(menu, i) == id) return position;
    ++position;
  }
  return -1;
}
}  // namespace

TEST(ContextMenus, ATrackedShellMenuRunsTheChosenCommand) {
  test::TempDir dir;
  const std::string file = dir.File("report.txt", 10);
  Item item(file);
  HWND owner = AllocateHWnd(nullptr);
  EmptyTheClipboard(owner);

  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  ASSERT_EQ(item.Menu(owner, CMF_EXPLORE | CMF_CANRENAME, menu, popup), S_OK);
  ASSERT_TRUE(menu && popup);
  EXPECT_GT(GetMenuItemCount(popup.Get()), 2);
  const int copy = FindContextMenuVerb(menu.Get(), "copy");
  ASSERT_GE(copy, 0);
  EXPECT_EQ(FindContextMenuVerb(menu.Get(), "COPY"), copy);  // verbs compare ignoring case
  const UINT copyId = ZQ_FIRST_SHELL_COMMAND + static_cast<UINT>(copy);
  const int position = SelectablePosition(popup.Get(), copyId);
  ASSERT_GE(position, 0);

  test::ModalDriver driver(test::FindMenuWindow, [&](HWND menuWnd) { test::ChooseMenuItem(menuWnd, position); });
  const UINT chosen = TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, 0, owner, nullptr);
  ASSERT_TRUE(driver.Acted());
  ASSERT_EQ(chosen, copyId);
  EXPECT_EQ(InvokeContextMenuVerb(owner, menu.Get(), MAKEINTRESOURCEA(chosen - ZQ_FIRST_SHELL_COMMAND)), S_OK);
  EXPECT_TRUE(AnsiSameText(ClipboardFile(owner), file));

  // By verb text.
  EmptyTheClipboard(owner);
  EXPECT_EQ(InvokeContextMenuVerb(owner, menu.Get(), "copy"), S_OK);
  EXPECT_TRUE(AnsiSameText(ClipboardFile(owner), file));
  DeallocateHWnd(owner);
}

TEST(ContextMenus, AVerbNoItemCarriesRunsNothing) {
  test::TempDir dir;
  const std::string file = dir.File("keep.txt", 3);
  Item item(file);
  HWND owner = AllocateHWnd(nullptr);
  EmptyTheClipboard(owner);
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  ASSERT_EQ(item.Menu(owner, CMF_EXPLORE, menu, popup), S_OK);
  EXPECT_EQ(FindContextMenuVerb(menu.Get(), "no-such-verb"), -1);
  EXPECT_EQ(InvokeContextMenuVerb(owner, menu.Get(), "no-such-verb"), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_EQ(ClipboardFile(owner), "");  // neither the first command nor any other ran
  EXPECT_TRUE(FileExists(file));
  DeallocateHWnd(owner);
}

TEST(ContextMenus, DismissedMenuAndFailingFolders) {
  test::TempDir dir;
  Item item(dir.File("x.txt"));
  HWND owner = AllocateHWnd(nullptr);
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  ASSERT_EQ(item.Menu(owner, CMF_EXPLORE, menu, popup), S_OK);
  test::ModalDriver driver(test::FindMenuWindow, test::CancelMenu);
  EXPECT_EQ(TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, owner, nullptr), 0u);
  EXPECT_TRUE(driver.Acted());
  // An item the folder does not have: the shell's failure comes back, nothing is kept.
  const std::vector<std::uint8_t> junk = {6, 0, 0x31, 0, 0, 0, 0, 0};
  PCUITEMID_CHILD bad = reinterpret_cast<PCUITEMID_CHILD>(junk.data());
  TComPtr<IShellFolder> drives;
  TIdListPtr drivesList;
  ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList);
  ShellGetFolderFromIdList(drivesList.Get(), drives);
  const HRESULT hr = CreateItemContextMenu(owner, drives.Get(), 1, &bad, 50, CMF_EXPLORE, menu, popup);
  if (FAILED(hr)) {
    EXPECT_FALSE(menu);
    EXPECT_FALSE(popup);
  }
  DeallocateHWnd(owner);
}

TEST(ContextMenus, HelpTextsOfHighlightedCommands) {
  test::TempDir dir;
  Item item(dir.File("x.txt"));
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  ASSERT_EQ(item.Menu(nullptr, CMF_EXPLORE, menu, popup), S_OK);
  std::vector<std::string> hints;
  TObject control;
  const TZQShPopupHintEvent handler = [&](TObject* sender, const std::string& hint) {
    EXPECT_EQ(sender, &control);
    hints.push_back(hint);
  };
  const UINT copyId = 50 + static_cast<UINT>(FindContextMenuVerb(menu.Get(), "copy"));
  MenuSelectHelpText({WM_MENUSELECT, MAKEWPARAM(10, 0), 0, 0}, menu.Get(), &control, handler);  // below 50
  MenuSelectHelpText({WM_MENUSELECT, MAKEWPARAM(copyId, MF_POPUP), 0, 0}, menu.Get(), &control, handler);
  MenuSelectHelpText({WM_MENUSELECT, MAKEWPARAM(copyId, 0), 0, 0}, menu.Get(), &control, handler);
  MenuSelectHelpText({WM_MENUSELECT, MAKEWPARAM(copyId, 0), 0, 0}, nullptr, &control, handler);  // no menu: nothing
  ASSERT_EQ(hints.size(), 3u);
  EXPECT_EQ(hints[0], "");
  EXPECT_EQ(hints[1], "");
  char expected[261] = {};
  if (FAILED(menu->GetCommandString(copyId - 50, GCS_HELPTEXTA, nullptr, expected, sizeof expected)))
    EXPECT_EQ(hints[2], "") << "the shell has no help text (Wine does not implement GCS_HELPTEXTA)";
  else
    EXPECT_EQ(hints[2], expected);
}
