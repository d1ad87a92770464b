#include "controls/shell/common/windowhelpers.h"
#include "host/Forms.h"
#include "host/Screen.h"

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
