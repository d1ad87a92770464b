#include "korvane/controls/shell/common/itemrecords.h"

namespace korvane {

void TZQShComboData::SetData(IShellFolder* parentFolder, PCItemIDList parentAbsolute, PCItemIDList relative) {
  parentList_.Reset(CopyIdList(nullptr, parentAbsolute));
  relative_.Reset(CopyIdList(nullptr, relative));
  parentFolder_ = TComPtr<IShellFolder>::Share(parentFolder);
  absolute_.Reset(ConcatIdLists(nullptr, parentList_.Get(), relative_.Get()));
  folder_.Reset();
}

IShellFolder* TZQShComboData::GetThisIShf() {
  if (folder_) return folder_.Get();
  HRESULT hr;
  if (absolute_ && !IsEmptyIdList(absolute_.Get()) && parentFolder_)
    hr = ShellBindToObject(parentFolder_.Get(), relative_.Get(), folder_);
  else  // no parent folder: the whole list from the desktop (the desktop itself when empty)
    hr = ShellGetFolderFromIdList(absolute_.Get(), folder_);
  if (FAILED(hr)) folder_.Reset();
  return folder_.Get();
}

}  // namespace korvane
