// The shell list's navigation: entering folders and shortcuts to folders,
// running the default command of files, going up, and the keys and double
// click that do these.
#include <cstring>

#include "korvane/controls/shell/combo/shellcombo.h"
#include "korvane/controls/shell/common/contextmenu.h"
#include "korvane/controls/shell/common/shortcuts.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/controls/shell/list/shelllist.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Screen.h"
#include "korvane/shell/idlistarray.h"

namespace korvane {

namespace {
bool SameBytes(PCItemIDList a, PCItemIDList b) {
  const int n = IdListLen(a);
  return n == IdListLen(b) && (n == 0 || std::memcmp(a, b, static_cast<std::size_t>(n)) == 0);
}
}  // namespace

void TZQCustomShellList::NavigateTo(PCItemIDList absolute) {
  if (options_.Contains(zqsloDontChangeFolder) || !absolute) return;
  TListItemsUpdate bracket(GetItems());
  GetItems()->Clear();
  if (shellTree_)
    shellTree_->GetSelectedFolder()->SetIdList(const_cast<PItemIDList>(absolute));
  else if (shellCombo_)
    shellCombo_->GetSelectedFolder()->SetIdList(const_cast<PItemIDList>(absolute));
  else
    folder_->SetIdList(const_cast<PItemIDList>(absolute));
}

TListItem* TZQCustomShellList::FindItem(TZQShListData* record, PCItemIDList relative) {
  for (int i = 0, n = GetItems()->GetCount(); i < n; ++i) {
    TListItem* item = GetItems()->GetItem(i);
    TZQShListData* d = GetDataFromItem(item);
    if (d && (d == record || SameBytes(d->GetRelativeIdList(), relative))) return item;
  }
  return nullptr;
}

void TZQCustomShellList::OpenItem(TListItem* item) {
  if (!item) return;
  TZQShListData* data = GetDataFromItem(item);
  if (!data) {
    Synchronize(true);
    DblClickOpen();
    return;
  }
  // A pending merge or a linked control may replace the items: keep what names
  // the item, and find it again afterwards.
  IMalloc* m = GetShellMalloc();
  const TIdListPtr relative(CopyIdList(m, data->GetRelativeIdList()), m);
  const TIdListPtr folderBefore(CopyIdList(m, folderAbsolute_.Get()), m);
  Synchronize(true);
  if (!SameBytes(folderBefore.Get(), folderAbsolute_.Get()) || !currentFolder_) return;  // the folder changed
  item = FindItem(data, relative.Get());
  data = GetDataFromItem(item);
  if (!data) return;  // the item went

  TCursorScope hourglass;
  const TIdListPtr absolute(ConcatIdLists(m, folderAbsolute_.Get(), relative.Get()), m);
  SFGAOF attributes = SFGAO_FOLDER;
  PCUITEMID_CHILD child = relative.Get();
  if (SUCCEEDED(currentFolder_->GetAttributesOf(1, &child, &attributes)) && (attributes & SFGAO_FOLDER)) {
    NavigateTo(absolute.Get());
    return;
  }
  if (data->IsLnkShortcut()) {
    // Followed only to a folder that exists and parses: a broken shortcut runs
    // its own default command instead of opening the desktop.
    TLinkData link;
    if (SUCCEEDED(ResolveShortcut(data->GetPathName(), link, false))) {
      const DWORD target = GetFileAttributesA(link.LinkPath.c_str());
      TIdListPtr targetList;
      if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY) &&
          SUCCEEDED(ShellGetIdListFromPath(link.LinkPath, targetList)) && targetList) {
        NavigateTo(targetList.Get());
        return;
      }
    }
  }
  if (DblClickOpen()) RunDefaultCommand({child});
}

