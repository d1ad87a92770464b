// A folder's column details: its own IShellDetails (CreateViewObject), or, for
// a folder without a file-system path that offers none, the same answers taken
// from IShellFolder2::GetDetailsOf.
#pragma once
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// Nil when the folder offers neither.
TComPtr<IShellDetails> GetFolderDetails(IShellFolder* folder, PCItemIDList absolute, HWND owner);

}  // namespace korvane
