// The shell list's commands: the shell context menu of the selected items with
// the Send To submenu, commands by verb, renaming in place, a new folder,
// selection and the shell's request for a browser object. While a menu or a
// command's own dialog is up, fills and merges wait and run when it ends.
#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/controls/shell/common/newfolder.h"
#include "korvane/controls/shell/common/sendto.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/controls/shell/list/listdragdrop.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Screen.h"
#include "korvane/shell/widepath.h"

namespace korvane {

// --- Context menus

void TZQCustomShellList::ItemContextMenu(TListItem* item, POINT& point, TPopupMenu*& menu) {
  TZQCustomListView::ItemContextMenu(item, point, menu);
  if (!options_.Contains(zqsloContextMenus) || IsDesigning() || dragDrop_.IsDragging()) return;
  ProcessMenuForAllSelected(point);
  menu = nullptr;  // the shell's menu, or none: never the host's
}

void TZQCustomShellList::ProcessMenuForAllSelected(POINT point) {
  IMalloc* m = GetShellMalloc();
  const std::vector<TIdListPtr> lists = SelectedRelativeLists(m);
  if (lists.empty() || !currentFolder_) return;
  std::vector<PCUITEMID_CHILD> items;
  for (const TIdListPtr& l : lists) items.push_back(l.Get());
  TZQShListData* focused = GetDataFromItem(GetItemFocused());
  const bool rename = focused && !focused->GetPathName().empty() && !GetReadOnly();
  TrackShellMenu(items, CMF_EXPLORE | (rename ? static_cast<UINT>(CMF_CANRENAME) : 0u), point, GetItemFocused());
}

void TZQCustomShellList::ProcessMenu(TListItem* item, POINT point) {
  TZQShListData* data = GetDataFromItem(item);
  if (!data || !currentFolder_) return;
  IMalloc* m = GetShellMalloc();
  const TIdListPtr relative(CopyIdList(m, data->GetRelativeIdList()), m);
  TrackShellMenu({relative.Get()}, CMF_EXPLORE | (GetReadOnly() ? 0u : static_cast<UINT>(CMF_CANRENAME)), point, item);
}

void TZQCustomShellList::TrackShellMenu(const std::vector<PCUITEMID_CHILD>& items, UINT flags, POINT point,
                                        TListItem* renamed) {
  const HWND owner = GetParentFormHandle(this);
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  if (FAILED(CreateItemContextMenu(owner, currentFolder_.Get(), static_cast<UINT>(items.size()),
                                   const_cast<PCUITEMID_CHILD_ARRAY>(items.data()), ZQ_FIRST_SHELL_COMMAND, flags, menu,
                                   popup)))
    return;  // no menu, no message
  // The item to rename is found again afterwards by its record: a merge may not
  // free it meanwhile (refreshes wait), but the application may.
  TZQShListData* renameRecord = GetDataFromItem(renamed);
  const POINT screen = ClientToScreen(point);
  TZQMenuChoice choice;
  {
    TCountScope modal(modalDepth_);
    activeMenu_ = menu;
    const auto forget = ScopeExit([this] { activeMenu_.Reset(); });
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, GetHandle(), nullptr));
    choice = ClassifyMenuCommand(menu.Get(), chosen);
    switch (choice.Kind) {
      case TZQMenuChoiceKind::Rename:
        if (TListItem* item = renameRecord ? FindItem(renameRecord, nullptr) : nullptr) item->EditCaption();
        break;
      case TZQMenuChoiceKind::Command:
        InvokeContextMenuVerb(owner, menu.Get(), MAKEINTRESOURCEA(choice.Index));
        break;
      case TZQMenuChoiceKind::SendTo:
        ProcessSendTo(static_cast<int>(choice.Index));
        break;
      case TZQMenuChoiceKind::None:
        break;
    }
  }
  if (choice.Kind == TZQMenuChoiceKind::Command && IsFolderNetworkShare()) RefreshItems();
  RunPendingRefresh();
}

void TZQCustomShellList::ProcessSendTo(int index) {
  if (ShellSelCount() == 0) return;
  TStringList* list = ZQSendToList().get();
  if (!list || index < 0 || index >= list->GetCount()) return;
  SendToItem(list->Get(index), MakeComObject<TDataObject_shlv>(this).Get());
}

