// What the tests run on, for expectations that differ between Windows and Wine.
#pragma once
#include <windows.h>

#include <string>

namespace korvane::test {

inline bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Where Wine differs from Windows: the value expected on Windows, or under Wine
// the value Wine gives. State the reason at the call, as Wine's own tests do
// with todo_wine, so the same expectation holds on both.
template <class T>
T WindowsElseWine(T windows, T wine) {
  return RunningOnWine() ? wine : windows;
}

// "0x80004005": HRESULTs read best in hex in failure messages.
inline std::string Hex(HRESULT hr) {
  char buf[16];
  wsprintfA(buf, "0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

// The system's short date and short time (without seconds) of a local time.
inline std::string SystemShortDateTime(const SYSTEMTIME& st) {
  char date[80] = {}, time[80] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, sizeof time);
  return std::string(date) + " " + time;
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
