// The clipboard as the shell's copy verb leaves it.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace korvane::test {

// The first file of the clipboard's CF_HDROP, empty when there is none.
inline std::string ClipboardFile(HWND owner) {
  std::string path;
  if (!OpenClipboard(owner)) return path;
  if (HANDLE h = GetClipboardData(CF_HDROP)) {
    char buf[MAX_PATH] = {};
    if (DragQueryFileA(static_cast<HDROP>(h), 0, buf, MAX_PATH)) path = buf;
  }
  CloseClipboard();
  return path;
}

}  // namespace korvane::test
