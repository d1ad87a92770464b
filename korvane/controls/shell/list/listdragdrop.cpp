#include "korvane/controls/shell/list/listdragdrop.h"

#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Application.h"

namespace korvane {

TDataObject_shlv::TItems TDataObject_shlv::Collect(TZQCustomShellList* list) {
  TItems items;
  for (TListItem* item : list->GetSelectedShellItems()) {
    PCItemIDList relative = TZQCustomShellList::GetDataFromItem(item)->GetRelativeIdList();
    items.relatives.push_back(relative);
    items.names.push_back(FileSystemParsingName(list->GetCurrentFolder(), relative));
  }
  return items;
}

TDataObject_shlv::TDataObject_shlv(TZQCustomShellList* list, const TItems& items)
    : TZQShellDataObject(list->GetCurrentFolderIdList(), items.relatives, items.names) {}

// --- Dragging items out

std::vector<TListItem*> TZQCustomShellList::GetSelectedShellItems() {
  std::vector<TListItem*> items;
  if (GetSelCount() == 1) {
    if (TListItem* selected = GetSelected(); ItemHasData(selected)) items.push_back(selected);
    return items;
  }
  for (TListItem* i = GetSelected(); i; i = GetNextItem(i, LVNI_ALL | LVNI_SELECTED))
    if (ItemHasData(i)) items.push_back(i);
  return items;
}

bool TZQCustomShellList::BeginDragNotified(const NMHDR& header) {
  if (header.code != LVN_BEGINDRAG && header.code != LVN_BEGINRDRAG) return false;
  // Without OLE dragging the notification is dropped.
  if (options_.Contains(zqsloOleDrag))
    GuardCallback(this, [&] { OleBeginDrag(header.code == LVN_BEGINRDRAG ? mbRight : mbLeft); });
  return true;
}

void TZQCustomShellList::OleBeginDrag(TMouseButton button) {
  if (ShellSelCount() == 0 || !currentFolder_) return;
  TComPtr<IDataObject> data = MakeComObject<TDataObject_shlv>(this);
  const bool dropped = dragDrop_.BeginDrag(std::move(data), GetDragDropAttributesForAllSelected(), button);
  const bool refresh = std::exchange(refreshPending_, false) || dropped;  // items may have moved; or a change waited
  if (fillPending_) {
    FillItems();  // the folder changed meanwhile
  } else if (refresh) {
    RefreshItems();
    SortList();
  }
}

DWORD TZQCustomShellList::GetDragDropAttributesForAllSelected() {
  const std::vector<TListItem*> items = GetSelectedShellItems();
  if (items.empty() || !currentFolder_) return 0;
  std::vector<PCUITEMID_CHILD> lists;
  lists.reserve(items.size());
  for (TListItem* i : items) lists.push_back(GetDataFromItem(i)->GetRelativeIdList());
  SFGAOF mask = kCopyMoveLink;
  const HRESULT hr = currentFolder_->GetAttributesOf(static_cast<UINT>(lists.size()), lists.data(), &mask);
  if (FAILED(hr)) RaiseSysError(hr);
  return mask & kCopyMoveLink;
}

DWORD TZQCustomShellList::GetDragDropAttributesForItem(TListItem* item) {
  TZQShListData* data = GetDataFromItem(item);
  if (!data || !currentFolder_) return 0;
  PCUITEMID_CHILD child = data->GetRelativeIdList();
  SFGAOF mask = kCopyMoveLink;
  const HRESULT hr = currentFolder_->GetAttributesOf(1, &child, &mask);
  if (FAILED(hr)) RaiseSysError(hr);
  return mask;
}

// --- Dropping in

void TZQCustomShellList::UpdateDropRegistration() {
  dragDrop_.UpdateRegistration(options_.Contains(zqsloOleDrop) && !IsDesigning(),
                               [this] { return MakeComObject<TDropTarget_shlv>(this); });
}

TZQDropPlace TZQCustomShellList::DropPlaceAt(POINT client) {
  if (TListItem* item = GetItemAt(client.x, client.y))
    return {ItemHasData(item) ? item : nullptr};  // the application's own items take no drops
  if (!dragDrop_.IsDragging()) return {dragDrop_.FolderPlace()};  // another source: the folder's own target
  // The list's own items over its background: a plain drag would put them where they are.
  return {nullptr, (dragDrop_.GetEnterKeyState() & MK_RBUTTON) != 0};
}

TComPtr<IDropTarget> TZQCustomShellList::DropTargetOf(const void* place) {
  TComPtr<IDropTarget> target;
  itemTarget_ = false;
  if (place != dragDrop_.FolderPlace()) {
    auto* item = static_cast<TListItem*>(const_cast<void*>(place));
    if (TZQShListData* data = GetDataFromItem(item); data && currentFolder_) {
      PCUITEMID_CHILD child = data->GetRelativeIdList();
      if (SUCCEEDED(ShellGetUIObjectOf(currentFolder_.Get(), GetParentFormHandle(this), 1, &child, target)) && target) {
        itemTarget_ = true;
        return target;
      }
    }
  }
  // No target of its own: the folder's, with no item marked.
  if (folderAbsolute_) GetUIObjectOfAbsIdList(folderAbsolute_.Get(), target);
  return target;
}

void TZQCustomShellList::SetDropHighlight(TListItem* item) {
  if (item == dropHighlight_) return;
  if (dropHighlight_) dropHighlight_->SetDropTarget(false);
  dropHighlight_ = item;
  if (item) item->SetDropTarget(true);
}

bool TZQCustomShellList::MarkDropPlace(const void* place, DWORD effect) {
  TListItem* before = dropHighlight_;
  const bool item = place && place != dragDrop_.FolderPlace();
  SetDropHighlight(effect != DROPEFFECT_NONE && item && itemTarget_
                       ? static_cast<TListItem*>(const_cast<void*>(place))
                       : nullptr);
  return dropHighlight_ != before;
}

void TZQCustomShellList::ClearDropMark() {
  if (HandleAllocated()) SetDropHighlight(nullptr);
  else dropHighlight_ = nullptr;
}

void TZQCustomShellList::AfterDrop(const void*, HRESULT result, DWORD effect) {
  if (SUCCEEDED(result) && effect != DROPEFFECT_NONE && IsFolderNetworkShare()) RefreshItems();
}

HRESULT TZQCustomShellList::OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.DragEnter(data, keyState, point, effect);
}

HRESULT TZQCustomShellList::OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.DragOver(keyState, point, effect);
}

HRESULT TZQCustomShellList::OnDropTarget_DragLeave() { return dragDrop_.DragLeave(); }

HRESULT TZQCustomShellList::OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.Drop(data, keyState, point, effect);
}

}  // namespace korvane
