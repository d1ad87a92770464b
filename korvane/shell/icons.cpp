#include <atomic>
#include <cwchar>
#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/shell/Uzqshellutils.h"

#include <commoncontrols.h>  // after windows.h and commctrl.h, which it needs

namespace korvane {
namespace {

int IconIndex(LPCSTR pathOrList, DWORD attributes, UINT flags) {
  SHFILEINFOA info = {};
  if (!SHGetFileInfoA(pathOrList, attributes, &info, sizeof info, flags)) return 0;
  return info.iIcon;
}

// Overlay 1 (shared) and 2 (shortcut) of the system lists, from shell32's icons 29 and 30; once per
// process. The shell keeps one list per size (small, large, and on later systems extra large, system
// small, jumbo) and hands out one index for all of them, so each image goes into every one of them:
// added to two only, the others fall behind and every icon the shell adds after gets an index that
// names another image in the two (Wine: My Computer showed the shortcut arrow).
void InstallOverlays(HIMAGELIST small, HIMAGELIST large) {
  // IID_IImageList, which not every import library defines.
  static const IID kImageList = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
  const TModuleHandle shell32(LoadLibraryA("shell32.dll"));
  if (!shell32) return;
  std::vector<HIMAGELIST> lists;
  for (int kind = SHIL_LARGE; kind <= SHIL_JUMBO; ++kind) {
    void* list = nullptr;
    if (SUCCEEDED(SHGetImageList(kind, kImageList, &list)) && list) lists.push_back(static_cast<HIMAGELIST>(list));
  }
  if (lists.empty()) lists = {small, large};  // before the shell could tell its lists
  for (const int resource : {29, 30}) {
    const int overlay = resource == 29 ? 1 : 2;
    for (HIMAGELIST list : lists) {
      if (!list) continue;
      int cx = 0, cy = 0;
      ImageList_GetIconSize(list, &cx, &cy);
      const TIconHandle icon(
          static_cast<HICON>(LoadImageA(shell32.Get(), MAKEINTRESOURCEA(resource), IMAGE_ICON, cx, cy, 0)));
      const int index = ImageList_ReplaceIcon(list, -1, icon.Get());  // a null icon still takes the place
      if (index >= 0 && icon) ImageList_SetOverlayImage(list, index, overlay);
    }
  }
}

HIMAGELIST SystemList(UINT sizeFlag) {
  SHFILEINFOA info = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | sizeFlag));
}

// A file-system directory that is neither read-only nor system (so no
// desktop.ini customises it), no reparse point and no namespace junction
// ("name.{clsid}") shows the generic folder icons. Its find data travels in the
// identifier list, so this asks nothing of the disk; the icon extractor would
// look the folder up in its parent, which costs milliseconds in a large folder.
constexpr SFGAOF kPlainAttributes = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_LINK | SFGAO_STREAM;

bool PlainByFindData(IShellFolder* folder, PCItemIDList relative) {
  WIN32_FIND_DATAW data = {};
  if (FAILED(SHGetDataFromIDListW(folder, relative, SHGDFIL_FINDDATA, &data, sizeof data))) return false;
  constexpr DWORD kCustomising =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  if ((data.dwFileAttributes & kCustomising) != FILE_ATTRIBUTE_DIRECTORY) return false;  // files end here
  const std::size_t length = wcsnlen(data.cFileName, MAX_PATH);
  return length > 0 && data.cFileName[length - 1] != L'}';
}

bool PlainByAttributes(SFGAOF attributes) { return (attributes & kPlainAttributes) == (SFGAO_FILESYSTEM | SFGAO_FOLDER); }

bool IsPlainDirectory(IShellFolder* folder, PCItemIDList relative) {
  if (!PlainByFindData(folder, relative)) return false;
  SFGAOF attributes = kPlainAttributes;
  PCUITEMID_CHILD child = relative;
  return SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes)) && PlainByAttributes(attributes);
}

