// The clipboard format of the shell's item identifier lists, registered when the process starts.
#pragma once
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// "Shell IDList Array".
extern const UINT CF_IDLIST;

}  // namespace korvane
