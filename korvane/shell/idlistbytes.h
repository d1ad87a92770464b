// The byte layout of item identifier lists: each item starts with its 2-byte
// size (not necessarily aligned), and a size of 0 ends the list. Lists the
// shell made are walked as they are; bytes from outside (streams, drag data)
// are checked with WellFormedIdListLen first.
#pragma once
#include <cstddef>

#include "korvane/shell/Uzqshell95.h"

namespace korvane {

// The size field of the item at offset.
USHORT IdItemSizeAt(const void* list, std::size_t offset);
// Offset of item index, or of the terminator when index is the count.
std::size_t IdItemOffset(PCItemIDList list, int index);
// A new list of size item bytes and a terminator, made with allocator (the
// shell allocator when nil); nil when out of memory. With items nil the item
// bytes are left for the caller to fill.
PItemIDList NewIdList(IMalloc* allocator, const void* items, std::size_t size);
// The length, terminator included, of the list at offset within a block of
// size bytes; 0 when it is not well formed there (an item of 1 byte, an item
// or the terminator outside the block). Reads nothing outside the block,
// whatever offset and the sizes hold.
std::size_t WellFormedIdListLen(const void* block, std::size_t size, std::size_t offset);

}  // namespace korvane
