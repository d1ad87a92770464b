// An absolute item split into its parent folder and the item within it, and the
// UI objects reached that way.
#pragma once
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// The parent folder, the parent's list (nil under the desktop) and the item
// within it. The desktop itself is taken as its file-system directory.
HRESULT SplitAbsIdList(PCItemIDList absolute, TComPtr<IShellFolder>& parent, TIdListPtr& parentList,
                       TIdListPtr& relative);
HRESULT GetUIObjectOfAbsIdList(PCItemIDList absolute, REFIID iid, void** object);
template <class I>
HRESULT GetUIObjectOfAbsIdList(PCItemIDList absolute, TComPtr<I>& object) {
  return GetUIObjectOfAbsIdList(absolute, __uuidof(I), object.PutVoid());
}
HRESULT GetDesktopDirUIObject(TComPtr<IDropTarget>& target);
HRESULT GetDesktopDirParentAndItem(TIdListPtr& parentList, TIdListPtr& item);
// The name of an absolute item within its parent folder (bound from the desktop);
// the desktop's own name for a list of one item or none; empty on failure.
std::string GetAbsIdListInFolderName(PCItemIDList absolute);

}  // namespace korvane