void TZQCustomShellList::RunDefaultCommand(const std::vector<PCUITEMID_CHILD>& items) {
  if (items.empty() || !currentFolder_) return;
  const HWND owner = GetParentFormHandle(this);
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  if (const HRESULT hr = CreateItemContextMenu(owner, currentFolder_.Get(), static_cast<UINT>(items.size()),
                                               const_cast<PCUITEMID_CHILD_ARRAY>(items.data()), ZQ_FIRST_SHELL_COMMAND,
                                               CMF_EXPLORE, menu, popup);
      FAILED(hr))
    RaiseSysError(hr);
  const UINT id = GetMenuDefaultItem(popup.Get(), FALSE, 0);
  if (id == static_cast<UINT>(-1) || id < ZQ_FIRST_SHELL_COMMAND) return;  // no default command
  TCountScope modal(modalDepth_);
  InvokeContextMenuVerb(owner, menu.Get(), MAKEINTRESOURCEA(id - ZQ_FIRST_SHELL_COMMAND));
}

bool TZQCustomShellList::DblClickOpen() {
  bool handled = false;
  if (OnDblClickOpen) OnDblClickOpen(this, handled);
  return !handled;
}

std::vector<TIdListPtr> TZQCustomShellList::SelectedRelativeLists(IMalloc* allocator) {
  std::vector<TIdListPtr> lists;
  for (TListItem* item = GetSelected(); item; item = GetNextItem(item, LVNI_ALL | LVNI_SELECTED))
    if (TZQShListData* d = GetDataFromItem(item))
      lists.emplace_back(CopyIdList(allocator, d->GetRelativeIdList()), allocator);
  return lists;
}

void TZQCustomShellList::OpenSelectedItems() {
  Synchronize(true);
  IMalloc* m = GetShellMalloc();
  const std::vector<TIdListPtr> lists = SelectedRelativeLists(m);
  if (lists.size() < 2) {
    if (TListItem* selected = GetSelected()) OpenItem(selected);
    return;
  }
  if (!DblClickOpen()) return;
  std::vector<PCUITEMID_CHILD> items;
  for (const TIdListPtr& l : lists) items.push_back(l.Get());
  RunDefaultCommand(items);
}

void TZQCustomShellList::GoUp(int levels) {
  if (options_.Contains(zqsloDontChangeFolder)) return;
  if (shellTree_) {
    shellTree_->GoUp(levels);
  } else if (auto* combo = dynamic_cast<TZQCustomShellCombo*>(shellCombo_)) {
    combo->GoUp(levels);
  } else {
    TZQIdListArray items(folder_->GetIdList());
    if (items.GetCount() < 1) return;
    if (PItemIDList up = items.GoUp(levels)) folder_->SetIdList(up);
  }
}

void TZQCustomShellList::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsEditing() || IsDesigning()) {
    TZQCustomListView::KeyDown(Key, Shift);
    return;
  }
  TZQCustomListView::KeyDown(Key, Shift);
  if (Key == 0 || !options_.Contains(zqsloDefaultKeyHandling)) return;
  const TShortCut pressed = ShortCut(Key, Shift);
  const WORD saved = Key;
  Key = 0;
  const auto& keys = ZQShellShortCuts();
  if (pressed == keys[zqkSelectAll])
    SelectAll();
  else if (pressed == keys[zqkRefresh])
    FillItems();
  else if (pressed == keys[zqkCopy])
    DoCommandForAllSelected("copy");
  else if (pressed == keys[zqkCut])
    DoCommandForAllSelected("cut");
  else if (pressed == keys[zqkPaste])
    DoCommandForFolder("paste");
  else if (pressed == keys[zqkEdit]) {
    if (TListItem* focused = GetItemFocused()) focused->EditCaption();
  } else if (pressed == keys[zqkDelete] || ShortCut(saved, Shift - TShiftState{ssShift}) == keys[zqkDelete]) {
    DoCommandForAllSelected("delete");
  } else {
    Key = saved;  // not ours: the key goes on
  }
}

void TZQCustomShellList::KeyPress(char& Key) {
  if (options_.Contains(zqsloDefaultKeyHandling) && !IsEditing() && !IsDesigning()) {
    if (Key == '\b') {
      Key = 0;
      GoUp(1);
    } else if (Key == '\r') {
      Key = 0;
      OpenSelectedItems();
    }
  }
  TZQCustomListView::KeyPress(Key);
}

void TZQCustomShellList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TZQCustomListView::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble)) OpenSelectedItems();
}

}  // namespace korvane
