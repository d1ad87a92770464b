#include <cstring>

#include "korvane/shell/Uzqshellutils.h"
#include "korvane/shell/idlistbytes.h"

namespace korvane {
namespace {

// Bytes of the items, without the terminator.
std::size_t ItemsLen(PCItemIDList list) {
  const int len = IdListLen(list) - 2;
  return len > 0 ? static_cast<std::size_t>(len) : 0;
}

}  // namespace

int IdListLen(PCItemIDList list) {
  if (!list) return 0;
  int len = 0;
  for (;;) {
    const USHORT cb = IdItemSizeAt(list, static_cast<std::size_t>(len));
    if (cb == 0) return len + 2;
    len += cb;
  }
}

PItemIDList CopyIdList(IMalloc* allocator, PCItemIDList list) { return ConcatIdLists(allocator, list, nullptr); }

PItemIDList ConcatIdLists(IMalloc* allocator, PCItemIDList first, PCItemIDList second) {
  const std::size_t a = ItemsLen(first), b = ItemsLen(second);
  PItemIDList result = NewIdList(allocator, nullptr, a + b);
  if (!result) return nullptr;
  auto* p = reinterpret_cast<std::uint8_t*>(result);
  if (a) std::memcpy(p, first, a);
  if (b) std::memcpy(p + a, second, b);
  return result;
}

bool IsEmptyIdList(PCItemIDList list) { return list && list->mkid.cb == 0; }

PCItemIDList EmptyIdList() {
  static const USHORT terminator = 0;
  return reinterpret_cast<PCItemIDList>(&terminator);
}

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
