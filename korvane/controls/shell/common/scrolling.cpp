#include "korvane/controls/shell/common/scrolling.h"

namespace korvane {

void ScrollControl(HWND wnd, int bar, WORD code) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(wnd, bar, &info)) return;
  if (info.nMax - info.nMin - static_cast<int>(info.nPage) > 0)
    SendMessageA(wnd, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

bool ScrollControlByWheel(HWND wnd, int bar, WORD lineCode, WORD pageCode) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL) {
    ScrollControl(wnd, bar, pageCode);
  } else if (bar == SB_VERT) {
    for (UINT i = 0; i < lines; ++i) ScrollControl(wnd, bar, lineCode);
  } else {
    ScrollControl(wnd, bar, lineCode);
  }
  return true;
}

bool ShellWheelTurned(TWinControl* self, bool handled, bool down, TShiftState shift, POINT mousePos, int bar) {
  if (!handled) {
    TWinControl* under = FindVCLWindow(mousePos);
    if (under && under != self)
      if (auto* target = dynamic_cast<TZQShellWheelTarget*>(under)) handled = target->ShellMouseWheel(down, shift, mousePos);
  }
  if (!handled)
    handled = ScrollControlByWheel(self->GetHandle(), bar, static_cast<WORD>(down ? SB_LINEDOWN : SB_LINEUP),
                                   static_cast<WORD>(down ? SB_PAGEDOWN : SB_PAGEUP));
  return handled;
}

}  // namespace korvane
