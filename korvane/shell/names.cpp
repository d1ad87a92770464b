#include <cstring>

#include "korvane/host/Handles.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

std::string StrretToString(PCItemIDList list, const STRRET& answer) {
  switch (answer.uType) {
    case STRRET_WSTR: {
      if (!answer.pOleStr) return std::string();
      const int n = WideCharToMultiByte(CP_ACP, 0, answer.pOleStr, -1, nullptr, 0, nullptr, nullptr);
      if (n <= 1) return std::string();
      std::string s(static_cast<std::size_t>(n), '\0');
      WideCharToMultiByte(CP_ACP, 0, answer.pOleStr, -1, s.data(), n, nullptr, nullptr);
      s.resize(static_cast<std::size_t>(n - 1));
      return s;
    }
    case STRRET_OFFSET: {
      if (!list) return std::string();
      // The text lies inside the item list; it ends at its zero byte or with the list.
      const auto* base = reinterpret_cast<const char*>(list);
      const int len = IdListLen(list);
      if (static_cast<int>(answer.uOffset) >= len) return std::string();
      const char* text = base + answer.uOffset;
      return std::string(text, strnlen(text, static_cast<std::size_t>(len) - answer.uOffset));
    }
    case STRRET_CSTR:
      return std::string(answer.cStr, strnlen(answer.cStr, sizeof answer.cStr));
    default:
      return std::string();
  }
}

void StrretFree(STRRET& answer) {
  if (answer.uType == STRRET_WSTR && answer.pOleStr) {
    CoTaskMemFree(answer.pOleStr);
    answer.pOleStr = nullptr;
  }
}

std::string GetItemDisplayName(IShellFolder* folder, PCItemIDList list, DWORD flags) {
  TComPtr<IShellFolder> desktop;
  if (!folder) {
    if (FAILED(ShellGetDesktopFolder(desktop))) return std::string();
    folder = desktop.Get();
  }
  TStrRetOwner answer;
  if (FAILED(folder->GetDisplayNameOf(list, flags, answer.Put()))) return std::string();
  return StrretToString(list, answer.Get());
}

std::string ShellGetFriendlyNameFromIdList(IShellFolder* folder, PCItemIDList list, TZQFriendlyNameFlags kind) {
  static const DWORD kFlags[] = {SHGDN_NORMAL, SHGDN_INFOLDER, SHGDN_FORPARSING};
  return GetItemDisplayName(folder, list, kFlags[kind]);
}

}  // namespace korvane
