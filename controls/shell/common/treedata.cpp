#include "controls/shell/itemrecords.h"
#include "controls/shell/shellhelpers.h"
#include "host/Exceptions.h"

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
    const HRESULT hr = ShellGetDesktopFolder(folder_);
    if (FAILED(hr)) RaiseSysError(hr);
    return folder_.Get();
  }
  HRESULT hr = E_FAIL;
  if (parent_) {
    if (IShellFolder* parentFolder = parent_->GetThisIShf())
      hr = parentFolder->BindToObject(relative_.Get(), nullptr, IID_IShellFolder, folder_.PutVoid());
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
  char buf[MAX_PATH] = {};
  if (!abs || !SHGetPathFromIDListA(abs, buf)) return std::string();
  return buf;
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
    return parentFolder->GetUIObjectOf(owner, 1, &child, IID_IDropTarget, nullptr, target.PutVoid());
  }
  if (PItemIDList abs = GetAbsPidl()) return GetUIObjectOfAbsIdList(abs, IID_IDropTarget, target.PutVoid());
  return GetDesktopDirUIObject(target);
}

bool TZQShTreeData::IsRootDir() {
  const std::string path = GetPathName();
  return (path.size() == 2 || path.size() == 3) && !IsDBCSLeadByte(static_cast<BYTE>(path[0])) && path[1] == ':';
}

}  // namespace korvane