bool TZQCustomShellList::MenuMessage(TMessage& m) {
  return ShellMenuMessage(m, activeMenu_.Get(), smallImages_ ? smallImages_->GetHandle() : nullptr, this, OnPopupHint,
                          [this](TMessage& message) { TZQCustomListView::WndProc(message); });
}

// --- Commands by verb

HRESULT TZQCustomShellList::GetUIObjectForItem(TListItem* item, REFIID iid, void** object) {
  if (object) *object = nullptr;
  TZQShListData* data = GetDataFromItem(item);
  if (!data || !currentFolder_) return E_INVALIDARG;
  PCUITEMID_CHILD child = data->GetRelativeIdList();
  return currentFolder_->GetUIObjectOf(GetParentFormHandle(this), 1, &child, iid, nullptr, object);
}

HRESULT TZQCustomShellList::GetUIObjectForAllSelected(IMalloc* allocator, REFIID iid, void** object) {
  if (object) *object = nullptr;
  const std::vector<TIdListPtr> lists = SelectedRelativeLists(allocator ? allocator : GetShellMalloc());
  if (lists.empty() || !currentFolder_) return E_FAIL;
  std::vector<PCUITEMID_CHILD> items;
  for (const TIdListPtr& l : lists) items.push_back(l.Get());
  return currentFolder_->GetUIObjectOf(GetParentFormHandle(this), static_cast<UINT>(items.size()),
                                       const_cast<PCUITEMID_CHILD_ARRAY>(items.data()), iid, nullptr, object);
}

void TZQCustomShellList::InvokeVerb(IContextMenu* menu, const char* verb) {
  {
    TCountScope modal(modalDepth_);  // the shell may ask for confirmation
    InvokeContextMenuVerb(GetParentFormHandle(this), menu, verb);
  }
  if (IsFolderNetworkShare()) RefreshItems();
  RunPendingRefresh();
}

void TZQCustomShellList::DoCommandForItem(TListItem* item, const char* verb) {
  TComPtr<IContextMenu> menu;
  if (SUCCEEDED(GetUIObjectForItem(item, IID_IContextMenu, menu.PutVoid())) && menu) InvokeVerb(menu.Get(), verb);
}

void TZQCustomShellList::DoCommandForAllSelected(const char* verb) {
  TComPtr<IContextMenu> menu;
  if (SUCCEEDED(GetUIObjectForAllSelected(nullptr, IID_IContextMenu, menu.PutVoid())) && menu)
    InvokeVerb(menu.Get(), verb);
}

void TZQCustomShellList::DoCommandForFolder(const char* verb) {
  TComPtr<IContextMenu> menu;
  if (const HRESULT got = GetUIObjectOfAbsIdList(folderAbsolute_ ? folderAbsolute_.Get() : EmptyIdList(), menu);
      FAILED(got))
    RaiseSysError(got);
  HRESULT hr = S_OK;
  {
    TCountScope modal(modalDepth_);
    hr = InvokeContextMenuVerb(GetParentFormHandle(this), menu.Get(), verb);
  }
  RunPendingRefresh();
  if (FAILED(hr)) RaiseSysError(hr);
}

// --- Renaming and new folders

bool TZQCustomShellList::CanEdit(TListItem* Item) {
  TZQShListData* data = GetDataFromItem(Item);
  if (!data) return TZQCustomListView::CanEdit(Item);
  return (data->GetAttributes() & SFGAO_CANRENAME) && TZQCustomListView::CanEdit(Item) && !IsDesigning();
}

