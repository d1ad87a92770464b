// Window helpers of the shell controls: the owner window of shell calls, window
// styles and the hourglass.
#pragma once
#include "korvane/host/Controls.h"

namespace korvane {

// The window of the form the control sits on (its top-most parent), 0 when that is no form:
// the owner of every shell call that may show a window.
HWND GetParentFormHandle(TControl* control);
// The hourglass while sleeping; the previous cursor comes back on every path.
void WaitCursorSleep(DWORD milliseconds);

}  // namespace korvane
