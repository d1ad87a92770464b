// Window messages as the host hands them to controls and utility windows.
#pragma once
#include <windows.h>

#include <functional>

namespace korvane {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = std::function<void(TMessage& Message)>;

}  // namespace korvane

namespace korvane {

// The host's own control messages.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
constexpr UINT CM_COLORCHANGED = CM_BASE + 3;
constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 6;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 7;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 8;
constexpr UINT CM_MOUSEENTER = CM_BASE + 9;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 10;
constexpr UINT CM_ENTER = CM_BASE + 11;
constexpr UINT CM_EXIT = CM_BASE + 12;
// lParam: the mouse position in client coordinates; non-zero result: the control
// handles the mouse itself at design time.
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 13;
// wParam: a virtual key; non-zero result: the control wants it rather than the form.
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 14;
constexpr UINT CM_DIALOGKEY = CM_BASE + 15;
constexpr UINT CM_CHILDKEY = CM_BASE + 16;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 17;
constexpr UINT CM_CANCELMODE = CM_BASE + 18;
constexpr UINT CM_RECREATEWND = CM_BASE + 19;
constexpr UINT CM_RELEASE = CM_BASE + 20;
constexpr UINT CM_HITTEST = CM_BASE + 21;
// wParam: a character typed with Alt; non-zero result: a control took it as its accelerator.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 22;

// Notifications a parent reflects back to the child control that sent them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;

}  // namespace korvane
