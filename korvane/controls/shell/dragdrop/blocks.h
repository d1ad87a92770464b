// The global-memory blocks a shell data object hands out: text, file drop
// (DROPFILES) and the shell's identifier-list array (CIDA).
#pragma once
#include <string>
#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// The ANSI text and its terminating zero (GMEM_FIXED); nil when out of memory.
TGlobalHandle BuildTextBlock(const std::string& text);
// DROPFILES (pFiles 20, ANSI) followed by each name and its zero, then one more zero.
TGlobalHandle BuildHDrop(const std::vector<std::string>& names);
// CIDA: the count, count + 1 offsets, the parent (nil: the desktop) and each relative list.
TGlobalHandle BuildIdListArray(PCItemIDList parent, const std::vector<PCItemIDList>& relatives);
// A byte copy of block (GMEM_MOVEABLE); nil when the allocation fails.
HGLOBAL CopyGlobalBlock(HGLOBAL block);

}  // namespace korvane
