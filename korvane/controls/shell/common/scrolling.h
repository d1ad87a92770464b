// Scrolling a control by its scroll bars, for auto-scroll and the wheel.
#pragma once
#include "korvane/controls/shell/common/links.h"
#include "korvane/host/Controls.h"

namespace korvane {

// bar: SB_HORZ or SB_VERT; scrolls only when there is something to scroll.
void ScrollControl(HWND wnd, int bar, WORD code);
// Scrolls by the user's wheel setting: a page, or that many lines (one line
// sideways). Always answers true: the wheel counts as handled.
bool ScrollControlByWheel(HWND wnd, int bar, WORD lineCode, WORD pageCode);
inline void ScrollControl(TWinControl* control, int bar, WORD code) { ScrollControl(control->GetHandle(), bar, code); }
inline bool ScrollControlByWheel(TWinControl* control, int bar, WORD lineCode, WORD pageCode) {
  return ScrollControlByWheel(control->GetHandle(), bar, lineCode, pageCode);
}

// The wheel over a shell tree or list: the host's answer (an application
// handler) stands; else another shell control under the pointer scrolls;
// else self scrolls its bar (SB_HORZ or SB_VERT). Answers true.
bool ShellWheelTurned(TWinControl* self, bool handled, bool down, TShiftState shift, POINT mousePos, int bar);

}  // namespace korvane