// The item's open icon asked by its own absolute list: through its parent, or by name alone, the shell
// may answer the closed one (Wine does). -1 when the folder cannot name its own list.
int OpenIconByIdList(IShellFolder* folder, PCItemIDList relative) {
  TComPtr<IPersistFolder2> persist;
  LPITEMIDLIST own = nullptr;
  if (FAILED(folder->QueryInterface(IID_IPersistFolder2, persist.PutVoid())) || !persist ||
      FAILED(persist->GetCurFolder(&own)) || !own)
    return -1;
  IMalloc* m = ShellIMalloc();
  const TIdListPtr folderList(own, m);
  const TIdListPtr absolute(ConcatIdLists(m, folderList.Get(), relative), m);
  return absolute ? IconIndex(reinterpret_cast<LPCSTR>(absolute.Get()), 0,
                              SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON | SHGFI_OPENICON)
                  : -1;
}

// The generic folder icons, asked of the shell once per process: the closed one by name, the open one
// by the list of the first plain folder that asks.
void GenericFolderIcons(IShellFolder* folder, PCItemIDList relative, int& normal, int* open) {
  static const int kNormal = IconIndex("folder", FILE_ATTRIBUTE_DIRECTORY,
                                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
  static std::atomic<int> known{-1};  // any thread may ask
  normal = kNormal;
  if (!open) return;
  int openIndex = known.load();
  if (openIndex < 0) known.store(openIndex = OpenIconByIdList(folder, relative));
  *open = openIndex >= 0 ? openIndex
                         : IconIndex("folder", FILE_ATTRIBUTE_DIRECTORY,
                                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON | SHGFI_OPENICON);
}

}  // namespace

int ShellGetIconIndex(PCItemIDList list, UINT flags) {
  return IconIndex(reinterpret_cast<LPCSTR>(list), 0, flags | SHGFI_SYSICONINDEX | SHGFI_PIDL);
}

bool ShellGetPlainFolderIcons(IShellFolder* folder, PCItemIDList relative, SFGAOF attributes, int& normal, int& open) {
  if (!folder || !relative || !PlainByAttributes(attributes) || !PlainByFindData(folder, relative)) return false;
  GenericFolderIcons(folder, relative, normal, &open);
  return true;
}

int ShellGetIconIndexInFolder(IShellFolder* folder, PCItemIDList relative, int* openIndex) {
  if (!folder || !relative) return -1;
  if (IsPlainDirectory(folder, relative)) {
    int normal = 0;
    GenericFolderIcons(folder, relative, normal, openIndex);
    return normal;
  }
  if (!openIndex) {
    TComPtr<IShellIcon> icons;
    int index = -1;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellIcon, icons.PutVoid())) && icons &&
        icons->GetIconOf(relative, GIL_FORSHELL, &index) == S_OK && index >= 0)
      return index;
  }
  const int normal = SHMapPIDLToSystemImageListIndex(folder, relative, openIndex);
  if (openIndex && normal >= 0)
    if (const int open = OpenIconByIdList(folder, relative); open >= 0) *openIndex = open;
  return normal;
}

int ShellGetIconIndexFromPath(const std::string& path, UINT flags) {
  return IconIndex(path.c_str(), 0, flags | SHGFI_SYSICONINDEX);
}

int ShellGetIconIndexFromExt(const std::string& name, UINT flags) {
  return IconIndex(name.c_str(), FILE_ATTRIBUTE_NORMAL, flags | SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
}

HIMAGELIST ShellGetSystemImageList(TZQShellIconSize size) {
  static bool overlaysInstalled = false;
  if (!overlaysInstalled && IsWinNT() && ZQComCtlVersion().VersionMS >= 0x00040047) {
    overlaysInstalled = true;
    InstallOverlays(SystemList(SHGFI_SMALLICON), SystemList(SHGFI_LARGEICON));
  }
  return SystemList(size == zqsizSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON);
}

}  // namespace korvane
