// What dragged shell data allows: copy, move, link.
#pragma once
#include <cstdint>
#include <vector>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// Copy, move and link bits (7 unless the "Shell IDList Array" data says otherwise).
// The data is foreign: a malformed block answers 7.
DWORD GetDataObjectAttributes(IDataObject* data);
// The data offers a "Shell IDList Array" that names no item: another medium than a
// global block, a null block, no items, or a count or offsets that do not fit its
// size. Nothing of it may reach the shell.
bool HasMalformedIdListArray(IDataObject* data);
// The count + 1 offsets (parent first) of a CIDA block, each checked to hold a
// terminated list inside size; false when any does not.
bool ParseIdListArray(const std::uint8_t* block, std::size_t size, std::vector<UINT>& offsets);

}  // namespace korvane