void TZQCustomShellList::Edit(const LVITEMA& Item) {
  // Refreshes asked for during the edit run once the edit control is gone.
  const auto after = ScopeExit([this] {
    if ((refreshPending_ || fillPending_) && HandleAllocated()) PostMessageA(GetHandle(), AM_AFTEREDIT, 0, 0);
  });
  TListItem* item = Item.iItem >= 0 ? GetItems()->GetItem(Item.iItem) : nullptr;
  TZQShListData* data = GetDataFromItem(item);
  if (!data || !currentFolder_) {
    TZQCustomListView::Edit(Item);
    return;
  }
  if (!Item.pszText) return;  // cancelled
  std::string text = Item.pszText;
  if (OnEdited) OnEdited(this, item, text);
  TCursorScope hourglass;
  ignoreNextChange_ = true;
  TWidePath wide;  // a name too long is refused, never cut
  PItemIDList renamed = nullptr;
  HRESULT hr = wide.Assign(text);
  if (SUCCEEDED(hr))
    hr = currentFolder_->SetNameOf(GetParentFormHandle(this), data->GetRelativeIdList(), wide.Data(), 0x20, &renamed);
  if (FAILED(hr)) {
    ignoreNextChange_ = false;  // no change is coming
    return;
  }
  if (!renamed) {
    refreshPending_ = true;  // renamed, but the shell gave no new list: the merge finds it
    return;
  }
  data->SetData(renamed);  // the record's now
  StoreCaption(item, std::string());  // the caption becomes the item's new display name
  item->Update();
}

bool TZQCustomShellList::CreateNewFolder(bool editAfter) {
  const std::string path = folder_->GetPathName();
  if (path.empty()) return false;  // no file-system folder: nothing is made anywhere
  std::string name;
  if (!ZQShControlCreateNewFolder(path, name, ignoreNextChange_, modalDepth_, [this] { RunPendingRefresh(); }))
    return false;
  const PItemIDList list = folder_->GetIdList();
  if (!list || IdListLen(list) <= 2) WaitCursorSleep(2100);
  RefreshItems();
  if (editAfter && HandleAllocated()) {
    renameAfterCreation_ = name;
    PostMessageA(GetHandle(), AM_RENAMENEWFOLDER, 0, 0);
  }
  return true;
}

void TZQCustomShellList::RenameNewFolder() {
  const std::string name = std::move(renameAfterCreation_);
  renameAfterCreation_.clear();
  for (int i = 0, n = GetItems()->GetCount(); i < n; ++i) {
    TListItem* item = GetItems()->GetItem(i);
    TZQShListData* d = GetDataFromItem(item);
    if (d && d->GetDisplayName() == name) {
      SetFocus();
      item->EditCaption();
      return;
    }
  }
}

// --- Selection

void TZQCustomShellList::SelectAll() {
  TListItemsUpdate bracket(GetItems());
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageA(GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

int TZQCustomShellList::ShellSelCount() {
  int count = 0;
  for (TListItem* i = GetSelected(); i; i = GetNextItem(i, LVNI_ALL | LVNI_SELECTED)) count += ItemHasData(i) ? 1 : 0;
  return count;
}

// --- Messages

bool TZQCustomShellList::CommandMessage(TMessage& m) {
  if (activeMenu_ && MenuMessage(m)) return true;
  switch (m.Msg) {
    case AM_AFTEREDIT:
      GuardCallback(this, [&] { RunPendingRefresh(); });
      return true;
    case AM_RENAMENEWFOLDER:
      GuardCallback(this, [&] { RenameNewFolder(); });
      return true;
    case CWM_GETISHELLBROWSER: {
      m.Result = 0;
      TComPtr<IUnknown> instance;
      if (SUCCEEDED(SHGetInstanceExplorer(instance.Put())) && instance) {
        TComPtr<IShellBrowser> browser;
        // The caller gets the reference the query added.
        if (SUCCEEDED(instance.As(browser))) m.Result = reinterpret_cast<LRESULT>(browser.Detach());
      }
      return true;
    }
    case CM_WANTSPECIALKEY: {
      TZQCustomListView::WndProc(m);
      if (IsEditing()) {
        m.Result = 1;
      } else if (m.WParam == VK_RETURN) {
        TZQShListData* d = GetDataFromItem(GetSelected());
        if (d && (d->GetAttributes() & SFGAO_FOLDER)) m.Result = 1;
      }
      return true;
    }
    case WM_RBUTTONUP:
      if (!dragDrop_.IsDragging()) return false;
      DefaultHandler(m);
      return true;
    default:
      return false;
  }
}

}  // namespace korvane
