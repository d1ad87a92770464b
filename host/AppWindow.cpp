#include "host/AppWindow.h"

namespace korvane {

static HWND applicationHandle = nullptr;

HWND GetApplicationHandle() { return applicationHandle; }
void SetApplicationHandle(HWND handle) { applicationHandle = handle; }

}  // namespace korvane
