#include "korvane/host/ComInit.h"
#include "korvane/shell/Uzqshellutils.h"
#include "korvane/shell/widepath.h"

namespace korvane {

HRESULT ShellGetDesktopFolder(TComPtr<IShellFolder>& folder) {
  OleInitializeForThread();  // the shell's objects and handlers need the thread's apartment
  return SHGetDesktopFolder(folder.Put());
}

HRESULT ShellGetFolderFromIdList(PCItemIDList list, TComPtr<IShellFolder>& folder) {
  TComPtr<IShellFolder> desktop;
  HRESULT hr = ShellGetDesktopFolder(desktop);
  folder.Reset();
  if (FAILED(hr)) return hr;
  if (!list || IsEmptyIdList(list)) {
    folder = std::move(desktop);
    return S_OK;
  }
  hr = ShellBindToObject(desktop.Get(), list, folder);
  if (FAILED(hr)) folder.Reset();
  return hr;
}

HRESULT ShellParseDisplayName(IShellFolder* folder, const std::string& name, TIdListPtr& list) {
  list.Reset();
  TWidePath wide;
  HRESULT hr = wide.Assign(name);
  if (FAILED(hr)) return hr;
  TIdListPtr parsed;
  ULONG eaten = 0;
  hr = folder->ParseDisplayName(nullptr, nullptr, wide.Data(), &eaten, parsed.Put(), nullptr);
  if (hr == S_OK) list = std::move(parsed);
  return hr;
}

HRESULT ShellGetIdListFromPath(const std::string& path, TIdListPtr& list) {
  list.Reset();
  TComPtr<IShellFolder> desktop;
  const HRESULT hr = ShellGetDesktopFolder(desktop);
  if (FAILED(hr)) return hr;
  return ShellParseDisplayName(desktop.Get(), path, list);
}

std::string ShellGetPathFromIdList(PCItemIDList list) {
  char buf[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(list ? list : EmptyIdList(), buf)) return std::string();
  return buf;
}

std::string ShellGetDisplayPathName(const std::string& path) {
  TIdListPtr list;
  if (ShellGetIdListFromPath(path, list) != S_OK) return std::string();
  return ShellGetPathFromIdList(list.Get());
}

HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, TIdListPtr& list) {
  return SHGetSpecialFolderLocation(owner, static_cast<int>(csidl) & 0x7F, list.Put());
}

std::string ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl) {
  TIdListPtr list;
  if (FAILED(ShellGetSpecialFolderIdList(owner, csidl, list)) || !list) return std::string();
  return ShellGetPathFromIdList(list.Get());
}

TCSIDL ShellFindCSIDLFromIdList(PCItemIDList list) {
  for (int value = csidlDesktop; value <= csidlNone; ++value) {
    TIdListPtr special;
    if (FAILED(ShellGetSpecialFolderIdList(nullptr, static_cast<TCSIDL>(value), special)) || !special) continue;
    if (CompareAbsIdLists(special.Get(), list) == 0) return static_cast<TCSIDL>(value);
  }
  return csidlNone;
}

}  // namespace korvane
