// The drop source of drags out of the shell tree and list.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "korvane/host/Controls.h"
#include "korvane/shell/comobject.h"

namespace korvane {

// Goes on while the drag button is down; a drop when it is released; a cancel
// on Escape or when another mouse button goes down. The system's cursors.
class TDropSource_shlvtv final : public TComObject<TDropSource_shlvtv, IDropSource> {
public:
  explicit TDropSource_shlvtv(TMouseButton button);

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
  DWORD buttonMask_;
};

}  // namespace korvane
