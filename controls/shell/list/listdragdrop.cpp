#include "controls/shell/common/itemparent.h"
#include "controls/shell/common/windowhelpers.h"
#include "controls/shell/dragdrop/dataobject.h"
#include "controls/shell/dragdrop/dropsource.h"
#include "controls/shell/list/shelllist.h"
#include "host/ScopeExit.h"
#include "host/Application.h"

namespace korvane {

namespace {
constexpr DWORD kCopyMoveLink = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
}

TDropTarget_shlv::TDropTarget_shlv(TZQCustomShellList* list) : TZQShellDropTarget(list, list) {}

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
  bool refresh = false;
  {
    const auto end = ScopeExit([this] {
      dragging_ = false;
      refreshPending_ = false;
      dragData_.Reset();
    });
    dragging_ = true;
    auto* object = new TDataObject_shlv(this);
    object->AddRef();
    dragData_ = TComPtr<IDataObject>::Attach(object);
    const DWORD allowed = GetDragDropAttributesForAllSelected();
    auto* source = new TDropSource_shlvtv(button);
    source->AddRef();
    const TComPtr<IDropSource> dropSource = TComPtr<IDropSource>::Attach(source);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(dragData_.Get(), dropSource.Get(), allowed, &effect);
    refresh = hr == DRAGDROP_S_DROP || refreshPending_;  // items may have moved; or a change waited
  }
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
  const bool wanted = options_.Contains(zqsloOleDrop) && HandleAllocated() && !IsDesigning();
  if (wanted && !dropTarget_.IsRegistered()) dropTarget_.Register(GetHandle(), new TDropTarget_shlv(this));
  else if (!wanted && dropTarget_.IsRegistered()) dropTarget_.Revoke();
}

const void* TZQCustomShellList::DropPlaceAt(POINT point, TListItem*& item, bool& selfAnswered, POINT& client) {
  client = ScreenToClient(point);
  item = GetItemAt(client.x, client.y);
  selfAnswered = false;
  if (item) return ItemHasData(item) ? item : nullptr;  // the application's own items take no drops
  if (!dragging_) return &hover_;                        // another source: the folder's own target
  // The list's own items over its background: a plain drag would put them where they are.
  selfAnswered = (hover_.GetEnterKeyState() & MK_RBUTTON) != 0;
  return nullptr;
}

TComPtr<IDropTarget> TZQCustomShellList::PlaceDropTarget(TListItem* item) {
  TComPtr<IDropTarget> target;
  itemTarget_ = false;
  if (TZQShListData* data = GetDataFromItem(item); data && currentFolder_) {
    PCUITEMID_CHILD child = data->GetRelativeIdList();
    if (SUCCEEDED(ShellGetUIObjectOf(currentFolder_.Get(), GetParentFormHandle(this), 1, &child, target)) && target) {
      itemTarget_ = true;
      return target;
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

HRESULT TZQCustomShellList::HoverAt(DWORD keyState, POINT point, DWORD& effect, bool over) {
  TListItem* before = dropHighlight_;
  TListItem* item;
  bool selfAnswered;
  POINT client;
  const void* place = DropPlaceAt(point, item, selfAnswered, client);
  const DWORD offered = effect;
  const HRESULT hr =
      hover_.Over(place, [&] { return PlaceDropTarget(item); }, keyState, POINTL{point.x, point.y}, effect);
  if (selfAnswered) effect = offered & DROPEFFECT_COPY;  // the drop offers the shell's copy and link
  SetDropHighlight(effect != DROPEFFECT_NONE && item && itemTarget_ && place == item ? item : nullptr);
  if (over) {
    hover_.AutoScroll(GetHandle(), client);
    effect |= DROPEFFECT_SCROLL;
    if (dropHighlight_ != before) Update();
  }
  return hr;
}

HRESULT TZQCustomShellList::OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  hover_.Enter(data, keyState);
  return HoverAt(keyState, point, effect, false);
}

HRESULT TZQCustomShellList::OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) {
  if (!hover_.IsActive()) {
    effect = DROPEFFECT_NONE;
    return S_OK;
  }
  return HoverAt(keyState, point, effect, true);
}

HRESULT TZQCustomShellList::OnDropTarget_DragLeave() {
  hover_.Leave();
  if (HandleAllocated()) SetDropHighlight(nullptr);
  else dropHighlight_ = nullptr;
  return S_OK;
}

HRESULT TZQCustomShellList::OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  const auto end = ScopeExit([this] { GuardCallback(this, [this] { OnDropTarget_DragLeave(); }); });
  TListItem* item;
  bool selfAnswered;
  POINT client;
  const void* place = DropPlaceAt(point, item, selfAnswered, client);
  if (selfAnswered) {
    effect &= ~static_cast<DWORD>(DROPEFFECT_MOVE);  // they are in this folder already
    place = &hover_;
  }
  const HRESULT hr = hover_.Drop(place, [&] { return PlaceDropTarget(item); }, data, keyState,
                                 POINTL{point.x, point.y}, effect);
  if (SUCCEEDED(hr) && effect != DROPEFFECT_NONE && IsFolderNetworkShare()) RefreshItems();
  return hr;
}

}  // namespace korvane
