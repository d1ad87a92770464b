// Keys sent to a window as its own thread would receive them, with Ctrl and
// Shift held in the thread's keyboard state for the message.
#pragma once
#include <windows.h>

namespace korvane::test {

inline void PressKey(HWND wnd, WORD key, bool ctrl = false, bool shift = false) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageA(wnd, WM_KEYDOWN, key, 0);
  state[VK_CONTROL] = 0;
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

}  // namespace korvane::test
