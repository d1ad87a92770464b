#include "tests/support/ModalDriver.h"

namespace korvane::test {

ModalDriver::ModalDriver(std::function<HWND()> find, std::function<void(HWND)> act, DWORD timeoutMs) {
  thread_ = std::thread([this, find = std::move(find), act = std::move(act), timeoutMs] {
    const DWORD start = GetTickCount();
    while (!stop_ && GetTickCount() - start < timeoutMs) {
      if (HWND wnd = find()) {
        Sleep(50);  // let the loop finish showing the window
        acted_ = true;  // before acting: the loop may end before act returns
        act(wnd);
        return;
      }
      Sleep(20);
    }
  });
}

ModalDriver::~ModalDriver() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

HWND FindProcessWindow(const char* className, const char* title) {
  for (HWND wnd = FindWindowExA(nullptr, nullptr, className, title); wnd;
       wnd = FindWindowExA(nullptr, wnd, className, title)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(wnd)) return wnd;
  }
  return nullptr;
}

HWND FindMenuWindow() { return FindProcessWindow("#32768"); }

static void Key(HWND wnd, WPARAM vk) {
  PostMessageA(wnd, WM_KEYDOWN, vk, 0);
  PostMessageA(wnd, WM_KEYUP, vk, 0xC0000000);
  Sleep(20);
}

void ChooseMenuItem(HWND menuWindow, int position) {
  for (int i = 0; i <= position; ++i) Key(menuWindow, VK_DOWN);
  Key(menuWindow, VK_RETURN);
}

bool ChooseMenuItemByText(HWND menuWindow, const std::string& text) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0, position = 0; i < count; ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) continue;
    char buf[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
    std::string plain;
    for (const char* c = buf; *c && *c != '\t'; ++c)
      if (*c != '&') plain += *c;
    if (lstrcmpiA(plain.c_str(), text.c_str()) == 0) {
      ChooseMenuItem(menuWindow, position);
      return true;
    }
    ++position;
  }
  CancelMenu(menuWindow);
  return false;
}

void CancelMenu(HWND menuWindow) { Key(menuWindow, VK_ESCAPE); }

}  // namespace korvane::test
