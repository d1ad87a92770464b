#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/SysUtils.h"
#include "korvane/host/UtilWindow.h"
#include "tests/support/Clipboard.h"
#include "tests/support/ForwardingFolder.h"
#include "tests/support/Platform.h"
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

// A broken shell extension, which the real shell cannot be made to be: its
// folder refuses menu objects, or hands out one whose query fails.
class TBrokenMenu : public test::TComFake<TBrokenMenu, IContextMenu> {
public:
  HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU, UINT, UINT, UINT, UINT) override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR, UINT, UINT*, LPSTR, UINT) override { return E_NOTIMPL; }
};

class TBrokenFolder : public test::TForwardingFolder<TBrokenFolder> {
public:
  explicit TBrokenFolder(TBrokenMenu* menu) : menu_(menu) {}
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID iid, UINT*, void** out) override {
    if (!menu_) {
      *out = nullptr;
      return E_ACCESSDENIED;
    }
    return menu_->QueryInterface(iid, out);
  }

private:
  TBrokenMenu* menu_;
};


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
  EXPECT_TRUE(AnsiSameText(test::ClipboardFile(owner), file));

  // By verb text.
  EmptyTheClipboard(owner);
  EXPECT_EQ(InvokeContextMenuVerb(owner, menu.Get(), "copy"), S_OK);
  EXPECT_TRUE(AnsiSameText(test::ClipboardFile(owner), file));
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
  EXPECT_EQ(test::ClipboardFile(owner), "");  // neither the first command nor any other ran
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
  // A folder that refuses the menu object, and one whose menu fails its query:
  // the failure comes back (nothing raises) and nothing is kept.
  PCUITEMID_CHILD child = item.relative.Get();
  TBrokenFolder refusing(nullptr);
  ASSERT_TRUE(menu && popup);  // held from the first menu: a failure must drop them
  EXPECT_EQ(CreateItemContextMenu(owner, &refusing, 1, &child, 50, CMF_EXPLORE, menu, popup), E_ACCESSDENIED);
  EXPECT_FALSE(menu);
  EXPECT_FALSE(popup);
  TBrokenMenu broken;
  TBrokenFolder failingQuery(&broken);
  ASSERT_EQ(item.Menu(owner, CMF_EXPLORE, menu, popup), S_OK);
  const HRESULT hr = CreateItemContextMenu(owner, &failingQuery, 1, &child, 50, CMF_EXPLORE, menu, popup);
  EXPECT_EQ(hr, E_UNEXPECTED) << test::Hex(hr);
  EXPECT_FALSE(menu);
  EXPECT_FALSE(popup);
  EXPECT_EQ(broken.Refs(), 1u);  // the menu object was released
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
  // Windows describes its Copy command; Wine does not implement GCS_HELPTEXTA.
  EXPECT_EQ(hints[2].empty(), test::WindowsElseWine(false, true)) << hints[2];
}

namespace {
// A menu handler whose rename command sits at offset 3 and whose offset 18 deletes.
class TVerbMenu : public TBrokenMenu {
public:
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT kind, UINT*, LPSTR text, UINT size) override {
    const char* verb = offset == 3 ? "Rename" : offset == 18 ? "delete" : nullptr;
    if (kind != GCS_VERBA || !verb || size == 0) return E_INVALIDARG;
    lstrcpynA(text, verb, static_cast<int>(size));
    return S_OK;
  }
};
}  // namespace

TEST(ContextMenus, TheRenameCommandIsKnownByItsVerbNotItsOffset) {
  TVerbMenu menu;
  EXPECT_EQ(ClassifyMenuCommand(&menu, 0).Kind, TZQMenuChoiceKind::None);
  const TZQMenuChoice sendTo = ClassifyMenuCommand(&menu, 5);
  EXPECT_EQ(sendTo.Kind, TZQMenuChoiceKind::SendTo);
  EXPECT_EQ(sendTo.Index, 4u);
  const TZQMenuChoice rename = ClassifyMenuCommand(&menu, ZQ_FIRST_SHELL_COMMAND + 3);
  EXPECT_EQ(rename.Kind, TZQMenuChoiceKind::Rename);
  const TZQMenuChoice deletion = ClassifyMenuCommand(&menu, 68);  // offset 18 is this handler's delete
  EXPECT_EQ(deletion.Kind, TZQMenuChoiceKind::Command);
  EXPECT_EQ(deletion.Index, 18u);
  EXPECT_EQ(ClassifyMenuCommand(&menu, ZQ_FIRST_SHELL_COMMAND + 10).Kind, TZQMenuChoiceKind::Command);
}
