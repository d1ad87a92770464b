#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Screen.h"

namespace korvane {

HWND GetParentFormHandle(TControl* control) {
  TCustomForm* form = GetParentForm(control);
  return form ? form->GetHandle() : nullptr;
}

void WaitCursorSleep(DWORD milliseconds) {
  TCursorScope hourglass(crHourGlass);
  Sleep(milliseconds);
}

}  // namespace korvane
