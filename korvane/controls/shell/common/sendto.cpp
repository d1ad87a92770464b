// The package's own Send To submenu, drawn by the package when the shell's
// menu object offers no IContextMenu2. The handlers swallow every error: a
// broken shell extension must never end a menu loop.
#include <cstdint>

#include "korvane/controls/shell/common/sendto.h"
#include "korvane/controls/shell/common/contextmenu.h"
#include "korvane/host/Handles.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/SysUtils.h"

namespace korvane {
namespace {

// True when the menu object draws its submenus itself (the message went to it).
bool PassToShell(TMessage& message, IContextMenu* menu) {
  if (!menu) return false;
  TComPtr<IContextMenu2> menu2;
  if (FAILED(menu->QueryInterface(IID_PPV_ARGS(menu2.Put()))) || !menu2) return false;
  menu2->HandleMenuMsg(message.Msg, message.WParam, message.LParam);
  return true;
}

int IconOf(const TStringList& list, int index) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(list.GetObject(index)));
}

std::string EntryText(const TStringList& list, int index) { return ChangeFileExt(list.Get(index), ""); }

template <class F>
void Swallow(F&& f) noexcept {
  try {
    f();
  } catch (...) {
  }
}

int FindHilitedMenuItem(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MFS_HILITE) return i;
  return 0;
}

}  // namespace

std::unique_ptr<TStringList>& ZQSendToList() {
  static std::unique_ptr<TStringList> list;
  return list;
}

void SendToInitMenuPopup(TMessage& message, IContextMenu* menu, std::unique_ptr<TStringList>& list) {
  Swallow([&] {
    if (PassToShell(message, menu)) return;
    HMENU popup = reinterpret_cast<HMENU>(message.WParam);
    if (GetMenuItemCount(popup) != 1) return;
    const UINT state = GetMenuState(popup, 0, MF_BYPOSITION);
    if (state == static_cast<UINT>(-1) || !(state & MF_GRAYED)) return;
    if (!list) {
      list = std::make_unique<TStringList>();
      list->SetSorted(true);
    }
    DeleteMenu(popup, 0, MF_BYPOSITION);
    const std::string folder = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
    if (!folder.empty()) {
      WIN32_FIND_DATAA fd;
      TFindHandle find(FindFirstFileA((IncludeTrailingPathDelimiter(folder) + "*").c_str(), &fd));
      if (find) {
        do {
          if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
          TIdListPtr parsed;
          const int icon = ShellGetIdListFromPath(IncludeTrailingPathDelimiter(folder) + fd.cFileName, parsed) == S_OK
                               ? ShellGetIconIndex(parsed.Get(), SHGFI_SMALLICON)
                               : -1;
          list->AddObject(fd.cFileName, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(icon)));
        } while (FindNextFileA(find.Get(), &fd));
      }
    }
    for (int i = 0; i < list->GetCount(); ++i)
      AppendMenuA(popup, MF_OWNERDRAW, static_cast<UINT_PTR>(i + 1),
                  reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(i)));
  });
}

void SendToMeasureItem(TMessage& message, IContextMenu* menu, TStringList* list) {
  Swallow([&] {
    if (PassToShell(message, menu)) return;
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (!mis || mis->CtlType != ODT_MENU || mis->itemData >= ZQ_FIRST_SHELL_COMMAND || !list) return;
    const int index = static_cast<int>(mis->itemData);
    if (index >= list->GetCount()) return;
    const std::string text = EntryText(*list, index);
    TWindowDC screen(nullptr);
    SIZE extent = {};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    mis->itemWidth = static_cast<UINT>(extent.cx + 32);
    mis->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU) + 2);
    message.Result = 1;
  });
}

void SendToDrawItem(TMessage& message, IContextMenu* menu, HIMAGELIST images, TStringList* list) {
  Swallow([&] {
    if (PassToShell(message, menu)) return;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (!dis || dis->CtlType != ODT_MENU || dis->itemData >= ZQ_FIRST_SHELL_COMMAND || !list) return;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;  // the size every Windows version accepts
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    TGdiObject font(CreateFontIndirectA(&metrics.lfMenuFont));
    HDC dc = dis->hDC;
    const TSavedDC saved(dc);  // restored before the font goes
    const bool validId = static_cast<int>(dis->itemID) >= 0;
    const bool selected = (dis->itemState & ODS_SELECTED) && validId;
    SelectObject(dc, font.Get());
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    TGdiObject brush(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU)));
    FillRect(dc, &dis->rcItem, static_cast<HBRUSH>(brush.Get()));
    const int index = static_cast<int>(dis->itemData);
    if (validId && index < list->GetCount()) {
      const std::string text = EntryText(*list, index);
      SetBkMode(dc, TRANSPARENT);
      RECT r = dis->rcItem;
      ExtTextOutA(dc, r.left + 32, r.top + 2, ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()),
                  nullptr);
      const int icon = IconOf(*list, index);
      if (icon >= 0)
        ImageList_Draw(images ? images : ShellGetSystemImageList(zqsizSmall), icon, dc, r.left + 8, r.top + 2,
                       ILD_TRANSPARENT);
    }
    message.Result = 1;
  });
}

