#include <windows.h>

#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

std::string ZQLoadStr(const std::string& text) { return text; }

const char* DefaultResString(TZQStringId id) {
  switch (id) {
#define ZQ_STRING(ident, index, text) \
  case ident:                         \
    return text;
#include "korvane/shell/Uzqshconsts.def"
#undef ZQ_STRING
  }
  return "";
}

// The module holding this code, and so the string table linked with it.
static HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

std::string LoadResString(TZQStringId id) {
  const wchar_t* text = nullptr;
  const int len = LoadStringW(OwnModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (len <= 0 || !text) return ZQLoadStr(DefaultResString(id));
  const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, len, s.data(), n, nullptr, nullptr);
  return ZQLoadStr(s);
}

}  // namespace korvane
