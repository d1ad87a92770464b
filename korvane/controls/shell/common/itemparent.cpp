#include "korvane/controls/shell/common/itemparent.h"

namespace korvane {

HRESULT SplitAbsIdList(PCItemIDList absolute, TComPtr<IShellFolder>& parent, TIdListPtr& parentList,
                       TIdListPtr& relative) {
  parent.Reset();
  parentList.Reset();
  relative.Reset();
  // The desktop has no parent: stand in its file-system directory.
  TIdListPtr desktopDir;
  if (!absolute || IsEmptyIdList(absolute)) {
    const HRESULT hr = ShellGetIdListFromPath(ShellGetSpecialFolderPath(nullptr, csidlDesktop), desktopDir);
    if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
    absolute = desktopDir.Get();
  }
  TZQIdListArray levels(absolute);
  const int count = levels.GetCount();
  if (count == 1) {
    relative.Reset(CopyIdList(nullptr, absolute));
    return ShellGetDesktopFolder(parent);
  }
  parentList.Reset(CopyIdList(nullptr, levels.GoUp(1)));
  relative.Reset(CopyIdList(nullptr, levels.GetItem(count - 1)));
  if (!parentList || !relative) return E_OUTOFMEMORY;
  return ShellGetFolderFromIdList(parentList.Get(), parent);
}

HRESULT GetUIObjectOfAbsIdList(PCItemIDList absolute, REFIID iid, void** object) {
  *object = nullptr;
  TComPtr<IShellFolder> parent;
  TIdListPtr parentList, relative;
  HRESULT hr = SplitAbsIdList(absolute, parent, parentList, relative);
  if (FAILED(hr)) return hr;
  PCUITEMID_CHILD child = relative.Get();
  return parent->GetUIObjectOf(nullptr, 1, &child, iid, nullptr, object);
}

HRESULT GetDesktopDirUIObject(TComPtr<IDropTarget>& target) {
  TIdListPtr dir;
  const HRESULT hr = ShellGetIdListFromPath(ShellGetSpecialFolderPath(nullptr, csidlDesktop), dir);
  if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
  return GetUIObjectOfAbsIdList(dir.Get(), target);
}

HRESULT GetDesktopDirParentAndItem(TIdListPtr& parentList, TIdListPtr& item) {
  TComPtr<IShellFolder> parent;
  return SplitAbsIdList(nullptr, parent, parentList, item);
}

std::string GetAbsIdListInFolderName(PCItemIDList absolute) {
  TComPtr<IShellFolder> desktop;
  if (FAILED(ShellGetDesktopFolder(desktop))) return std::string();
  TZQIdListArray items(absolute);
  const int count = items.GetCount();
  if (count <= 1)
    return ShellGetFriendlyNameFromIdList(desktop.Get(), absolute ? absolute : EmptyIdList(),
                                          zqfnInFolder);
  TComPtr<IShellFolder> parent;
  if (FAILED(ShellBindToObject(desktop.Get(), items.GoUp(1), parent))) return std::string();
  return ShellGetFriendlyNameFromIdList(parent.Get(), items.GetItem(count - 1), zqfnInFolder);
}

}  // namespace korvane
