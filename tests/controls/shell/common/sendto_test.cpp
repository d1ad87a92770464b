#include <gtest/gtest.h>

#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Handles.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ComFake.h"
#include "tests/support/Dib.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {

// Forwards to a real menu object but offers no IContextMenu2, as older shells do.
class TPlainMenu : public test::TComFake<TPlainMenu, IContextMenu> {
public:
  explicit TPlainMenu(TComPtr<IContextMenu> inner) : inner_(std::move(inner)) {}
  HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU m, UINT i, UINT f, UINT l, UINT fl) override {
    return inner_->QueryContextMenu(m, i, f, l, fl);
  }
  HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* ci) override { return inner_->InvokeCommand(ci); }
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR id, UINT t, UINT* r, CHAR* n, UINT c) override {
    return inner_->GetCommandString(id, t, r, n, c);
  }

private:
  TComPtr<IContextMenu> inner_;
};

// The user's Send To folder filled for one test and emptied after it.
class SendTo : public ::testing::Test {
protected:
  void SetUp() override {
    folder = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
    ASSERT_FALSE(folder.empty());
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"Qa.txt", "Qb.txt", "qlow.txt", "Xray.txt"}) Make(name, FILE_ATTRIBUTE_NORMAL);
    Make("Hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((folder + "\\Folder").c_str(), nullptr);
    made.push_back(folder + "\\Folder");
    ZQSendToList().reset();
    TIdListPtr file;
    ASSERT_EQ(ShellGetIdListFromPath(dir.File("doc.txt", 5), file), S_OK);
    ASSERT_EQ(GetUIObjectOfAbsIdList(file.Get(), real), S_OK);
  }
  void TearDown() override {
    ZQSendToList().reset();
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
      SetFileAttributesA(it->c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
    }
  }
  void Make(const std::string& name, DWORD attributes) {
    const std::string p = folder + "\\" + name;
    const HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << p;
    TKernelHandle closing(h);
    made.push_back(p);
  }
  // A popup holding the shell's grayed placeholder, as the Send To submenu opens.
  static TMenuHandle Placeholder() {
    TMenuHandle popup(CreatePopupMenu());
    AppendMenuA(popup.Get(), MF_STRING | MF_GRAYED, 1234, "(empty)");
    return popup;
  }
  int IndexOf(const std::string& name) const { return ZQSendToList()->IndexOf(name); }

  test::TempDir dir;
  std::string folder;
  std::vector<std::string> made;
  TComPtr<IContextMenu> real;
};

}  // namespace

TEST_F(SendTo, AShellWithIContextMenu2DrawsItsOwnSubmenu) {
  TComPtr<IContextMenu2> menu2;
  ASSERT_EQ(real.As(menu2), S_OK) << "this shell's menu objects offer IContextMenu2";
  TMenuHandle popup = Placeholder();
  TMessage m = {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0, 0};
  SendToInitMenuPopup(m, real.Get(), ZQSendToList());
  EXPECT_EQ(GetMenuItemCount(popup.Get()), 1);  // the package added nothing
  EXPECT_FALSE(ZQSendToList());
}

TEST_F(SendTo, FillsTheSubmenuWithOwnerDrawnEntriesOfTheFolder) {
  TPlainMenu plain(real);
  TMenuHandle popup = Placeholder();
  TMessage m = {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0, 0};
  SendToInitMenuPopup(m, &plain, ZQSendToList());
  ASSERT_TRUE(ZQSendToList());
  TStringList& list = *ZQSendToList();
  EXPECT_EQ(list.GetText(), "Qa.txt\r\nQb.txt\r\nqlow.txt\r\nXray.txt\r\n");  // no hidden file, no folder
  ASSERT_EQ(GetMenuItemCount(popup.Get()), 4);
  for (int i = 0; i < 4; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(popup.Get(), static_cast<UINT>(i), TRUE, &info));
    EXPECT_EQ(info.wID, static_cast<UINT>(i + 1));
    EXPECT_EQ(info.dwItemData, static_cast<ULONG_PTR>(i));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_GE(reinterpret_cast<std::intptr_t>(list.GetObject(i)), 0);  // a system icon index
  }
  // Opening again keeps one entry per file.
  TMenuHandle again = Placeholder();
  m.WParam = reinterpret_cast<WPARAM>(again.Get());
  SendToInitMenuPopup(m, &plain, ZQSendToList());
  EXPECT_EQ(list.GetCount(), 4);
  // A popup that is not the placeholder is left alone.
  TMenuHandle other(CreatePopupMenu());
  AppendMenuA(other.Get(), MF_STRING, 1, "enabled");
  m.WParam = reinterpret_cast<WPARAM>(other.Get());
  SendToInitMenuPopup(m, &plain, ZQSendToList());
  EXPECT_EQ(GetMenuItemCount(other.Get()), 1);
}

