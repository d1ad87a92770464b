// Enumerating a folder into owned identifier lists.
#pragma once
#include <vector>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// Appends every item EnumObjects(owner, flags) hands out, each owned with
// allocator. S_OK at the end (an EnumObjects that answers S_FALSE without an
// enumerator is an empty folder); otherwise the failure of EnumObjects
// (started false) or the code of Next other than S_FALSE (started true; what
// was collected stays in items).
HRESULT EnumerateItems(IShellFolder* folder, HWND owner, SHCONTF flags, IMalloc* allocator,
                       std::vector<TIdListPtr>& items, bool& started);

}  // namespace korvane
