#include <cwchar>

#include "host/Handles.h"
#include "shell/Uzqshellutils.h"

namespace korvane {
namespace {

int IconIndex(LPCSTR pathOrList, DWORD attributes, UINT flags) {
  SHFILEINFOA info = {};
  if (!SHGetFileInfoA(pathOrList, attributes, &info, sizeof info, flags)) return 0;
  return info.iIcon;
}

// Overlay 1 (shared) and 2 (shortcut) of both system lists, from shell32's
// icons 29 and 30; once per process.
void InstallOverlays(HIMAGELIST small, HIMAGELIST large) {
  const TModuleHandle shell32(LoadLibraryA("shell32.dll"));
  if (!shell32) return;
  const struct {
    int resource;
    int overlay;
  } kOverlays[] = {{29, 1}, {30, 2}};
  for (const auto& o : kOverlays) {
    const struct {
      HIMAGELIST list;
      int size;
    } kLists[] = {{small, 16}, {large, 32}};
    for (const auto& l : kLists) {
      if (!l.list) continue;
      const TIconHandle icon(static_cast<HICON>(
          LoadImageA(shell32.Get(), MAKEINTRESOURCEA(o.resource), IMAGE_ICON, l.size, l.size, 0)));
      if (!icon) continue;
      const int index = ImageList_ReplaceIcon(l.list, -1, icon.Get());
      if (index >= 0) ImageList_SetOverlayImage(l.list, index, o.overlay);
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
bool IsPlainDirectory(IShellFolder* folder, PCItemIDList relative) {
  WIN32_FIND_DATAW data = {};
  if (FAILED(SHGetDataFromIDListW(folder, relative, SHGDFIL_FINDDATA, &data, sizeof data))) return false;
  constexpr DWORD kCustomising =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  if ((data.dwFileAttributes & kCustomising) != FILE_ATTRIBUTE_DIRECTORY) return false;  // files end here
  const std::size_t length = wcsnlen(data.cFileName, MAX_PATH);
  if (length == 0 || data.cFileName[length - 1] == L'}') return false;
  constexpr SFGAOF kWanted = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_LINK | SFGAO_STREAM;
  SFGAOF attributes = kWanted;
  PCUITEMID_CHILD child = relative;
  return SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes)) &&
         (attributes & kWanted) == (SFGAO_FILESYSTEM | SFGAO_FOLDER);
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
  static int openIndex = -1;
  normal = kNormal;
  if (!open) return;
  if (openIndex < 0) openIndex = OpenIconByIdList(folder, relative);
  *open = openIndex >= 0 ? openIndex
                         : IconIndex("folder", FILE_ATTRIBUTE_DIRECTORY,
                                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON | SHGFI_OPENICON);
}

}  // namespace

int ShellGetIconIndex(PCItemIDList list, UINT flags) {
  return IconIndex(reinterpret_cast<LPCSTR>(list), 0, flags | SHGFI_SYSICONINDEX | SHGFI_PIDL);
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
