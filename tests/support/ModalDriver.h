// Drives a modal loop of the test's thread (a popup menu, a message box, a
// dialog) from a helper thread: once find() answers a window, act(window)
// runs; after the bounded wait the driver gives up and Acted() stays false.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace korvane::test {

class ModalDriver {
public:
  ModalDriver(std::function<HWND()> find, std::function<void(HWND)> act, DWORD timeoutMs = 10000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;
  bool Acted() const { return acted_; }

private:
  std::atomic<bool> acted_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// A visible top-level window of this process (other test processes may run at
// the same time), by class and, when given, title; 0 when none.
HWND FindProcessWindow(const char* className, const char* title = nullptr);
// The visible popup menu window of this process, or 0.
HWND FindMenuWindow();
// Picks the item at position among the menu's selectable (non-separator) items.
void ChooseMenuItem(HWND menuWindow, int position);
// Picks the first selectable item whose text, without its '&', is text
// (ignoring case); answers false, choosing nothing, when none is.
bool ChooseMenuItemByText(HWND menuWindow, const std::string& text);
// Dismisses the menu.
void CancelMenu(HWND menuWindow);

}  // namespace korvane::test
