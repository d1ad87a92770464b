#include "korvane/controls/shell/dragdrop/dragengine.h"

#include "korvane/controls/shell/dragdrop/dropsource.h"
#include "korvane/host/Application.h"
#include "korvane/host/ComInit.h"
#include "korvane/host/ScopeExit.h"

namespace korvane {

void TZQDragDropEngine::UpdateRegistration(bool wanted,
                                           const std::function<TComPtr<TZQShellDropTarget>()>& make) {
  wanted = wanted && control_->HandleAllocated();
  if (wanted && !registration_.IsRegistered()) {
    OleInitializeForThread();
    registration_.Register(control_->GetHandle(), make());
  } else if (!wanted && registration_.IsRegistered()) {
    registration_.Revoke();
  }
}

void TZQDragDropEngine::Revoke() {
  registration_.Revoke();
  DragLeave();
}

HRESULT TZQDragDropEngine::HoverAt(DWORD keyState, POINT point, DWORD& effect, bool over) {
  const POINT client = control_->ScreenToClient(point);
  const TZQDropPlace at = site_->DropPlaceAt(client);
  const DWORD offered = effect;
  const HRESULT hr = hover_.Over(
      at.place, [&] { return site_->DropTargetOf(at.place); }, keyState, POINTL{point.x, point.y}, effect);
  if (at.selfAnswered) effect = offered & DROPEFFECT_COPY;  // the drop offers the shell's copy and link
  const bool moved = site_->MarkDropPlace(at.place, effect);
  if (over) {
    hover_.AutoScroll(control_->GetHandle(), client);
    effect |= DROPEFFECT_SCROLL;
    if (moved) control_->Update();
  }
  return hr;
}

HRESULT TZQDragDropEngine::DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  hover_.Enter(data, keyState);
  return HoverAt(keyState, point, effect, false);
}

HRESULT TZQDragDropEngine::DragOver(DWORD keyState, POINT point, DWORD& effect) {
  if (!hover_.IsActive()) {
    effect = DROPEFFECT_NONE;
    return S_OK;
  }
  return HoverAt(keyState, point, effect, true);
}

HRESULT TZQDragDropEngine::DragLeave() {
  hover_.Leave();
  site_->ClearDropMark();
  return S_OK;
}

HRESULT TZQDragDropEngine::Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) {
  const auto end = ScopeExit([this] { GuardCallback(control_, [this] { DragLeave(); }); });
  TZQDropPlace at = site_->DropPlaceAt(control_->ScreenToClient(point));
  if (at.selfAnswered) {
    effect &= ~static_cast<DWORD>(DROPEFFECT_MOVE);  // they are in this folder already
    at.place = FolderPlace();
  }
  const HRESULT hr = hover_.Drop(
      at.place, [&] { return site_->DropTargetOf(at.place); }, data, keyState, POINTL{point.x, point.y}, effect);
  site_->AfterDrop(at.place, hr, effect);
  return hr;
}

bool TZQDragDropEngine::BeginDrag(TComPtr<IDataObject> data, DWORD allowed, TMouseButton button) {
  OleInitializeForThread();
  const TFlagScope drag(dragging_);
  const TComPtr<IDropSource> source = MakeComObject<TDropSource_shlvtv>(button);
  DWORD effect = DROPEFFECT_NONE;
  return DoDragDrop(data.Get(), source.Get(), allowed, &effect) == DRAGDROP_S_DROP;
}

}  // namespace korvane
