#include "korvane/controls/shell/tree/treedragdrop.h"

#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Application.h"

namespace korvane {

TDataObject_shtv::TDataObject_shtv(TZQCustomShellTree*, TTreeNode* node)
    : TZQShellDataObject(TZQCustomShellTree::GetDataFromNode(node->GetParent())->GetAbsPidl(),
                         {TZQCustomShellTree::GetDataFromNode(node)->GetRelPidl()},
                         {FileSystemParsingName(TZQCustomShellTree::GetDataFromNode(node)->GetParentIShf(),
                                                TZQCustomShellTree::GetDataFromNode(node)->GetRelPidl())}) {}

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
  // The shell answers more bits than asked for: only copy, move and link go to the drag.
  const DWORD allowed = GetDragDropAttributesForNode(node) & kCopyMoveLink;
  const bool dropped = dragDrop_.BeginDrag(MakeComObject<TDataObject_shtv>(this, node), allowed, button);
  // The item may have moved; or a change waited for the drag's end.
  if (std::exchange(refreshPending_, false) || dropped) RefreshNodes();
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
  dragDrop_.UpdateRegistration(options_.Contains(zqstoOleDrop) && !IsDesigning(),
                               [this] { return MakeComObject<TDropTarget_shtv>(this); });
}

TZQDropPlace TZQCustomShellTree::DropPlaceAt(POINT client) {
  TTreeNode* node = GetNodeAt(client.x, client.y);
  return {GetDataFromNode(node) ? node : nullptr};
}

TComPtr<IDropTarget> TZQCustomShellTree::DropTargetOf(const void* place) {
  TComPtr<IDropTarget> target;
  if (TZQShTreeData* data = GetDataFromNode(static_cast<TTreeNode*>(const_cast<void*>(place))))
    data->GetIDropTarget(GetParentFormHandle(this), target);
  return target;
}

bool TZQCustomShellTree::MarkDropPlace(const void* place, DWORD) {
  TTreeNode* before = GetDropTarget();
  // Over no node, the node being dragged keeps its mark.
  SetDropTarget(place ? static_cast<TTreeNode*>(const_cast<void*>(place)) : dragNode_);
  return GetDropTarget() != before;
}

void TZQCustomShellTree::ClearDropMark() {
  if (HandleAllocated()) SetDropTarget(nullptr);
}

void TZQCustomShellTree::AfterDrop(const void* place, HRESULT result, DWORD) {
  if (place && SUCCEEDED(result)) RefreshNodes();
}

HRESULT TZQCustomShellTree::OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.DragEnter(data, keyState, point, effect);
}

HRESULT TZQCustomShellTree::OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.DragOver(keyState, point, effect);
}

HRESULT TZQCustomShellTree::OnDropTarget_DragLeave() { return dragDrop_.DragLeave(); }

HRESULT TZQCustomShellTree::OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  return dragDrop_.Drop(data, keyState, point, effect);
}

}  // namespace korvane
