// What the tests run on, for expectations that differ between Windows and Wine.
#pragma once
#include <windows.h>

namespace korvane::test {

inline bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace korvane::test

#include <cstdlib>
#include <string>

namespace korvane::test {

// A file made natively by tools/make-fixtures, as a Windows path (through Z:);
// empty when the fixtures were not made (the test was not started by CTest).
inline std::string NativeFixture(const std::string& name) {
  const char* dir = std::getenv("KORVANE_FIXTURES");
  if (!dir || !*dir) return std::string();
  std::string path = std::string("Z:") + dir + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace korvane::test
