#include "korvane/controls/shell/common/itemrecords.h"
#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

void TZQShTreeData::SetData(TZQShTreeData* parent, IMalloc* allocator, PCItemIDList relative) {
  allocator_ = TComPtr<IMalloc>::Share(allocator);
  parent_ = parent;
  relative_ = TIdListPtr(CopyIdList(allocator, relative), allocator);
  absolute_.Reset();
}

PItemIDList TZQShTreeData::GetAbsPidl() {
  if (!absolute_ && relative_) {
    IMalloc* m = allocator_.Get();
    PItemIDList parentAbs = parent_ ? parent_->GetAbsPidl() : nullptr;
    absolute_ = TIdListPtr(parent_ ? ConcatIdLists(m, parentAbs, relative_.Get()) : CopyIdList(m, relative_.Get()), m);
  }
  return absolute_.Get();
}

IShellFolder* TZQShTreeData::GetThisIShf() {
  if (folder_) return folder_.Get();
  if (!GetAbsPidl()) {
    if (FAILED(ShellGetDesktopFolder(folder_))) folder_.Reset();
    return folder_.Get();
  }
  HRESULT hr = E_FAIL;
  if (parent_) {
    if (IShellFolder* parentFolder = parent_->GetThisIShf())
      hr = ShellBindToObject(parentFolder, relative_.Get(), folder_);
  } else {
    // A top-level node's relative list is absolute: it is bound from the desktop.
    hr = ShellGetFolderFromIdList(relative_.Get(), folder_);
  }
  if (FAILED(hr)) folder_.Reset();
  return folder_.Get();
}

void TZQShTreeData::SetThisIShf(IShellFolder* folder) { folder_ = TComPtr<IShellFolder>::Share(folder); }

IShellFolder* TZQShTreeData::GetParentIShf() { return parent_ ? parent_->GetThisIShf() : nullptr; }

bool TZQShTreeData::GetEditable() {
  PItemIDList abs = GetAbsPidl();
  if (!abs || IsEmptyIdList(abs) || !parent_) return false;
  IShellFolder* parentFolder = GetParentIShf();
  if (!parentFolder) return false;
  SFGAOF mask = 0x40000177;
  PCUITEMID_CHILD child = relative_.Get();
  return SUCCEEDED(parentFolder->GetAttributesOf(1, &child, &mask)) && (mask & SFGAO_CANRENAME);
}

std::string TZQShTreeData::GetPathName() {
  if (!allocator_) throw Exception("TZQShTreeData not initialised");
  PItemIDList abs = GetAbsPidl();
  return abs ? ShellGetPathFromIdList(abs) : std::string();
}

void TZQShTreeData::SetRelPidl(PCItemIDList relative) {
  // Copy first: relative may be one of the lists about to go.
  TIdListPtr copy(CopyIdList(allocator_.Get(), relative), allocator_.Get());
  absolute_.Reset();
  folder_.Reset();
  relative_ = std::move(copy);
  GetAbsPidl();
}

void TZQShTreeData::Flush() {
  absolute_.Reset();
  folder_.Reset();
}

HRESULT TZQShTreeData::GetIDropTarget(HWND owner, TComPtr<IDropTarget>& target) {
  target.Reset();
  if (parent_) {
    IShellFolder* parentFolder = GetParentIShf();
    if (!parentFolder) return E_FAIL;
    PCUITEMID_CHILD child = relative_.Get();
    return ShellGetUIObjectOf(parentFolder, owner, 1, &child, target);
  }
  if (PItemIDList abs = GetAbsPidl()) return GetUIObjectOfAbsIdList(abs, target);
  return GetDesktopDirUIObject(target);
}

bool TZQShTreeData::IsRootDir() {
  const std::string path = GetPathName();
  return (path.size() == 2 || path.size() == 3) && !IsDBCSLeadByte(static_cast<BYTE>(path[0])) && path[1] == ':';
}

}  // namespace korvane