void SendToMenuChar(TMessage& message, IContextMenu* menu, TStringList* list) {
  Swallow([&] {
    if (PassToShell(message, menu)) return;
    if (HIWORD(message.WParam) != MF_POPUP || !list) return;
    const char typed = AnsiUpperCase(std::string(1, static_cast<char>(LOWORD(message.WParam))))[0];
    auto firstUpper = [&](int i) {
      const std::string s = list->Get(i);
      return s.empty() ? '\0' : AnsiUpperCase(s.substr(0, 1))[0];
    };
    int exact = 0;
    for (int i = 0; i < list->GetCount(); ++i) {
      const std::string s = list->Get(i);
      if (!s.empty() && s[0] == typed) ++exact;
    }
    const int count = list->GetCount();
    const int hilited = FindHilitedMenuItem(reinterpret_cast<HMENU>(message.LParam));
    int found = -1;
    for (int i = hilited + 1; i < count && found < 0; ++i)
      if (firstUpper(i) == typed) found = i;
    for (int i = 0; i <= hilited && i < count && found < 0; ++i)
      if (firstUpper(i) == typed) found = i;
    if (found < 0) message.Result = MAKELRESULT(0, MNC_CLOSE);
    else message.Result = MAKELRESULT(found, exact > 1 ? MNC_SELECT : MNC_EXECUTE);
  });
}

bool ShellMenuMessage(TMessage& message, IContextMenu* menu, HIMAGELIST images, TObject* control,
                      const std::function<void(TObject*, const std::string&)>& hint,
                      const std::function<void(TMessage&)>& inherited) {
  switch (message.Msg) {
    case WM_INITMENUPOPUP:
      inherited(message);
      SendToInitMenuPopup(message, menu, ZQSendToList());
      return true;
    case WM_DRAWITEM:
      inherited(message);
      SendToDrawItem(message, menu, images, ZQSendToList().get());
      return true;
    case WM_MEASUREITEM:
      inherited(message);
      SendToMeasureItem(message, menu, ZQSendToList().get());
      return true;
    case WM_MENUCHAR:
      inherited(message);
      SendToMenuChar(message, menu, ZQSendToList().get());
      return true;
    case WM_MENUSELECT:
      inherited(message);
      MenuSelectHelpText(message, menu, control, hint);
      return true;
    default:
      return false;
  }
}

void SendToItem(const std::string& fileName, IDataObject* data) {
  TIdListPtr sendTo;
  HRESULT hr = ShellGetSpecialFolderIdList(nullptr, csidlSendTo, sendTo);
  if (FAILED(hr)) RaiseSysError(hr);
  TComPtr<IShellFolder> folder;
  if (FAILED(hr = ShellGetFolderFromIdList(sendTo.Get(), folder))) RaiseSysError(hr);
  TIdListPtr item;
  if (FAILED(hr = ShellParseDisplayName(folder.Get(), fileName, item))) RaiseSysError(hr);
  TComPtr<IDropTarget> target;
  PCUITEMID_CHILD child = item.Get();
  if (FAILED(hr = ShellGetUIObjectOf(folder.Get(), nullptr, 1, &child, target)))
    RaiseSysError(hr);
  const POINTL origin = {0, 0};
  DWORD effect = DROPEFFECT_COPY;
  if (FAILED(hr = target->DragEnter(data, MK_LBUTTON, origin, &effect))) RaiseSysError(hr);
  effect = DROPEFFECT_COPY;
  if (FAILED(hr = target->DragOver(MK_LBUTTON, origin, &effect))) RaiseSysError(hr);
  effect = DROPEFFECT_COPY;
  if (FAILED(hr = target->Drop(data, MK_LBUTTON, origin, &effect))) RaiseSysError(hr);
}

}  // namespace korvane
