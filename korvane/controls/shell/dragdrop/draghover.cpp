#include "korvane/controls/shell/dragdrop/draghover.h"

#include "korvane/controls/shell/common/dragattributes.h"
#include "korvane/controls/shell/common/scrolling.h"
#include "korvane/controls/shell/common/tuning.h"

namespace korvane {

void TZQDragHover::Enter(IDataObject* data, DWORD keyState) {
  Leave();
  data_ = TComPtr<IDataObject>::Share(data);
  keyState_ = keyState;
  refused_ = HasMalformedIdListArray(data);
  lastScroll_ = GetTickCount();
}

void TZQDragHover::LeaveTarget() {
  if (target_) target_->DragLeave();
  target_.Reset();
  place_ = nullptr;
}

void TZQDragHover::Leave() {
  LeaveTarget();
  data_.Reset();
}

void TZQDragHover::Forget(const void* place) {
  if (place && place == place_) LeaveTarget();
}

HRESULT TZQDragHover::Over(const void* place, const TMakeTarget& make, DWORD keyState, POINTL point, DWORD& effect) {
  if (refused_) place = nullptr;
  if (place != place_ || !place) {
    LeaveTarget();
    place_ = place;
    if (place) target_ = make();
    if (target_ && FAILED(target_->DragEnter(data_.Get(), keyState, point, &effect))) target_.Reset();
    if (!target_) effect = DROPEFFECT_NONE;
    return S_OK;
  }
  if (!target_) {
    effect = DROPEFFECT_NONE;
    return S_OK;
  }
  const HRESULT hr = target_->DragOver(keyState, point, &effect);
  if (FAILED(hr)) effect = DROPEFFECT_NONE;
  return hr;
}

HRESULT TZQDragHover::Drop(const void* place, const TMakeTarget& make, IDataObject* data, DWORD keyState,
                           POINTL point, DWORD& effect) {
  keyState |= keyState_ & (MK_LBUTTON | MK_RBUTTON);  // released by now; the shell's menu needs them
  if (data && data != data_.Get()) {
    LeaveTarget();  // the target was entered with the other data: it is entered again below, or not at all
    data_ = TComPtr<IDataObject>::Share(data);
    refused_ = HasMalformedIdListArray(data);
  }
  if (refused_) {
    effect = DROPEFFECT_NONE;
    Leave();
    return S_OK;
  }
  DWORD scratch = effect;
  if (place != place_ || !place) Over(place, make, keyState, point, scratch);
  HRESULT hr = S_OK;
  DWORD allowed = 0;
  if (target_) {
    try {
      allowed = GetDataObjectAttributes(data_.Get());
    } catch (...) {
      allowed = 0;  // foreign data whose parent cannot be bound: nothing is dropped
    }
  }
  effect &= allowed;
  if (!target_ || effect == DROPEFFECT_NONE) {
    effect = DROPEFFECT_NONE;
    Leave();
    return S_OK;
  }
  const TComPtr<IDropTarget> target = std::move(target_);  // a drop ends the target's drag: no DragLeave
  place_ = nullptr;
  hr = target->Drop(data_.Get(), keyState, point, &effect);
  if (FAILED(hr)) effect = DROPEFFECT_NONE;
  data_.Reset();
  return hr;
}

void TZQDragHover::AutoScroll(HWND wnd, POINT client) {
  const DWORD now = GetTickCount();
  if (now - lastScroll_ <= static_cast<DWORD>(ZQSH_AUTOSCROLL_MINDELAY_MS)) return;
  RECT r = {};
  GetClientRect(wnd, &r);
  if (client.x < ZQSH_AUTOSCROLL_THRESHOLD_X) ScrollControl(wnd, SB_HORZ, SB_LINELEFT);
  else if (client.x > r.right - ZQSH_AUTOSCROLL_THRESHOLD_X) ScrollControl(wnd, SB_HORZ, SB_LINERIGHT);
  if (client.y < ZQSH_AUTOSCROLL_THRESHOLD_Y) ScrollControl(wnd, SB_VERT, SB_LINEUP);
  else if (client.y > r.bottom - ZQSH_AUTOSCROLL_THRESHOLD_Y) ScrollControl(wnd, SB_VERT, SB_LINEDOWN);
  lastScroll_ = now;
}

}  // namespace korvane
