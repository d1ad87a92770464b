#include "korvane/controls/shell/dragdrop/dropsource.h"

namespace korvane {

namespace {
constexpr DWORD kAllButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
}

TDropSource_shlvtv::TDropSource_shlvtv(TMouseButton button)
    : buttonMask_(button == mbRight ? MK_RBUTTON : button == mbMiddle ? MK_MBUTTON : MK_LBUTTON) {}

HRESULT TDropSource_shlvtv::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed || (keyState & (kAllButtons & ~buttonMask_))) return DRAGDROP_S_CANCEL;
  return (keyState & buttonMask_) ? S_OK : DRAGDROP_S_DROP;
}

}  // namespace korvane
