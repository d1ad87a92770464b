// The shell controls unit's hold on OLE and the clipboard format it registers
// when the process starts; the shared Send To list is dropped at the end.
#pragma once
#include "shell/Uzqshellutils.h"

namespace korvane {

// "Shell IDList Array", registered when the unit starts.
extern const UINT CF_IDLIST;

}  // namespace korvane
