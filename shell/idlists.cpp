#include <cstring>

#include "shell/Uzqshellutils.h"

namespace korvane {
namespace {

// Bytes of the items, without the terminator.
std::size_t ItemsLen(PCItemIDList list) {
  const int len = IdListLen(list) - 2;
  return len > 0 ? static_cast<std::size_t>(len) : 0;
}

PItemIDList Alloc(IMalloc* allocator, std::size_t size) {
  return static_cast<PItemIDList>(allocator ? allocator->Alloc(size) : ShellMemAlloc(size));
}

}  // namespace

int IdListLen(PCItemIDList list) {
  if (!list) return 0;
  const auto* p = reinterpret_cast<const std::uint8_t*>(list);
  int len = 0;
  for (;;) {
    USHORT cb;
    std::memcpy(&cb, p + len, sizeof cb);
    if (cb == 0) return len + 2;
    len += cb;
  }
}

PItemIDList CopyIdList(IMalloc* allocator, PCItemIDList list) { return ConcatIdLists(allocator, list, nullptr); }

PItemIDList ConcatIdLists(IMalloc* allocator, PCItemIDList first, PCItemIDList second) {
  const std::size_t a = ItemsLen(first), b = ItemsLen(second);
  PItemIDList result = Alloc(allocator, a + b + 2);
  if (!result) return nullptr;
  auto* p = reinterpret_cast<std::uint8_t*>(result);
  if (a) std::memcpy(p, first, a);
  if (b) std::memcpy(p + a, second, b);
  p[a + b] = 0;
  p[a + b + 1] = 0;
  return result;
}

bool IsEmptyIdList(PCItemIDList list) { return list && list->mkid.cb == 0; }

int CompareAbsIdLists(PCItemIDList a, PCItemIDList b) {
  if (!a || !b) return a == b ? 0 : -1;
  const bool ea = IsEmptyIdList(a), eb = IsEmptyIdList(b);
  if (ea || eb) return ea && eb ? 0 : -1;
  TComPtr<IShellFolder> desktop;
  if (FAILED(ShellGetDesktopFolder(desktop))) return ZQ_COMPARE_UNDECIDED;
  const HRESULT hr = desktop->CompareIDs(0, a, b);
  if (FAILED(hr)) return ZQ_COMPARE_UNDECIDED;
  return static_cast<std::int16_t>(HRESULT_CODE(hr));
}

const std::vector<std::string>& CSIDLNames() {
  static const std::vector<std::string> names = {
      "csidlDesktop", "csidl_None1", "csidlPrograms", "csidlControls", "csidlPrinters", "csidlPersonal",
      "csidlFavorites", "csidlStartup", "csidlRecent", "csidlSendTo", "csidlBitBucket", "csidlStartMenu",
      "csidl_None2", "csidl_None3", "csidl_None4", "csidl_None5", "csidlDesktopDirectory", "csidlDrives",
      "csidlNetwork", "csidlNethood", "csidlFonts", "csidlTemplates", "csidlCommonStartMenu",
      "csidlCommonPrograms", "csidlCommonStartup", "csidlCommonDesktopDirectory", "csidlAppData",
      "csidlPrintHood", "csidlNone"};
  return names;
}

}  // namespace korvane
