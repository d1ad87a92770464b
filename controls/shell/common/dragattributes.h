// What dragged shell data allows: copy, move, link.
#pragma once
#include "shell/Uzqshellutils.h"

namespace korvane {

// Copy, move and link bits (7 unless the "Shell IDList Array" data says otherwise).
// The data is foreign: a malformed block answers 7.
DWORD GetDataObjectAttributes(IDataObject* data);

}  // namespace korvane
