// AllocateHWnd: a hidden top-level window (so that it also receives broadcast
// messages such as WM_DEVICECHANGE) whose every message goes to a method.
// Exceptions the method raises go to Application->HandleException.
#pragma once
#include "korvane/host/Messages.h"

namespace korvane {

HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace korvane
