// What the tests run on, for expectations that differ between Windows and Wine.
#pragma once
#include <windows.h>

namespace korvane::test {

inline bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace korvane::test
