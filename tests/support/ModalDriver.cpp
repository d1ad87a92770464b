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

void CancelMenu(HWND menuWindow) { Key(menuWindow, VK_ESCAPE); }

}  // namespace korvane::test