TEST_F(SendTo, MeasuresAndDrawsEntries) {
  TPlainMenu plain(real);
  TMenuHandle popup = Placeholder();
  TMessage init = {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0, 0};
  SendToInitMenuPopup(init, &plain, ZQSendToList());
  TStringList* list = ZQSendToList().get();
  const int x = IndexOf("Xray.txt");
  ASSERT_GE(x, 0);

  MEASUREITEMSTRUCT mis = {};
  mis.CtlType = ODT_MENU;
  mis.itemData = static_cast<ULONG_PTR>(x);
  TMessage measure = {WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), 0};
  SendToMeasureItem(measure, &plain, list);
  SIZE extent = {};
  {
    TWindowDC screen(nullptr);
    GetTextExtentPoint32A(screen.Get(), "Xray", 4, &extent);  // the name without its extension
  }
  EXPECT_EQ(mis.itemWidth, static_cast<UINT>(extent.cx + 32));
  EXPECT_EQ(mis.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU) + 2));

  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), menuColor = GetSysColor(COLOR_MENU);
  auto draw = [&](UINT id, UINT state, test::Dib& dib) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = id;
    dis.itemState = state;
    dis.hDC = dib.Dc();
    dis.rcItem = {0, 0, dib.Width(), dib.Height()};
    dis.itemData = static_cast<ULONG_PTR>(x);
    TMessage m = {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), 0};
    SendToDrawItem(m, &plain, nullptr, list);
    EXPECT_EQ(m.Result, 1);
  };
  auto region = [](const test::Dib& d, int x0, int x1, COLORREF bg) {
    int n = 0;
    for (int yy = 0; yy < d.Height(); ++yy)
      for (int xx = x0; xx < x1; ++xx)
        if (d.Pixel(xx, yy) != bg) ++n;
    return n;
  };
  test::Dib selected(160, 22), normal(160, 22), fillOnly(160, 22);
  draw(static_cast<UINT>(x + 1), ODS_SELECTED, selected);
  EXPECT_EQ(selected.Pixel(159, 21), highlight);
  EXPECT_GT(region(selected, 32, 160, highlight), 0);  // the name, right of the icon column
  EXPECT_GT(region(selected, 8, 24, highlight), 0);    // the icon
  EXPECT_EQ(region(selected, 0, 8, highlight), 0);
  draw(static_cast<UINT>(x + 1), 0, normal);
  EXPECT_EQ(normal.Pixel(159, 21), menuColor);
  EXPECT_GT(region(normal, 32, 160, menuColor), 0);
  draw(static_cast<UINT>(-1), ODS_SELECTED, fillOnly);  // an invalid id only fills
  EXPECT_EQ(fillOnly.CountNot(menuColor), 0);
}

TEST_F(SendTo, MenuCharactersSelectExecuteOrClose) {
  TPlainMenu plain(real);
  TMenuHandle popup = Placeholder();
  TMessage init = {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), 0, 0};
  SendToInitMenuPopup(init, &plain, ZQSendToList());
  TStringList* list = ZQSendToList().get();
  auto typeChar = [&](char c, WORD flags = MF_POPUP) {
    TMessage m = {WM_MENUCHAR, MAKEWPARAM(static_cast<WORD>(c), flags), reinterpret_cast<LPARAM>(popup.Get()), 0};
    SendToMenuChar(m, &plain, list);
    return m.Result;
  };
  auto hilite = [&](int position) {
    for (int i = 0; i < GetMenuItemCount(popup.Get()); ++i) {
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STATE;
      info.fState = i == position ? MFS_HILITE : 0;
      SetMenuItemInfoA(popup.Get(), static_cast<UINT>(i), TRUE, &info);
    }
  };
  // Entries: Qa, Qb, qlow, Xray. One begins with X: it runs at once.
  EXPECT_EQ(typeChar('x'), MAKELRESULT(3, MNC_EXECUTE));
  // Two begin with Q exactly: typing selects, searching after the highlighted item.
  EXPECT_EQ(typeChar('q'), MAKELRESULT(1, MNC_SELECT));  // nothing highlighted counts as the first
  hilite(1);
  EXPECT_EQ(typeChar('Q'), MAKELRESULT(2, MNC_SELECT));  // "qlow" matches upper-cased
  hilite(2);
  EXPECT_EQ(typeChar('q'), MAKELRESULT(0, MNC_SELECT));  // wraps round
  EXPECT_EQ(typeChar('z'), MAKELRESULT(0, MNC_CLOSE));
  EXPECT_EQ(typeChar('x', MF_SYSMENU), 0);  // only for a plain popup
  EXPECT_EQ(typeChar('x', MF_POPUP | MF_SYSMENU), 0);
}

TEST_F(SendTo, DeliversToATargetOrRaises) {
  TIdListPtr file;
  ASSERT_EQ(ShellGetIdListFromPath(dir / "doc.txt", file), S_OK);
  TComPtr<IDataObject> data;
  ASSERT_EQ(GetUIObjectOfAbsIdList(file.Get(), data), S_OK);
  EXPECT_THROW(SendToItem("No such target.lnk", data.Get()), Exception);
}
