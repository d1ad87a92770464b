#include "controls/shell/common/itemparent.h"
#include "controls/shell/common/windowhelpers.h"
#include "controls/shell/dragdrop/dataobject.h"
#include "controls/shell/dragdrop/dropsource.h"
#include "controls/shell/tree/shelltree.h"
#include "host/ScopeExit.h"
#include "host/Application.h"

namespace korvane {

namespace {
constexpr DWORD kCopyMoveLink = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
}

TDropTarget_shtv::TDropTarget_shtv(TZQCustomShellTree* tree) : TZQShellDropTarget(tree, tree) {}

// --- Dragging a node out

bool TZQCustomShellTree::BeginDragNotified(const NMHDR& header) {
  const bool right = header.code == TVN_BEGINRDRAGA || header.code == TVN_BEGINRDRAGW;
  if (!right && header.code != TVN_BEGINDRAGA && header.code != TVN_BEGINDRAGW) return false;
  if (!options_.Contains(zqstoOleDrag)) return false;  // the base's own dragging
  // The item handle sits at the same place in both character sets' records.
  const auto& nm = reinterpret_cast<const NMTREEVIEWA&>(header);
  TTreeNode* node = GetItems()->GetNodeFromItem(nm.itemNew.hItem);
  dragNode_ = node;
  SetDropTarget(node);
  if (GetDataFromNode(node) && node->GetParent()) GuardCallback(this, [&] { OleBeginDrag(right ? mbRight : mbLeft); });
  if (HandleAllocated()) SetDropTarget(nullptr);
  dragNode_ = nullptr;
  return true;
}

void TZQCustomShellTree::OleBeginDrag(TMouseButton button) {
  TTreeNode* node = dragNode_;
  // The top-level node is not dragged: it has no parent to hand it over from.
  if (!GetDataFromNode(node) || !node->GetParent() || !GetDataFromNode(node->GetParent())) return;
  bool refresh = false;
  {
    const auto end = ScopeExit([this] {
      dragging_ = false;
      refreshPending_ = false;
      dragData_.Reset();
    });
    dragging_ = true;
    auto* object = new TDataObject_shtv(this, node);
    object->AddRef();
    dragData_ = TComPtr<IDataObject>::Attach(object);
    // The shell answers more bits than asked for: only copy, move and link go to the drag.
    const DWORD allowed = GetDragDropAttributesForNode(node) & kCopyMoveLink;
    auto* source = new TDropSource_shlvtv(button);
    source->AddRef();
    const TComPtr<IDropSource> dropSource = TComPtr<IDropSource>::Attach(source);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(dragData_.Get(), dropSource.Get(), allowed, &effect);
    refresh = hr == DRAGDROP_S_DROP || refreshPending_;  // the item may have moved; or a change waited
  }
  if (refresh) RefreshNodes();
}

DWORD TZQCustomShellTree::GetDragDropAttributesForNode(TTreeNode* node) {
  TZQShTreeData* data = GetDataFromNode(node);
  if (!data) return kCopyMoveLink;
  SFGAOF mask = kCopyMoveLink;
  if (node->GetParent()) {
    IShellFolder* parent = data->GetParentIShf();
    PCUITEMID_CHILD child = data->GetRelPidl();
    if (!parent || FAILED(parent->GetAttributesOf(1, &child, &mask))) return kCopyMoveLink;
    return mask;
  }
  // The top-level node answers for the desktop's directory.
  TIdListPtr parentList, item;
  TComPtr<IShellFolder> parent;
  if (FAILED(GetDesktopDirParentAndItem(parentList, item)) || FAILED(ShellGetFolderFromIdList(parentList.Get(), parent)))
    return kCopyMoveLink;
  PCUITEMID_CHILD child = item.Get();
  if (FAILED(parent->GetAttributesOf(1, &child, &mask))) return kCopyMoveLink;
  return mask;
}

// --- Dropping onto nodes

void TZQCustomShellTree::UpdateDropRegistration() {
  const bool wanted = options_.Contains(zqstoOleDrop) && HandleAllocated() && !IsDesigning();
  if (wanted && !dropTarget_.IsRegistered()) dropTarget_.Register(GetHandle(), new TDropTarget_shtv(this));
  else if (!wanted && dropTarget_.IsRegistered()) dropTarget_.Revoke();
}

TTreeNode* TZQCustomShellTree::DropNodeAt(POINT point, POINT& client) {
  client = ScreenToClient(point);
  TTreeNode* node = GetNodeAt(client.x, client.y);
  return GetDataFromNode(node) ? node : nullptr;
}

TComPtr<IDropTarget> TZQCustomShellTree::NodeDropTarget(TTreeNode* node) {
  TComPtr<IDropTarget> target;
  if (TZQShTreeData* data = GetDataFromNode(node)) data->GetIDropTarget(GetParentFormHandle(this), target);
  return target;
}

HRESULT TZQCustomShellTree::HoverAt(DWORD keyState, POINT point, DWORD& effect, bool over) {
  TTreeNode* before = GetDropTarget();
  POINT client;
  TTreeNode* node = DropNodeAt(point, client);
  const HRESULT hr =
      hover_.Over(node, [&] { return NodeDropTarget(node); }, keyState, POINTL{point.x, point.y}, effect);
  // Over no node, the node being dragged keeps its mark.
  SetDropTarget(node ? node : dragNode_);
  if (over) {
    hover_.AutoScroll(GetHandle(), client);
    effect |= DROPEFFECT_SCROLL;
    if (GetDropTarget() != before) Update();
  }
  return hr;
}

HRESULT TZQCustomShellTree::OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  hover_.Enter(data, keyState);
  return HoverAt(keyState, point, effect, false);
}

HRESULT TZQCustomShellTree::OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) {
  if (!hover_.IsActive()) {
    effect = DROPEFFECT_NONE;
    return S_OK;
  }
  return HoverAt(keyState, point, effect, true);
}

HRESULT TZQCustomShellTree::OnDropTarget_DragLeave() {
  hover_.Leave();
  if (HandleAllocated()) SetDropTarget(nullptr);
  return S_OK;
}

HRESULT TZQCustomShellTree::OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  const auto end = ScopeExit([this] { GuardCallback(this, [this] { OnDropTarget_DragLeave(); }); });
  POINT client;
  TTreeNode* node = DropNodeAt(point, client);
  const HRESULT hr = hover_.Drop(node, [&] { return NodeDropTarget(node); }, data, keyState,
                                 POINTL{point.x, point.y}, effect);
  if (node && SUCCEEDED(hr)) RefreshNodes();
  return hr;
}

}  // namespace korvane
