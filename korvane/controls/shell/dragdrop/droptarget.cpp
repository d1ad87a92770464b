#include "korvane/controls/shell/dragdrop/droptarget.h"

#include "korvane/host/Application.h"

namespace korvane {

// An exception goes to the application; the control forgets the drag and nothing is dropped.
template <class F>
HRESULT TZQShellDropTarget::Forward(DWORD* effect, F&& f) noexcept {
  if (!owner_) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT hr = E_UNEXPECTED;
  if (GuardCallback(sender_, [&] { hr = f(); })) return hr;
  if (effect) *effect = DROPEFFECT_NONE;
  GuardCallback(sender_, [&] { owner_->OnDropTarget_DragLeave(); });
  return E_UNEXPECTED;
}

HRESULT TZQShellDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  return Forward(effect, [&] { return owner_->OnDropTarget_DragEnter(data, keyState, {point.x, point.y}, *effect); });
}

HRESULT TZQShellDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  return Forward(effect, [&] { return owner_->OnDropTarget_DragOver(keyState, {point.x, point.y}, *effect); });
}

HRESULT TZQShellDropTarget::DragLeave() {
  return Forward(nullptr, [&] { return owner_->OnDropTarget_DragLeave(); });
}

HRESULT TZQShellDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  return Forward(effect, [&] { return owner_->OnDropTarget_Drop(data, keyState, {point.x, point.y}, *effect); });
}

bool TZQDropRegistration::Register(HWND wnd, TComPtr<TZQShellDropTarget> target) {
  Revoke();
  if (!target) return false;
  if (FAILED(RegisterDragDrop(wnd, target.Get()))) {
    target->Detach();
    return false;
  }
  wnd_ = wnd;
  target_ = std::move(target);
  return true;
}

void TZQDropRegistration::Revoke() {
  if (!target_) return;
  if (IsWindow(wnd_)) RevokeDragDrop(wnd_);
  target_->Detach();
  target_.Reset();
  wnd_ = nullptr;
}

}  // namespace korvane
