// The application's main window handle, handed to shell calls as their owner.
// Set by the application object once its window exists; 0 until then.
#pragma once
#include <windows.h>

namespace korvane {

HWND GetApplicationHandle();
void SetApplicationHandle(HWND handle);

}  // namespace korvane
